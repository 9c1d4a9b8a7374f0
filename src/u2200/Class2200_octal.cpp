#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

// Messages shown by the caller; an empty text means success.
constexpr std::u16string_view kNoValue = u"値が指定されていません";
constexpr std::u16string_view kNotNumeric = u"数値ではありません";
constexpr std::u16string_view kSevenDigits = u"７桁以上は変換しません";
constexpr std::u16string_view kNotOctalInput = u"入力はオクタル数値ではありません";
constexpr std::u16string_view kTwelveDigits = u"12桁で入力してください";
constexpr std::u16string_view kNotOctal = u"８進ではありません";
constexpr std::u16string_view kBadTdateDay = u"正しいtdate$の時間ではありません（日）";
constexpr std::u16string_view kBadTdateMonth = u"正しいtdate$の時間ではありません（月）";
constexpr std::u16string_view kTooLarge = u"大きすぎる数値が指定されています";

// The largest time word: 86,399,999 ms, 23:59:59.999.
constexpr std::u16string_view kLastTimeWord = u"000511455777";

bool is_digit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool is_octal_digit(char16_t c) {
  return c >= u'0' && c <= u'7';
}
bool is_hex_digit(char16_t c) {
  return is_digit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

std::u16string mid(const std::u16string& s, std::size_t pos, std::size_t len) {
  if (pos < 1 || pos > s.size()) return {};
  return s.substr(pos - 1, len);
}

// The first character that sorts after "7" as text ("8", "9", letters...).
bool has_char_after_7(std::u16string_view s) {
  for (char16_t c : s) {
    if (c > u'7') return true;
  }
  return false;
}

bool clean_octal(std::u16string_view s) {
  if (s.empty()) return false;
  for (char16_t c : s) {
    if (!is_octal_digit(c)) return false;
  }
  return true;
}

// Value of a clean octal text; above the limit is an overflow.
std::int64_t octal_value(std::u16string_view s, std::int64_t limit) {
  std::int64_t v = 0;
  for (char16_t c : s) {
    v = v * 8 + (c - u'0');
    if (v > limit) throw std::overflow_error("Class2200: octal value does not fit");
  }
  return v;
}

std::u16string decimal_text(std::int64_t v) {
  const std::string s = std::to_string(v);
  return std::u16string(s.begin(), s.end());
}

// Length of a run of characters meeting pred from i on.
template <typename Pred>
std::size_t run(std::u16string_view s, std::size_t i, Pred pred) {
  std::size_t n = 0;
  while (i + n < s.size() && pred(s[i + n])) ++n;
  return n;
}

// Value of a text that passed Numeric_chk.
double numeric_value(const std::u16string& in_str) {
  const std::u16string s = text::trimBlanks(in_str);
  if (s.size() >= 2 && s[0] == u'&') {
    const bool hex = s[1] == u'H' || s[1] == u'h';
    double v = 0;
    for (std::size_t i = 2; i < s.size(); ++i) {
      const char16_t c = s[i];
      const int digit = is_digit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
      v = v * (hex ? 16 : 8) + digit;
    }
    return v;
  }
  // Only ASCII reaches here; from_chars does not take a leading "+".
  std::string ascii(s.begin(), s.end());
  if (!ascii.empty() && ascii[0] == '+') ascii.erase(0, 1);
  double v = 0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (ec == std::errc::result_out_of_range) {
    throw std::overflow_error("Class2200: number out of range");
  }
  if (ec != std::errc() || end != ascii.data() + ascii.size()) {
    throw std::invalid_argument("Class2200: not a number");
  }
  return v;
}

// Rounds half to even, as the 32-bit conversion of the numeric text does.
std::int32_t to_int32(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<std::int32_t>::min() &&
        r <= std::numeric_limits<std::int32_t>::max())) {
    throw std::overflow_error("Class2200: value does not fit 32 bits");
  }
  return static_cast<std::int32_t>(r);
}

std::u16string octal_digits_of(std::int64_t b) {
  std::u16string digits;
  for (int i = 0; i < 20; ++i) {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + b % 8));
    b /= 8;
    if (b < 8) {
      digits.insert(digits.begin(), static_cast<char16_t>(u'0' + b));
      break;
    }
  }
  return digits;
}

