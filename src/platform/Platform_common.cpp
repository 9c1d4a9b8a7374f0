// The system-independent half of the platform layer: UTF-8, the CP932
// drivers around the per-system converters, whole-file text I/O, folder and
// file operations through std::filesystem, command-line splitting.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <thread>

#include "platform/Platform.h"
#include "platform/PlatformDetail.h"

namespace morvanta::platform {

namespace fs = std::filesystem;

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Length of the character (a surrogate pair counts as one) at index i.
std::size_t utf16CharLength(std::u16string_view text, std::size_t i) {
  if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) return 2;
  return 1;
}

char32_t codePointAt(std::u16string_view text, std::size_t i) {
  if (utf16CharLength(text, i) == 2) {
    return 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  return text[i];
}

// A CP932 lead byte followed by a byte in the trail range makes one
// (possibly undefined) character; anything else is a single byte.
std::size_t cp932CharLength(std::string_view bytes, std::size_t i) {
  auto b = static_cast<unsigned char>(bytes[i]);
  bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  if (lead && i + 1 < bytes.size()) {
    auto t = static_cast<unsigned char>(bytes[i + 1]);
    if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) return 2;
  }
  return 1;
}

// Decodes a piece that failed as a whole one character at a time, so one bad
// character costs one U+FFFD and the rest of the piece survives.
void decodeCharByChar(std::string_view bytes, std::u16string& out) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t len = cp932CharLength(bytes, i);
    std::u16string one;
    if (detail::decodeCp932Strict(bytes.substr(i, len), one)) {
      out += one;
    } else {
      out.push_back(kReplacement);
    }
    i += len;
  }
}

// CP932 is ASCII below 0x80, and most of what the system reads and writes
// (job files, listings) is ASCII: that needs no converter.
template <class Text>
bool isAscii(const Text& text) {
  return std::all_of(text.begin(), text.end(),
                     [](auto c) { return (static_cast<unsigned>(c) & ~0x7Fu) == 0; });
}

// Encodes text or throws EncodingError naming the first character CP932
// lacks; `where` (when not empty) is the file the text was meant for.
std::string encodeCp932(const std::u16string& text, const std::u16string& where) {
  if (isAscii(text)) return std::string(text.begin(), text.end());
  std::string out;
  if (detail::encodeCp932Strict(text, out)) return out;
  std::u16string_view view(text);
  for (std::size_t i = 0; i < view.size();) {
    std::size_t len = utf16CharLength(view, i);
    std::string ignored;
    if (!detail::encodeCp932Strict(view.substr(i, len), ignored)) {
      std::string message = "character " + detail::describeCharacter(codePointAt(view, i)) +
                            " cannot be written in CP932";
      if (!where.empty()) message = toUtf8(where) + ": " + message;
      throw EncodingError(message);
    }
    i += len;
  }
  throw EncodingError((where.empty() ? std::string() : toUtf8(where) + ": ") +
                      "text cannot be written in CP932");
}

std::string readWholeFile(const std::u16string& path) {
  FileReader reader(path);
  // One buffer of the file's size, read into at once (listings run to
  // hundreds of thousands of lines); the chunks take what a growing file
  // added since it was opened.
  std::string bytes(static_cast<std::size_t>(reader.sizeWhenOpened()), '\0');
  std::size_t held = 0;
  while (held < bytes.size()) {
    const std::size_t count = reader.read(bytes.data() + held, bytes.size() - held);
    if (count == 0) break;
    held += count;
  }
  bytes.resize(held);
  char chunk[1 << 16];
  while (const std::size_t count = reader.read(chunk, sizeof chunk)) bytes.append(chunk, count);
  return bytes;
}

// A name beside `path` that no other writer will pick.
std::u16string temporaryNameFor(const std::u16string& path) {
  std::random_device device;
  std::uint64_t value =
      (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(value));
  return path + u"." + fromUtf8(hex) + u".tmp";
}

