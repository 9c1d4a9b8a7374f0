#pragma once
// Small text helpers shared by the Class2200 source files. Positions are
// 1-based columns, as everywhere in the core; "not found" is column 0.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/TextRules.h"

namespace morvanta::scan {

// A column computed from members and lengths; like every position it must
// fit 16 bits.
inline std::int16_t column(std::int32_t col) {
  if (col > 32767 || col < -32768) throw std::overflow_error("column past 32767");
  return static_cast<std::int16_t>(col);
}

// Character at a 1-based column, or 0 past either end (a short line simply
// has nothing there).
inline char16_t char_at(const std::u16string& s, std::int32_t col) {
  if (col < 1 || col > static_cast<std::int32_t>(s.size())) return 0;
  return s[static_cast<std::size_t>(col - 1)];
}

inline bool contains(const std::u16string& s, const std::u16string& what) {
  return s.find(what) != std::u16string::npos;
}

inline bool contains(const std::u16string& s, char16_t ch) {
  return s.find(ch) != std::u16string::npos;
}

inline bool one_of(const std::u16string& s, std::initializer_list<const char16_t*> names) {
  for (const auto* name : names)
    if (s == name) return true;
  return false;
}

inline bool starts_with(const std::u16string& s, char16_t ch) {
  return !s.empty() && s[0] == ch;
}

// Column of the first occurrence of what at or after column from; 0 if none.
inline std::int16_t find_col(const std::u16string& s, const std::u16string& what,
                             std::int32_t from = 1) {
  if (from < 1) throw std::invalid_argument("start column must be 1 or more");
  if (from > static_cast<std::int32_t>(s.size()) + 1) return 0;
  const auto at = s.find(what, static_cast<std::size_t>(from - 1));
  if (at == std::u16string::npos) return 0;
  // A match beyond column 32767 has no column: reporting a wrapped one would
  // send the scanners to the wrong place.
  if (at >= 32767) throw std::overflow_error("column past 32767");
  return static_cast<std::int16_t>(at + 1);
}

inline std::int16_t find_col(const std::u16string& s, char16_t ch, std::int32_t from = 1) {
  return find_col(s, std::u16string(1, ch), from);
}

// Overwrites the first occurrence of ch with a blank; the length stays.
inline bool blank_first(std::u16string& s, char16_t ch) {
  const auto at = s.find(ch);
  if (at == std::u16string::npos) return false;
  s[at] = u' ';
  return true;
}

// The part before the first ch, or all of s when it holds none.
inline std::u16string before_first(const std::u16string& s, char16_t ch) {
  return s.substr(0, s.find(ch));
}

inline bool is_ascii_alnum(char16_t ch) {
  return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9');
}

// Fixed-capacity name list with its count kept by the caller (the counts are
// public members that callers reset between sources). Storing beyond the
// capacity fails before anything changes; look-ups read only what was stored.
inline void require_room(const std::vector<std::u16string>& list, std::int32_t count) {
  if (count < 0 || static_cast<std::size_t>(count) >= list.size())
    throw std::out_of_range("name list is full");
}

inline void store_entry(std::vector<std::u16string>& list, std::int32_t& count,
                        const std::u16string& value) {
  require_room(list, count);
  list[static_cast<std::size_t>(count)] = value;
  ++count;
}

inline std::size_t stored(const std::vector<std::u16string>& list, std::int32_t count) {
  if (count <= 0) return 0;
  return std::min(list.size(), static_cast<std::size_t>(count));
}

// Index of the first stored entry equal to value, or -1.
inline std::int32_t find_entry(const std::vector<std::u16string>& list, std::int32_t count,
                               const std::u16string& value) {
  const auto n = stored(list, count);
  for (std::size_t i = 0; i < n; ++i)
    if (list[i] == value) return static_cast<std::int32_t>(i);
  return -1;
}

}  // namespace morvanta::scan