// Digits 1-12 of a word that must be twelve octal digits; empty when valid.
std::u16string_view check_word(const std::u16string& str) {
  if (!Class2200::Numeric_chk(str)) return kNotNumeric;
  if (str.size() != 12) return kTwelveDigits;
  // A blank, sign or point passes both tests above but is no octal digit.
  if (has_char_after_7(str) || !clean_octal(str)) return kNotOctal;
  return {};
}

}  // namespace

std::int32_t Class2200::Numeric_int32(const std::u16string& in_str) {
  return to_int32(numeric_value(in_str));
}

bool Class2200::Numeric_chk(const std::u16string& in_str) {
  const std::u16string s = text::trimBlanks(in_str);
  if (s.empty()) return false;
  std::size_t i = 0;
  if (s[0] == u'&') {
    if (s.size() < 3) return false;
    if (s[1] == u'O' || s[1] == u'o') return run(s, 2, is_octal_digit) == s.size() - 2;
    if (s[1] == u'H' || s[1] == u'h') return run(s, 2, is_hex_digit) == s.size() - 2;
    return false;
  }
  if (s[i] == u'+' || s[i] == u'-') ++i;
  const std::size_t whole = run(s, i, is_digit);
  i += whole;
  std::size_t fraction = 0;
  if (i < s.size() && s[i] == u'.') {
    ++i;
    fraction = run(s, i, is_digit);
    i += fraction;
  }
  if (whole + fraction == 0) return false;
  if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
    const std::size_t exponent = run(s, i, is_digit);
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == s.size();
}

std::u16string Class2200::DEC_TO_OCT(const std::u16string& in_DEC, std::u16string& out_OCT) const {
  const std::u16string s = text::trimBlanks(in_DEC);
  if (s.empty()) return std::u16string(kNoValue);
  if (!Numeric_chk(s)) return std::u16string(kNotNumeric);
  if (s.size() >= 7) return std::u16string(kSevenDigits);
  const std::int64_t b = to_int32(numeric_value(s));
  // A negative number is written as the octal text of its magnitude with a
  // leading minus sign.
  out_OCT = (b < 0 ? u"-0" : u"0") + octal_digits_of(b < 0 ? -b : b);
  return {};
}

std::int16_t Class2200::OCT_chk(const std::u16string& in_oct) const {
  if (!Numeric_chk(in_oct)) return -1;
  for (char16_t c : in_oct) {
    if (!is_digit(c)) throw std::invalid_argument("Class2200: OCT_chk of a non-digit");
    if (c > u'7') return -1;
  }
  return 0;
}

std::u16string Class2200::OCT_TO_DEC(const std::u16string& in_oct, std::u16string& out_DEC) const {
  const std::u16string s = text::trimBlanks(in_oct);
  if (s.empty()) return std::u16string(kNoValue);
  if (!Numeric_chk(s)) return std::u16string(kNotNumeric);
  // Besides "8", "9" and letters, a sign or point is no octal digit either.
  if (has_char_after_7(s) || !clean_octal(s)) return std::u16string(kNotOctalInput);
  out_DEC = decimal_text(octal_value(s, std::numeric_limits<std::int32_t>::max()));
  return {};
}

std::u16string Class2200::OCT_TO_DBL(const std::u16string& in_org_oct, double& out_DBL) const {
  std::u16string s = in_org_oct;
  if (s.size() >= 2 && s[0] == u'&' && (s[1] == u'o' || s[1] == u'O')) {
    s[0] = u' ';
    s[1] = u' ';
    s = text::trimBlanks(s);
  }
  if (!Numeric_chk(s)) return std::u16string(kNotNumeric);
  if (!is_digit(s[0])) throw std::invalid_argument("Class2200: OCT_TO_DBL of a non-digit");
  // A thirteenth digit in front is accepted when it is a leading zero.
  if (s.size() == 13 && s[0] == u'0') {
    s[0] = u' ';
    s = text::trimBlanks(s);
  }
  s = ADD_ZERO_to_STR(s, 12);
  double v = 0;
  for (std::size_t pos = 1; pos <= 10; pos += 3) {
    const std::u16string group = mid(s, pos, 3);
    if (!clean_octal(group)) return std::u16string(kNotOctal);
    v = v * 512 + static_cast<double>(octal_value(group, 511));
  }
  out_DBL = v;
  return {};
}

