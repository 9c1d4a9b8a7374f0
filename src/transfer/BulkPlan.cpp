#include "transfer/BulkPlan.h"

#include <utility>

#include "text/TextRules.h"

namespace morvanta::transfer {

namespace {

bool nonSymbolic(const std::u16string& line) {
  for (const char16_t* type : {u"(ABS)", u"(REL)", u"(OMN)"}) {
    if (line.find(type) != std::u16string::npos) return true;
  }
  return false;
}

std::u16string firstField(const std::u16string& trimmed) {
  return trimmed.substr(0, trimmed.find(u' '));
}

// "yyyy/mm/dd hh:mm:59" back to the minute the TOC listed.
std::u16string listedMinute(const std::u16string& hostTime) {
  constexpr std::size_t kSecondsSuffix = 3;  // ":59"
  return hostTime.size() > kSecondsSuffix ? hostTime.substr(0, hostTime.size() - kSecondsSuffix)
                                          : hostTime;
}

}  // namespace

std::vector<std::u16string> BulkPlan::receivedNames() const {
  std::vector<std::u16string> names;
  for (const BulkPlanEntry& entry : entries) {
    if (entry.received()) names.push_back(entry.name);
  }
  return names;
}

BulkPlan planBulkReceive(const TxtHdl& txtHdl, const std::vector<std::u16string>& phasedLines,
                         const PcFolderIndex& folder, const ModifiedTimeOf& modifiedTimeOf) {
  BulkPlan plan;
  for (const std::u16string& line : phasedLines) {
    const std::u16string trimmed = text::trimBlanks(line);
    if (trimmed.empty()) continue;
    std::optional<BulkCandidate> candidate = bulkCandidate(txtHdl, line);
    if (!candidate) {
      BulkPlanEntry kept{
          firstField(trimmed), u"", u"",
          nonSymbolic(trimmed + u" ") ? BulkReason::NotSymbolic : BulkReason::NoTime};
      plan.entries.push_back(std::move(kept));
      continue;
    }
    const PcFolderIndex::Lookup lookup = folder.find(candidate->name);
    if (lookup.symFile != PcFolderIndex::npos) {
      plan.symFile = folder.fileNames()[lookup.symFile];
      return plan;
    }
    BulkPlanEntry entry{std::move(candidate->name), listedMinute(candidate->hostTime), u"",
                        BulkReason::MissingOnPc};
    if (lookup.copy != PcFolderIndex::npos) {
      entry.pcTime = modifiedTimeOf(lookup.copy);
      // The same comparison as the selection: the host's minute at its last second.
      entry.reason =
          candidate->hostTime < entry.pcTime ? BulkReason::NewerOnPc : BulkReason::OlderOnPc;
    }
    plan.entries.push_back(std::move(entry));
  }
  return plan;
}

const char* reasonText(BulkReason reason) {
  switch (reason) {
    case BulkReason::MissingOnPc:
      return "missing on the PC";
    case BulkReason::OlderOnPc:
      return "older on the PC";
    case BulkReason::NewerOnPc:
      return "newer on the PC";
    case BulkReason::NoTime:
      return "no date";
    case BulkReason::NotSymbolic:
      return "not symbolic";
  }
  return "";
}

}  // namespace morvanta::transfer
