#include "platform/WorkerThread.h"

namespace morvanta::platform {

WorkerThread::WorkerThread() : thread_([this](std::stop_token stop) { work(std::move(stop)); }) {}

WorkerThread::~WorkerThread() {
  thread_.request_stop();
  thread_.join();
}

void WorkerThread::enqueue(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  changed_.notify_one();
}

void WorkerThread::work(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, stop, [this] { return !tasks_.empty(); });
    if (tasks_.empty()) return;  // asked to stop, with nothing left to do
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    lock.unlock();
    task();
    lock.lock();
  }
}

}  // namespace morvanta::platform
