#include "u2200/Class2200.h"

#include <stdexcept>

namespace morvanta {

namespace {

// Base-8 digits without leading zeros ("0" for 0).
std::u16string octal_text(std::int32_t n) {
  if (n == 0) return u"0";
  std::u16string digits;
  while (n > 0) {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 8));
    n /= 8;
  }
  return digits;
}

// The character whose code is the octal text; only table texts reach here.
char16_t char_of_octal(const std::u16string& code) {
  std::int32_t v = 0;
  for (char16_t c : code) v = v * 8 + (c - u'0');
  return static_cast<char16_t>(v);
}

// The 16-bit read position of the conversions below must not pass 32767.
std::int16_t advance(std::int16_t pos, std::int32_t step) {
  const std::int32_t next = pos + step;
  if (next > 32767) throw std::overflow_error("Class2200: read position past 32767");
  return static_cast<std::int16_t>(next);
}

// Up to len characters from the 1-based position, fewer where the text ends.
std::u16string mid(const std::u16string& s, std::int32_t pos, std::int32_t len) {
  if (pos < 1 || static_cast<std::size_t>(pos) > s.size()) return {};
  return s.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(len));
}

}  // namespace

Class2200::Class2200() {
  // Letters A..Z: Fieldata 06..37, ASCII 101..132.
  for (std::int32_t n = 1; n <= 26; ++n) {
    std::u16string fd = octal_text(n + 5);
    if (fd.size() == 1) fd.insert(fd.begin(), u'0');
    add_code_row(fd, octal_text(n + 64));
  }
  // Digits 0..9: Fieldata 60..71, ASCII 060..071.
  for (std::int32_t n = 27; n <= 36; ++n) {
    const std::u16string fd = octal_text(48 + (n - 27));
    add_code_row(fd, u"0" + fd);
  }
  add_code_row(u"05", u"040");  // blank
  add_code_row(u"00", u"100");  // @
  add_code_row(u"01", u"133");  // [
  add_code_row(u"02", u"135");  // ]
  add_code_row(u"03", u"043");  // #
  add_code_row(u"40", u"051");  // )
  add_code_row(u"41", u"055");  // -
  add_code_row(u"42", u"053");  // +
  add_code_row(u"43", u"074");  // <
  add_code_row(u"44", u"075");  // =
  add_code_row(u"45", u"076");  // >
  add_code_row(u"46", u"046");  // &
  add_code_row(u"47", u"044");  // $
  add_code_row(u"50", u"052");  // *
  add_code_row(u"51", u"050");  // (
  add_code_row(u"52", u"042");  // double quote
  add_code_row(u"53", u"072");  // :
  add_code_row(u"54", u"077");  // ?
  add_code_row(u"55", u"041");  // !
  add_code_row(u"56", u"054");  // ,
  add_code_row(u"73", u"073");  // ;
  add_code_row(u"74", u"057");  // /
  add_code_row(u"75", u"056");  // .

  SPACE_default = u" ";
  FD_default_code = u"00";
  ASC_default_code = u"000";
  DQ_chr = u"\"";
  SQ_chr = u"'";
}

void Class2200::add_code_row(const std::u16string& fd, const std::u16string& asc) {
  if (FD_code_cnt + 1 > kCodeRows) throw std::out_of_range("Class2200: code table is full");
  ++FD_code_cnt;
  FD_code[static_cast<std::size_t>(FD_code_cnt)] = fd;
  ASC_code[static_cast<std::size_t>(FD_code_cnt)] = asc;
}

const std::u16string& Class2200::code_lookup(const CodeColumn& from, const std::u16string& code,
                                             const CodeColumn& to,
                                             const std::u16string& fallback) const {
  for (std::int32_t row = 1; row <= FD_code_cnt; ++row) {
    if (from[static_cast<std::size_t>(row)] == code) return to[static_cast<std::size_t>(row)];
  }
  return fallback;
}

std::u16string Class2200::FD_TO_ASC(const std::u16string& in_str,
                                    const std::int16_t& in_chr_cnt) const {
  std::u16string result;
  std::int16_t p = 1;
  for (std::int32_t i = 1; i <= in_chr_cnt; ++i) {
    // Codes compare as text: "6" is not "06".
    const std::u16string code = mid(in_str, p, 2);
    result.push_back(char_of_octal(code_lookup(FD_code, code, ASC_code, ASC_default_code)));
    p = advance(p, 2);
  }
  return result;
}

std::u16string Class2200::ASC_TO_FDcode(const std::u16string& in_str,
                                        const std::int16_t& in_chr_cnt) const {
  std::u16string result;
  std::int16_t p = 1;
  for (std::int32_t i = 1; i <= in_chr_cnt; ++i) {
    const std::u16string code = mid(in_str, p, 3);
    result += code_lookup(ASC_code, code, FD_code, FD_default_code);
    p = advance(p, 3);
  }
  return result;
}

}  // namespace morvanta
