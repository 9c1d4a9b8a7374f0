#include "transfer/BulkSelection.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

#include "catalogue/TocListing.h"
#include "text/TextRules.h"
#include "text/TxtHdl.h"

namespace morvanta::transfer {

namespace {

bool nonSymbolic(std::u16string_view line) {
  for (const char16_t* type : {u"(ABS)", u"(REL)", u"(OMN)"}) {
    if (line.find(type) != std::u16string_view::npos) return true;
  }
  return false;
}

// The name a PC file stands for: its upper-case name before the last ".".
std::u16string elementKey(const TxtHdl& txtHdl, const std::u16string& fileName) {
  std::u16string name;
  std::u16string extension;
  txtHdl.Phase_file_name(fileName, name, extension);
  return text::upperAscii(std::move(name));
}

// Past this the text toolkit's 16-bit positions may overflow while the
// fields are read; such lines go the toolkit's own way.
constexpr std::size_t kLongestLine = 32766;

// The fields of a candidate line, read in place into `text` (a buffer kept
// between lines): name, date and time, or false where bulkCandidate gives
// nothing. Lines too long for the quick reading give `slow`.
struct CandidateFields {
  std::u16string_view name;
  std::u16string_view date;
  std::u16string_view time;
};

enum class Reading { Candidate, None, Slow };

Reading readCandidate(std::u16string_view line, std::u16string& text, CandidateFields& fields) {
  const auto first = line.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return Reading::None;
  const auto last = line.find_last_not_of(u' ');
  if (last - first + 1 >= kLongestLine) return Reading::Slow;
  // Field_get does not return a one-character field that ends the text.
  text.assign(line.substr(first, last - first + 1));
  text += u' ';
  if (nonSymbolic(text)) return Reading::None;
  std::size_t pos = 0;
  const std::u16string_view view(text);
  fields.name = catalogue::nextField(view, pos);
  catalogue::nextField(view, pos);  // the display form
  fields.date = catalogue::nextField(view, pos);
  fields.time = catalogue::nextField(view, pos);
  // Elements listed with a year instead of a time of day are left alone.
  return fields.time.empty() ? Reading::None : Reading::Candidate;
}

// The host keeps minutes: its copy counts as written at the minute's last second.
void hostTimeOf(const CandidateFields& fields, std::u16string& out) {
  out.assign(fields.date);
  out += u' ';
  out += fields.time;
  out += u":59";
}

std::optional<BulkCandidate> slowCandidate(const TxtHdl& txtHdl, const std::u16string& line) {
  const std::u16string text = text::trimBlanks(line) + u" ";
  if (nonSymbolic(text)) return std::nullopt;
  std::u16string name;
  std::u16string date;
  std::u16string time;
  try {
    std::int16_t pos = 1;
    name = txtHdl.Field_get(text, pos);
    txtHdl.Field_get(text, pos);  // the display form
    date = txtHdl.Field_get(text, pos);
    time = txtHdl.Field_get(text, pos);
  } catch (const std::overflow_error&) {
    return std::nullopt;
  }
  if (time.empty()) return std::nullopt;
  return BulkCandidate{std::move(name), date + u" " + time + u":59"};
}

}  // namespace

std::optional<BulkCandidate> bulkCandidate(const TxtHdl& txtHdl, const std::u16string& line) {
  std::u16string text;
  CandidateFields fields;
  switch (readCandidate(line, text, fields)) {
    case Reading::None:
      return std::nullopt;
    case Reading::Slow:
      return slowCandidate(txtHdl, line);
    case Reading::Candidate:
      break;
  }
  BulkCandidate candidate{std::u16string(fields.name), {}};
  hostTimeOf(fields, candidate.hostTime);
  return candidate;
}

namespace {

// What elementKey gives, without its copies: the trimmed name up to its
// last ".", upper case.
void appendKey(const TxtHdl& txtHdl, const std::u16string& fileName, std::u16string& keys) {
  const auto first = fileName.find_first_not_of(u' ');
  if (first == std::u16string::npos) return;
  const auto last = fileName.find_last_not_of(u' ');
  if (last - first + 1 >= kLongestLine) {
    keys += elementKey(txtHdl, fileName);
    return;
  }
  std::u16string_view name = std::u16string_view(fileName).substr(first, last - first + 1);
  if (const auto dot = name.rfind(u'.'); dot != std::u16string_view::npos) {
    name = name.substr(0, dot);
  }
  for (const char16_t c : name) {
    keys += c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
  }
}

}  // namespace

// How many names ahead the table's memory is asked for: a million files
// make a table far larger than the caches, and a lookup that waits for
// memory each time costs more the larger the folder.
constexpr std::size_t kAhead = 16;

std::uint32_t fingerprintOf(std::size_t hash) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
}

PcFolderIndex::PcFolderIndex(const TxtHdl& txtHdl, std::vector<std::u16string> fileNames)
    : fileNames_(std::move(fileNames)) {
  const std::size_t count = fileNames_.size();
  keyEnds_.reserve(count);
  std::size_t tableSize = 16;
  while (tableSize < 2 * count) tableSize *= 2;
  slots_.assign(tableSize, 0);
  // Keys are read kAhead files before they are inserted, in file order:
  // the first file of a name is its copy, later ones are never reached.
  std::size_t hashes[kAhead];
  const auto readKey = [&](std::size_t i) {
    const std::u16string& file = fileNames_[i];
    if (firstSymFile_ == npos && file.find(u"_SYM") != std::u16string::npos) firstSymFile_ = i;
    appendKey(txtHdl, file, keys_);
    keyEnds_.push_back(static_cast<std::uint32_t>(keys_.size()));
    hashes[i % kAhead] = hashOf(keyOf(i));
    prefetch(hashes[i % kAhead]);
  };
  for (std::size_t i = 0; i < count && i < kAhead; ++i) readKey(i);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t hash = hashes[i % kAhead];
    insert(i, hash);
    if (i + kAhead < count) readKey(i + kAhead);
  }
}

