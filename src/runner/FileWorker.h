#pragma once
// The file work of received elements, done on a thread of its own in the
// order it was asked for: on some file systems making a file and renaming
// it over another each cost as much as a small element's whole transfer,
// and both can go on while the next element arrives.

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

namespace morvanta::runner {

class FileWorker {
 public:
  FileWorker();
  // What was asked for and not yet done is done first.
  ~FileWorker();
  FileWorker(const FileWorker&) = delete;
  FileWorker& operator=(const FileWorker&) = delete;

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

}  // namespace morvanta::runner
