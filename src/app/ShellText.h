#pragma once
// The text rules the configuration readers need: a blank is U+0020 alone,
// and upper-casing touches the ASCII letters only (host names, keys and
// 2200 file names are ASCII).

#include <string>

namespace morvanta::app {

inline std::u16string trimBlanks(const std::u16string& text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  const auto last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

inline std::u16string upperAscii(std::u16string text) {
  for (auto& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return text;
}

}  // namespace morvanta::app
