#pragma once
// Local files of the FTP client, streamed: what it receives goes to disk as
// it arrives, what it sends is read as it leaves, so memory does not grow
// with an element's size. Failures throw JobError naming the file and
// carrying the system's reason ("No space left on device").

#include <cstdint>
#include <cstdio>
#include <string>

#include "runner/LineEnds.h"

namespace morvanta::runner {

// A file being received. The bytes go to a temporary name of its own beside
// the file; commit() renames it into place, so the file appears only
// complete, even when two jobs write it at once. Until commit() the file is
// unchanged; an IncomingFile that is never committed leaves nothing behind.
class IncomingFile {
 public:
  // `text`: lines get CR LF on the way (see CrLfStream).
  IncomingFile(const std::u16string& path, bool text);
  ~IncomingFile();
  IncomingFile(IncomingFile&& other) noexcept;
  IncomingFile(const IncomingFile&) = delete;
  IncomingFile& operator=(const IncomingFile&) = delete;
  IncomingFile& operator=(IncomingFile&&) = delete;

  void write(const char* data, std::size_t size);
  // close() and putInPlace() in one.
  void commit();
  // The last bytes reach the temporary file; a failure to write them
  // throws here.
  void close();
  // The closed file takes the place of the old one (and its permissions).
  void putInPlace();
  // Bytes handed to write() so far, before line ends were changed.
  std::int64_t received() const { return received_; }

 private:
  void fail(const std::string& what, int error);
  void discard();

  std::u16string path_;
  std::u16string temp_;
  std::FILE* file_ = nullptr;
  bool text_;
  bool closed_ = false;
  CrLfStream lineEnds_;
  std::string converted_;
  std::int64_t received_ = 0;
};

// A file being sent, read chunk by chunk; text files leave with the line
// ends libcurl needs (see UploadTextStream).
class OutgoingFile {
 public:
  OutgoingFile(const std::u16string& path, bool text);
  ~OutgoingFile();
  OutgoingFile(const OutgoingFile&) = delete;
  OutgoingFile& operator=(const OutgoingFile&) = delete;

  // Fills up to `size` bytes; 0 at the end of the file.
  std::size_t read(char* buffer, std::size_t size);
  // The file's size on disk (-1 when unknown), for progress.
  std::int64_t size() const { return size_; }

 private:
  std::u16string path_;
  std::FILE* file_ = nullptr;
  bool text_;
  bool atEnd_ = false;
  UploadTextStream lineEnds_;
  std::string pending_;
  std::size_t pendingAt_ = 0;
  std::int64_t size_ = -1;
};

// Whole files, for small things and tests.
std::string readLocalFile(const std::u16string& path);
void writeLocalFile(const std::u16string& path, const std::string& bytes);

}  // namespace morvanta::runner
