// The printed-listing reader on a whole dropped file.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "analysis/ListingDrop.h"
#include "text/TxtHdl.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TxtHdl th;
  const auto lines = fuzz::splitLines(fuzz::decode(data, size));
  // A line too long for the toolkit's positions is skipped and counted: the
  // reader throws nothing.
  const analysis::PrintedListing listing = analysis::readPrintedListing(th, lines);
  // Every element, refused name and long line comes from a line of its own.
  FUZZ_CHECK(listing.elements.size() + listing.refused + listing.tooLong <= lines.size());
  return 0;
}
