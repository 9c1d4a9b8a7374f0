#include "runner/JobProgress.h"

#include <algorithm>
#include <cstdio>

namespace morvanta::runner {

JobProgress::JobProgress(jobs::StatusWriter* status, const JobLimits& limits)
    : status_(status),
      limits_(limits),
      deadline_(limits.timeLimit.count() > 0 ? Clock::now() + limits.timeLimit
                                             : Clock::time_point::max()) {}

void JobProgress::beginElement(const std::u16string& element) {
  element_ = element;
  // Quick transfers say nothing until their step; long ones tell their bytes.
  nextBytes_ = Clock::now() + limits_.bytesEvery;
  lastMoved_ = 0;
  inTransfer_ = true;
}

void JobProgress::elementDone() {
  inTransfer_ = false;
  ++done_;
  if (done_ > total_) total_ = done_;
  if (status_ != nullptr) status_->step(done_, total_, element_);
}

void JobProgress::checkStop() const {
  if (wasCancelled()) throw JobStopped(JobStopped::Why::Cancelled, "cancelled");
  if (Clock::now() >= deadline_) {
    char limit[32];
    std::snprintf(limit, sizeof limit, "%g",
                  static_cast<double>(limits_.timeLimit.count()) / 1000.0);
    throw JobStopped(JobStopped::Why::TimeLimit,
                     std::string("the job's time limit of ") + limit + " s was reached");
  }
}

void JobProgress::onProgress(std::int64_t moved, std::int64_t size) {
  checkStop();
  if (status_ == nullptr || !inTransfer_ || moved <= lastMoved_) return;
  const auto now = Clock::now();
  if (now < nextBytes_) return;
  nextBytes_ = now + limits_.bytesEvery;
  lastMoved_ = moved;
  // A text upload grows by its CRs on the way; never show more than all.
  const std::int64_t total = size < 0 ? 0 : size;
  status_->bytes(total > 0 ? std::min(moved, total) : moved, total, element_);
}

}  // namespace morvanta::runner
