#pragma once
// What each received element looked like when it arrived, so a send can
// tell whether someone changed the host copy since. One small store per
// receive folder, the hidden file ".morvanta-baseline" beside the elements:
//
//   morvanta-baseline 1
//   MAIN／R1.txt<TAB>2026/12/07 10:05<TAB>1234<TAB>9f3c…(32 hex)<TAB>2026/12/07 10:06:12
//
// CP932 with CR LF like every file of the system, one line per element:
// the PC file name, the host's listing date and time ("" when unknown), the
// host's size in bytes ("" when unknown), the content hash (contentHash)
// and when the entry was recorded (the PC's clock). Lines the reader does
// not understand are skipped. The file is replaced whole through a
// temporary file, so a crash leaves the old store or the new one.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace morvanta::transfer {

inline constexpr char16_t kBaselineFileName[] = u".morvanta-baseline";

struct BaselineEntry {
  std::u16string hostTime;  // e.g. "2026/12/07 10:05"; "" when unknown
  std::int64_t hostSize = -1;
  std::u16string hash;  // contentHash of the text as the PC keeps it
  std::u16string recordedAt;
};

// The content hash of a text file's bytes, blind to what editors, FTP
// transfers and converters change without changing the text: CR LF, CR and
// LF line ends, blanks and tabs at line ends, and empty lines at the end.
// 32 lower-case hex digits (XXH3, 128 bits).
std::u16string contentHash(std::string_view bytes);
// The bytes contentHash looks at: lines without trailing blanks, joined by LF.
std::string normalisedText(std::string_view bytes);

// "yyyy/mm/dd hh:mm:ss", as recorded entries carry it.
std::u16string baselineTime(const platform::DateTime& when);

// Told when the store cannot be written; the reason follows.
inline constexpr char16_t kBaselineWriteFailedMessage[] = u"受信時の記録を保存できません: ";

class BaselineStore {
 public:
  // The store of a receive folder; nothing is read yet.
  explicit BaselineStore(std::u16string folder) : folder_(std::move(folder)) {}

  // Reads the store; a missing file is an empty store. Throws FileError
  // when it exists but cannot be read.
  void load();
  // Writes the whole store at once. Throws FileError / EncodingError.
  void save() const;

  std::optional<BaselineEntry> find(const std::u16string& pcFile) const;
  void put(const std::u16string& pcFile, BaselineEntry entry);
  std::size_t size() const { return entries_.size(); }
  std::u16string path() const;

  // The lines of the file, and an entry map from them (tests, tools).
  std::vector<std::u16string> lines() const;
  static std::map<std::u16string, BaselineEntry> parse(const std::vector<std::u16string>& lines);

 private:
  std::u16string folder_;
  std::map<std::u16string, BaselineEntry> entries_;
};

// Records the received files `pcFiles` of `folder` in its store in one
// write: each file's content hash with its host time (same index in
// hostTimes, "" when unknown). Files that are not there are skipped.
// Returns how many were recorded. Throws like load() and save().
std::size_t recordReceived(const std::u16string& folder, const std::vector<std::u16string>& pcFiles,
                           const std::vector<std::u16string>& hostTimes,
                           const platform::DateTime& now);

}  // namespace morvanta::transfer
