#include "transfer/ReceiveJobRun.h"

#include "app/MainForm.h"
#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "transfer/PcNameCheck.h"

namespace morvanta::transfer {

ReceiveTarget receiveTarget(MainForm& form, const std::u16string& file, const std::u16string& elt) {
  ReceiveTarget target;
  target.pcFile = form.cls2200.U2200FileName_to_PcName(file);
  target.folder = form.FOLDER_NAME(u"RCV", target.pcFile);
  std::u16string type;  // a receive does not use the element type
  target.pcElement = form.cls2200.U2200ElementName_to_PcName(u"TXT", elt, type) + u".txt";
  return target;
}

bool writeReceive(MainForm& form, const std::u16string& address, const std::u16string& remoteName,
                  const ReceiveTarget& target) {
  if (!acceptPcNames(form, {&target.pcFile, &target.pcElement})) return false;
  if (!jobfiles::writeReceiveJob(form, {address, remoteName, target.folder, target.pcElement}))
    return false;
  // Recorded before the transfer has run: the analysis reads whatever
  // arrived there.
  form.pub.lastReceivedFolder = target.folder;
  form.pub.lastReceivedFile = target.pcElement;
  return true;
}

void startReceive(MainForm& form, const ReceiveTarget& target, jobfiles::JobLabel label) {
  if (!platform::folderExists(target.folder) && !platform::createFolder(target.folder)) {
    form.desktop.msgBox(kReceiveFolderFailedMessage + target.folder);
    return;
  }
  label.outputFolders.push_back(target.folder);
  jobfiles::startJob(form, label);
}

}  // namespace morvanta::transfer
