#pragma once
// The command line of morvanta-run:
//
//   morvanta-run [--time-limit SECONDS] [--stall-time SECONDS] BATCH-FILE
//   morvanta-run --help | --version
//
// The two limits may also come from the environment (MORVANTA_RUN_TIME_LIMIT,
// MORVANTA_RUN_STALL_TIME); the command line wins.

#include <functional>
#include <string>
#include <vector>

#include "runner/FtpSession.h"
#include "runner/JobProgress.h"

namespace morvanta::runner {

struct RunnerOptions {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string batch;  // UTF-8, as given
  std::string error;  // Action::Error: what is wrong with the command line
  FtpTimeouts timeouts;
  JobLimits limits;
};

// A whole job ends after four hours unless told otherwise: long enough for
// a bulk receive of thousands of elements over a slow line, short enough
// that a forgotten job does not live for ever.
constexpr long kDefaultTimeLimitSeconds = 4 * 60 * 60;

// `environment` returns "" for a variable that is not set.
RunnerOptions parseRunnerOptions(const std::vector<std::string>& args,
                                 const std::function<std::string(const char*)>& environment);

// The text of --help.
std::string runnerUsage();
// "morvanta-run 0.1.0".
std::string runnerVersion();

}  // namespace morvanta::runner
