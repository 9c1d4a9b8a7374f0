#include "runner/LocalFile.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/Platform.h"
#include "runner/JobError.h"

namespace morvanta::runner {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 64 * 1024;

std::string utf8(const std::u16string& text) {
  return platform::toUtf8(text);
}

std::string reasonOf(int error) {
  return error != 0 ? std::string(": ") + std::strerror(error) : std::string();
}

// "NAME.<16 hex>.tmp" beside the file: unique within the process by a
// counter, across processes by the id and the clock; "x" mode below refuses
// a name that is taken after all.
std::u16string temporaryNameFor(const std::u16string& path, unsigned attempt) {
  static_assert(sizeof(unsigned long long) >= 8);
  thread_local unsigned long long counter = 0;
  static const auto pid = static_cast<unsigned long long>(platform::currentProcessId());
  const auto ticks =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  const unsigned long long value = (pid << 40) ^ (++counter << 20) ^ ticks ^ attempt;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", value);
  return path + u"." + platform::fromUtf8(hex) + u".tmp";
}

std::FILE* openFile(const std::u16string& path, const char* mode) {
  return std::fopen(fs::path(path).string().c_str(), mode);
}

}  // namespace

IncomingFile::IncomingFile(const std::u16string& path, bool text) : path_(path), text_(text) {
  for (unsigned attempt = 0; attempt < 8 && file_ == nullptr; ++attempt) {
    temp_ = temporaryNameFor(path, attempt);
    errno = 0;
    file_ = openFile(temp_, "wbx");
    if (file_ == nullptr && errno != EEXIST) break;
  }
  if (file_ == nullptr) {
    const int error = errno;
    temp_.clear();
    throw JobError("cannot create " + utf8(path) + reasonOf(error));
  }
}

IncomingFile::~IncomingFile() {
  discard();
}

IncomingFile::IncomingFile(IncomingFile&& other) noexcept
    : path_(std::move(other.path_)),
      temp_(std::exchange(other.temp_, {})),
      file_(std::exchange(other.file_, nullptr)),
      text_(other.text_),
      closed_(other.closed_),
      lineEnds_(other.lineEnds_),
      received_(other.received_) {}

void IncomingFile::discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) {
    std::error_code ignored;
    fs::remove(fs::path(temp_), ignored);
    temp_.clear();
  }
}

void IncomingFile::fail(const std::string& what, int error) {
  discard();
  throw JobError("cannot " + what + " " + utf8(path_) + reasonOf(error));
}

void IncomingFile::write(const char* data, std::size_t size) {
  if (file_ == nullptr) fail("write", 0);
  received_ += static_cast<std::int64_t>(size);
  const char* bytes = data;
  if (text_) {
    converted_.clear();
    lineEnds_.convert(std::string_view(data, size), converted_);
    bytes = converted_.data();
    size = converted_.size();
  }
  errno = 0;
  if (std::fwrite(bytes, 1, size, file_) != size) fail("write", errno);
}

void IncomingFile::commit() {
  close();
  putInPlace();
}

void IncomingFile::close() {
  if (file_ == nullptr) fail("write", 0);
  errno = 0;
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) fail("write", errno);
  closed_ = true;
}

void IncomingFile::putInPlace() {
  if (!closed_ || temp_.empty()) fail("write", 0);
  const fs::path temp(temp_);
  const fs::path target(path_);
  std::error_code ec;
  const auto old = fs::status(target, ec);
  if (!ec && fs::is_regular_file(old)) fs::permissions(temp, old.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    discard();
    throw JobError("cannot replace " + utf8(path_) + ": " + ec.message());
  }
  temp_.clear();
}

OutgoingFile::OutgoingFile(const std::u16string& path, bool text) : path_(path), text_(text) {
  errno = 0;
  file_ = openFile(path, "rb");
  if (file_ == nullptr) throw JobError("cannot read " + utf8(path) + reasonOf(errno));
  std::error_code ec;
  const auto size = fs::file_size(fs::path(path), ec);
  if (!ec) size_ = static_cast<std::int64_t>(size);
}

OutgoingFile::~OutgoingFile() {
  if (file_ != nullptr) std::fclose(file_);
}

std::size_t OutgoingFile::read(char* buffer, std::size_t size) {
  if (!text_) {
    errno = 0;
    const std::size_t got = std::fread(buffer, 1, size, file_);
    if (got == 0 && std::ferror(file_))
      throw JobError("cannot read " + utf8(path_) + reasonOf(errno));
    return got;
  }
  while (pendingAt_ == pending_.size() && !atEnd_) {
    char chunk[kChunk];
    errno = 0;
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file_);
    if (got == 0 && std::ferror(file_))
      throw JobError("cannot read " + utf8(path_) + reasonOf(errno));
    pending_.clear();
    pendingAt_ = 0;
    if (got == 0) {
      atEnd_ = true;
      lineEnds_.finish(pending_);
    } else {
      lineEnds_.convert(std::string_view(chunk, got), pending_);
    }
  }
  const std::size_t n = std::min(size, pending_.size() - pendingAt_);
  pending_.copy(buffer, n, pendingAt_);
  pendingAt_ += n;
  return n;
}

std::string readLocalFile(const std::u16string& path) {
  OutgoingFile in(path, false);
  std::string bytes;
  char chunk[kChunk];
  for (std::size_t got; (got = in.read(chunk, sizeof chunk)) > 0;) bytes.append(chunk, got);
  return bytes;
}

void writeLocalFile(const std::u16string& path, const std::string& bytes) {
  IncomingFile out(path, false);
  out.write(bytes.data(), bytes.size());
  out.commit();
}

}  // namespace morvanta::runner
