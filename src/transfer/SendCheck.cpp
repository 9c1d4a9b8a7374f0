#include "transfer/SendCheck.h"

#include "catalogue/TocListing.h"

namespace morvanta::transfer {

namespace {

std::int64_t sizeField(const std::u16string& line) {
  std::size_t pos = 0;
  std::u16string_view field;
  for (int i = 0; i < 4; ++i) field = catalogue::nextField(line, pos);
  if (field.empty() || field.size() > 18) return -1;
  std::int64_t value = 0;
  for (const char16_t c : field) {
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

std::optional<HostEntry> findListingEntry(const Class2200& cls2200,
                                          const std::vector<std::u16string>& listing,
                                          const std::u16string& element,
                                          const platform::DateTime& now) {
  const catalogue::ListingLineParser parser(cls2200, 1, now);
  catalogue::ListingRow row;
  for (const std::u16string& line : listing) {
    if (!parser.parse(line, u"", row) || row.display != element) continue;
    std::u16string time = row.date;
    while (!time.empty() && time.back() == u' ') time.pop_back();
    return HostEntry{time, sizeField(line)};
  }
  return std::nullopt;
}

SendCheckResult checkBeforeSend(const Class2200& cls2200, const SendCheckInput& input) {
  SendCheckResult result;
  std::vector<std::u16string> listing;
  try {
    listing = platform::readTextLines(input.listingPath);
  } catch (const platform::FileError&) {
    return result;  // the host was not reached, or not far enough
  }
  const std::optional<HostEntry> entry =
      findListingEntry(cls2200, listing, input.element, input.now);
  if (!entry) {
    result.verdict = SendVerdict::NotOnHost;
    return result;
  }
  result.host = *entry;
  try {
    result.hostHash = contentHash(platform::readBinaryFile(input.hostCopyPath));
  } catch (const platform::FileError&) {
    return result;
  }
  if (!input.baseline) {
    result.verdict = SendVerdict::NoBaseline;
  } else {
    result.verdict =
        input.baseline->hash == result.hostHash ? SendVerdict::Unchanged : SendVerdict::Changed;
  }
  return result;
}

}  // namespace morvanta::transfer
