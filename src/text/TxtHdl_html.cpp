#include "text/TxtHdl.h"
#include "text/TxtHdl_internal.h"

namespace morvanta {

using namespace txthdl_internal;

namespace {

struct Split {
  std::u16string before;
  std::u16string after;
};

// The text around the word found at 1-based position at.
Split around(const std::u16string& inp_str, std::int16_t at, const std::u16string& word) {
  const auto start = static_cast<std::size_t>(at - 1);
  return {inp_str.substr(0, start), inp_str.substr(start + word.size())};
}

}  // namespace

std::u16string TxtHdl::HTM_Tag_font_color_add(const std::u16string& inp_str,
                                              const std::u16string& COLOR) const {
  if (COLOR.empty()) return inp_str;
  return u"<font color=" + Double_quotation_add(COLOR) + u">" + inp_str + u"</font>";
}

std::u16string TxtHdl::HTM_Tag_Ahref(const std::int16_t& st_pos, const std::u16string& inp_str,
                                     const std::u16string& ahref_str,
                                     const std::u16string& srch_str) const {
  const std::int16_t at = find_from(inp_str, srch_str, st_pos);
  if (at == 0) return {};
  const Split parts = around(inp_str, at, srch_str);
  return parts.before + u"<A HREF=" + Double_quotation_add(ahref_str) + u">" + srch_str + u"</A>" +
         parts.after;
}

std::u16string TxtHdl::HTM_Tag_FONT_COLOR(std::int16_t& st_pos, const std::u16string& inp_str,
                                          const std::u16string& color_str,
                                          const std::u16string& except_color_str,
                                          const std::u16string& srch_str) const {
  if (srch_str.empty()) return HTM_Tag_font_color_add(inp_str, except_color_str);
  const std::int16_t at = find_from(inp_str, srch_str, st_pos);
  if (at == 0) return inp_str;

  Split parts = around(inp_str, at, srch_str);
  if (!except_color_str.empty()) {
    parts.before = HTM_Tag_font_color_add(parts.before, except_color_str);
    parts.after = HTM_Tag_font_color_add(parts.after, except_color_str);
  }
  std::u16string result = parts.before + u"<font color=" + Double_quotation_add(color_str) + u">" +
                          srch_str + u"</font>" + parts.after;
  // The next search starts just behind this word's closing tag.
  st_pos = to_pos(length_of(result) - length_of(parts.after) + 1);
  return result;
}

}  // namespace morvanta
