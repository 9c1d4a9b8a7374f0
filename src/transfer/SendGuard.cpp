#include "transfer/SendGuard.h"

#include <algorithm>
#include <cstdio>

#include "app/JobNames.h"
#include "app/JobOutcome.h"
#include "app/JobValueCheck.h"
#include "app/LoginPassword.h"
#include "app/MainForm.h"
#include "platform/Platform.h"
#include "transfer/Baseline.h"
#include "transfer/SendCheck.h"
#include "transfer/SendElement.h"
#include "transfer/TextDiff.h"

namespace morvanta::transfer {

namespace {

using platform::joinPath;

constexpr char16_t kCheckListing[] = u"CHECK-LIST.TXT";
constexpr char16_t kSentListing[] = u"SENT-LIST.TXT";
constexpr char16_t kConvertedSuffix[] = u".pc.txt";
constexpr std::size_t kStampLength = 15;  // yyyymmdd-hhmmss

// One send from its check to its end; copied into each job's end action.
struct SendPlan {
  int pane = 0;
  jobfiles::SendJob job;
  std::u16string element;     // display form
  std::u16string targetFile;  // qual*file the element goes to
  std::u16string backupRoot;  // FTPWK\BACKUP
  std::u16string backups;     // one folder below it per target file
  std::u16string hostCopy;    // as the host keeps it: what a restore sends
  std::u16string hostCopyPc;  // in the PC's code: what is compared
  std::u16string sentHash;
  bool hostHadIt = false;
};

bool toSjisConfigured(const Module_pub& pub) {
  return !pub.sjisConverterPath.empty() && !pub.toSjisExe.empty();
}

std::u16string stamp(const platform::DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return platform::fromUtf8(text);
}

std::u16string stemOf(const std::u16string& pcElement) {
  return pcElement.ends_with(u".txt") ? pcElement.substr(0, pcElement.size() - 4) : pcElement;
}

std::u16string pcFilePath(const SendPlan& plan) {
  return joinPath(plan.job.receiveFolder, plan.job.pcElement);
}

bool makeFolder(const std::u16string& folder) {
  return platform::folderExists(folder) || platform::createFolder(folder);
}

void addLogin(std::vector<app::JobValue>& values, const Module_pub& pub,
              const std::u16string& address) {
  values.push_back({u"HOST", &address, app::JobValueUse::Script});
  // The system's FTP client runs a user or password line that begins with
  // "!" as a command when the login fails: refused like in every other job.
  values.push_back({u"FTP-USERID", &pub.ftpUserId, app::JobValueUse::Login});
  values.push_back({u"FTP-PASSWORD", &pub.ftpPassword, app::JobValueUse::Login});
}

// The host copy's folder below BACKUP and the copies in it: what a check or
// a restore job writes or reads on the PC.
std::vector<app::JobPath> hostCopyPaths(const SendPlan& plan) {
  return {{&plan.backupRoot, plan.backups},
          {&plan.backups, plan.hostCopy},
          {&plan.backups, plan.hostCopyPc}};
}

// --- Jobs ----------------------------------------------------------------------

bool writeCheckJob(MainForm& form, const SendPlan& plan) {
  if (!app::preparePassword(form, plan.job.address)) return false;
  const Module_pub& pub = form.pub;
  const std::u16string work = form.FOLDER_NAME(u"WK", u"");
  const std::u16string listing = joinPath(work, kCheckListing);
  const bool convert = toSjisConfigured(pub);
  std::vector<app::JobValue> values;
  addLogin(values, pub, plan.job.address);
  values.push_back({u"FTPWK", &work, app::JobValueUse::Batch});
  values.push_back({u"2200ファイル", &plan.targetFile, app::JobValueUse::Script});
  values.push_back({u"2200エレメント", &plan.job.remoteName, app::JobValueUse::Script});
  values.push_back(
      {u"BACKUP", &plan.hostCopy, convert ? app::JobValueUse::Batch : app::JobValueUse::Script});
  jobfiles::JobPair pair;
  pair.batch.push_back(jobfiles::ftpRunLine(work, app::kCheckJob.script));
  if (convert) {
    // The same conversion as a receive, so both sides are compared in the
    // PC's code.
    values.push_back({u"UNISYS-SJIS-PATH", &pub.sjisConverterPath, app::JobValueUse::Batch});
    values.push_back({u"UNISYS-SJIS-EXE", &pub.toSjisExe, app::JobValueUse::Batch});
    pair.batch.push_back(pub.sjisConverterPath + pub.toSjisExe + u" \"" + plan.hostCopy + u"\"  " +
                         plan.hostCopyPc);
  }
  pair.script = jobfiles::scriptHeaderLines(pub, plan.job.address);
  pair.script.push_back(u"mdir " + plan.targetFile + u" " + listing);
  pair.script.push_back(u"y");
  pair.script.push_back(u"RECV " + plan.job.remoteName + u" " + plan.hostCopy);
  pair.script.push_back(u"bye");
  std::vector<app::JobPath> paths = hostCopyPaths(plan);
  paths.push_back({&work, listing});
  if (!jobfiles::writeOwnJobPair(form, values, paths, app::kCheckJob.batch, app::kCheckJob.script,
                                 pair))
    return false;
  // An old listing must not stand in for one this job failed to fetch.
  if (form.stagedJobFiles.empty()) {
    platform::deleteFile(listing);
  } else {
    form.stagedRemovals.push_back(listing);
  }
  return true;
}

bool writeListingJob(MainForm& form, const SendPlan& plan) {
  if (!app::preparePassword(form, plan.job.address)) return false;
  const std::u16string work = form.FOLDER_NAME(u"WK", u"");
  const std::u16string listing = joinPath(work, kSentListing);
  std::vector<app::JobValue> values;
  addLogin(values, form.pub, plan.job.address);
  values.push_back({u"FTPWK", &work, app::JobValueUse::Batch});
  values.push_back({u"2200ファイル", &plan.targetFile, app::JobValueUse::Script});
  jobfiles::JobPair pair;
  pair.batch.push_back(jobfiles::ftpRunLine(work, app::kSentJob.script));
  pair.script = jobfiles::scriptHeaderLines(form.pub, plan.job.address);
  pair.script.push_back(u"mdir " + plan.targetFile + u" " + listing);
  pair.script.push_back(u"y");
  pair.script.push_back(u"bye");
  if (!jobfiles::writeOwnJobPair(form, values, {{&work, listing}}, app::kSentJob.batch,
                                 app::kSentJob.script, pair)) {
    return false;
  }
  if (form.stagedJobFiles.empty()) {
    platform::deleteFile(listing);
  } else {
    form.stagedRemovals.push_back(listing);
  }
  return true;
}

bool writeRestoreJob(MainForm& form, const SendPlan& plan) {
  if (!app::preparePassword(form, plan.job.address)) return false;
  const std::u16string work = form.FOLDER_NAME(u"WK", u"");
  std::vector<app::JobValue> values;
  addLogin(values, form.pub, plan.job.address);
  values.push_back({u"FTPWK", &work, app::JobValueUse::Batch});
  values.push_back({u"BACKUP", &plan.hostCopy, app::JobValueUse::Script});
  values.push_back({u"2200エレメント", &plan.job.remoteName, app::JobValueUse::Script});
  jobfiles::JobPair pair;
  pair.batch.push_back(jobfiles::ftpRunLine(work, app::kRestoreJob.script));
  pair.script = jobfiles::scriptHeaderLines(form.pub, plan.job.address);
  pair.script.push_back(u"SEND " + plan.hostCopy + u" " + plan.job.remoteName);
  pair.script.push_back(u"bye");
  return jobfiles::writeOwnJobPair(form, values, hostCopyPaths(plan), app::kRestoreJob.batch,
                                   app::kRestoreJob.script, pair);
}

// --- After the send --------------------------------------------------------

void recordSent(MainForm& form, const SendPlan& plan, const jobs::Job& job) {
  // The send itself went through; without the new listing the next send
  // only asks once more.
  if (job.state != jobs::JobState::Succeeded && job.state != jobs::JobState::Finished) return;
  std::vector<std::u16string> listing;
  try {
    listing = platform::readTextLines(joinPath(form.FOLDER_NAME(u"WK", u""), kSentListing));
  } catch (const platform::FileError&) {
    return;  // the next send asks again: safe, only less convenient
  }
  const auto entry = findListingEntry(form.cls2200, listing, plan.element, form.desktop.now());
  if (!entry) return;
  try {
    BaselineStore store(plan.job.receiveFolder);
    store.load();
    BaselineEntry sent;
    sent.hostTime = entry->time;
    sent.hostSize = entry->size;
    sent.hash = plan.sentHash;
    sent.recordedAt = baselineTime(form.desktop.now());
    store.put(plan.job.pcElement, sent);
    store.save();
  } catch (const platform::FileError& e) {
    form.desktop.notify(kBaselineWriteFailedMessage + platform::fromUtf8(e.what()));
  }
}

void restore(MainForm& form, const SendPlan& plan) {
  if (!platform::fileExists(plan.hostCopy)) {
    return form.desktop.msgBox(kNoBackupMessage + plan.hostCopy);
  }
  if (!writeRestoreJob(form, plan)) return;
  jobfiles::startJob(form, {jobs::JobKind::Send, plan.pane, plan.job.remoteName});
}

void sendEnded(MainForm& form, const SendPlan& plan, const jobs::Job& job) {
  if (job.state == jobs::JobState::Succeeded) {
    if (!writeListingJob(form, plan)) return;
    jobfiles::JobLabel label{jobs::JobKind::SendCheck, plan.pane, plan.targetFile};
    label.outputFiles = {joinPath(form.FOLDER_NAME(u"WK", u""), kSentListing)};
    label.onEnd = [plan](MainForm& f, const jobs::Job& listed) { recordSent(f, plan, listed); };
    jobfiles::startJob(form, label);
    return;
  }
  if (job.state != jobs::JobState::Failed && job.state != jobs::JobState::Cancelled) {
    return app::tellJobEnd(form, job);
  }
  std::u16string notice = app::jobEndNotice(job);
  if (notice.empty()) notice = app::kSendFailedMessage + job.subject + u" (" + job.reason + u")";
  if (!plan.hostHadIt || !platform::fileExists(plan.hostCopy)) return form.desktop.notify(notice);
  // The upload may have stopped part-way: say what the host held before.
  form.desktop.notifyWithAction(notice + u"\n" + kMayBeIncompleteNote + plan.hostCopy,
                                kRestoreCaption, [&form, plan] { restore(form, plan); });
}

// The upload copy and SEND.BAT / SEND.TXT, written before the last question
// as they always were.
bool prepareSend(MainForm& form, const SendPlan& plan) {
  return makeUploadCopy(form, plan.job) && jobfiles::writeSendJob(form, plan.job);
}

void launchSend(MainForm& form, SendPlan plan) {
  try {
    plan.sentHash = contentHash(platform::readBinaryFile(pcFilePath(plan)));
  } catch (const platform::FileError&) {
    plan.sentHash.clear();
  }
  jobfiles::JobLabel label{jobs::JobKind::Send, plan.pane, plan.job.remoteName};
  label.onEnd = [plan](MainForm& f, const jobs::Job& job) { sendEnded(f, plan, job); };
  jobfiles::startJob(form, label);
}

// --- After the check -------------------------------------------------------

void confirmAndSend(MainForm& form, const SendPlan& plan, const std::u16string& note) {
  // The question stands in the body too: a long title or the window manager
  // may cut it from the title bar.
  const std::u16string question = kSendConfirmTitle;
  std::u16string text = note.empty() ? u"" : note + u"\n\n";
  text += question + u"\n\n" + jobfiles::sendScriptLine(plan.job);
  if (!prepareSend(form, plan)) return;
  if (form.desktop.okCancel(text, question)) launchSend(form, plan);
}

void compare(MainForm& form, const SendPlan& plan) {
  const std::u16string pcFile = pcFilePath(plan);
  if (!form.pub.diffTool.empty()) {
    form.desktop.startProcess(form.pub.diffTool + u" \"" + plan.hostCopyPc + u"\" \"" + pcFile +
                              u"\"");
    return;
  }
  forms::DiffView view;
  view.title = plan.job.remoteName;
  const bool converted = plan.hostCopyPc != plan.hostCopy;
  view.hostLabel = (converted ? kHostSideConvertedLabel : kHostSideLabel) + plan.hostCopyPc;
  view.pcLabel = kPcSideLabel + pcFile;
  try {
    view.lines =
        diffLines(platform::readTextLines(plan.hostCopyPc), platform::readTextLines(pcFile));
  } catch (const platform::FileError& e) {
    return form.desktop.msgBox(kCompareFailedMessage + platform::fromUtf8(e.what()));
  }
  form.desktop.showDiff(view);
}

std::u16string orUnknown(const std::u16string& text) {
  return text.empty() ? kUnknownTime : text;
}

void askAboutChange(MainForm& form, const SendPlan& plan, const SendCheckResult& result,
                    const std::optional<BaselineEntry>& baseline) {
  const bool changed = result.verdict == SendVerdict::Changed;
  std::u16string text = changed ? kChangedText : kNoBaselineText;
  text += u"\n\n" + std::u16string(kElementLabel) + plan.job.remoteName;
  text += u"\n" + std::u16string(kReceivedAtLabel) +
          (baseline ? orUnknown(baseline->hostTime) : std::u16string(kNotReceived));
  text += u"\n" + std::u16string(kHostNowLabel) + orUnknown(result.host.time);
  text += u"\n\n" + jobfiles::sendScriptLine(plan.job);
  const std::u16string title = changed ? kChangedTitle : kNoBaselineTitle;
  while (true) {
    switch (form.desktop.askOverwrite(text, title)) {
      case forms::SendChoice::Compare:
        compare(form, plan);
        break;  // and ask again
      case forms::SendChoice::Overwrite:
        if (prepareSend(form, plan)) launchSend(form, plan);
        return;
      case forms::SendChoice::Cancel:
        return;
    }
  }
}

void checkEnded(MainForm& form, SendPlan plan, const jobs::Job& job) {
  pruneHostCopies(plan.backups, plan.job.pcElement);
  std::optional<BaselineEntry> baseline;
  try {
    BaselineStore store(plan.job.receiveFolder);
    store.load();
    baseline = store.find(plan.job.pcElement);
  } catch (const platform::FileError&) {
    // An unreadable store judges nothing: the question asks.
  }
  SendCheckInput input;
  input.listingPath = joinPath(form.FOLDER_NAME(u"WK", u""), kCheckListing);
  input.element = plan.element;
  input.hostCopyPath = plan.hostCopyPc;
  input.baseline = baseline;
  input.now = form.desktop.now();
  const SendCheckResult result = checkBeforeSend(form.cls2200, input);
  switch (result.verdict) {
    case SendVerdict::CheckFailed: {
      const std::u16string why = job.reason.empty() ? plan.hostCopy : job.reason;
      return form.desktop.msgBox(kCheckFailedMessage + plan.job.remoteName + u" (" + why + u")");
    }
    case SendVerdict::NotOnHost:
      return confirmAndSend(form, plan, kNotOnHostNote);
    case SendVerdict::Unchanged:
      plan.hostHadIt = true;
      return confirmAndSend(form, plan, u"");
    case SendVerdict::Changed:
    case SendVerdict::NoBaseline:
      plan.hostHadIt = true;
      return askAboutChange(form, plan, result, baseline);
  }
}

bool isKeptCopyName(const std::u16string& name, const std::u16string& stem) {
  const std::u16string prefix = stem + u".";
  return name.size() == prefix.size() + kStampLength + 4 && name.starts_with(prefix) &&
         name.ends_with(u".txt");
}

}  // namespace

std::u16string backupFolder(MainForm& form, const std::u16string& targetFile) {
  return joinPath(joinPath(form.FOLDER_NAME(u"WK", u""), kBackupFolderName),
                  form.cls2200.U2200FileName_to_PcName(targetFile));
}

std::vector<std::u16string> keptHostCopies(const std::u16string& folder,
                                           const std::u16string& pcElement) {
  std::vector<std::u16string> kept;
  if (!platform::folderExists(folder)) return kept;
  const std::u16string stem = stemOf(pcElement);
  try {
    for (const std::u16string& name : platform::listFiles(folder)) {
      if (isKeptCopyName(name, stem)) kept.push_back(name);
    }
  } catch (const platform::FileError&) {
    return {};
  }
  // The stamp sorts by time.
  std::sort(kept.begin(), kept.end());
  return kept;
}

void pruneHostCopies(const std::u16string& folder, const std::u16string& pcElement,
                     std::size_t keep) {
  const std::vector<std::u16string> kept = keptHostCopies(folder, pcElement);
  if (kept.size() <= keep) return;
  for (std::size_t i = 0; i + keep < kept.size(); ++i) {
    platform::deleteFile(joinPath(folder, kept[i]));
    const std::u16string twin = kept[i].substr(0, kept[i].size() - 4) + kConvertedSuffix;
    platform::deleteFile(joinPath(folder, twin));
  }
}

void startGuardedSend(MainForm& form, int pane, const jobfiles::SendJob& job,
                      const std::u16string& element) {
  SendPlan plan;
  plan.pane = pane;
  plan.job = job;
  plan.element = element;
  plan.targetFile = job.remoteName.substr(0, job.remoteName.size() - element.size() - 1);
  plan.backups = backupFolder(form, plan.targetFile);
  const std::u16string name = stemOf(job.pcElement) + u"." + stamp(form.desktop.now());
  plan.hostCopy = joinPath(plan.backups, name + u".txt");
  plan.hostCopyPc =
      toSjisConfigured(form.pub) ? joinPath(plan.backups, name + kConvertedSuffix) : plan.hostCopy;
  plan.backupRoot = joinPath(form.FOLDER_NAME(u"WK", u""), kBackupFolderName);
  // No folder is made for a target whose PC name would leave BACKUP.
  if (const auto refused = app::checkJobPaths(hostCopyPaths(plan)))
    return form.desktop.msgBox(*refused);
  if (!makeFolder(plan.backupRoot) || !makeFolder(plan.backups)) {
    return form.desktop.msgBox(kBackupFolderFailedMessage + plan.backups);
  }
  if (!writeCheckJob(form, plan)) return;
  // Its listing lands in FTPWK, the host copy in BACKUP.
  jobfiles::JobLabel label{jobs::JobKind::SendCheck, pane, job.remoteName, 0, {plan.backups}};
  label.outputFiles = {joinPath(form.FOLDER_NAME(u"WK", u""), kCheckListing)};
  label.onEnd = [plan](MainForm& f, const jobs::Job& checked) { checkEnded(f, plan, checked); };
  jobfiles::startJob(form, label);
}

}  // namespace morvanta::transfer
