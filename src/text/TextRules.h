#pragma once
// The two text rules every layer needs: which characters are blanks (U+0020
// alone unless the caller says more, as the command interpreter does for
// TAB), and upper case for ASCII letters only, so kana, kanji and full-width
// letters come back unchanged.

#include <string>
#include <string_view>

namespace morvanta::text {

inline std::u16string trimBlanks(std::u16string_view text, std::u16string_view blanks = u" ") {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::u16string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return std::u16string(text.substr(first, last - first + 1));
}

inline std::u16string upperAscii(std::u16string text) {
  for (auto& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return text;
}

}  // namespace morvanta::text
