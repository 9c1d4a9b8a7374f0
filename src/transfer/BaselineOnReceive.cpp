#include "transfer/BaselineOnReceive.h"

#include <cstdio>

#include "app/JobOutcome.h"
#include "app/MainForm.h"
#include "platform/Platform.h"
#include "transfer/Baseline.h"

namespace morvanta::transfer {

std::vector<std::size_t> arrivedFiles(const jobs::Job& job, const std::u16string& folder,
                                      const std::vector<std::u16string>& pcFiles) {
  std::vector<std::size_t> arrived;
  switch (job.state) {
    case jobs::JobState::Succeeded:
      for (std::size_t i = 0; i < pcFiles.size(); ++i) arrived.push_back(i);
      break;
    case jobs::JobState::Failed:
      for (std::size_t i = 0; i < pcFiles.size() && i < static_cast<std::size_t>(job.status.done);
           ++i) {
        arrived.push_back(i);
      }
      break;
    case jobs::JobState::Finished: {
      // File times are to the second: a file written in the job's first
      // second counts.
      const std::u16string started = baselineTime(job.startedAt);
      for (std::size_t i = 0; i < pcFiles.size(); ++i) {
        const std::u16string path = platform::joinPath(folder, pcFiles[i]);
        if (platform::fileExists(path) && platform::modifiedTime(path) >= started) {
          arrived.push_back(i);
        }
      }
      break;
    }
    default:
      break;
  }
  return arrived;
}

std::function<void(MainForm&, const jobs::Job&)> recordBaselineOnEnd(
    std::u16string folder, std::vector<std::u16string> pcFiles,
    std::vector<std::u16string> hostTimes) {
  return [folder = std::move(folder), pcFiles = std::move(pcFiles),
          hostTimes = std::move(hostTimes)](MainForm& form, const jobs::Job& job) {
    std::vector<std::u16string> files;
    std::vector<std::u16string> times;
    for (const std::size_t i : arrivedFiles(job, folder, pcFiles)) {
      files.push_back(pcFiles[i]);
      times.push_back(i < hostTimes.size() ? hostTimes[i] : u"");
    }
    if (!files.empty()) {
      try {
        recordReceived(folder, files, times, form.desktop.now());
      } catch (const platform::FileError& e) {
        form.desktop.notify(kBaselineWriteFailedMessage + platform::fromUtf8(e.what()));
      }
    }
    app::tellJobEnd(form, job);
  };
}

}  // namespace morvanta::transfer
