#include "u2200/Class2200.h"

namespace morvanta {

namespace {

constexpr char16_t kFullWidthAsterisk[] = u"\uFF0A";  // ＊
constexpr char16_t kFullWidthSolidus[] = u"\uFF0F";   // ／

bool looks_like_path(const std::u16string& s) {
  return (s.size() >= 3 && s.compare(1, 2, u":\\") == 0) || s.starts_with(u"file:///") ||
         s.starts_with(u"http://");
}

}  // namespace

std::u16string Class2200::htm_path_to_2200_file_elt(const std::u16string& inp_str,
                                                    const std::u16string& KUGIRI,
                                                    const std::int16_t& file_elt_flg) const {
  if (!looks_like_path(inp_str) || KUGIRI.empty()) return {};
  // The folder holding the full-width asterisk is the 2200 file; the next
  // component, without its extension, is the element.
  const std::int16_t a = th.B_Instr(inp_str, kFullWidthAsterisk);
  if (a == 0) return {};
  const std::int16_t b = th.B_Instr_with_start_pos(a, inp_str, KUGIRI);
  if (b == 0) return {};
  const auto d = inp_str.find(KUGIRI, static_cast<std::size_t>(b));
  if (d == std::u16string::npos) return {};
  const auto file_start = static_cast<std::size_t>(b);
  std::u16string file = inp_str.substr(file_start, d - file_start);
  th.Char_chg(file, 1, kFullWidthAsterisk, u"*", u"", u"");

  const std::int16_t g = th.B_Instr(inp_str, u".");
  if (g == 0) return {};
  const auto elt_start = d + 1;
  // A last "." before the element component leaves no element name.
  if (static_cast<std::size_t>(g - 1) < elt_start) return {};
  std::u16string element = inp_str.substr(elt_start, static_cast<std::size_t>(g - 1) - elt_start);
  th.Char_chg(element, 1, kFullWidthSolidus, u"/", u"", u"");

  if (file_elt_flg == 1) return file;
  if (file_elt_flg == 2) return element;
  return file + u"." + element;
}

}  // namespace morvanta
