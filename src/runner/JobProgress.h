#pragma once
// What a running job tells about itself through its status file (see
// jobs/JobStatus.h), and what may end it early: a cancel request or the
// job's time limit.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "jobs/JobStatus.h"
#include "runner/FtpSession.h"
#include "runner/JobError.h"

namespace morvanta::runner {

using Clock = std::chrono::steady_clock;

struct JobLimits {
  // The whole job must end within this; zero means no limit.
  std::chrono::milliseconds timeLimit{0};
  // True once someone asked the job to stop (SIGTERM).
  std::function<bool()> cancelled;
  // A transfer running longer than this reports its bytes, this often.
  std::chrono::milliseconds bytesEvery{250};
};

// Why a job ended before its time: cancelled or out of time.
class JobStopped : public JobError {
 public:
  enum class Why { Cancelled, TimeLimit };
  JobStopped(Why why, const std::string& text) : JobError(text), why_(why) {}
  Why why() const { return why_; }

 private:
  Why why_;
};

class JobProgress : public TransferWatch {
 public:
  // `status` may be nullptr: then nothing is written.
  JobProgress(jobs::StatusWriter* status, const JobLimits& limits);

  // The number of elements the job transfers, known from its scripts.
  void setTotal(int total) { total_ = total; }
  int done() const { return done_; }

  // A transfer of `element` (its remote name) begins.
  void beginElement(const std::u16string& element);
  // It ended well: one "step" record.
  void elementDone();

  // Throws JobStopped when the job was cancelled or its time is up.
  void checkStop() const;
  bool wasCancelled() const { return limits_.cancelled && limits_.cancelled(); }

  void onProgress(std::int64_t moved, std::int64_t size) override;

 private:
  jobs::StatusWriter* status_;
  JobLimits limits_;
  Clock::time_point deadline_;
  int total_ = 0;
  int done_ = 0;
  std::u16string element_;
  Clock::time_point nextBytes_;
  std::int64_t lastMoved_ = 0;
  bool inTransfer_ = false;  // between beginElement() and elementDone()
};

}  // namespace morvanta::runner
