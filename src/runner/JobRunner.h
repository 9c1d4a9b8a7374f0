#pragma once
// morvanta-run: runs the lines of a batch file written by the system, in
// order, standing in for the command interpreter and the FTP client. Never
// hands a line to a shell.

#include <ostream>
#include <string>
#include <vector>

#include "jobs/JobStatus.h"
#include "runner/BatchLine.h"
#include "runner/FtpSession.h"
#include "runner/JobProgress.h"

namespace morvanta::runner {

// Exit codes of a job; the status file's "end" record carries the same.
enum JobExit : int {
  kJobDone = 0,         // every line succeeded
  kJobFailed = 1,       // a line failed; the reason says why
  kJobUnusable = 2,     // the batch file cannot be read (or a bad command line)
  kJobTimeLimit = 124,  // the job's time limit was reached
  kJobCancelled = 143,  // asked to stop (SIGTERM), as a shell reports it
};

class JobRunner {
 public:
  explicit JobRunner(std::ostream& out, const FtpTimeouts& timeouts = {},
                     const JobLimits& limits = {});

  // Runs every line of the batch file (CP932). Returns kJobDone when all of
  // them succeeded; otherwise stops at the first that failed, says on `out`
  // which line and why, and returns one of the other JobExit codes. The
  // progress and the outcome also go to `status` (see jobs/JobStatus.h).
  // However the job ends, the FTP scripts its ftp lines name are erased: they
  // hold the password.
  int runBatchFile(const std::u16string& path, jobs::StatusWriter* status = nullptr);

  // The one-line reason of the last failure, "" after a success.
  const std::u16string& reason() const { return reason_; }

 private:
  void runLine(const std::u16string& line, JobProgress& progress);
  void start(const BatchLine& line);
  void xcopy(const BatchLine& line);
  void erase(const BatchLine& line);
  void program(const BatchLine& line);

  int runLines(const std::u16string& path, const std::vector<std::u16string>& lines,
               JobProgress& progress);
  // Keeps the reason (the last line of `why`) and returns the exit code.
  int fail(int exitCode, const std::string& why);

  std::ostream& out_;
  FtpTimeouts timeouts_;
  JobLimits limits_;
  std::u16string reason_;
};

// The scripts of the batch lines' "ftp -s:" commands and the number of
// elements they transfer together. Lines and scripts that cannot be read
// count nothing: they fail when their turn comes.
struct JobPlan {
  std::vector<std::u16string> scripts;
  int transfers = 0;
};
JobPlan planJob(const std::vector<std::u16string>& batchLines);

}  // namespace morvanta::runner
