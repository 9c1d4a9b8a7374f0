#include "u2200/PcNameRule.h"

#include <array>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvanta::naming {

namespace {

constexpr std::size_t kLongestNamePart = 12;

bool isControl(char16_t c) {
  return c < 0x20 || c == 0x7F;
}

bool isSeparator(char16_t c) {
  return c == u'/' || c == u'\\' || c == u':';
}

char16_t upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

// Windows opens a device for these whatever extension follows them.
bool isDeviceName(std::u16string_view name) {
  std::u16string_view base = name.substr(0, name.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  static constexpr std::array<std::u16string_view, 4> kPlain{u"CON", u"PRN", u"AUX", u"NUL"};
  for (std::u16string_view device : kPlain) {
    if (equalsIgnoringCase(base, device)) return true;
  }
  if (base.size() != 4 || base[3] < u'1' || base[3] > u'9') return false;
  const std::u16string_view stem = base.substr(0, 3);
  return equalsIgnoringCase(stem, u"COM") || equalsIgnoringCase(stem, u"LPT");
}

constexpr bool isNameCharacter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'$';
}

// The element part of a 2200 name that Windows would open as a device. A
// 2200 name part holds upper-case letters only, so no case is folded.
bool isDeviceElement(std::string_view element) {
  if (element == "CON" || element == "PRN" || element == "AUX" || element == "NUL") return true;
  if (element.size() != 4 || element[3] < '1' || element[3] > '9') return false;
  const std::string_view stem = element.substr(0, 3);
  return stem == "COM" || stem == "LPT";
}

}  // namespace

PcNameFault pcNameFault(std::u16string_view name) {
  if (name.empty()) return PcNameFault::Empty;
  for (char16_t c : name) {
    if (isControl(c)) return PcNameFault::ControlCharacter;
    if (isSeparator(c)) return PcNameFault::Separator;
  }
  if (name == u"." || name == u"..") return PcNameFault::DotName;
  if (name.back() == u'.' || name.back() == u' ') return PcNameFault::TrailingDotOrBlank;
  if (isDeviceName(name)) return PcNameFault::DeviceName;
  return PcNameFault::None;
}

bool isU2200NamePart(std::u16string_view part) {
  if (part.empty() || part.size() > kLongestNamePart) return false;
  for (char16_t c : part) {
    if (!isNameCharacter(c)) return false;
  }
  return true;
}

bool isU2200ElementDisplayName(std::u16string_view display) {
  const auto slash = display.find(u'/');
  if (slash == std::u16string_view::npos) return isU2200NamePart(display);
  return isU2200NamePart(display.substr(0, slash)) && isU2200NamePart(display.substr(slash + 1));
}

bool isReceivableElement(std::u16string_view display) {
  if (!isU2200ElementDisplayName(display)) return false;
  std::u16string single(display);
  std::u16string bulk(display);
  if (const auto slash = single.find(u'/'); slash != std::u16string::npos) {
    single[slash] = u'\uFF0F';  // ／
    bulk[slash] = u'.';
  }
  return isSafePcName(single + u".txt") && isSafePcName(bulk + u".txt");
}

namespace {

// The part sizes and the device check of a display form whose bytes are all
// name characters or "/", with its first "/" at `slash` (npos for none) and
// `slashes` of them in all.
bool receivableParts(std::string_view display, std::size_t slash, int slashes) {
  if (slashes > 1) return false;
  const std::size_t elementSize = slash == std::string_view::npos ? display.size() : slash;
  if (elementSize == 0 || elementSize > kLongestNamePart) return false;
  if (slash != std::string_view::npos) {
    const std::size_t versionSize = display.size() - slash - 1;
    if (versionSize == 0 || versionSize > kLongestNamePart) return false;
  }
  return !isDeviceElement(display.substr(0, elementSize));
}

}  // namespace

bool isReceivableElement(std::string_view display) {
  // Both PC names are element + ".txt" or element, "／" or ".", version +
  // ".txt": made of name characters, "／", "." and "txt", they hold no
  // separator, control character, trailing dot or blank, and "." alone
  // never. What is left is the device check, which looks at the text before
  // the first "." and so at the element part alone (with "／" in it a base
  // of three or four characters is no device either).
  // One pass with a table: a listing asks this for every row.
  static constexpr auto kNameByte = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = isNameCharacter(char16_t(c));
    return table;
  }();
  std::size_t slash = std::string_view::npos;
  for (std::size_t i = 0; i < display.size(); ++i) {
    const auto c = static_cast<unsigned char>(display[i]);
    if (kNameByte[c]) continue;
    if (c != '/' || slash != std::string_view::npos) return false;
    slash = i;
  }
  return receivableParts(display, slash, slash == std::string_view::npos ? 0 : 1);
}

#if defined(__SSE2__)
namespace {

// Set where a byte of `bytes` lies in first..first+count-1.
__m128i inRange(__m128i bytes, char first, int count) {
  // Moved so that the range starts at the lowest signed byte, it is one
  // signed comparison.
  const __m128i moved = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - first)));
  return _mm_cmplt_epi8(moved, _mm_set1_epi8(static_cast<char>(-128 + count)));
}

// Sixteen bits, one a byte: which are name characters, which are "/".
void classify16(const char* bytes, unsigned& nameBits, unsigned& slashBits) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i name = _mm_or_si128(
      _mm_or_si128(inRange(v, 'A', 26), inRange(v, '0', 10)),
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('-')), _mm_cmpeq_epi8(v, _mm_set1_epi8('$'))));
  nameBits = static_cast<unsigned>(_mm_movemask_epi8(name));
  slashBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('/'))));
}

}  // namespace

bool isReceivableElement(const char (&room)[kDisplayNameRoom], std::size_t size) {
  static_assert(kDisplayNameRoom == 32);
  if (size >= kDisplayNameRoom) return false;
  unsigned nameLow = 0, slashLow = 0, nameHigh = 0, slashHigh = 0;
  classify16(room, nameLow, slashLow);
  // Most names end within the first sixteen bytes.
  if (size > 16) classify16(room + 16, nameHigh, slashHigh);
  const std::uint32_t wanted = (std::uint32_t{1} << size) - 1;
  const std::uint32_t names = (nameLow | nameHigh << 16) & wanted;
  const std::uint32_t slashes = (slashLow | slashHigh << 16) & wanted;
  if ((names | slashes) != wanted) return false;
  const std::size_t slash =
      slashes == 0 ? std::string_view::npos : static_cast<std::size_t>(std::countr_zero(slashes));
  // More than one "/" is all that matters of their count.
  const int slashCount = slashes == 0 ? 0 : (slashes & (slashes - 1)) == 0 ? 1 : 2;
  return receivableParts(std::string_view(room, size), slash, slashCount);
}
#else
bool isReceivableElement(const char (&room)[kDisplayNameRoom], std::size_t size) {
  return size < kDisplayNameRoom && isReceivableElement(std::string_view(room, size));
}
#endif

std::u16string visibleName(std::u16string_view name) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string shown;
  for (char16_t c : name) {
    if (!isControl(c)) {
      shown += c;
      continue;
    }
    shown += u"<U+00";
    shown += kHex[c >> 4];
    shown += kHex[c & 0xF];
    shown += u'>';
  }
  return shown;
}

}  // namespace morvanta::naming
