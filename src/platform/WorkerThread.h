#pragma once
// A thread of its own for work that can go on beside the caller's: the
// runner's file work while the next element arrives, the second half of a
// large listing while the first is read. Work is done in the order it was
// asked for.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <type_traits>
#include <utility>

namespace morvanta::platform {

class WorkerThread {
 public:
  WorkerThread();
  // What was asked for and not yet done is done first.
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // `work` runs after everything asked for before it; the future gives its
  // result or what it threw.
  template <class Work>
  std::future<std::invoke_result_t<Work&>> run(Work work) {
    using Result = std::invoke_result_t<Work&>;
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    enqueue([task] { (*task)(); });
    return result;
  }

 private:
  void enqueue(std::function<void()> task);
  void work(std::stop_token stop);

  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::deque<std::function<void()>> tasks_;
  std::jthread thread_;  // last: it ends before the rest goes
};

}  // namespace morvanta::platform
