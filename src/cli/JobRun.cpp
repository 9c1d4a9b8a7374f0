#include "cli/JobRun.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/Platform.h"
#include "runner/JobRunner.h"

namespace morvanta::cli {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(200);

void runToEnd(const std::u16string& batchPath) {
  // Appended, as the window's jobs append to their log.
  std::ofstream log(std::filesystem::path(batchPath + u".log"), std::ios::app | std::ios::binary);
  jobs::StatusWriter status(jobs::statusPathFor(batchPath));
  status.start(platform::currentProcessId());
  runner::JobRunner jobRunner(log);
  jobRunner.runBatchFile(batchPath, &status);
}

}  // namespace

jobs::JobStatus runJob(const std::u16string& batchPath, const ProgressReport& progress) {
  const std::u16string statusPath = jobs::statusPathFor(batchPath);
  if (!progress) {
    runToEnd(batchPath);
    return jobs::readStatusFile(statusPath);
  }
  std::atomic<bool> done = false;
  std::thread worker([&] {
    runToEnd(batchPath);
    done = true;
  });
  while (!done) {
    std::this_thread::sleep_for(kProgressInterval);
    progress(jobs::readStatusFile(statusPath));
  }
  worker.join();
  return jobs::readStatusFile(statusPath);
}

}  // namespace morvanta::cli
