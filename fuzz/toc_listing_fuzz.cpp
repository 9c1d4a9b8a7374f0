// The TOC listing parser on each line of a listing. The first byte picks
// "mdir" or "mls" listings, the first line is the filter. Its field reader
// must read exactly as TxtHdl::Field_get does.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "catalogue/TocListing.h"
#include "u2200/Class2200.h"

using namespace morvanta;

namespace {

// Both field readers over the line, field by field, while Field_get can
// hold the positions.
void sameFields(const TxtHdl& th, const std::u16string& line) {
  if (line.size() > 32000) return;
  std::size_t pos = 0;
  std::int16_t thPos = 1;
  for (int n = 0; n < 8; ++n) {
    const std::u16string_view field = catalogue::nextField(line, pos);
    const std::u16string thField = th.Field_get(line, thPos);
    FUZZ_CHECK(field == thField);
    FUZZ_CHECK(pos + 1 == static_cast<std::size_t>(thPos));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Class2200 cls;
  if (size == 0) return 0;
  const std::int16_t mode = data[0] & 1;
  const platform::DateTime now{2026, 6, 15, 12, 0, 0};
  const catalogue::ListingLineParser parser(cls, mode, now);
  auto lines = fuzz::splitLines(fuzz::decode(data + 1, size - 1));
  if (lines.empty()) return 0;
  const std::u16string filter = lines.front();
  catalogue::ListingRow row;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    sameFields(cls.th, lines[i]);
    parser.parse(lines[i], filter, row);
  }
  return 0;
}