// The temporary file, complete, takes the target's place (and its
// permissions, for a shared file); when it cannot, it goes.
void putInPlace(const std::u16string& temp, const std::u16string& target, FileAccess access) {
  const fs::path tempPath = detail::nativePath(temp);
  const fs::path targetPath = detail::nativePath(target);
  std::error_code ec;
  auto oldStatus = fs::status(targetPath, ec);
  if (access == FileAccess::Shared && !ec && fs::is_regular_file(oldStatus)) {
    fs::permissions(tempPath, oldStatus.permissions(), ec);  // keep what the user set
  }
  if (!detail::replaceFile(tempPath, targetPath)) {
    const std::string reason = detail::lastErrorReason();
    fs::remove(tempPath, ec);
    throw FileError("cannot replace " + toUtf8(target) + ": " + reason);
  }
}

// Writes bytes to a fresh file beside `target` and moves it over `target`.
// On any failure the temporary file is removed and `target` is as it was.
void replaceWithBytes(const std::u16string& target, std::string_view bytes,
                      FileAccess access = FileAccess::Shared) {
  const std::u16string temp = temporaryNameFor(target);
  try {
    detail::writeNewFile(detail::nativePath(temp), bytes, access == FileAccess::OwnerOnly);
  } catch (const FileError& e) {
    // Named by the file the caller asked for, not the temporary one.
    throw FileError("cannot write " + toUtf8(target) + ": " + e.what());
  }
  putInPlace(temp, target, access);
}

}  // namespace

// --- detail helpers ----------------------------------------------------------

namespace detail {

std::u16string formatDateTime(const DateTime& when) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", when.year, when.month,
                when.day, when.hour, when.minute, when.second);
  return fromUtf8(buffer);
}

bool isValidDateTime(const DateTime& when) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (when.year < 1 || when.year > 9999 || when.month < 1 || when.month > 12) return false;
  bool leap = (when.year % 4 == 0 && when.year % 100 != 0) || when.year % 400 == 0;
  int days = kDays[when.month - 1] + (when.month == 2 && leap ? 1 : 0);
  return when.day >= 1 && when.day <= days && when.hour >= 0 && when.hour <= 23 &&
         when.minute >= 0 && when.minute <= 59 && when.second >= 0 && when.second <= 59;
}

std::vector<std::u16string> splitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\n') continue;
    std::size_t end = (i > start && text[i - 1] == u'\r') ? i - 1 : i;
    lines.emplace_back(text, start, end - start);
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text, start);
  return lines;
}

std::string describeCharacter(char32_t c) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  std::string text = code;
  bool printable = c >= 0x20 && c != 0x7F && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
  if (printable) {
    text += " (";
    appendUtf8(text, c);
    text += ")";
  }
  return text;
}

}  // namespace detail

// --- Text encodings ----------------------------------------------------------

std::string toCp932(const std::u16string& text) {
  return encodeCp932(text, u"");
}

std::u16string fromCp932(const std::string& bytes) {
  if (isAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  std::u16string out;
  if (detail::decodeCp932Strict(bytes, out)) return out;
  // Retry line by line (LF is never part of a double-byte character) so
  // only the lines with bad bytes take the slow path.
  out.clear();
  std::string_view view(bytes);
  std::size_t start = 0;
  while (start < view.size()) {
    std::size_t end = view.find('\n', start);
    end = end == std::string_view::npos ? view.size() : end + 1;
    std::string_view piece = view.substr(start, end - start);
    std::u16string decoded;
    if (detail::decodeCp932Strict(piece, decoded)) {
      out += decoded;
    } else {
      decodeCharByChar(piece, out);
    }
    start = end;
  }
  return out;
}

std::string toUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = utf16CharLength(text, i);
    char32_t cp = codePointAt(text, i);
    if (len == 1 && cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacement;  // lone surrogate
    appendUtf8(out, cp);
    i += len;
  }
  return out;
}

std::u16string fromUtf8(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    int need = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the next byte
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2, cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;  // no overlong forms
      if (b == 0xED) hi = 0x9F;  // no encoded surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3, cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;  // nothing past U+10FFFF
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    // A broken sequence becomes one U+FFFD for its valid prefix; the byte
    // that broke it starts afresh.
    std::size_t j = i + 1;
    bool complete = true;
    for (int k = 0; k < need; ++k, ++j) {
      if (j >= n) {
        complete = false;
        break;
      }
      auto c = static_cast<unsigned char>(text[j]);
      if (c < lo || c > hi) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
      lo = 0x80, hi = 0xBF;
    }
    if (complete) {
      appendUtf16(out, cp);
    } else {
      out.push_back(kReplacement);
    }
    i = j;
  }
  return out;
}

