#pragma once
// The job queue's processes and clock come from the form's Desktop, so the
// window, the command line and tests each decide how a batch file runs.

#include "forms/Desktop.h"
#include "jobs/JobQueue.h"

namespace morvanta::app {

class DesktopJobHost : public jobs::JobHost {
 public:
  explicit DesktopJobHost(forms::Desktop& desktop) : desktop_(desktop) {}
  platform::BatchProcess start(const std::u16string& batchPath) override {
    return desktop_.startWatchedBatch(batchPath);
  }
  bool running(platform::BatchProcess& process) override { return desktop_.batchRunning(process); }
  void stop(platform::BatchProcess& process) override { desktop_.stopBatch(process); }
  void cancel(platform::BatchProcess& process) override { desktop_.cancelBatch(process); }
  void release(platform::BatchProcess& process) override { desktop_.releaseBatch(process); }
  platform::DateTime now() override { return desktop_.now(); }

 private:
  forms::Desktop& desktop_;
};

}  // namespace morvanta::app
