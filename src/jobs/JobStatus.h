#pragma once
// The status file a job leaves beside its batch file, BATCH + ".status", so
// that whoever started the job learns how it goes and how it ended without
// reading the human log. The runner writes it; the window and the command
// line read it. Nothing else defines the format.
//
// JSON Lines: one flat object per line, each line written and flushed whole,
// so a reader never sees half a record (an unterminated last line is still
// being written and is ignored). A new run of the batch file truncates it.
//
//   {"event":"start","pid":4242}
//   {"event":"step","done":1,"total":3,"element":"PRJ*SRC.MAIN/R1"}
//   {"event":"bytes","done":65536,"total":1048576,"element":"PRJ*SRC.MAIN/R1"}
//   {"event":"end","exit":0,"reason":""}
//
// "step" is one per transferred element ("done" of "total" elements of the
// job), "bytes" is optional progress inside one transfer ("total" is 0 when
// the size is not known). "end" is last: exit 0 and an empty reason on
// success, otherwise the one-line reason the log also gets. Strings are
// UTF-8. The password never appears in any record.

#include <cstdint>
#include <cstdio>
#include <string>

#include <nlohmann/json_fwd.hpp>

namespace morvanta::jobs {

// BATCH + ".status".
std::u16string statusPathFor(const std::u16string& batchPath);

// What a status file says so far.
struct JobStatus {
  bool started = false;  // a "start" record was read
  std::int64_t pid = 0;
  int done = 0;  // elements transferred so far
  int total = 0;
  std::u16string element;  // the element of the last "step" or "bytes"
  std::int64_t bytesDone = 0;
  std::int64_t bytesTotal = 0;
  bool ended = false;  // an "end" record was read
  int exitCode = 0;
  std::u16string reason;
};

// Reads what the file holds now; a missing or unreadable file is a status
// with nothing started. Lines that are not complete records are skipped.
JobStatus readStatusFile(const std::u16string& path);
// The same from the file's bytes (tests, fuzzing).
JobStatus parseStatus(const std::string& bytes);

// Appends records to a status file, each flushed as it is written. Write
// failures are swallowed: a job must not fail because its status could not
// be told.
class StatusWriter {
 public:
  StatusWriter() = default;
  // Creates or truncates the file.
  explicit StatusWriter(const std::u16string& path);
  StatusWriter(const StatusWriter&) = delete;
  StatusWriter& operator=(const StatusWriter&) = delete;
  ~StatusWriter();

  bool isOpen() const { return file_ != nullptr; }
  void start(std::int64_t pid);
  void step(int done, int total, const std::u16string& element);
  void bytes(std::int64_t done, std::int64_t total, const std::u16string& element);
  void end(int exitCode, const std::u16string& reason);

 private:
  void writeLine(const nlohmann::ordered_json& fields);
  std::FILE* file_ = nullptr;
};

}  // namespace morvanta::jobs
