#pragma once
// Received files put in place on a thread of its own, one at a time: on
// some file systems the rename that replaces a file costs as much as a small
// element's whole transfer, and it can go on while the next one arrives.

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "runner/LocalFile.h"

namespace morvanta::runner {

class BackgroundPlacement {
 public:
  BackgroundPlacement();
  // A file still in hand is put in place first.
  ~BackgroundPlacement();
  BackgroundPlacement(const BackgroundPlacement&) = delete;
  BackgroundPlacement& operator=(const BackgroundPlacement&) = delete;

  // Starts putting the closed `file` in place; wait() must have taken the
  // one before.
  void start(IncomingFile file);
  // True when the file in hand is in place or failed (or there is none).
  bool ready() const;
  // Waits for the file in hand; throws the JobError that kept it from its
  // place.
  void wait();

 private:
  void work(std::stop_token stop);

  mutable std::mutex mutex_;
  std::condition_variable_any changed_;
  std::optional<IncomingFile> file_;
  bool busy_ = false;
  std::exception_ptr failure_;
  std::jthread thread_;  // last: it ends before the rest goes
};

}  // namespace morvanta::runner
