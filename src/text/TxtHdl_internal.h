#pragma once

// Position arithmetic shared by the TxtHdl source files. Positions are
// 1-based and must fit the 16-bit range that callers hold them in.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace morvanta::txthdl_internal {

inline constexpr char16_t kBlank = u' ';
inline constexpr std::int64_t kMaxPos = 32767;

inline bool is_blank(char16_t c) {
  return c == kBlank;
}

inline std::int64_t length_of(const std::u16string& s) {
  return static_cast<std::int64_t>(s.size());
}

// A position or count that has to be held in 16 bits.
inline std::int16_t to_pos(std::int64_t value) {
  if (value > kMaxPos || value < -kMaxPos - 1) {
    throw std::overflow_error("TxtHdl: position or length past 32767");
  }
  return static_cast<std::int16_t>(value);
}

// A start position for reading or searching a text.
inline void require_start(std::int64_t pos) {
  if (pos < 1) throw std::invalid_argument("TxtHdl: start position must be 1 or more");
}

// Moves a caller's position on by one; the variable stays at 32767 when it
// cannot move further.
inline void step(std::int16_t& pos) {
  if (pos >= kMaxPos) throw std::overflow_error("TxtHdl: position past 32767");
  ++pos;
}

// 1-based position of key in s at or after start, 0 when absent or when start
// lies beyond the text. An empty key is found at start.
inline std::int16_t find_from(const std::u16string& s, const std::u16string& key,
                              std::int64_t start) {
  require_start(start);
  if (start > length_of(s)) return 0;
  const auto at = s.find(key, static_cast<std::size_t>(start - 1));
  if (at == std::u16string::npos) return 0;
  return to_pos(static_cast<std::int64_t>(at) + 1);
}

// Characters from 1-based position from, at most count of them.
inline std::u16string mid(const std::u16string& s, std::int64_t from, std::int64_t count) {
  if (from > length_of(s) || count <= 0) return {};
  return s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
}

inline std::u16string trim(const std::u16string& s) {
  const auto first = s.find_first_not_of(kBlank);
  if (first == std::u16string::npos) return {};
  const auto last = s.find_last_not_of(kBlank);
  return s.substr(first, last - first + 1);
}

inline bool is_ascii_alnum(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

inline std::u16string decimal(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace morvanta::txthdl_internal
