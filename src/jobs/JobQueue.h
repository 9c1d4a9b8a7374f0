#pragma once
// The jobs of one window, oldest first. Two jobs never share their batch or
// script file: a job whose names are held by an unfinished one waits
// (Queued) and its files are written only when its turn comes. poll() is
// called often (every 100 ms by the window); it follows running jobs
// through their status files and process handles and starts waiting ones.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "jobs/Job.h"

namespace morvanta::jobs {

// What the queue needs from outside: starting and watching processes and
// the clock. The window's Desktop provides it; tests answer for it.
class JobHost {
 public:
  virtual ~JobHost() = default;
  // Throws platform::FileError when the batch file cannot be started.
  virtual platform::BatchProcess start(const std::u16string& batchPath) = 0;
  virtual bool running(platform::BatchProcess& process) = 0;
  // Asks the process to end by itself; returns at once.
  virtual void stop(platform::BatchProcess& process) = 0;
  // Ends the process now.
  virtual void cancel(platform::BatchProcess& process) = 0;
  virtual void release(platform::BatchProcess& process) = 0;
  virtual platform::DateTime now() = 0;
};

// Reasons the queue itself gives.
inline constexpr char16_t kNoOutcomeReason[] = u"ジョブが結果を残さずに終わりました";
inline constexpr char16_t kCannotWriteReason[] = u"ジョブファイルを作成できません: ";
inline constexpr char16_t kCannotStartReason[] = u"起動できません: ";
inline constexpr char16_t kCancelledReason[] = u"中止しました";

class JobQueue {
 public:
  // Finished jobs kept for the job list; older ones are forgotten.
  static constexpr std::size_t kKeptFinished = 50;
  // How long a cancelled job may take to stop by itself before it is killed.
  static constexpr std::int64_t kStopGraceSeconds = 2;

  explicit JobQueue(JobHost& host) : host_(host) {}
  JobQueue(const JobQueue&) = delete;
  JobQueue& operator=(const JobQueue&) = delete;
  ~JobQueue();

  // Starts the job now, or queues it behind the job holding its names.
  // Returns its id. A job that cannot start at once has ended by return
  // (Failed), and is reported by the next poll().
  int submit(JobRequest request);
  // Follows every unfinished job; returns the ids of jobs that have ended
  // since the last poll, in the order they ended.
  std::vector<int> poll();
  // Ends a queued or running job; false when it had already ended. A
  // running job is asked to stop and counts as cancelled at once; poll()
  // kills it if it is still there after kStopGraceSeconds, and clears
  // what it left (half-written files, its script) once it has gone.
  bool cancel(int id);

  // An unfinished job uses `path` as its batch or script file.
  bool holds(const std::u16string& path) const;
  bool anyUnfinished() const;
  const Job* find(int id) const;
  const std::deque<Job>& jobs() const { return jobs_; }
  const Job* latest() const { return jobs_.empty() ? nullptr : &jobs_.back(); }
  // The newest unfinished job of a kind in a pane.
  const Job* unfinished(JobKind kind, int pane) const;
  std::int64_t elapsedSeconds(const Job& job);

 private:
  Job* findMutable(int id);
  bool heldByOther(const Job& job) const;
  void startIfFree(Job& job);
  void begin(Job& job);
  void follow(Job& job);
  void followStop(Job& job);
  void clearAfter(Job& job);
  void end(Job& job, JobState state, std::u16string reason);
  void forgetOld();

  JobHost& host_;
  std::deque<Job> jobs_;
  std::vector<int> ended_;
  int nextId_ = 1;
};

}  // namespace morvanta::jobs