void PcFolderIndex::insert(std::size_t position, std::size_t hash) {
  std::uint64_t& slot = slots_[slotOf(keyOf(position), hash)];
  if (slot == 0) {
    slot = static_cast<std::uint64_t>(fingerprintOf(hash)) << 32 |
           static_cast<std::uint32_t>(position + 1);
  }
}

std::u16string_view PcFolderIndex::keyOf(std::size_t position) const {
  const std::size_t start = position == 0 ? 0 : keyEnds_[position - 1];
  return std::u16string_view(keys_).substr(start, keyEnds_[position] - start);
}

std::size_t PcFolderIndex::hashOf(std::u16string_view name) {
  return std::hash<std::u16string_view>{}(name);
}

void PcFolderIndex::prefetch(std::size_t hash) const {
#if defined(__GNUC__)
  __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
#else
  (void)hash;
#endif
}

// The slot that holds the key, or the free slot where it would go.
std::size_t PcFolderIndex::slotOf(std::u16string_view key, std::size_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t fingerprint = fingerprintOf(hash);
  for (std::size_t s = hash & mask;; s = (s + 1) & mask) {
    const std::uint64_t slot = slots_[s];
    if (slot == 0) return s;
    if (static_cast<std::uint32_t>(slot >> 32) == fingerprint &&
        keyOf(static_cast<std::uint32_t>(slot) - 1) == key) {
      return s;
    }
  }
}

PcFolderIndex::Lookup PcFolderIndex::find(std::u16string_view name) const {
  return find(name, hashOf(name));
}

PcFolderIndex::Lookup PcFolderIndex::find(std::u16string_view name, std::size_t hash) const {
  const std::uint64_t slot = slots_[slotOf(name, hash)];
  const std::size_t copy = slot == 0 ? npos : static_cast<std::uint32_t>(slot) - 1;
  // The walk looks at a file's name for "_SYM" before comparing it, so a
  // "_SYM" file at or before the copy ends the walk first.
  if (firstSymFile_ != npos && firstSymFile_ <= copy) return {npos, firstSymFile_};
  return {copy, npos};
}

namespace {

// A phased line read ahead of its lookup.
struct ReadAhead {
  bool candidate = false;
  std::u16string_view name;
  std::u16string hostTime;
  std::optional<BulkCandidate> slow;  // holds the name of a line read the slow way
  std::size_t hash = 0;
};

}  // namespace

BulkSelection selectBulkElements(const TxtHdl& txtHdl,
                                 const std::vector<std::u16string>& phasedLines,
                                 const PcFolderIndex& folder,
                                 const ModifiedTimeOf& modifiedTimeOf) {
  BulkSelection selection;
  // Lines are read kAhead lines before their lookup, so that the table's
  // memory is on its way; the buffers are kept from line to line.
  std::u16string text;
  CandidateFields fields;
  ReadAhead ring[kAhead];
  const auto readLine = [&](std::size_t i) {
    ReadAhead& ahead = ring[i % kAhead];
    const std::u16string& line = phasedLines[i];
    ahead.candidate = true;
    ahead.slow.reset();
    switch (readCandidate(line, text, fields)) {
      case Reading::None:
        ahead.candidate = false;
        return;
      case Reading::Slow:
        ahead.slow = slowCandidate(txtHdl, line);
        if (!ahead.slow) {
          ahead.candidate = false;
          return;
        }
        ahead.name = ahead.slow->name;
        ahead.hostTime = ahead.slow->hostTime;
        break;
      case Reading::Candidate:
        // The fields lie in `text`, the trimmed line: the same characters
        // lie in the line itself, which outlives the buffer.
        ahead.name = std::u16string_view(line).substr(
            static_cast<std::size_t>(fields.name.data() - text.data()) +
                line.find_first_not_of(u' '),
            fields.name.size());
        hostTimeOf(fields, ahead.hostTime);
        break;
    }
    ahead.hash = PcFolderIndex::hashOf(ahead.name);
    folder.prefetch(ahead.hash);
  };
  const std::size_t count = phasedLines.size();
  for (std::size_t i = 0; i < count && i < kAhead; ++i) readLine(i);
  for (std::size_t i = 0; i < count; ++i) {
    const ReadAhead& ahead = ring[i % kAhead];
    if (ahead.candidate) {
      const PcFolderIndex::Lookup lookup = folder.find(ahead.name, ahead.hash);
      if (lookup.symFile != PcFolderIndex::npos) {
        selection.symFile = folder.fileNames()[lookup.symFile];
        return selection;
      }
      // An element is left out when its PC copy was changed after the host's.
      if (lookup.copy == PcFolderIndex::npos || !(ahead.hostTime < modifiedTimeOf(lookup.copy))) {
        selection.names.emplace_back(ahead.name);
      }
    }
    if (i + kAhead < count) readLine(i + kAhead);
  }
  return selection;
}

}  // namespace morvanta::transfer
