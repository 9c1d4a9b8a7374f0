#include "jobfiles/JobFiles.h"

#include <optional>

#include "app/JobNames.h"
#include "app/JobOutcome.h"
#include "app/JobValueCheck.h"
#include "app/LoginPassword.h"
#include "app/MainForm.h"
#include "platform/Platform.h"

namespace morvanta::jobfiles {

namespace {

using app::JobPath;
using app::JobValue;
using app::JobValueUse;
using platform::joinPath;

// Prefix of the converter's output file beside the received one.
constexpr char16_t kConvertedPrefix[] = u"O$U$T";
// The bulk job hands the tool a value list whose INF item ends in an
// ideographic space; the tool's argument parsing expects it there.
constexpr char16_t kToolInfEnd[] = u"]\u3000";

std::u16string quoted(const std::u16string& text) {
  return u"\"" + text + u"\"";
}

bool toSjisConfigured(const Module_pub& pub) {
  return !pub.sjisConverterPath.empty() && !pub.toSjisExe.empty();
}

bool toUnisysConfigured(const Module_pub& pub) {
  return !pub.sjisConverterPath.empty() && !pub.toUnisysExe.empty();
}

bool toolLineWanted(const BulkRow& row) {
  return row.outf != u"NONE";
}

std::vector<std::u16string> scriptHeader(const Module_pub& pub, const std::u16string& address) {
  return {u"open " + address, pub.ftpUserId, pub.ftpPassword};
}

std::u16string ftpLine(const std::u16string& work, const std::u16string& script) {
  return u"ftp -s:" + joinPath(work, script);
}

// The three lines that turn a received file into Shift_JIS in place.
void appendToSjisLines(std::vector<std::u16string>& batch, const Module_pub& pub,
                       const std::u16string& folder, const std::u16string& name) {
  const std::u16string received = joinPath(folder, name);
  const std::u16string converted = joinPath(folder, kConvertedPrefix + name);
  batch.push_back(pub.sjisConverterPath + pub.toSjisExe + u" " + quoted(received) + u"  " +
                  converted);
  batch.push_back(u"XCOPY /Y " + converted + u" " + received);
  batch.push_back(u"ERASE " + converted);
}

// Values every script carries.
void addLoginValues(std::vector<JobValue>& values, const Module_pub& pub,
                    const std::u16string& address) {
  values.push_back({u"HOST", &address, JobValueUse::Script});
  values.push_back({u"FTP-USERID", &pub.ftpUserId, JobValueUse::Login});
  values.push_back({u"FTP-PASSWORD", &pub.ftpPassword, JobValueUse::Login});
}

JobValueUse batchIf(bool inBatch) {
  return inBatch ? JobValueUse::Batch : JobValueUse::Script;
}

// Checks the values and the local paths, then writes the pair; tells the
// user what stopped it. The script holds the password: only its owner may
// read it.
bool writePair(MainForm& form, const std::vector<JobValue>& values,
               const std::vector<JobPath>& paths, const std::u16string& work,
               const std::u16string& batchName, const std::u16string& scriptName,
               const JobPair& pair) {
  auto refused = checkJobValues(values);
  if (!refused) refused = checkJobPaths(paths);
  if (refused) {
    form.desktop.msgBox(*refused);
    return false;
  }
  form.pub.batchFileName = batchName;
  form.pub.ftpScriptName = scriptName;
  form.stagedJobFiles.clear();
  form.stagedRemovals.clear();
  const std::u16string scriptPath = joinPath(work, scriptName);
  const std::u16string batchPath = joinPath(work, batchName);
  if (form.jobs.holds(scriptPath) || form.jobs.holds(batchPath)) {
    // A job still running reads these names: the pair waits for its turn.
    form.stagedJobFiles = {{scriptPath, pair.script}, {batchPath, pair.batch}};
    return true;
  }
  try {
    platform::writeTextLines(joinPath(work, scriptName), pair.script,
                             platform::FileAccess::OwnerOnly);
    platform::writeTextLines(joinPath(work, batchName), pair.batch);
  } catch (const platform::FileError& e) {
    form.desktop.msgBox(kJobWriteFailedMessage + platform::fromUtf8(e.what()));
    return false;
  }
  return true;
}

std::u16string workFolder(MainForm& form) {
  return form.FOLDER_NAME(u"WK", u"");
}

// FTPRCV: every receive folder is one level below it.
std::u16string receiveRoot(MainForm& form) {
  return form.FOLDER_NAME(u"RCV", u"");
}

}  // namespace

std::u16string tocResultName(int pane) {
  return std::u16string(1, static_cast<char16_t>(u'0' + pane)) + u"TOC-RSLT.TXT";
}

std::u16string sendScriptLine(const SendJob& job) {
  return u"SEND " + joinPath(job.receiveFolder, job.uploadName) + u" " + job.remoteName;
}

// --- Line builders -----------------------------------------------------------

JobPair tocJobLines(const Module_pub& pub, const std::u16string& work, const TocJob& job) {
  JobPair pair;
  pair.batch.push_back(ftpLine(work, app::kTocJob.script));
  pair.script = scriptHeader(pub, job.address);
  const std::u16string command = job.mdirMode != 0 ? u"mdir " : u"mls ";
  pair.script.push_back(command + job.file + u" " + joinPath(work, tocResultName(job.pane)));
  pair.script.push_back(u"y");
  pair.script.push_back(u"bye");
  return pair;
}

JobPair receiveJobLines(const Module_pub& pub, const std::u16string& work, const ReceiveJob& job) {
  JobPair pair;
  pair.batch.push_back(ftpLine(work, app::kReceiveJob.script));
  if (toSjisConfigured(pub)) appendToSjisLines(pair.batch, pub, job.receiveFolder, job.pcElement);
  if (pub.receiveOpensEditor) {
    pair.batch.push_back(u"START " + pub.textEditor + u" " +
                         joinPath(job.receiveFolder, job.pcElement));
  }
  pair.script = scriptHeader(pub, job.address);
  pair.script.push_back(u"RECV " + job.remoteName + u" " +
                        joinPath(job.receiveFolder, job.pcElement));
  pair.script.push_back(u"bye");
  return pair;
}

JobPair sendJobLines(const Module_pub& pub, const std::u16string& work, const SendJob& job) {
  JobPair pair;
  if (toUnisysConfigured(pub)) {
    // The converter rewrites the upload copy from the edited PC file.
    pair.batch.push_back(pub.sjisConverterPath + pub.toUnisysExe + u" " +
                         joinPath(job.receiveFolder, job.pcElement) + u"  " +
                         quoted(joinPath(job.receiveFolder, job.uploadName)));
  }
  pair.batch.push_back(ftpLine(work, app::kSendJob.script));
  pair.script = scriptHeader(pub, job.address);
  pair.script.push_back(sendScriptLine(job));
  pair.script.push_back(u"bye");
  return pair;
}

JobPair bulkJobLines(const Module_pub& pub, const Class2200& cls2200, const std::u16string& work,
                     const BulkJob& job) {
  JobPair pair;
  pair.batch.push_back(ftpLine(work, app::kBulkJob.script));
  pair.script = scriptHeader(pub, job.address);
  const BulkRow& row = job.row;
  for (const std::u16string& name : job.names) {
    const std::u16string pcFile = name + u".txt";
    if (toSjisConfigured(pub)) appendToSjisLines(pair.batch, pub, row.pcFolder, pcFile);
    if (toolLineWanted(row)) {
      pair.batch.push_back(pub.cobPlusEditPath + u" " + u" FUNC:[RUNSTREAM] INF:[" +
                           joinPath(row.pcFolder, pcFile) + kToolInfEnd + u" OUTF:[" + row.outf +
                           u"]" + u" PROJECT:[" + row.project + u"]");
    }
    pair.script.push_back(u"RECV " + job.file + u"." + cls2200.PcName_to_U2200ElementName(name) +
                          u" " + joinPath(row.pcFolder, pcFile));
  }
  pair.script.push_back(u"bye");
  return pair;
}

// --- Writers -----------------------------------------------------------------

bool writeTocJob(MainForm& form, const TocJob& job) {
  if (!app::preparePassword(form, job.address)) return false;
  const std::u16string work = workFolder(form);
  std::vector<JobValue> values;
  addLoginValues(values, form.pub, job.address);
  values.push_back({u"2200ファイル", &job.file, JobValueUse::Script});
  values.push_back({u"FTPWK", &work, JobValueUse::Batch});
  const std::vector<JobPath> paths{{&work, joinPath(work, tocResultName(job.pane))}};
  if (!writePair(form, values, paths, work, app::kTocJob.batch, app::kTocJob.script,
                 tocJobLines(form.pub, work, job))) {
    return false;
  }
  // The poll takes the result file's appearance as the job's end.
  const std::u16string result = joinPath(work, tocResultName(job.pane));
  if (form.stagedJobFiles.empty()) {
    platform::deleteFile(result);
  } else {
    form.stagedRemovals.push_back(result);
  }
  return true;
}

bool writeReceiveJob(MainForm& form, const ReceiveJob& job) {
  if (!app::preparePassword(form, job.address)) return false;
  const Module_pub& pub = form.pub;
  const std::u16string work = workFolder(form);
  std::vector<JobValue> values;
  addLoginValues(values, pub, job.address);
  values.push_back({u"2200エレメント", &job.remoteName, JobValueUse::Script});
  values.push_back({u"FTPWK", &work, JobValueUse::Batch});
  values.push_back({u"FTPRCV", &job.receiveFolder, JobValueUse::Batch});
  values.push_back({u"PCファイル", &job.pcElement, JobValueUse::Batch});
  if (pub.receiveOpensEditor) {
    values.push_back({u"TEXT-EDITOR", &pub.textEditor, JobValueUse::Batch});
  }
  if (toSjisConfigured(pub)) {
    values.push_back({u"UNISYS-SJIS-PATH", &pub.sjisConverterPath, JobValueUse::Batch});
    values.push_back({u"UNISYS-SJIS-EXE", &pub.toSjisExe, JobValueUse::Batch});
  }
  const std::u16string received = receiveRoot(form);
  const std::vector<JobPath> paths{
      {&received, job.receiveFolder},
      {&job.receiveFolder, joinPath(job.receiveFolder, job.pcElement)},
      {&job.receiveFolder, joinPath(job.receiveFolder, kConvertedPrefix + job.pcElement)},
  };
  return writePair(form, values, paths, work, app::kReceiveJob.batch, app::kReceiveJob.script,
                   receiveJobLines(pub, work, job));
}

bool writeSendJob(MainForm& form, const SendJob& job) {
  if (!app::preparePassword(form, job.address)) return false;
  const Module_pub& pub = form.pub;
  const std::u16string work = workFolder(form);
  const bool convert = toUnisysConfigured(pub);
  std::vector<JobValue> values;
  addLoginValues(values, pub, job.address);
  values.push_back({u"FTPWK", &work, JobValueUse::Batch});
  values.push_back({u"FTPRCV", &job.receiveFolder, batchIf(convert)});
  values.push_back({u"PCファイル", &job.pcElement, batchIf(convert)});
  values.push_back({u"送信ファイル", &job.uploadName, batchIf(convert)});
  values.push_back({u"2200エレメント", &job.remoteName, JobValueUse::Script});
  if (convert) {
    values.push_back({u"UNISYS-SJIS-PATH", &pub.sjisConverterPath, JobValueUse::Batch});
    values.push_back({u"SJIS-UNISYS-EXE", &pub.toUnisysExe, JobValueUse::Batch});
  }
  const std::u16string received = receiveRoot(form);
  const std::vector<JobPath> paths{
      {&received, job.receiveFolder},
      {&job.receiveFolder, joinPath(job.receiveFolder, job.pcElement)},
      {&job.receiveFolder, joinPath(job.receiveFolder, job.uploadName)},
  };
  return writePair(form, values, paths, work, app::kSendJob.batch, app::kSendJob.script,
                   sendJobLines(pub, work, job));
}

bool writeBulkJob(MainForm& form, const BulkJob& job) {
  if (!app::preparePassword(form, job.address)) return false;
  const Module_pub& pub = form.pub;
  const std::u16string work = workFolder(form);
  const bool convert = toSjisConfigured(pub);
  const bool tool = toolLineWanted(job.row);
  const JobValueUse pcUse = batchIf(convert || tool);
  std::vector<JobValue> values;
  addLoginValues(values, pub, job.address);
  values.push_back({u"2200ファイル", &job.file, JobValueUse::Script});
  values.push_back({u"FTPWK", &work, JobValueUse::Batch});
  values.push_back({u"PCフォルダ", &job.row.pcFolder, pcUse});
  for (const std::u16string& name : job.names) values.push_back({u"エレメント", &name, pcUse});
  if (convert) {
    values.push_back({u"UNISYS-SJIS-PATH", &pub.sjisConverterPath, JobValueUse::Batch});
    values.push_back({u"UNISYS-SJIS-EXE", &pub.toSjisExe, JobValueUse::Batch});
  }
  if (tool) {
    values.push_back({u"COBPLUSEDIT-PATH", &pub.cobPlusEditPath, JobValueUse::Batch});
    values.push_back({u"OUTF", &job.row.outf, JobValueUse::Batch});
    values.push_back({u"PROJECT", &job.row.project, JobValueUse::Batch});
  }
  std::vector<JobPath> paths;
  for (const std::u16string& name : job.names) {
    paths.push_back({&job.row.pcFolder, joinPath(job.row.pcFolder, name + u".txt")});
    paths.push_back(
        {&job.row.pcFolder, joinPath(job.row.pcFolder, kConvertedPrefix + name + u".txt")});
  }
  return writePair(form, values, paths, work, app::kBulkJob.batch, app::kBulkJob.script,
                   bulkJobLines(pub, form.cls2200, work, job));
}

bool writeOwnJobPair(MainForm& form, const std::vector<JobValue>& values,
                     const std::vector<JobPath>& paths, const std::u16string& batchName,
                     const std::u16string& scriptName, const JobPair& pair) {
  return writePair(form, values, paths, workFolder(form), batchName, scriptName, pair);
}

std::vector<std::u16string> scriptHeaderLines(const Module_pub& pub,
                                              const std::u16string& address) {
  return scriptHeader(pub, address);
}

std::u16string ftpRunLine(const std::u16string& work, const std::u16string& script) {
  return ftpLine(work, script);
}

int startJob(MainForm& form, const JobLabel& label) {
  const std::u16string work = workFolder(form);
  jobs::JobRequest request;
  request.kind = label.kind;
  request.pane = label.pane;
  request.subject = label.subject;
  request.elementCount = label.elementCount;
  request.outputFolders = label.outputFolders;
  request.outputFiles = label.outputFiles;
  request.batchPath = joinPath(work, form.pub.batchFileName);
  request.scriptPath = joinPath(work, form.pub.ftpScriptName);
  request.files = std::move(form.stagedJobFiles);
  request.removeBeforeStart = std::move(form.stagedRemovals);
  form.stagedJobFiles.clear();
  form.stagedRemovals.clear();
  const int id = form.jobs.submit(std::move(request));
  if (label.onEnd) form.jobEndActions[id] = label.onEnd;
  // A job that could not start, or a desktop that ran it to its end, is
  // told about now, not a tick later.
  const jobs::Job* job = form.jobs.find(id);
  if (job != nullptr && job->over()) app::followJobs(form);
  return id;
}

}  // namespace morvanta::jobfiles
