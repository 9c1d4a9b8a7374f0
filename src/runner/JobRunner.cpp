#include "runner/JobRunner.h"

#include <vector>

#include "platform/Platform.h"
#include "runner/FtpScript.h"
#include "runner/FtpScriptRun.h"
#include "runner/JobError.h"

namespace morvanta::runner {

JobRunner::JobRunner(std::ostream& out, const FtpTimeouts& timeouts, const JobLimits& limits)
    : out_(out), timeouts_(timeouts), limits_(limits) {}

namespace {

// The innermost reason of a failure: its last line (the outer lines name the
// script and the line, which the log already shows).
std::string lastLine(const std::string& text) {
  const std::size_t cut = text.find_last_of('\n');
  return cut == std::string::npos ? text : text.substr(cut + 1);
}

// Erases the job's FTP scripts when the job ends, however it ends.
class ScriptEraser {
 public:
  explicit ScriptEraser(const std::vector<std::u16string>& scripts) : scripts_(scripts) {}
  ~ScriptEraser() {
    for (const auto& script : scripts_) platform::deleteFile(script);
  }
  ScriptEraser(const ScriptEraser&) = delete;
  ScriptEraser& operator=(const ScriptEraser&) = delete;

 private:
  std::vector<std::u16string> scripts_;
};

}  // namespace

JobPlan planJob(const std::vector<std::u16string>& batchLines) {
  JobPlan plan;
  for (const auto& text : batchLines) {
    try {
      const BatchLine line = parseBatchLine(text);
      if (line.kind != BatchKind::Ftp) continue;
      plan.scripts.push_back(line.text);
      plan.transfers += countTransfers(parseFtpScript(platform::readTextLines(line.text)));
    } catch (const std::exception&) {
      // Reported when the line runs.
    }
  }
  return plan;
}

int JobRunner::fail(int exitCode, const std::string& why) {
  reason_ = platform::fromUtf8(lastLine(why));
  return exitCode;
}

int JobRunner::runBatchFile(const std::u16string& path, jobs::StatusWriter* status) {
  reason_.clear();
  int exitCode = kJobDone;
  std::vector<std::u16string> lines;
  try {
    lines = platform::readTextLines(path);
  } catch (const platform::FileError& error) {
    out_ << "*** cannot read the batch file " << platform::toUtf8(path) << ": " << error.what()
         << std::endl;
    exitCode = fail(kJobUnusable, std::string("cannot read the batch file: ") + error.what());
  }
  if (exitCode == kJobDone) {
    const JobPlan plan = planJob(lines);
    // Erased before the end is told, so a job seen ended holds no password.
    const ScriptEraser eraser(plan.scripts);
    JobProgress progress(status, limits_);
    progress.setTotal(plan.transfers);
    exitCode = runLines(path, lines, progress);
  }
  if (status != nullptr) status->end(exitCode, reason_);
  return exitCode;
}

int JobRunner::runLines(const std::u16string& path, const std::vector<std::u16string>& lines,
                        JobProgress& progress) {
  const std::string name = platform::toUtf8(path);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      progress.checkStop();
      runLine(lines[i], progress);
    } catch (const std::exception& error) {
      std::string why = error.what();
      const auto* stopped = dynamic_cast<const JobStopped*>(&error);
      // A program that ended because the job was cancelled failed for that.
      if (stopped == nullptr && progress.wasCancelled()) why += "\ncancelled";
      std::string shown = why;
      for (auto at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at + 1)) {
        shown.insert(at + 1, "*** ");
      }
      out_ << "*** " << name << " line " << i + 1 << " failed: " << platform::toUtf8(lines[i])
           << "\n*** " << shown << std::endl;
      if (progress.wasCancelled()) return fail(kJobCancelled, "cancelled");
      if (stopped != nullptr) return fail(kJobTimeLimit, why);
      return fail(kJobFailed, why);
    }
  }
  out_ << "--- " << name << " done" << std::endl;
  return kJobDone;
}

