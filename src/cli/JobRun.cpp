#include "cli/JobRun.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/Platform.h"
#include "runner/JobRunner.h"
#include "runner/Termination.h"

namespace morvanta::cli {

namespace {

constexpr auto kWaitStep = std::chrono::milliseconds(50);
constexpr auto kProgressInterval = std::chrono::milliseconds(200);
// How long an interrupted job may take to clean up after itself.
constexpr auto kStopGrace = std::chrono::seconds(2);

void runToEnd(const std::u16string& batchPath, const runner::RunnerOptions& settings) {
  // Appended, as the window's jobs append to their log.
  std::ofstream log(std::filesystem::path(batchPath + u".log"), std::ios::app | std::ios::binary);
  jobs::StatusWriter status(jobs::statusPathFor(batchPath));
  status.start(platform::currentProcessId());
  runner::JobLimits limits = settings.limits;
  limits.cancelled = runner::terminationRequested;
  runner::JobRunner jobRunner(log, settings.timeouts, limits);
  jobRunner.runBatchFile(batchPath, &status);
}

// The job did not stop in time: at least its scripts, which hold the
// password, go before the program does.
void eraseScripts(const std::u16string& batchPath) {
  try {
    for (const auto& script : runner::planJob(platform::readTextLines(batchPath)).scripts) {
      platform::deleteFile(script);
    }
  } catch (const platform::FileError&) {
    // No batch file left to name them.
  }
}

// Waits for the job, reporting progress; an interrupt is handed to the job,
// which is then given kStopGrace to end.
void waitFor(const std::atomic<bool>& done, const std::u16string& batchPath,
             const ProgressReport& progress) {
  const auto statusPath = jobs::statusPathFor(batchPath);
  auto nextReport = std::chrono::steady_clock::now() + kProgressInterval;
  std::chrono::steady_clock::time_point giveUpAt{};
  while (!done) {
    std::this_thread::sleep_for(kWaitStep);
    const auto now = std::chrono::steady_clock::now();
    if (runner::terminationRequested()) {
      if (giveUpAt == std::chrono::steady_clock::time_point{}) giveUpAt = now + kStopGrace;
      if (now >= giveUpAt) {
        eraseScripts(batchPath);
        runner::endAsTerminated();
      }
    }
    if (progress && now >= nextReport) {
      progress(jobs::readStatusFile(statusPath));
      nextReport = now + kProgressInterval;
    }
  }
}

}  // namespace

jobs::JobStatus runJob(const std::u16string& batchPath, const runner::RunnerOptions& settings,
                       const ProgressReport& progress) {
  runner::watchForTermination();
  std::atomic<bool> done = false;
  std::thread worker([&] {
    runToEnd(batchPath, settings);
    done = true;
  });
  waitFor(done, batchPath, progress);
  worker.join();
  runner::stopWatchingForTermination();
  // The job has cleaned up after itself; the program ends as interrupted.
  runner::endAsTerminated();
  return jobs::readStatusFile(jobs::statusPathFor(batchPath));
}

}  // namespace morvanta::cli
