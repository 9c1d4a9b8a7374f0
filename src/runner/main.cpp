// morvanta-run BATCH: runs a batch file written by Morvanta (see JobRunner.h
// and RunnerOptions.h).

#include <cstdlib>
#include <iostream>

#include "jobs/JobStatus.h"
#include "platform/Platform.h"
#include "runner/JobRunner.h"
#include "runner/RunnerOptions.h"
#include "runner/Termination.h"

int main(int argc, char** argv) {
  using morvanta::runner::RunnerOptions;
  namespace runner = morvanta::runner;
  namespace platform = morvanta::platform;

  const std::vector<std::string> args(argv + 1, argv + argc);
  RunnerOptions options = runner::parseRunnerOptions(args, [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  });
  switch (options.action) {
    case RunnerOptions::Action::Help:
      std::cout << runner::runnerUsage();
      return runner::kJobDone;
    case RunnerOptions::Action::Version:
      std::cout << runner::runnerVersion() << '\n';
      return runner::kJobDone;
    case RunnerOptions::Action::Error:
      std::cerr << "morvanta-run: " << options.error << "\n\n" << runner::runnerUsage();
      return runner::kJobUnusable;
    case RunnerOptions::Action::Run:
      break;
  }

  runner::watchForTermination();
  options.limits.cancelled = runner::terminationRequested;
  const std::u16string batch = platform::fromUtf8(options.batch);
  morvanta::jobs::StatusWriter status(morvanta::jobs::statusPathFor(batch));
  status.start(platform::currentProcessId());
  runner::JobRunner jobRunner(std::cout, options.timeouts, options.limits);
  return jobRunner.runBatchFile(batch, &status);
}