void JobRunner::runLine(const std::u16string& text, JobProgress& progress) {
  const BatchLine line = parseBatchLine(text);
  if (line.kind == BatchKind::Nothing) return;
  out_ << "> " << platform::toUtf8(text) << std::endl;
  switch (line.kind) {
    case BatchKind::Nothing:
      break;
    case BatchKind::Echo:
      out_ << platform::toUtf8(line.text) << std::endl;
      break;
    case BatchKind::Ftp:
      runFtpScript(line.text, timeouts_, out_, progress);
      break;
    case BatchKind::Start:
      start(line);
      break;
    case BatchKind::Xcopy:
      xcopy(line);
      break;
    case BatchKind::Erase:
      erase(line);
      break;
    case BatchKind::Program:
      program(line);
      break;
  }
  out_.flush();
}

namespace {

bool isFile(const std::u16string& path) {
  return platform::fileExists(path);
}

std::vector<std::u16string> argumentsOf(const BatchLine& line) {
  // A lone argument with blanks (an unquoted path) stays whole when it names
  // a file: "START editor C:\My Work\A.txt" opens one file, not two.
  if (line.rest.empty()) return {};
  return pathsOf(line.rest, isFile);
}

std::u16string fileNameOf(const std::u16string& path) {
  std::size_t cut = path.find_last_of(u"/\\");
  return cut == std::u16string::npos ? path : path.substr(cut + 1);
}

void runAndCheck(const std::u16string& program, const std::vector<std::u16string>& args) {
  int status = 0;
  try {
    status = platform::runAndWait(program, args);
  } catch (const platform::FileError& e) {
    throw JobError(e.what());
  }
  if (status != 0) {
    throw JobError(platform::toUtf8(program) + " ended with exit status " + std::to_string(status));
  }
}

}  // namespace

void JobRunner::start(const BatchLine& line) {
  const std::u16string& program = line.words.front().text;
  if (!platform::programExists(program))
    throw JobError("program not found: " + platform::toUtf8(program));
  if (line.wait) return runAndCheck(program, argumentsOf(line));
  platform::startDetached(program, argumentsOf(line));
}

void JobRunner::xcopy(const BatchLine& line) {
  const auto paths = sourceAndTarget(line.rest, isFile);
  if (paths.size() != 2) {
    const auto words = splitWords(line.rest);
    if (words.size() < 2) throw JobError("XCOPY needs a source and a target");
    throw JobError("file not found: " + platform::toUtf8(words.front().text));
  }
  const std::u16string& from = paths[0];
  std::u16string to = paths[1];
  if (!isFile(from)) throw JobError("file not found: " + platform::toUtf8(from));
  if (platform::folderExists(to)) to = platform::joinPath(to, fileNameOf(from));
  if (!line.replace && isFile(to)) {
    throw JobError("XCOPY without /Y would ask before replacing " + platform::toUtf8(to));
  }
  if (!platform::copyFile(from, to)) {
    throw JobError("cannot copy " + platform::toUtf8(from) + " to " + platform::toUtf8(to));
  }
}

void JobRunner::erase(const BatchLine& line) {
  if (line.rest.empty()) throw JobError("ERASE names no file");
  for (const auto& path : pathsOf(line.rest, isFile)) {
    // As the command interpreter: a file that is already gone is no failure.
    if (!isFile(path)) {
      out_ << "Could not find " << platform::toUtf8(path) << std::endl;
      continue;
    }
    platform::deleteFile(path);
    if (isFile(path)) throw JobError("cannot delete " + platform::toUtf8(path));
  }
}

void JobRunner::program(const BatchLine& line) {
  std::vector<std::u16string> args;
  for (std::size_t i = 1; i < line.words.size(); ++i) args.push_back(line.words[i].text);
  runAndCheck(line.words.front().text, args);
}

}  // namespace morvanta::runner
