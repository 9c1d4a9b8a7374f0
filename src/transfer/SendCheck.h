#pragma once
// Whether a send would overwrite someone else's work. Before a send the
// check job lists the target file and fetches the element's current host
// copy; checkBeforeSend() then compares that copy with the baseline taken
// when the element was received (Baseline.h). Qt-free and free of the
// window, so the command line's forced put can use it too: it only reads
// the files the check job left.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "transfer/Baseline.h"

namespace morvanta {
class Class2200;
}

namespace morvanta::transfer {

enum class SendVerdict {
  Unchanged,    // the host copy is what was received (or sent) last
  Changed,      // someone changed it since
  NoBaseline,   // it was never received into this folder: nothing to judge by
  NotOnHost,    // the target file has no such element: the send creates it
  CheckFailed,  // the listing or the copy did not arrive
};

// An element's line in an "mdir" listing of its file.
struct HostEntry {
  std::u16string time;  // "yyyy/mm/dd hh:mm", or "yyyy/mm/dd" for older ones
  std::int64_t size = -1;
};

// The entry of `element` (display form, e.g. MAIN/R1) among the lines of a
// listing of its file; nothing when the element is not listed.
std::optional<HostEntry> findListingEntry(const Class2200& cls2200,
                                          const std::vector<std::u16string>& listing,
                                          const std::u16string& element,
                                          const platform::DateTime& now);

struct SendCheckInput {
  std::u16string listingPath;   // the check job's listing of the target file
  std::u16string element;       // display form
  std::u16string hostCopyPath;  // the host copy in the PC's code (converted when configured)
  std::optional<BaselineEntry> baseline;
  platform::DateTime now;  // for the year of listing dates
};

struct SendCheckResult {
  SendVerdict verdict = SendVerdict::CheckFailed;
  HostEntry host;           // when listed
  std::u16string hostHash;  // contentHash of the host copy, when it arrived
};

SendCheckResult checkBeforeSend(const Class2200& cls2200, const SendCheckInput& input);

}  // namespace morvanta::transfer
