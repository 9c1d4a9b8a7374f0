// PLUS source scanners. A double quote opens a comment; procedures are
// declared with PROCEDURE and are EXPORTED (with an external name in
// apostrophes), IMPORTED or internal.

#include <string>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

const std::u16string kFound = u"FOUND";
const std::u16string kEol = u"EOL";
const std::u16string kRepeat = u"REPEAT";

// Words that mark a comment line as the one-line description of a procedure.
const std::u16string kKinouHalfWidth = u"\uFF77\uFF89\uFF73";  // ｷﾉｳ
const std::u16string kKinou = u"機能";

constexpr int kTriesPerName = 3;

// The name in apostrophes after keyword (EXPORTED or IMPORTED); none when
// there is no name. out_sts: 0 no keyword outside a comment, 1 no name, 2 name.
std::u16string external_name(const TxtHdl& th, std::u16string& in_str, std::int16_t& out_sts,
                             const std::u16string& keyword, const std::u16string& none) {
  in_str = text::upperAscii(in_str);
  out_sts = 0;
  std::int16_t p = 1;
  if (th.Text_find(in_str, keyword, p) == 0) return none;
  const auto quote = scan::find_col(in_str, u'"');
  if (quote != 0 && quote < p) return none;  // the keyword stands in a comment
  if (th.Text_find(in_str, u"'", p) == 0) {
    out_sts = 1;
    return none;
  }
  const auto name = th.Text_pick(in_str, u"'", p);
  if (name.empty()) {
    out_sts = 1;
    return none;
  }
  out_sts = 2;
  return text::trimBlanks(name);
}

}  // namespace

std::int16_t Class2200::comment_chk(const std::u16string& in_line, const std::int16_t& pos) const {
  return scan::find_col(in_line, DQ_chr, pos);
}

std::int16_t Class2200::TOP_img_comment_chk(const std::u16string& in_line,
                                            const std::int16_t& pos) const {
  std::int16_t p = pos;
  return scan::starts_with(th.Field_get(in_line, p), DQ_chr.front()) ? 1 : 0;
}

std::u16string Class2200::comment_cut(const std::u16string& in_line) const {
  auto s = in_line;
  if (const auto open = s.find(DQ_chr + u"*"); open != std::u16string::npos) {
    s[open] = u' ';
    s[open + 1] = u' ';
  }
  if (const auto b = scan::find_col(s, u'*'); b != 0) {
    std::int16_t p = scan::column(b + 1);
    if (text::trimBlanks(th.Field_get(s, p)).empty()) s[static_cast<std::size_t>(b - 1)] = u' ';
  }
  return s;
}

std::int16_t Class2200::keep_comment(const std::u16string& in_line, std::u16string& out_str,
                                     std::u16string& out_kinou,
                                     const std::int16_t& in_skip_pos) const {
  if (comment_chk(in_line, in_skip_pos) == 0) return 0;
  if (scan::contains(in_line, u"**********")) return 1;  // a ruling line
  // The last character is the comment's closing quote.
  const auto from = static_cast<std::size_t>(in_skip_pos - 1);
  const auto count = in_line.size() - static_cast<std::size_t>(in_skip_pos);
  const auto s = text::trimBlanks(comment_cut(in_line.substr(from, count)));
  if (s.empty()) return 1;
  if (scan::contains(s, kKinouHalfWidth) || scan::contains(s, kKinou)) out_kinou = s;
  out_str += s;
  return 1;
}

std::u16string Class2200::get_procedure_Name(const std::u16string& fnc, std::u16string& in_str) {
  in_str = text::upperAscii(in_str);
  std::int16_t p = GET_Start_Column();
  if (th.Text_find(in_str, u"PROCEDURE", p) == 0) return {};
  const auto quote = scan::find_col(in_str, DQ_chr);
  if (quote != 0 && quote < p) return {};  // the word stands in a comment
  const auto f = th.Field_get(in_str, p);
  if (f.empty()) return {};
  std::u16string name;
  if (scan::contains(f, u'(')) {
    name = scan::before_first(f, u'(');
    if (text::trimBlanks(name) == u"IMPORTED") return {};
  } else {
    name = scan::before_first(f, u';');
  }
  // An empty name would match every line in the marking pass.
  if (fnc == u"make" && !name.empty())
    scan::store_entry(root_PLUS_procedure_name, root_PLUS_procedure_cnt, name);
  return name;
}

std::u16string Class2200::get_procedure_type(const std::u16string& first_str,
                                             std::u16string& export_import_name,
                                             std::int16_t& repeat_flg) const {
  auto line = first_str;
  repeat_flg = 0;
  std::int16_t sts = 0;
  if (scan::contains(line, u" EXPORTED")) {
    const auto name = get_export_name(line, sts);
    if (sts == 2) export_import_name = name;
    return u"EXPORTED";
  }
  if (scan::contains(line, u" IMPORTED")) {
    const auto name = get_import_name(line, sts);
    if (sts == 2) export_import_name = name;
    return u"IMPORTED";
  }
  if (scan::contains(line, u';')) return u"INTERNAL";
  repeat_flg = 1;  // the declaration goes on in the next line
  return {};
}

std::u16string Class2200::get_export_name(std::u16string& in_str, std::int16_t& out_sts) const {
  return external_name(th, in_str, out_sts, u"EXPORTED", u" ");
}

std::u16string Class2200::get_import_name(std::u16string& in_str, std::int16_t& out_sts) const {
  return external_name(th, in_str, out_sts, u"IMPORTED", u"");
}

std::u16string Class2200::get_sub_procedure_name(const std::u16string& i_line,
                                                 std::int16_t& out_pos) const {
  const auto n = scan::stored(root_PLUS_procedure_name, root_PLUS_procedure_cnt);
  std::u16string sts;
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(n); ++i) {
    std::int16_t p = GET_Start_Column();
    for (std::int32_t j = 0; j < kTriesPerName; ++j) {
      auto name = get_sub_procedure_name_SUB(i_line, p, i, j, sts);
      if (sts == kFound) {
        out_pos = p;
        return name;
      }
      if (sts == kEol) break;
    }
  }
  return {};
}

std::u16string Class2200::get_sub_procedure_name_SUB(const std::u16string& i_line,
                                                     std::int16_t& pos, const std::int32_t& i,
                                                     const std::int32_t& j,
                                                     std::u16string& sts) const {
  const auto& name = root_PLUS_procedure_name.at(static_cast<std::size_t>(i));
  sts = kEol;
  if (name.empty()) return {};
  const auto c = scan::find_col(i_line, name, pos);
  if (c == 0) return {};
  if (j == 0 && scan::contains(i_line, u"PROCEDURE ")) return {};  // a declaration
  // Every try, not only the first: a later occurrence may stand in a comment.
  const auto quote = scan::find_col(i_line, DQ_chr);
  if (quote != 0 && quote < c) return {};

  pos = scan::column(c + 1);
  const auto len = static_cast<std::int32_t>(name.size());
  const auto before = scan::char_at(i_line, c - 1);
  const auto after = scan::char_at(i_line, c + len);
  if ((c == 1 || before == u' ') && (after == u' ' || after == u'(' || after == u';')) {
    sts = kFound;
    pos = c;
    return name;
  }
  const auto line_len = static_cast<std::int32_t>(i_line.size());
  sts = line_len < len || line_len - len < pos ? kEol : kRepeat;
  return {};
}

}  // namespace morvanta
