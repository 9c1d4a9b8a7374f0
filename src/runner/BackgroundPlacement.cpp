#include "runner/BackgroundPlacement.h"

#include <utility>

namespace morvanta::runner {

BackgroundPlacement::BackgroundPlacement()
    : thread_([this](std::stop_token stop) { work(std::move(stop)); }) {}

BackgroundPlacement::~BackgroundPlacement() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
}

void BackgroundPlacement::start(IncomingFile file) {
  {
    std::lock_guard lock(mutex_);
    file_.emplace(std::move(file));
    failure_ = nullptr;
    busy_ = true;
  }
  changed_.notify_all();
}

bool BackgroundPlacement::ready() const {
  std::lock_guard lock(mutex_);
  return !busy_;
}

void BackgroundPlacement::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (const std::exception_ptr failure = std::exchange(failure_, nullptr)) {
    std::rethrow_exception(failure);
  }
}

void BackgroundPlacement::work(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  while (changed_.wait(lock, stop, [this] { return busy_; })) {
    std::optional<IncomingFile> file = std::exchange(file_, std::nullopt);
    lock.unlock();
    std::exception_ptr failure;
    try {
      file->putInPlace();
    } catch (...) {
      failure = std::current_exception();
    }
    file.reset();
    lock.lock();
    failure_ = failure;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace morvanta::runner