std::u16string Class2200::ONE_WORD_TO_DEC_with_part(const std::u16string& inp_part,
                                                    const std::u16string& inp_str) const {
  if (inp_str.empty()) return u" ";
  std::u16string piece;
  if (inp_part == u"H1") {
    piece = mid(inp_str, 1, 6);
  } else if (inp_part == u"H2") {
    piece = mid(inp_str, 7, 6);
  } else if (inp_part == u"Q1") {
    piece = mid(inp_str, 1, 3);
  } else if (inp_part == u"Q2") {
    piece = mid(inp_str, 4, 3);
  } else if (inp_part == u"Q3") {
    piece = mid(inp_str, 7, 3);
  } else if (inp_part == u"Q4") {
    piece = mid(inp_str, 10, 3);
  }
  if (!clean_octal(piece)) return {};
  return decimal_text(octal_value(piece, std::numeric_limits<std::int32_t>::max()));
}

std::u16string Class2200::ONE_WORD_TO_HEX_with_part(const std::u16string& inp_part,
                                                    const std::u16string& inp_str) const {
  const std::u16string d = ONE_WORD_TO_DEC_with_part(inp_part, inp_str);
  // Made for quarter words: only the first three decimal digits count.
  const std::u16string number = text::trimBlanks(d.substr(0, 3));
  if (number.empty()) return d;
  std::int32_t v = 0;
  for (char16_t c : number) v = v * 10 + (c - u'0');
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string h;
  do {
    h.insert(h.begin(), kHex[v % 16]);
    v /= 16;
  } while (v > 0);
  if (h.size() == 1) h.insert(h.begin(), u'0');
  return h;
}

std::u16string Class2200::ADD_ZERO_to_STR(const std::u16string& in_str,
                                          const std::int32_t& MAX_LEN) const {
  if (MAX_LEN <= 0 || in_str.size() >= static_cast<std::size_t>(MAX_LEN)) return in_str;
  return std::u16string(static_cast<std::size_t>(MAX_LEN) - in_str.size(), u'0') + in_str;
}

std::u16string Class2200::tdate_edit(const std::u16string& str, std::int32_t& yyyy,
                                     std::int16_t& month, std::int16_t& dd, std::int16_t& hh,
                                     std::int16_t& mm, std::int16_t& ss) const {
  const std::u16string_view bad = check_word(str);
  if (!bad.empty()) return std::u16string(bad);
  const auto f1 = static_cast<std::int16_t>(octal_value(mid(str, 1, 2), 63));
  const auto f2 = static_cast<std::int16_t>(octal_value(mid(str, 3, 2), 63));
  const auto f3 = static_cast<std::int16_t>(octal_value(mid(str, 5, 2), 63));
  std::int16_t m = 0;
  std::int16_t d = 0;
  std::int32_t year = 0;
  // Month, day, year; or, when the first field is no month, year, month, day.
  // Only the upper bounds are checked.
  if (f1 >= 1 && f1 <= 12) {
    if (f2 > 31) return std::u16string(kBadTdateDay);
    m = f1;
    d = f2;
    year = f3;
  } else {
    if (f2 > 12) return std::u16string(kBadTdateMonth);
    if (f3 > 31) return std::u16string(kBadTdateDay);
    m = f2;
    d = f3;
    year = f1;
  }
  const auto t = static_cast<std::int32_t>(octal_value(mid(str, 7, 6), 0777777));
  const std::int32_t h = t / 3600;
  const std::int32_t r = t - h * 3600;
  yyyy = year + 1964;
  month = m;
  dd = d;
  hh = static_cast<std::int16_t>(h);
  mm = static_cast<std::int16_t>(r / 60);
  ss = static_cast<std::int16_t>(r % 60);
  return {};
}

std::u16string Class2200::time_edit(const std::u16string& str, std::int16_t& hh, std::int16_t& mm,
                                    std::int16_t& ss, std::int16_t& msec) const {
  const std::u16string_view bad = check_word(str);
  if (!bad.empty()) return std::u16string(bad);
  // Both are twelve octal digits, so text order is numeric order.
  if (std::u16string_view(str) > kLastTimeWord) return std::u16string(kTooLarge);
  const std::int64_t ms = octal_value(str, 86'399'999);
  const std::int64_t s = ms / 1000;
  hh = static_cast<std::int16_t>(s / 3600);
  mm = static_cast<std::int16_t>((s % 3600) / 60);
  ss = static_cast<std::int16_t>(s % 60);
  msec = static_cast<std::int16_t>(ms - s * 1000);
  return {};
}

}  // namespace morvanta
