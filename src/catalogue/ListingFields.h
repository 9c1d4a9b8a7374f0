#pragma once
// The fields of a listing line read straight from its bytes. A trimmed line
// is read as the text toolkit's Field_get reads it with one blank after it
// (the blank is not copied but answered for): a field is a run of non-blank
// bytes, and after a run of more than 100 blanks the reader stays where it
// is, so every further field is the same one.

#include <cstddef>
#include <string_view>

namespace morvanta::catalogue {

// How far a field's reader looks past a field for the next one.
inline constexpr std::size_t kFieldBlankLimit = 100;

// Fields 5 to 8 of a trimmed "mdir" line, the first four skipped; a field
// the line lacks is empty. The bytes up to readableEnd (at or past the
// line's end) may be read.
void listedFields(std::string_view line, const char* readableEnd, std::string_view (&fields)[4]);

// The first position of `c` in a short text, or npos: a plain loop, as a
// name or a field is too short for a library search to pay for its call.
inline std::size_t findInShort(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

// Calls `line` with each line of a listing file's bytes, without its end:
// CR LF and a lone LF end a line alike, and a CR without its LF at the very
// end belongs to the line.
template <class Line>
void forEachLine(std::string_view bytes, Line&& line) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r' && end < bytes.size()) --end;
    line(bytes.substr(start, end - start));
    start = next;
  }
}

// True when no byte lies beyond ASCII.
bool isAsciiBytes(std::string_view text);

}  // namespace morvanta::catalogue
