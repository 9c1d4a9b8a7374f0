#include "transfer/BulkSelection.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

#include "app/ShellText.h"
#include "text/TxtHdl.h"

namespace morvanta::transfer {

namespace {

bool nonSymbolic(const std::u16string& line) {
  for (const char16_t* type : {u"(ABS)", u"(REL)", u"(OMN)"}) {
    if (line.find(type) != std::u16string::npos) return true;
  }
  return false;
}

// The name a PC file stands for: its upper-case name before the last ".".
std::u16string elementKey(const TxtHdl& txtHdl, const std::u16string& fileName) {
  std::u16string name;
  std::u16string extension;
  txtHdl.Phase_file_name(fileName, name, extension);
  return app::upperAscii(std::move(name));
}

}  // namespace

std::optional<BulkCandidate> bulkCandidate(const TxtHdl& txtHdl, const std::u16string& line) {
  // Field_get does not return a one-character field that ends the text.
  const std::u16string text = app::trimBlanks(line) + u" ";
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
  // Elements listed with a year instead of a time of day are left alone.
  if (time.empty()) return std::nullopt;
  // The host keeps minutes: its copy counts as written at the minute's last second.
  return BulkCandidate{std::move(name), date + u" " + time + u":59"};
}

PcFolderIndex::PcFolderIndex(const TxtHdl& txtHdl, std::vector<std::u16string> fileNames)
    : fileNames_(std::move(fileNames)) {
  firstCopy_.reserve(fileNames_.size());
  for (std::size_t i = 0; i < fileNames_.size(); ++i) {
    const std::u16string& file = fileNames_[i];
    if (firstSymFile_ == npos && file.find(u"_SYM") != std::u16string::npos) firstSymFile_ = i;
    firstCopy_.try_emplace(elementKey(txtHdl, file), i);
  }
}

PcFolderIndex::Lookup PcFolderIndex::find(const std::u16string& name) const {
  const auto found = firstCopy_.find(name);
  const std::size_t copy = found == firstCopy_.end() ? npos : found->second;
  // The walk looks at a file's name for "_SYM" before comparing it, so a
  // "_SYM" file at or before the copy ends the walk first.
  if (firstSymFile_ != npos && firstSymFile_ <= copy) return {npos, firstSymFile_};
  return {copy, npos};
}

BulkSelection selectBulkElements(const TxtHdl& txtHdl,
                                 const std::vector<std::u16string>& phasedLines,
                                 const PcFolderIndex& folder,
                                 const ModifiedTimeOf& modifiedTimeOf) {
  BulkSelection selection;
  for (const std::u16string& line : phasedLines) {
    std::optional<BulkCandidate> candidate = bulkCandidate(txtHdl, line);
    if (!candidate) continue;
    const PcFolderIndex::Lookup lookup = folder.find(candidate->name);
    if (lookup.symFile != PcFolderIndex::npos) {
      selection.symFile = folder.fileNames()[lookup.symFile];
      return selection;
    }
    if (lookup.copy != PcFolderIndex::npos && candidate->hostTime < modifiedTimeOf(lookup.copy)) {
      continue;  // the PC copy was changed after the host's
    }
    selection.names.push_back(std::move(candidate->name));
  }
  return selection;
}

}  // namespace morvanta::transfer
