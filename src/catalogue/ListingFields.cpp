#include "catalogue/ListingFields.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvanta::catalogue {

namespace {

// A run of more than kFieldBlankLimit blanks inside a trimmed line needs a
// longer line than this; up to it, the fields are simply the runs of
// non-blank bytes, found through a bit mask (two words, one bit a byte).
constexpr std::size_t kShortLine = kFieldBlankLimit + 2;

constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kHigh = 0x8080808080808080ULL;

// One bit per byte of eight: set where the byte is not a blank.
std::uint64_t nonBlankBits(std::uint64_t word) {
  const std::uint64_t x = word ^ kBlanks;  // a blank becomes zero
  const std::uint64_t high = (((x & kLow7) + kLow7) | x) & kHigh;
  return ((high >> 7) * 0x0102040810204080ULL) >> 56;
}

struct Bits128 {
  std::uint64_t low = 0;
  std::uint64_t high = 0;

  bool empty() const { return (low | high) == 0; }
  std::size_t lowest() const {
    return low != 0 ? static_cast<std::size_t>(std::countr_zero(low))
                    : 64 + static_cast<std::size_t>(std::countr_zero(high));
  }
  void dropLowest() {
    if (low != 0) {
      low &= low - 1;
    } else {
      high &= high - 1;
    }
  }
};

#if defined(__SSE2__)
// Sixteen bits, one a byte: set where the byte is not a blank.
unsigned nonBlankBits16(const char* bytes) {
  const __m128i word = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(word, _mm_set1_epi8(' ')))) &
         0xFFFFu;
}
#endif

// The non-blank bits of a line of at most kShortLine bytes, in two words.
void nonBlankWords(std::string_view line, std::uint64_t (&words)[2]) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= line.size(); i += 16) {
    words[i / 64] |= static_cast<std::uint64_t>(nonBlankBits16(line.data() + i)) << (i % 64);
  }
  if (i < line.size() && line.size() >= 16) {
    // The last sixteen bytes, of which the first few were read already;
    // sixteen-byte steps never cross a word, so the rest lands in one.
    const std::size_t overlap = i - (line.size() - 16);
    const auto bits = nonBlankBits16(line.data() + line.size() - 16) >> overlap;
    words[i / 64] |= static_cast<std::uint64_t>(bits) << (i % 64);
    return;
  }
#endif
  for (; i + 8 <= line.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + i, 8);
    words[i / 64] |= nonBlankBits(word) << (i % 64);
  }
  if (i < line.size()) {
    std::uint64_t word = kBlanks;
    std::memcpy(&word, line.data() + i, line.size() - i);
    words[i / 64] |= nonBlankBits(word) << (i % 64);
  }
}

// Fields 5 to 8 of a line of fewer than 64 bytes, the usual listing line,
// from its non-blank bits: one word holds them and the blank after it.
void wordLineFields(std::string_view line, std::uint64_t bits, std::string_view (&fields)[4]) {
  // A field starts at a non-blank byte after a blank (or the start) and ends
  // at a blank after a non-blank; the blank after the line ends the last.
  std::uint64_t starts = bits & ~(bits << 1);
  std::uint64_t ends = ~bits & (bits << 1);
  for (int skipped = 0; skipped < 4; ++skipped) {
    starts &= starts - 1;
    ends &= ends - 1;
  }
  for (auto& field : fields) {
    if (starts == 0) {
      field = {};
      continue;
    }
    const auto start = static_cast<std::size_t>(std::countr_zero(starts));
    // Both ends lie in the line: no bounds check is needed.
    field = std::string_view(line.data() + start,
                             static_cast<std::size_t>(std::countr_zero(ends)) - start);
    starts &= starts - 1;
    ends &= ends - 1;
  }
}

// Fields 5 to 8 of a line of at most kShortLine bytes.
void shortLineFields(std::string_view line, std::string_view (&fields)[4]) {
  std::uint64_t words[2] = {0, 0};
  nonBlankWords(line, words);
  if (line.size() < 64) return wordLineFields(line, words[0], fields);
  // A field starts at a non-blank byte after a blank (or the start) and ends
  // at a blank after a non-blank; the blank after the line ends the last.
  const std::uint64_t shiftedLow = words[0] << 1;
  const std::uint64_t shiftedHigh = words[1] << 1 | words[0] >> 63;
  Bits128 starts{words[0] & ~shiftedLow, words[1] & ~shiftedHigh};
  Bits128 ends{~words[0] & shiftedLow, ~words[1] & shiftedHigh};
  for (int skipped = 0; skipped < 4 && !starts.empty(); ++skipped) {
    starts.dropLowest();
    ends.dropLowest();
  }
  for (auto& field : fields) {
    if (starts.empty()) {
      field = {};
      continue;
    }
    const std::size_t start = starts.lowest();
    field = std::string_view(line.data() + start, ends.lowest() - start);
    starts.dropLowest();
    ends.dropLowest();
  }
}

// One field from `pos`, as Field_get reads the line and its blank, byte by
// byte.
std::string_view scannedField(std::string_view line, std::size_t& pos) {
  const std::size_t len = line.size() + 1;
  const auto blank = [&](std::size_t i) { return i >= line.size() || line[i] == ' '; };
  while (pos < len && blank(pos)) ++pos;
  if (pos + 1 >= len) return {};
  std::size_t end = pos + 1;
  while (end < len && !blank(end)) ++end;
  const std::string_view field = line.substr(pos, end - pos);
  for (std::size_t next = end + 1; next <= end + kFieldBlankLimit; ++next) {
    if (next >= len || !blank(next)) {
      pos = next;
      return field;
    }
  }
  return field;
}

}  // namespace

void listedFields(std::string_view line, const char* readableEnd, std::string_view (&fields)[4]) {
#if defined(__SSE2__)
  if (line.size() < 64 && readableEnd - line.data() >= 64) {
    // Sixty-four bytes read at once, those past the line left out.
    const std::uint64_t bits =
        (static_cast<std::uint64_t>(nonBlankBits16(line.data())) |
         static_cast<std::uint64_t>(nonBlankBits16(line.data() + 16)) << 16 |
         static_cast<std::uint64_t>(nonBlankBits16(line.data() + 32)) << 32 |
         static_cast<std::uint64_t>(nonBlankBits16(line.data() + 48)) << 48) &
        ((std::uint64_t{1} << line.size()) - 1);
    return wordLineFields(line, bits, fields);
  }
#endif
  if (line.size() <= kShortLine) return shortLineFields(line, fields);
  std::size_t pos = 0;
  for (int skipped = 0; skipped < 4; ++skipped) scannedField(line, pos);
  for (auto& field : fields) field = scannedField(line, pos);
}

bool isAsciiBytes(std::string_view text) {
  std::uint64_t any = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  __m128i anyWide = _mm_setzero_si128();
  for (; i + 16 <= text.size(); i += 16) {
    anyWide =
        _mm_or_si128(anyWide, _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i)));
  }
  if (_mm_movemask_epi8(anyWide) != 0) return false;
#endif
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    any |= word;
  }
  for (; i < text.size(); ++i) any |= static_cast<unsigned char>(text[i]);
  return (any & kHigh) == 0;
}

}  // namespace morvanta::catalogue
