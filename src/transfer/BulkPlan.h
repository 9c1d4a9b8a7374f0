#pragma once
// What a bulk receive will do with each element of the phased TOC, and why:
// the same choice as selectBulkElements, kept per element with the host's
// and the PC copy's times so the user can see it before saying Yes (the
// window's question, the command line's --dry-run).

#include <optional>
#include <string>
#include <vector>

#include "transfer/BulkSelection.h"

namespace morvanta::transfer {

enum class BulkReason {
  MissingOnPc,  // received: no PC copy
  OlderOnPc,    // received: the PC copy is older than the host's minute
  NewerOnPc,    // kept: the PC copy was changed after the host's
  NoTime,       // kept: the TOC gives a year, not a time of day (or no date)
  NotSymbolic,  // kept: only symbolic elements are received
};

struct BulkPlanEntry {
  std::u16string name;      // "TXT." form, e.g. MAIN.R1
  std::u16string hostTime;  // "yyyy/mm/dd hh:mm" as listed; "" without a time of day
  std::u16string pcTime;    // "yyyy/mm/dd hh:mm:ss"; "" when not looked at or missing
  BulkReason reason = BulkReason::MissingOnPc;

  bool received() const {
    return reason == BulkReason::MissingOnPc || reason == BulkReason::OlderOnPc;
  }
};

struct BulkPlan {
  std::vector<BulkPlanEntry> entries;  // phased TOC order, blank lines left out
  // As BulkSelection::symFile: the plan stops there and must not be run.
  std::optional<std::u16string> symFile;

  // The names to receive, in order: what selectBulkElements collects.
  std::vector<std::u16string> receivedNames() const;
};

BulkPlan planBulkReceive(const TxtHdl& txtHdl, const std::vector<std::u16string>& phasedLines,
                         const PcFolderIndex& folder, const ModifiedTimeOf& modifiedTimeOf);

// A short English word for the reason, as the command line prints it:
// "missing on the PC", "older on the PC", ...
const char* reasonText(BulkReason reason);

}  // namespace morvanta::transfer
