#include "transfer/TextDiff.h"

#include <dtl/dtl.hpp>

namespace morvanta::transfer {

namespace {

std::vector<std::u16string> withoutTrailingBlanks(const std::vector<std::u16string>& lines) {
  std::vector<std::u16string> out;
  out.reserve(lines.size());
  for (const std::u16string& line : lines) {
    const std::size_t end = line.find_last_not_of(u" \t");
    out.push_back(end == std::u16string::npos ? u"" : line.substr(0, end + 1));
  }
  // Empty lines at the end are not part of the text either.
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

}  // namespace

std::vector<forms::DiffLine> diffLines(const std::vector<std::u16string>& host,
                                       const std::vector<std::u16string>& pc) {
  using Side = forms::DiffLine::Side;
  dtl::Diff<std::u16string, std::vector<std::u16string>> diff(withoutTrailingBlanks(host),
                                                              withoutTrailingBlanks(pc));
  diff.compose();
  std::vector<forms::DiffLine> lines;
  for (const auto& [text, info] : diff.getSes().getSequence()) {
    const Side side = info.type == dtl::SES_DELETE ? Side::HostOnly
                      : info.type == dtl::SES_ADD  ? Side::PcOnly
                                                   : Side::Both;
    lines.push_back({side, text});
  }
  return lines;
}

}  // namespace morvanta::transfer