// --- Whole text files --------------------------------------------------------

std::vector<std::u16string> readTextLines(const std::u16string& path) {
  return detail::splitLines(fromCp932(readWholeFile(path)));
}

// --- Files the user edits ---------------------------------------------------

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isValidUtf8(std::string_view bytes) {
  const std::string text(bytes);
  return toUtf8(fromUtf8(text)) == text;
}

bool isValidCp932(std::string_view bytes) {
  std::u16string ignored;
  return detail::decodeCp932Strict(bytes, ignored);
}

// A lead byte of three or four: a character from U+0800 on, as every kana
// and kanji is in UTF-8. CP932 text holding kana is never valid UTF-8 (its
// kana lead bytes 0x82 and 0x83 cannot start a UTF-8 character), so valid
// UTF-8 with such characters is UTF-8 even where its bytes also read as
// CP932 kanji ("開発" does).
bool hasWideUtf8(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0xF0) >= 0xE0; });
}

// One line's bytes (line end removed) in the chosen encoding; false when
// some byte did not decode.
bool decodeLine(std::string_view bytes, bool utf8, std::u16string& out) {
  if (utf8) {
    out = fromUtf8(std::string(bytes));
    return isValidUtf8(bytes);
  }
  out = fromCp932(std::string(bytes));
  return isAscii(bytes) || isValidCp932(bytes);
}

}  // namespace

SettingsText decodeSettingsText(const std::string& bytes) {
  std::string_view view(bytes);
  SettingsText result;
  if (view.starts_with(kUtf8Mark)) {
    view.remove_prefix(kUtf8Mark.size());
    result.utf8 = true;
  } else {
    // Text that both read alike (ASCII, mostly) stays CP932, and so do
    // bytes that read as Latin letters in UTF-8 and as half-width kana in
    // CP932.
    result.utf8 = !isAscii(view) && isValidUtf8(view) && (hasWideUtf8(view) || !isValidCp932(view));
  }
  std::size_t start = 0;
  while (start < view.size()) {
    std::size_t end = view.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? view.size() : end + 1;
    if (end == std::string_view::npos) end = view.size();
    if (end > start && view[end - 1] == '\r') --end;
    std::u16string line;
    if (!decodeLine(view.substr(start, end - start), result.utf8, line)) {
      result.undecodableLines.push_back(result.lines.size() + 1);
    }
    result.lines.push_back(std::move(line));
    start = next;
  }
  return result;
}

SettingsText readSettingsLines(const std::u16string& path) {
  return decodeSettingsText(readWholeFile(path));
}

void writeTextLines(const std::u16string& path, const std::vector<std::u16string>& lines) {
  // Everything is encoded before the disk is touched, so an unencodable
  // character never costs the old file.
  std::u16string text;
  for (const auto& line : lines) {
    text += line;
    text += u"\r\n";
  }
  replaceWithBytes(path, encodeCp932(text, path));
}

void writeTextLines(const std::u16string& path, const std::vector<std::u16string>& lines,
                    FileAccess access) {
  std::u16string text;
  for (const auto& line : lines) {
    text += line;
    text += u"\r\n";
  }
  replaceWithBytes(path, encodeCp932(text, path), access);
}

std::string readBinaryFile(const std::u16string& path) {
  return readWholeFile(path);
}

void writeBinaryFile(const std::u16string& path, std::string_view bytes) {
  replaceWithBytes(path, bytes);
}

struct FileReader::Stream {
  std::ifstream in;
};

FileReader::FileReader(const std::u16string& path) : path_(path), stream_(new Stream) {
  const fs::path native = detail::nativePath(path);
  std::error_code ec;
  if (fs::is_directory(native, ec))
    throw FileError("cannot read " + toUtf8(path) + ": it is a folder");
  stream_->in.open(native, std::ios::binary);
  if (!stream_->in) {
    throw FileError("cannot open " + toUtf8(path) + " for reading: " + detail::lastErrorReason());
  }
  if (const auto size = fs::file_size(native, ec); !ec) size_ = size;
}

FileReader::~FileReader() = default;

