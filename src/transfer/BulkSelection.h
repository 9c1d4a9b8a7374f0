#pragma once
// Which elements a bulk receive fetches: every symbolic element of the
// pane's phased TOC, taken with a time of day, whose PC copy in the
// project's folder is missing or older than the host's minute. Pure: the
// caller lists the folder once and answers modified times on request.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta {
class TxtHdl;
}

namespace morvanta::transfer {

// An element of the phased TOC the bulk receive may fetch.
struct BulkCandidate {
  std::u16string name;      // "TXT." form, e.g. MAIN.R1
  std::u16string hostTime;  // "yyyy/mm/dd hh:mm:59"
};

// The candidate of one phased TOC line, or nothing for a non-symbolic
// element, a line without a time of day, or a line too long to read.
std::optional<BulkCandidate> bulkCandidate(const TxtHdl& txtHdl, const std::u16string& line);

// The files of the PC folder in listing order, indexed by their upper-case
// name before the last ".". Finding an element gives the same answer as
// walking the files in order: the walk stops at the element's first PC copy,
// or earlier at the first name containing "_SYM".
class PcFolderIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  PcFolderIndex(const TxtHdl& txtHdl, std::vector<std::u16string> fileNames);

  struct Lookup {
    std::size_t copy = npos;     // the PC copy's position, when the walk reached it
    std::size_t symFile = npos;  // the "_SYM" file the walk stopped at instead
  };
  Lookup find(std::u16string_view name) const;
  // The same, with the name's hash from hashOf(); prefetch() with that hash
  // some lookups ahead lets the table's memory arrive in time.
  Lookup find(std::u16string_view name, std::size_t hash) const;
  static std::size_t hashOf(std::u16string_view name);
  void prefetch(std::size_t hash) const;

  const std::vector<std::u16string>& fileNames() const { return fileNames_; }

 private:
  std::vector<std::u16string> fileNames_;
  std::u16string_view keyOf(std::size_t position) const;
  std::size_t slotOf(std::u16string_view key, std::size_t hash) const;
  void insert(std::size_t position, std::size_t hash);

  // The keys of all files end to end, and an open-addressing table of the
  // first file of each key: one block of memory each, so a million files
  // cost no node per file. A slot holds the position + 1 (0: free) in its
  // low half and the high half of the key's hash in its upper half, so a
  // probe past other keys need not read them.
  std::u16string keys_;
  std::vector<std::uint32_t> keyEnds_;
  std::vector<std::uint64_t> slots_;
  std::size_t firstSymFile_ = npos;
};

struct BulkSelection {
  std::vector<std::u16string> names;  // to receive, in phased TOC order
  // Set when a file named "..._SYM" stopped the selection; names is then
  // what had been collected before it and must not be used.
  std::optional<std::u16string> symFile;
};

// The modified time "yyyy/mm/dd hh:mm:ss" of the file at a folder position.
using ModifiedTimeOf = std::function<std::u16string(std::size_t position)>;

// An element is wanted unless its PC copy is strictly newer than the host
// time (both texts compare chronologically in character order).
BulkSelection selectBulkElements(const TxtHdl& txtHdl,
                                 const std::vector<std::u16string>& phasedLines,
                                 const PcFolderIndex& folder, const ModifiedTimeOf& modifiedTimeOf);

}  // namespace morvanta::transfer
