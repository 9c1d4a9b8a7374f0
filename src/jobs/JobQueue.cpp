#include "jobs/JobQueue.h"

#include <algorithm>
#include <utility>

namespace morvanta::jobs {

namespace {

bool sharesFiles(const Job& a, const Job& b) {
  const auto uses = [](const Job& job, const std::u16string& path) {
    return !path.empty() && (job.batchPath == path || job.scriptPath == path);
  };
  return uses(a, b.batchPath) || uses(a, b.scriptPath);
}

}  // namespace

JobQueue::~JobQueue() {
  // Jobs run on after the window closes; only our handles go.
  for (Job& job : jobs_) host_.release(job.process);
}

int JobQueue::submit(JobRequest request) {
  Job job;
  static_cast<JobRequest&>(job) = std::move(request);
  job.id = nextId_++;
  job.submittedAt = host_.now();
  jobs_.push_back(std::move(job));
  Job& added = jobs_.back();
  const int id = added.id;
  startIfFree(added);
  forgetOld();
  return id;
}

std::vector<int> JobQueue::poll() {
  for (Job& job : jobs_) {
    if (job.state == JobState::Running) follow(job);
    if (job.stopping) followStop(job);
  }
  // A job that ended frees its names for the next in line, oldest first.
  for (Job& job : jobs_) {
    if (job.state == JobState::Queued) startIfFree(job);
  }
  forgetOld();
  std::vector<int> ended;
  ended.swap(ended_);
  return ended;
}

bool JobQueue::cancel(int id) {
  Job* job = findMutable(id);
  if (job == nullptr || job->over()) return false;
  const bool running = job->state == JobState::Running;
  end(*job, JobState::Cancelled, kCancelledReason);
  if (running) {
    // The runner, asked first, leaves no partial file and erases its script.
    host_.stop(job->process);
    job->stopping = true;
    job->stopAskedAt = host_.now();
    followStop(*job);
  }
  return true;
}

bool JobQueue::holds(const std::u16string& path) const {
  return std::any_of(jobs_.begin(), jobs_.end(), [&](const Job& job) {
    return job.holdsNames() && (job.batchPath == path || job.scriptPath == path);
  });
}

bool JobQueue::anyUnfinished() const {
  return std::any_of(jobs_.begin(), jobs_.end(), [](const Job& job) { return !job.over(); });
}

const Job* JobQueue::find(int id) const {
  for (const Job& job : jobs_) {
    if (job.id == id) return &job;
  }
  return nullptr;
}

Job* JobQueue::findMutable(int id) {
  return const_cast<Job*>(std::as_const(*this).find(id));
}

const Job* JobQueue::unfinished(JobKind kind, int pane) const {
  for (auto it = jobs_.rbegin(); it != jobs_.rend(); ++it) {
    if (!it->over() && it->kind == kind && it->pane == pane) return &*it;
  }
  return nullptr;
}

std::int64_t JobQueue::elapsedSeconds(const Job& job) {
  if (job.state == JobState::Queued) return secondsBetween(job.submittedAt, host_.now());
  return secondsBetween(job.startedAt, job.over() ? job.endedAt : host_.now());
}

bool JobQueue::heldByOther(const Job& job) const {
  return std::any_of(jobs_.begin(), jobs_.end(), [&](const Job& other) {
    // Only jobs ahead in line count: the oldest waiting job goes first.
    return other.id < job.id && other.holdsNames() && sharesFiles(other, job);
  });
}

void JobQueue::startIfFree(Job& job) {
  if (!heldByOther(job)) begin(job);
}

void JobQueue::begin(Job& job) {
  job.startedAt = host_.now();
  job.state = JobState::Running;
  try {
    for (const JobFile& file : job.files) platform::writeTextLines(file.path, file.lines);
  } catch (const platform::FileError& e) {
    return end(job, JobState::Failed, kCannotWriteReason + platform::fromUtf8(e.what()));
  }
  job.files.clear();  // the script's lines hold the password
  for (const auto& path : job.removeBeforeStart) platform::deleteFile(path);
  // A status left by an earlier run must not be read as this run's.
  platform::deleteFile(statusPathFor(job.batchPath));
  try {
    job.process = host_.start(job.batchPath);
  } catch (const platform::FileError& e) {
    return end(job, JobState::Failed, kCannotStartReason + platform::fromUtf8(e.what()));
  }
  job.watched = job.process.pid > 0;
  follow(job);
}

void JobQueue::follow(Job& job) {
  // Read the status before asking about the process: a job that ends in
  // between is then seen as ended on the next poll with its whole status.
  const bool running = host_.running(job.process);
  job.status = readStatusFile(statusPathFor(job.batchPath));
  if (running) return;
  host_.release(job.process);
  if (job.watched) platform::deleteFile(job.scriptPath);
  if (job.status.ended) {
    if (job.status.exitCode == 0) return end(job, JobState::Succeeded, u"");
    std::u16string reason = job.status.reason;
    if (reason.empty()) reason = u"exit " + platform::fromUtf8(std::to_string(job.status.exitCode));
    return end(job, JobState::Failed, reason);
  }
  if (job.process.reportsStatus || job.status.started) {
    return end(job, JobState::Failed, kNoOutcomeReason);
  }
  end(job, JobState::Finished, u"");
}

void JobQueue::followStop(Job& job) {
  if (host_.running(job.process)) {
    if (secondsBetween(job.stopAskedAt, host_.now()) < kStopGraceSeconds) return;
    host_.cancel(job.process);
  }
  clearAfter(job);
}

void JobQueue::clearAfter(Job& job) {
  host_.release(job.process);
  job.stopping = false;
  // Whatever way it went, a killed job may have left both behind.
  for (const auto& folder : job.outputFolders) platform::removeTemporaryFiles(folder);
  for (const auto& file : job.outputFiles) platform::removeTemporaryFilesOf(file);
  platform::deleteFile(job.scriptPath);
}

void JobQueue::end(Job& job, JobState state, std::u16string reason) {
  job.state = state;
  job.reason = std::move(reason);
  job.endedAt = host_.now();
  job.files.clear();  // written or never to be: the lines may hold the password
  ended_.push_back(job.id);
}

void JobQueue::forgetOld() {
  std::size_t finished = static_cast<std::size_t>(
      std::count_if(jobs_.begin(), jobs_.end(), [](const Job& job) { return job.over(); }));
  for (auto it = jobs_.begin(); it != jobs_.end() && finished > kKeptFinished;) {
    if (it->over() && !it->stopping &&
        std::find(ended_.begin(), ended_.end(), it->id) == ended_.end()) {
      it = jobs_.erase(it);
      --finished;
    } else {
      ++it;
    }
  }
}

}  // namespace morvanta::jobs
