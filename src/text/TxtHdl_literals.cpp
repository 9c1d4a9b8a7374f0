#include "text/TxtHdl.h"
#include "text/TxtHdl_internal.h"

namespace morvanta {

using namespace txthdl_internal;

namespace {

constexpr char16_t kQuote = u'\'';
constexpr char16_t kDoubleQuote = u'"';
constexpr char16_t kFullWidthSpace = u'\u3000';

enum class Fill { kBefore, kAfter };

// The content between the first quote at or after pos and the last quote of
// the text. Blanks inside the quotes next to the marks are dropped.
std::u16string quoted_content(const std::u16string& in_str, std::int16_t pos, char16_t quote,
                              const TxtHdl* tracer) {
  require_start(pos);
  if (pos > length_of(in_str)) return {};
  const auto open = in_str.find(quote, static_cast<std::size_t>(pos - 1));
  if (open == std::u16string::npos) return {};
  to_pos(static_cast<std::int64_t>(open) + 1);

  std::u16string rest = in_str.substr(open);
  rest[0] = kBlank;
  const std::u16string r = trim(rest);
  const auto close = r.rfind(quote);
  // A closing quote at the first character of r encloses nothing.
  if (close == std::u16string::npos || close == 0) return {};
  const std::int16_t close_pos = to_pos(static_cast<std::int64_t>(close) + 1);

  if (tracer != nullptr && tracer->txthdllog_fno != 0 && tracer->txthdllog_out) {
    tracer->txthdllog_out(u"txtdl:  " + r + u"i=" + decimal(close_pos));
  }
  return trim(r.substr(0, close));
}

std::u16string ascii_upper(const std::u16string& s) {
  std::u16string out = s;
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

Fill fill_side(const std::u16string& word) {
  return word == u"BEF" || word == u"BEFORE" ? Fill::kBefore : Fill::kAfter;
}

std::u16string filled(const std::u16string& in_str, std::int64_t count, char16_t filler,
                      Fill side) {
  if (count <= 0) return in_str;
  const std::u16string fill(static_cast<std::size_t>(count), filler);
  return side == Fill::kBefore ? fill + in_str : in_str + fill;
}

}  // namespace

std::u16string TxtHdl::Literal_add(const std::u16string& in_str) const {
  return kQuote + in_str + kQuote;
}

std::u16string TxtHdl::Double_quotation() const {
  return std::u16string(1, kDoubleQuote);
}

std::u16string TxtHdl::Double_quotation_add(const std::u16string& in_str) const {
  return kDoubleQuote + in_str + kDoubleQuote;
}

std::u16string TxtHdl::Literal_get(const std::u16string& in_str, const std::int16_t& pos) const {
  return quoted_content(in_str, pos, kQuote, nullptr);
}

std::u16string TxtHdl::Double_quotation_get(const std::u16string& in_str,
                                            const std::int16_t& pos) const {
  return quoted_content(in_str, pos, kDoubleQuote, this);
}

std::u16string TxtHdl::ADD_SPACE_to_STR(const std::u16string& in_str, const std::int32_t& MAX_LEN,
                                        const std::u16string& BEF_OR_AFT) const {
  return filled(in_str, MAX_LEN - length_of(in_str), kBlank, fill_side(ascii_upper(BEF_OR_AFT)));
}

std::u16string TxtHdl::ADD_SPACE_to_STR_byte(const std::u16string& in_str,
                                             const std::int32_t& MAX_LEN,
                                             const std::u16string& BEF_OR_AFT) const {
  // Every character counts two columns, every blank added one.
  return filled(in_str, MAX_LEN - 2 * length_of(in_str), kBlank,
                fill_side(ascii_upper(BEF_OR_AFT)));
}

std::u16string TxtHdl::ADD_SPACE_to_STR_zen(const std::u16string& in_str,
                                            const std::int32_t& MAX_LEN,
                                            const std::u16string& BEF_OR_AFT) const {
  return filled(in_str, MAX_LEN - length_of(in_str), kFullWidthSpace, fill_side(BEF_OR_AFT));
}

std::u16string TxtHdl::ADD_SPACE_to_STR_zen2(const std::u16string& in_str,
                                             const std::int32_t& MAX_LEN,
                                             const std::u16string& BEF_OR_AFT) const {
  const Fill side = fill_side(BEF_OR_AFT);
  const std::int64_t len = length_of(in_str);
  if (len <= MAX_LEN) return filled(in_str, MAX_LEN - len, kFullWidthSpace, side);
  if (MAX_LEN < 0) throw std::invalid_argument("TxtHdl: negative width");
  const auto keep = static_cast<std::size_t>(MAX_LEN);
  return side == Fill::kBefore ? in_str.substr(in_str.size() - keep) : in_str.substr(0, keep);
}

}  // namespace morvanta
