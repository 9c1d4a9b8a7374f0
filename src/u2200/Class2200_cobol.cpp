// COBOL source scanners. Columns follow the fixed COBOL layout shifted right
// by Adjust_POS, so the same code reads plain sources and listings whose
// source text is preceded by line numbers.

#include <stdexcept>
#include <string>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

bool is_quote(char16_t ch) {
  return ch == u'"' || ch == u'\'';
}

// The part of a word before its first period, trimmed.
std::u16string before_period(const std::u16string& word) {
  return text::trimBlanks(scan::before_first(word, u'.'));
}

// Column offset (7 the indicator, 8 area A) shifted by Adjust_POS.
std::int16_t column(const Class2200& cls, std::int32_t offset) {
  return scan::column(cls.Adjust_POS + offset);
}

}  // namespace

std::int16_t Class2200::CBL_comment_chk(const std::u16string& in_line) const {
  return scan::char_at(in_line, column(*this, 7)) == u'*' ? 1 : 0;
}

std::u16string Class2200::CBL_get_PERFORM_name(const std::u16string& fnc,
                                               std::u16string& in_str) const {
  (void)fnc;  // the pass name does not change what a line performs
  in_str = text::upperAscii(in_str);
  std::int16_t p = column(*this, 8);
  if (th.Text_find(in_str, u"PERFORM", p) == 0 || CBL_comment_chk(in_str) == 1) return {};
  const auto f = th.Field_get(in_str, p);
  return f.empty() ? std::u16string() : before_period(f);
}

std::u16string Class2200::CBL_get_CALL_name(const std::u16string& fnc,
                                            std::u16string& in_str) const {
  (void)fnc;
  in_str = text::upperAscii(in_str);
  std::int16_t p = column(*this, 8);
  const auto k = th.Text_find(in_str, u"CALL", p);
  if (k == 0 || CBL_comment_chk(in_str) == 1) return {};
  // A quote before the keyword means it stands inside a literal.
  for (std::int32_t i = 1; i < k; ++i)
    if (is_quote(scan::char_at(in_str, i))) return {};

  auto f = text::trimBlanks(th.Field_get(in_str, p));
  if (f.empty()) return {};
  const bool period = scan::contains(f, u'.');
  const bool quoted = is_quote(f[0]);
  if (period && quoted) {
    // closing quote and period
    f[f.size() - 1] = u' ';
    if (f.size() >= 2) f[f.size() - 2] = u' ';
  } else if (period || quoted) {
    f[f.size() - 1] = u' ';
  }
  if (is_quote(f[0])) f[0] = u' ';
  return text::trimBlanks(f);
}

std::u16string Class2200::CBL_get_PROGRAMID_name(const std::u16string& fnc,
                                                 std::u16string& in_str) {
  (void)fnc;
  in_str = text::upperAscii(in_str);
  std::int16_t p = column(*this, 8);
  if (th.Text_find(in_str, u"PROGRAM-ID.", p) == 0) return {};
  std::int16_t q = p;
  // The keyword belongs in area A (column 8 of a plain source); wherever it is
  // found gives the width of the columns in front of the source text.
  if (q != 19) Adjust_POS = static_cast<std::int16_t>(q - 19);
  if (CBL_comment_chk(in_str) == 1) return {};
  return text::trimBlanks(th.Text_pick(in_str, u".", q));
}

std::u16string Class2200::CBL_get_PERFORM_body(const std::u16string& input_str,
                                               std::int16_t& SECTION_FLG) const {
  const auto s = text::upperAscii(input_str);
  SECTION_FLG = 0;
  const std::int16_t a = column(*this, 8);
  if (static_cast<std::int32_t>(s.size()) < a || scan::char_at(s, a) == u' ') return {};
  std::int16_t p = a;
  const auto name = th.Field_get(s, p);
  if (name.empty()) return {};
  if (scan::contains(th.Field_get(s, p), u"SECTION")) SECTION_FLG = 1;
  return before_period(name);
}

std::int16_t Class2200::CBL_get_prog_start(std::u16string& in_str) const {
  in_str = text::upperAscii(in_str);
  std::int16_t p = column(*this, 8);
  if (th.Text_find(in_str, u"PROCEDURE", p) == 0) return 0;
  const auto next = text::trimBlanks(th.Field_get(in_str, p));
  return next == u"DIVISION" || next == u"DIVISION." ? 1 : 0;
}

}  // namespace morvanta
