#pragma once
// morvanta-run: runs the lines of a batch file written by the system, in
// order, standing in for the command interpreter and the FTP client. Never
// hands a line to a shell.

#include <ostream>
#include <string>

#include "jobs/JobStatus.h"
#include "runner/BatchLine.h"
#include "runner/FtpSession.h"

namespace morvanta::runner {

class JobRunner {
 public:
  explicit JobRunner(std::ostream& out, const FtpTimeouts& timeouts = {});

  // Runs every line of the batch file (CP932). Returns 0 when all of them
  // succeeded; otherwise stops at the first that failed, says on `out` which
  // line and why, and returns 1 (2 when the batch file cannot be read).
  // The outcome also goes to `status` (see jobs/JobStatus.h) when given.
  int runBatchFile(const std::u16string& path, jobs::StatusWriter* status = nullptr);

  // The one-line reason of the last failure, "" after a success.
  const std::u16string& reason() const { return reason_; }

  // Runs one batch line. Throws JobError when it fails.
  void runLine(const std::u16string& line);

 private:
  void start(const BatchLine& line);
  void xcopy(const BatchLine& line);
  void erase(const BatchLine& line);
  void program(const BatchLine& line);

  int fail(jobs::StatusWriter* status, int exitCode, const std::string& why);

  std::ostream& out_;
  FtpTimeouts timeouts_;
  std::u16string reason_;
};

}  // namespace morvanta::runner