std::size_t FileReader::read(char* to, std::size_t room) {
  std::istream& in = stream_->in;
  if (room == 0 || in.eof()) return 0;
  try {
    in.read(to, static_cast<std::streamsize>(room));
  } catch (const std::ios_base::failure&) {
    // The stream library reports some read errors by throwing.
    throw FileError("cannot read " + toUtf8(path_) + ": " + detail::lastErrorReason());
  }
  if (in.bad()) throw FileError("cannot read " + toUtf8(path_) + ": " + detail::lastErrorReason());
  return static_cast<std::size_t>(in.gcount());
}

struct FileReplacement::Stream {
  std::ofstream out;
};

FileReplacement::FileReplacement(const std::u16string& target)
    : target_(target), temp_(temporaryNameFor(target)), stream_(new Stream) {
  const fs::path tempPath = detail::nativePath(temp_);
  try {
    // Created as writeBinaryFile creates it (a new file, never one that is
    // there already), then written through a stream.
    detail::writeNewFile(tempPath, {}, false);
  } catch (const FileError& e) {
    throw FileError("cannot write " + toUtf8(target_) + ": " + e.what());
  }
  stream_->out.open(tempPath, std::ios::binary | std::ios::trunc);
  if (!stream_->out) {
    const std::string reason = detail::lastErrorReason();
    std::error_code ec;
    fs::remove(tempPath, ec);
    throw FileError("cannot write " + toUtf8(target_) + ": " + reason);
  }
}

FileReplacement::~FileReplacement() {
  if (temp_.empty()) return;
  stream_->out.close();
  std::error_code ec;
  fs::remove(detail::nativePath(temp_), ec);
}

void FileReplacement::write(std::string_view bytes) {
  if (temp_.empty()) throw FileError("cannot write " + toUtf8(target_) + ": already put in place");
  stream_->out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream_->out) {
    throw FileError("cannot write " + toUtf8(target_) + ": " + detail::lastErrorReason());
  }
}

void FileReplacement::commit() {
  if (temp_.empty()) return;
  stream_->out.close();
  if (!stream_->out) {
    throw FileError("cannot write " + toUtf8(target_) + ": " + detail::lastErrorReason());
  }
  putInPlace(temp_, target_, FileAccess::Shared);
  temp_.clear();
}

// --- Paths, folders and files ------------------------------------------------

std::u16string joinPath(const std::u16string& folder, const std::u16string& name) {
  return folder + pathSeparator() + name;
}

bool fileExists(const std::u16string& path) {
  std::error_code ec;
  return fs::is_regular_file(detail::nativePath(path), ec);
}

bool folderExists(const std::u16string& path) {
  std::error_code ec;
  return fs::is_directory(detail::nativePath(path), ec);
}

bool createFolder(const std::u16string& path) {
  // An existing folder counts as success: the caller wants it to be there.
  std::error_code ec;
  const fs::path native = detail::nativePath(path);
  fs::create_directory(native, ec);
  return fs::is_directory(native, ec);
}

std::vector<std::u16string> listFiles(const std::u16string& folder) {
  std::error_code ec;
  fs::directory_iterator it(detail::nativePath(folder), ec);
  if (ec) throw FileError("cannot list " + toUtf8(folder) + ": " + ec.message());
  std::vector<std::u16string> names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code statError;
    if (it->is_regular_file(statError))
      names.push_back(detail::fromNativePath(it->path().filename()));
  }
  if (ec) throw FileError("cannot list " + toUtf8(folder) + ": " + ec.message());
  std::sort(names.begin(), names.end());  // ordinal, by UTF-16 unit
  return names;
}

void copyFileOrThrow(const std::u16string& from, const std::u16string& to) {
  // Copy beside the target and move it into place, so a reader never sees a
  // half-copied file; the copy keeps the source's modified time.
  std::error_code ec;
  const fs::path source = detail::nativePath(from);
  if (!fs::is_regular_file(source, ec)) {
    throw FileError("cannot copy " + toUtf8(from) + ": " +
                    (ec ? ec.message() : std::string("not a file")));
  }
  const std::u16string temp = temporaryNameFor(to);
  const fs::path tempPath = detail::nativePath(temp);
  if (!fs::copy_file(source, tempPath, fs::copy_options::overwrite_existing, ec)) {
    const std::string reason = ec.message();
    fs::remove(tempPath, ec);
    throw FileError("cannot copy " + toUtf8(from) + " to " + toUtf8(to) + ": " + reason);
  }
  auto time = fs::last_write_time(source, ec);
  if (!ec) fs::last_write_time(tempPath, time, ec);
  if (!detail::replaceFile(tempPath, detail::nativePath(to))) {
    const std::string reason = detail::lastErrorReason();
    fs::remove(tempPath, ec);
    throw FileError("cannot replace " + toUtf8(to) + ": " + reason);
  }
}

