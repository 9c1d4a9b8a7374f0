#pragma once
// Receives record what arrived (Baseline.h) once their job has ended: one
// write of the folder's store per job, however many elements it fetched.

#include <functional>
#include <string>
#include <vector>

#include "jobs/Job.h"

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

// The files of a job's end that really arrived: all of them on success; on
// failure the ones before the element it stopped at (the runner fetches in
// order); when the outcome is unknown (the system's FTP client) the ones
// written since the job started.
std::vector<std::size_t> arrivedFiles(const jobs::Job& job, const std::u16string& folder,
                                      const std::vector<std::u16string>& pcFiles);

// The end action of a receive into `folder` of `pcFiles` with the host's
// times (same index; "" when unknown): records the baseline, then tells the
// user how the job went as usual.
std::function<void(MainForm&, const jobs::Job&)> recordBaselineOnEnd(
    std::u16string folder, std::vector<std::u16string> pcFiles,
    std::vector<std::u16string> hostTimes);

}  // namespace morvanta::transfer
