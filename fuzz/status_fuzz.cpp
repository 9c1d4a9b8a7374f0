// The job status-file reader on raw bytes: whatever a half-written, damaged
// or hostile file holds, reading it gives a status and nothing else.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "jobs/JobStatus.h"

using morvanta::jobs::JobStatus;

namespace {

bool same(const JobStatus& a, const JobStatus& b) {
  return a.started == b.started && a.pid == b.pid && a.done == b.done && a.total == b.total &&
         a.element == b.element && a.bytesDone == b.bytesDone && a.bytesTotal == b.bytesTotal &&
         a.ended == b.ended && a.exitCode == b.exitCode && a.reason == b.reason;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const JobStatus status = morvanta::jobs::parseStatus(bytes);
  // A line still being written (no line end yet) changes nothing.
  const auto lastEnd = bytes.rfind('\n');
  const std::string complete = lastEnd == std::string::npos ? "" : bytes.substr(0, lastEnd + 1);
  FUZZ_CHECK(same(status, morvanta::jobs::parseStatus(complete)));
  return 0;
}
