#pragma once
// Which names may become a PC file or folder name. Every PC name the system
// makes from a host name or a typed name (the folder of a 2200 file, the
// text file of an element, an upload copy) must be exactly one path
// component, so that nothing a host lists or a user types can aim a file
// outside the folder it belongs in. The Windows-only limits (devices, a
// trailing dot or blank) are applied everywhere: a work folder may be shared
// with a Windows PC, and no 2200 name needs them.

#include <string>
#include <string_view>

namespace morvanta::naming {

enum class PcNameFault {
  None,
  Empty,
  Separator,           // "/" or "\" (a further folder level) or ":" (drive, stream)
  DotName,             // "." or ".." (this folder, the one above)
  ControlCharacter,    // U+0000-U+001F, U+007F
  TrailingDotOrBlank,  // Windows drops them, so two names would meet
  DeviceName,          // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension
};

// Why `name` cannot be one PC file or folder name, or None when it can.
PcNameFault pcNameFault(std::u16string_view name);

inline bool isSafePcName(std::u16string_view name) {
  return pcNameFault(name) == PcNameFault::None;
}

// One part of a 2200 name: 1 to 12 of A-Z, 0-9, "-" and "$".
bool isU2200NamePart(std::u16string_view part);

// The display form of a listed element, ELT or ELT/VER, both parts 2200
// name parts.
bool isU2200ElementDisplayName(std::u16string_view display);

// A listed element (display form) that may be received: a 2200 name whose
// PC file names, element／version.txt (one receive) and element.version.txt
// (bulk receive), are both safe.
bool isReceivableElement(std::u16string_view display);
// The same answer for a display form held as bytes; a byte beyond ASCII is
// never part of a 2200 name. Listings are checked row by row with it.
bool isReceivableElement(std::string_view display);

// Room of a display form held for the check below; a receivable one takes
// at most 25 bytes of it.
inline constexpr std::size_t kDisplayNameRoom = 32;
// The same answer for the first `size` bytes of `room` (size < room's
// length); the bytes after them may be read but are not looked at. A listing's
// usual rows are checked with it, sixteen bytes a step.
bool isReceivableElement(const char (&room)[kDisplayNameRoom], std::size_t size);

// The name as it can be shown in a message: a control character becomes
// "<U+0009>", so that a NUL cannot cut the text and a TAB is seen.
std::u16string visibleName(std::u16string_view name);

}  // namespace morvanta::naming
