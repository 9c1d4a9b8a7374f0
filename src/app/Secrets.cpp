#include "app/Secrets.h"

#include "app/JobNames.h"
#include "app/MainForm.h"
#include "jobs/JobStatus.h"
#include "platform/Platform.h"

namespace morvanta::app {

namespace {

bool stillRunning(const std::u16string& batchPath) {
  const jobs::JobStatus status = jobs::readStatusFile(jobs::statusPathFor(batchPath));
  return status.started && !status.ended && platform::processRunning(status.pid);
}

}  // namespace

void eraseLeftoverScripts(MainForm& form) {
  const std::u16string work = form.FOLDER_NAME(u"WK", u"");
  for (const JobPairNames& pair : kJobPairs) {
    if (stillRunning(platform::joinPath(work, pair.batch))) continue;
    platform::deleteFile(platform::joinPath(work, pair.script));
  }
}

void warnIfConfigReadable(MainForm& form) {
  const Module_pub& pub = form.pub;
  if (pub.ftpPassword.empty() || !platform::readableByOthers(pub.iniPath)) return;
  form.desktop.msgBox(kConfigReadableMessage + pub.iniPath);
}

}  // namespace morvanta::app
