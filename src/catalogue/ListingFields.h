#pragma once
// The fields of a listing line read straight from its bytes. A trimmed line
// is read as the text toolkit's Field_get reads it with one blank after it
// (the blank is not copied but answered for): a field is a run of non-blank
// bytes, and after a run of more than 100 blanks the reader stays where it
// is, so every further field is the same one.

#include <cstddef>
#include <string_view>

namespace morvanta::catalogue {

// Fields 5 to 8 of a trimmed "mdir" line, the first four skipped; a field
// the line lacks is empty.
void listedFields(std::string_view line, std::string_view (&fields)[4]);

// The first position of `c` in a short text, or npos: a plain loop, as a
// name or a field is too short for a library search to pay for its call.
inline std::size_t findInShort(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

// True when no byte lies beyond ASCII.
bool isAsciiBytes(std::string_view text);

}  // namespace morvanta::catalogue
