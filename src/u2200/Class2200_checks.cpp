// Listing kinds, start columns and the small classifying checks that the
// source scanners build on.

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

// Two hexadecimal digits compared as text, as the listing tools print them.
bool in_range(const std::u16string& byte, const char16_t* lo, const char16_t* hi) {
  return byte >= lo && byte <= hi;
}

}  // namespace

std::u16string Class2200::TASK_TYPE_set(const std::u16string& str_a, std::int16_t& OUT_NOW_FOUND,
                                        const std::u16string& old_line_img) {
  // A processor's sign-on line follows the control statement that called it.
  if (scan::char_at(old_line_img, 1) != u'@') {
    OUT_NOW_FOUND = 0;
    return TASK_TYPE;
  }
  const std::array<std::pair<const char16_t*, const std::u16string*>, 8> kinds{{
      {u"PLS ", &DF_Task_PLS},
      {u"UPLS- ", &DF_Task_UPLS},
      {u"ELT ", &DF_Task_ELT},
      {u"UCOB- ", &DF_Task_UCOB},
      {u"MASM ", &DF_Task_MASM},
      {u"LINK", &DF_Task_LINK},
      {u"MAP", &DF_Task_MAP},
      {u"FURPUR ", &DF_Task_FURPUR},
  }};
  const auto line = text::upperAscii(str_a);
  OUT_NOW_FOUND = 0;
  for (const auto& [prefix, kind] : kinds) {
    if (line.starts_with(prefix)) {
      TASK_TYPE = *kind;
      OUT_NOW_FOUND = 1;
      break;
    }
  }
  return TASK_TYPE;
}

std::int16_t Class2200::GET_Start_Column() const {
  if (TASK_TYPE == DF_Task_PLS) return scan::column(PLS_SKIP_POS + 1);
  if (TASK_TYPE == DF_Task_UPLS) return scan::column(UPLS_SKIP_POS + 1);
  if (TASK_TYPE == DF_Task_ELT) return scan::column(ELT_SKIP_POS + 1);
  if (TASK_TYPE == DF_Task_MASM) return scan::column(MASM_SKIP_POS + 1);
  return 1;
}

std::int16_t Class2200::GET_LEVEL_and_GENLINE(const std::u16string& str_b, std::int32_t& out_level,
                                              std::int32_t& out_genline) const {
  out_level = 0;
  out_genline = 0;
  if (TASK_TYPE == DF_Task_PLS) {
    std::int16_t p = 1;
    const auto f1 = th.Field_get(str_b, p);
    const auto f2 = th.Field_get(str_b, p);
    const auto f3 = th.Field_get(str_b, p);
    const auto f4 = th.Field_get(str_b, p);
    (void)f2;  // the column between line number and level is not wanted
    if (Numeric_chk(f1)) {
      if (Numeric_chk(f3)) out_level = Numeric_int32(f3);
      if (Numeric_chk(f4)) out_genline = Numeric_int32(f4);
    }
  } else if (TASK_TYPE == DF_Task_UPLS) {
    const auto genline = text::trimBlanks(str_b.substr(0, 6));
    if (Numeric_chk(genline)) {
      out_genline = Numeric_int32(genline);
      const auto level =
          str_b.size() > 18 ? text::trimBlanks(str_b.substr(18, 2)) : std::u16string();
      if (Numeric_chk(level)) out_level = Numeric_int32(level);
    }
  } else if (TASK_TYPE == DF_Task_ELT) {
    std::int16_t p = 1;
    auto f = th.Field_get(str_b, p);
    if (scan::blank_first(f, u'.')) {
      f = text::trimBlanks(f);
      if (Numeric_chk(f)) out_genline = Numeric_int32(f);
    }
  }
  return 0;
}

std::u16string Class2200::get_element_name(std::u16string& in_str, std::u16string& e_type) const {
  std::u16string name = u" ";
  e_type = u"UNDEF";
  in_str = text::upperAscii(in_str) + u" ";
  std::int16_t p = 1;
  if (th.Text_find(in_str, u"ED,R", p) == 0 || th.Text_find(in_str, u".", p) == 0) return name;
  name = text::trimBlanks(th.Text_pick(in_str, u" ", p));
  if (const auto slash = name.find(u'/'); slash != std::u16string::npos) name[slash] = u'_';
  if (th.Text_find(in_str, u".", p) != 0) {
    const auto t = th.Field_get(in_str, p);
    if (Elt_PLUS_chk(t) == 1)
      e_type = u"PLS";
    else if (Elt_MASM_chk(t) == 1)
      e_type = u"MASM";
    else if (!t.empty())
      e_type = t;
  }
  return name;
}

std::int16_t Class2200::Elt_PLUS_chk(const std::u16string& in_type) const {
  return scan::one_of(in_type, {u"EMPLS", u"PLS", u"UPLS", u"PLUS"}) ? 1 : 0;
}

std::int16_t Class2200::Elt_COB_chk(const std::u16string& in_type) const {
  return scan::one_of(in_type, {u"UCOB", u"COB", u"COBOL", u"ACOB"}) ? 1 : 0;
}

std::int16_t Class2200::Elt_MASM_chk(const std::u16string& in_type) const {
  return scan::one_of(in_type, {u"MASM", u"MSM"}) ? 1 : 0;
}

std::int16_t Class2200::Elt_SKEL_chk(const std::u16string& in_type) const {
  return scan::one_of(in_type, {u"SKL", u"SKEL"}) ? 1 : 0;
}

std::u16string Class2200::koumoku_find(const std::u16string& inp_LANG,
                                       const std::u16string& wk_conv_str,
                                       const std::u16string& wk_color_chg_str) const {
  const auto b = wk_conv_str.find(wk_color_chg_str);
  if (b == std::u16string::npos) return wk_color_chg_str;
  const auto d = b + wk_color_chg_str.size();
  if (d >= wk_conv_str.size()) return wk_color_chg_str;
  const bool underscore =
      Elt_PLUS_chk(inp_LANG) == 1 || inp_LANG == DF_LANG_SKEL || inp_LANG == DF_LANG_VB;
  const bool hyphen = Elt_COB_chk(inp_LANG) == 1;
  std::size_t n = 0;
  for (auto i = d; i < wk_conv_str.size(); ++i, ++n) {
    const auto ch = wk_conv_str[i];
    if (ch == u'$' || scan::is_ascii_alnum(ch)) continue;
    if (ch == u'_' && underscore) continue;
    if (ch == u'-' && hyphen) continue;
    break;
  }
  return wk_conv_str.substr(b, n + wk_color_chg_str.size());
}

std::int16_t Class2200::SJIS_CHK(const std::u16string& INP) const {
  if (INP.size() < 4) return 0;
  const auto first = INP.substr(0, 2);
  const auto second = INP.substr(2, 2);
  const bool lead = in_range(first, u"81", u"9F") || in_range(first, u"E0", u"EF");
  const bool trail = in_range(second, u"40", u"7E") || in_range(second, u"80", u"9E") ||
                     in_range(second, u"9F", u"FC");
  return lead && trail ? 1 : 0;
}

std::int16_t Class2200::LETSJ_CHK(const std::u16string& INP) const {
  if (INP.size() < 4) return 0;
  const auto first = INP.substr(0, 2);
  const auto second = INP.substr(2, 2);
  const bool lead = in_range(first, u"A1", u"A8") || in_range(first, u"31", u"7E") ||
                    in_range(first, u"B0", u"F4");
  return lead && in_range(second, u"A1", u"FE") ? 1 : 0;
}

}  // namespace morvanta
