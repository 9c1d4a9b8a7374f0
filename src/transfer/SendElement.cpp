#include "transfer/SendElement.h"

#include "app/FailureText.h"
#include "app/MainForm.h"
#include "catalogue/TocRequest.h"
#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "text/TextRules.h"
#include "transfer/ElementSelection.h"
#include "transfer/PcNameCheck.h"
#include "transfer/SendGuard.h"

namespace morvanta::transfer {

namespace {

// The work file, when configured, takes every send of every pane.
std::u16string targetFile(const MainForm& form, const std::u16string& paneFile) {
  return form.pub.ftpSendWorkFile.empty() ? paneFile : form.pub.ftpSendWorkFile;
}

jobfiles::SendJob sendJobFor(MainForm& form, const std::u16string& address,
                             const std::u16string& file, const std::u16string& elt,
                             std::u16string& pcFile) {
  jobfiles::SendJob job;
  job.address = address;
  pcFile = form.cls2200.U2200FileName_to_PcName(file);
  job.receiveFolder = form.FOLDER_NAME(u"RCV", pcFile);
  std::u16string type;
  job.pcElement = form.cls2200.U2200ElementName_to_PcName(u"TXT", elt, type) + u".txt";
  job.uploadName = form.cls2200.PcName_to_U2200ElementName_FTP(elt, type);
  job.remoteName = targetFile(form, file) + u"." + elt;
  return job;
}

}  // namespace

// The upload copy is what goes out when no converter rewrites it, so a
// stale one must never be sent in place of the edited file.
bool makeUploadCopy(MainForm& form, const jobfiles::SendJob& job) {
  const std::u16string source = platform::joinPath(job.receiveFolder, job.pcElement);
  if (!platform::fileExists(source)) {
    form.desktop.msgBox(kNoSendFileMessage + source);
    return false;
  }
  const std::u16string upload = platform::joinPath(job.receiveFolder, job.uploadName);
  try {
    platform::copyFileOrThrow(source, upload);
  } catch (const platform::FileError& e) {
    form.desktop.msgBox(app::withReason(kUploadCopyFailedMessage + upload, e));
    return false;
  }
  return true;
}

void sendElement(MainForm& form, int i) {
  const std::size_t pane = morvanta::pane(i);
  const std::u16string file = text::trimBlanks(form.Text_2200file[pane]->text());
  if (file.empty()) return form.desktop.msgBox(catalogue::kNoFileMessage);
  const std::u16string address = form.get_host_address(form.Combo_host[pane]->text());
  if (address.empty()) return form.desktop.msgBox(catalogue::kNoHostMessage);
  const std::u16string elt = selectedEntry(*form.List_send[pane]);
  if (elt.empty()) return form.desktop.msgBox(kNoElementMessage);

  std::u16string pcFile;
  const jobfiles::SendJob job = sendJobFor(form, address, file, elt, pcFile);
  // The upload copy is written before the job: its name is checked first.
  if (!acceptPcNames(form, {&pcFile, &job.pcElement, &job.uploadName})) return;
  // Told now rather than after the check: there is nothing to send.
  const std::u16string source = platform::joinPath(job.receiveFolder, job.pcElement);
  if (!platform::fileExists(source)) return form.desktop.msgBox(kNoSendFileMessage + source);
  startGuardedSend(form, i, job, elt);
}

void setUpNewElement(MainForm& form, int i) {
  forms::ListBox& sendList = *form.List_send[pane(i)];
  sendList.clear();
  sendList.addItem(u"");
}

}  // namespace morvanta::transfer