bool copyFile(const std::u16string& from, const std::u16string& to) {
  try {
    copyFileOrThrow(from, to);
    return true;
  } catch (const FileError&) {
    return false;
  }
}

bool deleteFile(const std::u16string& path) {
  std::error_code ec;
  const fs::path native = detail::nativePath(path);
  if (fs::is_directory(fs::symlink_status(native, ec))) return false;  // files only
  return fs::remove(native, ec);
}

bool renameFile(const std::u16string& from, const std::u16string& to) {
  std::error_code ec;
  const fs::path source = detail::nativePath(from);
  if (!fs::exists(fs::symlink_status(source, ec))) return false;
  return detail::replaceFile(source, detail::nativePath(to));
}

std::u16string currentFolder() {
  std::error_code ec;
  fs::path current = fs::current_path(ec);
  return ec ? std::u16string() : detail::fromNativePath(current);
}

// --- Processes ---------------------------------------------------------------

namespace {

// The names temporaryNameFor gives (NAME.<16 hex>.tmp) in `folder`, of any
// file, or of the file named `of` only; a user's own "x.tmp" stays.
int removeTemporaries(const std::u16string& folder, const std::u16string& of) {
  std::vector<std::u16string> names;
  try {
    names = listFiles(folder);
  } catch (const FileError&) {
    return 0;
  }
  constexpr std::size_t kTail = 1 + 16 + 4;  // ".<hex>.tmp"
  const auto isTemporary = [&of](const std::u16string& name) {
    if (name.size() <= kTail || !name.ends_with(u".tmp")) return false;
    const std::size_t dot = name.size() - kTail;
    if (name[dot] != u'.') return false;
    if (!of.empty() && std::u16string_view(name).substr(0, dot) != of) return false;
    return std::all_of(
        name.begin() + static_cast<std::ptrdiff_t>(dot) + 1, name.end() - 4,
        [](char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
  };
  int removed = 0;
  for (const auto& name : names) {
    if (isTemporary(name) && deleteFile(joinPath(folder, name))) ++removed;
  }
  return removed;
}

}  // namespace

int removeTemporaryFiles(const std::u16string& folder) {
  return removeTemporaries(folder, u"");
}

int removeTemporaryFilesOf(const std::u16string& file) {
  const fs::path path = detail::nativePath(file);
  if (!path.has_filename()) return 0;
  return removeTemporaries(path.parent_path().u16string(), path.filename().u16string());
}

void trimLog(const std::u16string& path, std::uintmax_t maxBytes, std::uintmax_t keepBytes) {
  std::error_code ec;
  const fs::path native = detail::nativePath(path);
  const std::uintmax_t size = fs::file_size(native, ec);
  if (ec || size <= maxBytes) return;
  keepBytes = std::min(keepBytes, size);
  std::string tail(static_cast<std::size_t>(keepBytes), '\0');
  {
    std::ifstream in(native, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(size - keepBytes));
    if (!in.read(tail.data(), static_cast<std::streamsize>(tail.size()))) return;
  }
  // Start at a whole line; a run's first lines may be lost, never half a line.
  const std::size_t lineStart = tail.find('\n');
  tail.erase(0, lineStart == std::string::npos ? 0 : lineStart + 1);
  try {
    replaceWithBytes(path, tail);
  } catch (const FileError&) {
    // The log only grows on: no job fails because its log stayed long.
  }
}

std::vector<std::u16string> splitCommandLine(const std::u16string& commandLine) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool inWord = false;  // a quoted "" is a word even though it is empty
  bool quoted = false;
  for (char16_t c : commandLine) {
    if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == u' ' || c == u'\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word.push_back(c);
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

void startCommandLine(const std::u16string& commandLine) {
  std::vector<std::u16string> words = splitCommandLine(commandLine);
  if (words.empty()) throw FileError("nothing to start: the command line is empty");
  const std::u16string program = words.front();
  words.erase(words.begin());
  startDetached(program, words);
}

void sleepMilliseconds(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace morvanta::platform
