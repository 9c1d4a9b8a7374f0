// SKEL source scanners: "*DEFINE" procedures and their "*PROCESS" calls,
// DEFINE statements that may run over several lines, and line joining.

#include <string>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

constexpr int kMaxJoinedFields = 30;

}  // namespace

std::u16string Class2200::SKEL_get_DEFINE_name(const std::u16string& fnc, std::u16string& in_str) {
  in_str = text::upperAscii(in_str);
  std::int16_t p = GET_Start_Column();
  if (th.Text_find(in_str, u"*DEFINE", p) == 0) return {};
  auto name = th.Field_get(in_str, p);
  if (!name.empty() && fnc == u"make")
    scan::store_entry(root_SKEL_procedure_name, root_SKEL_procedure_cnt, name);
  return name;
}

std::u16string Class2200::SKEL_get_call_DEFINE_name(const std::u16string& i_line,
                                                    std::int16_t& out_pos) const {
  const auto k = scan::find_col(i_line, u"*PROCESS ");
  if (k == 0) return {};
  std::int16_t p = scan::column(k + 8);
  const auto called = th.Field_get(i_line, p);
  const auto at = scan::find_entry(root_SKEL_procedure_name, root_SKEL_procedure_cnt, called);
  if (called.empty() || at < 0) return {};
  out_pos = 1;  // a found-flag: callers mark the whole line
  return root_SKEL_procedure_name[static_cast<std::size_t>(at)];
}

void Class2200::DEFINE_GET(const std::u16string& str_b, std::int16_t& DEFINE_found,
                           std::int16_t& DEFINE_pending, std::u16string& define_name,
                           std::u16string& define_val) const {
  DEFINE_found = 0;
  std::int16_t p = GET_Start_Column();
  const auto w = th.Field_get(str_b, p);
  if (w.empty()) return;
  if (DEFINE_pending != 0) {
    define_name = w;  // a continuation line starts with the next name
  } else if (w != u"DEFINE") {
    return;
  } else {
    define_name = th.Field_get(str_b, p);
  }
  define_name = text::trimBlanks(define_name);
  if (!define_name.empty() && define_name.back() == u'=') {
    define_name.back() = u' ';
    define_name = text::trimBlanks(define_name);
  }
  if (define_name.empty()) return;

  const auto equals = scan::find_col(str_b, u'=');
  if (equals == 0) return;
  p = scan::column(equals + 1);
  define_val = th.Field_get(str_b, p);
  if (define_val.empty()) return;
  bool continued = false;
  if (define_val.back() == u';') {
    define_val.back() = u' ';
  } else if (define_val.back() == u',') {
    define_val.back() = u' ';
    continued = true;
  }
  define_val = text::trimBlanks(define_val);
  DEFINE_found = 1;
  DEFINE_pending = continued || scan::find_col(str_b, u',', p) != 0 ? 1 : 0;
}

namespace {

// Fields of s, each preceded by one blank. A field followed by a very long run
// of blanks leaves the reading position at its own start; stepping over it
// ourselves keeps such a field from being taken again.
std::u16string spaced_fields(const TxtHdl& th, const std::u16string& s) {
  std::u16string out;
  std::int16_t p = 1;
  for (int i = 0; i < kMaxJoinedFields; ++i) {
    std::int32_t start = p;
    while (scan::char_at(s, start) == u' ') ++start;
    const auto f = th.Field_get(s, p);
    if (f.empty()) break;
    out += u' ';
    out += f;
    if (p == start) p = scan::column(start + static_cast<std::int32_t>(f.size()));
  }
  return out;
}

}  // namespace

std::u16string Class2200::LINE_Renketu(const std::u16string& in_line1,
                                       const std::u16string& in_line2,
                                       const std::int16_t& gyoukan_trim,
                                       const std::int16_t& field_trim) const {
  const auto s1 = text::trimBlanks(in_line1) + u" ";
  const auto s2 = text::trimBlanks(in_line2) + u" ";
  if (field_trim != 0) return spaced_fields(th, s1) + u" " + spaced_fields(th, s2);
  if (gyoukan_trim == 1) return text::trimBlanks(s1) + u" " + s2;
  if (gyoukan_trim == 0) return text::trimBlanks(s1) + s2;
  return {};
}

}  // namespace morvanta
