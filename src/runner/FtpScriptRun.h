#pragma once
// Runs an FTP client script over one connection, as "ftp -s:SCRIPT" does.

#include <ostream>
#include <string>

#include "runner/FtpSession.h"
#include "runner/JobProgress.h"

namespace morvanta::runner {

// Prints each command on `out` as it runs (never the password) and stops at
// the first that fails: throws JobError with the script, the line and why
// (JobStopped as it is). Listings and received files are written with CR LF
// line ends and appear only complete; a failed transfer leaves no local file
// behind. Each transferred element is one step of `progress`.
void runFtpScript(const std::u16string& scriptPath, const FtpTimeouts& timeouts, std::ostream& out,
                  JobProgress& progress);

}  // namespace morvanta::runner
