// The TOC listing parser on each line of a listing. The first byte picks
// "mdir" or "mls" listings, the first line is the filter. Its field reader
// must read exactly as TxtHdl::Field_get does.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Platform.h"

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "catalogue/ListingFields.h"
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

// The listing's bytes read in place (the quick way for usual rows) give
// what the line parser gives for each decoded line.
void sameAsDecodedLines(const Class2200& cls, std::int16_t mode, std::string_view bytes,
                        const std::u16string& filter) {
  const platform::DateTime now{2026, 6, 15, 12, 0, 0};
  const catalogue::ListingLineParser expecting(cls, mode, now);
  catalogue::ListingResult expected;
  bool writable = true;
  catalogue::forEachLine(bytes, [&](std::string_view line) {
    catalogue::ListingRow row;
    if (!writable || !expecting.parse(platform::fromCp932(std::string(line)), filter, row)) return;
    expected.names.append(row.display);
    if (mode == 1) expected.dates.append(row.date);
    try {
      expected.phased.append(platform::toCp932(row.phased) + "\r\n");
    } catch (const platform::EncodingError&) {
      writable = false;  // a row the phased file cannot hold: nothing to compare it with
    }
  });
  if (!writable) return;
  const catalogue::ListingLineParser reading(cls, mode, now);
  catalogue::ListingResult got;
  reading.parseListing(bytes, filter, got);
  FUZZ_CHECK(got.names.size() == expected.names.size());
  FUZZ_CHECK(got.dates.size() == expected.dates.size());
  for (std::size_t r = 0; r < got.names.size(); ++r) {
    FUZZ_CHECK(got.names.at(r) == expected.names.at(r));
  }
  for (std::size_t r = 0; r < got.dates.size(); ++r) {
    FUZZ_CHECK(got.dates.at(r) == expected.dates.at(r));
  }
  FUZZ_CHECK(got.phased.view() == expected.phased.view());
  FUZZ_CHECK(reading.refusedRows() == expecting.refusedRows());
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
  static const std::u16string kFilters[] = {u"", u"A", u"/", u"(REL)"};
  sameAsDecodedLines(cls, mode, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1),
                     kFilters[(data[0] >> 1) & 3]);
  return 0;
}
