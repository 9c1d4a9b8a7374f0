#pragma once
// Running a job for the command line: the same runner as the window's jobs
// (morvanta-run's JobRunner), in this process and waited for. Its log goes
// to BATCH.log and its status to BATCH.status beside the batch file, as for
// every job, so standard output stays free for the command's own answer.

#include <functional>
#include <string>

#include "jobs/JobStatus.h"
#include "runner/RunnerOptions.h"

namespace morvanta::cli {

// Called while the job runs with what its status file says so far.
using ProgressReport = std::function<void(const jobs::JobStatus& sofar)>;

// Runs the batch file to its end, within the limits of `settings`, and
// returns its status file as the runner left it. The job runs on a thread of
// its own; a progress report is called about five times a second until it
// ends. SIGINT and SIGTERM stop the job as they stop morvanta-run; the
// program then ends as interrupted once the job has cleaned up (or after a
// short grace).
jobs::JobStatus runJob(const std::u16string& batchPath, const runner::RunnerOptions& settings,
                       const ProgressReport& progress = {});

}  // namespace morvanta::cli
