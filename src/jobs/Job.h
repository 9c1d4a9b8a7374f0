#pragma once
// One job the window started: what it is, where its files are, and how it
// stands. Jobs are made by JobQueue from a JobRequest and only change there.

#include <cstdint>
#include <string>
#include <vector>

#include "jobs/JobStatus.h"
#include "platform/Platform.h"

namespace morvanta::jobs {

// Open list: a job kind added later needs a name below and nothing else.
enum class JobKind { Toc, Receive, TypedReceive, Send, Bulk, SendCheck };

enum class JobState {
  Queued,   // waits for a job that holds its file names
  Running,  // its batch file has been started
  Succeeded,
  Failed,
  Cancelled,
  Finished,  // ended, but nothing says how (the system's FTP client)
};

// A file a job writes when its turn comes.
struct JobFile {
  std::u16string path;
  std::vector<std::u16string> lines;  // written as CP932 with CR LF
};

// What a command hands to the queue.
struct JobRequest {
  JobKind kind = JobKind::Toc;
  int pane = -1;           // -1: no pane
  std::u16string subject;  // the file or element the user acted on
  int elementCount = 0;    // bulk: how many elements were asked for
  std::u16string batchPath;
  std::u16string scriptPath;
  // Written (in this order) just before the batch file starts; empty when
  // the command could write them at once.
  std::vector<JobFile> files;
  // Removed just before the batch file starts (an old result to wait for).
  std::vector<std::u16string> removeBeforeStart;
  // Where a cancelled job's half-written files are cleared away.
  std::vector<std::u16string> outputFolders;
  // Files in folders other jobs write into too: only their own half-written
  // copies are cleared.
  std::vector<std::u16string> outputFiles;
};

struct Job : JobRequest {
  int id = 0;
  JobState state = JobState::Queued;
  std::u16string reason;  // one line; empty while running and on success
  platform::DateTime submittedAt;
  platform::DateTime startedAt;
  platform::DateTime endedAt;
  platform::BatchProcess process;
  bool watched = false;  // a process was started that the queue follows
  // Cancelled while its process still runs: it was asked to stop at
  // stopAskedAt and keeps its names until it has gone.
  bool stopping = false;
  platform::DateTime stopAskedAt;
  JobStatus status;  // what the status file said last

  std::u16string logPath() const { return batchPath + u".log"; }
  bool over() const { return state != JobState::Queued && state != JobState::Running; }
  // Its batch and script names are still in use.
  bool holdsNames() const { return !over() || stopping; }
};

// The label shown for a kind and a state.
std::u16string kindLabel(JobKind kind);
std::u16string stateLabel(JobState state);

// Seconds from `from` to `to` (0 when `to` is earlier).
std::int64_t secondsBetween(const platform::DateTime& from, const platform::DateTime& to);

}  // namespace morvanta::jobs
