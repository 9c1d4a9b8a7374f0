#include <array>
#include <string_view>
#include <utility>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

constexpr char16_t kFullWidthAsterisk = u'\uFF0A';  // ＊
constexpr char16_t kFullWidthSolidus = u'\uFF0F';   // ／

// Overwrites the first occurrence of one character; the length never changes.
void replace_first(std::u16string& s, char16_t from, char16_t to) {
  const auto at = s.find(from);
  if (at != std::u16string::npos) s[at] = to;
}

// ".TXT" is blanked in place, first occurrence only.
void blank_txt_extension(std::u16string& s) {
  const auto at = s.find(u".TXT");
  if (at != std::u16string::npos) s.replace(at, 4, u"    ");
}

}  // namespace

std::u16string Class2200::U2200FileName_to_PcName(const std::u16string& in_str) const {
  std::u16string name = in_str;
  replace_first(name, u'*', kFullWidthAsterisk);
  return text::trimBlanks(name);
}

std::u16string Class2200::PcName_to_U2200FileName(const std::u16string& in_str) const {
  std::u16string name = in_str;
  replace_first(name, kFullWidthAsterisk, u'*');
  return text::trimBlanks(name);
}

std::u16string Class2200::U2200ElementName_to_PcName(const std::u16string& dsp_or_txt,
                                                     const std::u16string& in_str,
                                                     std::u16string& out_typ) const {
  const std::array<std::pair<std::u16string, const std::u16string*>, 4> suffixes{{
      {u"_SYM", &DF_ELT_SYM},
      {u"_ABS", &DF_ELT_ABS},
      {u"_REL", &DF_ELT_REL},
      {u"_OMN", &DF_ELT_OMN},
  }};
  std::u16string typ = DF_ELT_SYM;
  std::u16string name = in_str;
  const std::u16string w = in_str + u" ";
  for (const auto& [suffix, type_word] : suffixes) {
    // A suffix at the very start picks nothing and does not count.
    std::int16_t p = 1;
    const std::u16string before = th.Text_pick(w, suffix, p);
    if (!before.empty()) {
      name = before;
      typ = *type_word;
      break;
    }
  }
  if (!name.empty() && name.back() == u'.') {
    name.back() = u' ';
  } else {
    replace_first(name, u'.', u'/');
  }
  if (dsp_or_txt == u"TXT") {
    replace_first(name, u'/', kFullWidthSolidus);
  } else if (dsp_or_txt == u"TXT.") {
    replace_first(name, u'/', u'.');
  }
  out_typ = typ;
  return text::trimBlanks(name);
}

std::u16string Class2200::PcName_to_U2200ElementName(const std::u16string& in_str) const {
  std::u16string name = text::upperAscii(in_str);
  blank_txt_extension(name);
  replace_first(name, kFullWidthSolidus, u'/');
  replace_first(name, u'.', u'/');
  return text::trimBlanks(name);
}

std::u16string Class2200::PcName_to_U2200ElementName_FTP(const std::u16string& in_str,
                                                         const std::u16string& IN_ELT_TYP) const {
  std::u16string name = text::upperAscii(in_str);
  if (name.find(u".TXT") != std::u16string::npos) {
    blank_txt_extension(name);
    name = text::trimBlanks(name);
  }
  replace_first(name, kFullWidthSolidus, u'/');
  if (name.find(u'/') != std::u16string::npos) {
    replace_first(name, u'/', u'.');
  } else {
    name += u".";
  }
  return text::trimBlanks(name + u"_" + IN_ELT_TYP);
}

std::u16string Class2200::month_string_edit(const std::u16string& inpstr) const {
  static constexpr std::array<std::u16string_view, 12> kMonths{u"JAN", u"FEB", u"MAR", u"APR",
                                                               u"MAY", u"JUN", u"JUL", u"AUG",
                                                               u"SEP", u"OCT", u"NOV", u"DEC"};
  const std::u16string m = text::upperAscii(inpstr);
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (m == kMonths[i]) {
      const auto n = static_cast<char16_t>(i + 1);
      return {static_cast<char16_t>(u'0' + n / 10), static_cast<char16_t>(u'0' + n % 10)};
    }
  }
  return u"00";
}

}  // namespace morvanta
