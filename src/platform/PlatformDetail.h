#pragma once
// Seams between Platform_common.cpp and the per-system files. Not for use
// outside src/platform.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace morvanta::platform::detail {

// --- provided by the per-system file ---------------------------------------

// The path as the file system functions of this system want it.
std::filesystem::path nativePath(const std::u16string& path);
std::u16string fromNativePath(const std::filesystem::path& path);

// Strict conversions of one piece of text. False when any character does
// not convert exactly (no best-fit substitutes, no replacement characters).
bool encodeCp932Strict(std::u16string_view text, std::string& out);
bool decodeCp932Strict(std::string_view bytes, std::u16string& out);

// Moves a file over another one, replacing it in one step.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Creates a file that must not exist yet and writes all of `bytes` to it;
// with ownerOnly only the current user may open it. Throws FileError whose
// message is the system's reason alone; a partly written file is removed.
void writeNewFile(const std::filesystem::path& path, std::string_view bytes, bool ownerOnly);

// The reason text of the last failed system call of this thread.
std::string lastErrorReason();

// --- provided by Platform_common.cpp ---------------------------------------

// "yyyy/mm/dd hh:mm:ss".
std::u16string formatDateTime(const DateTime& when);
// True when every field is a real calendar date and time of years 1..9999.
bool isValidDateTime(const DateTime& when);

// Splits decoded file text into lines: CR LF and lone LF end a line; a last
// line without an end is still a line; an empty text has no lines.
std::vector<std::u16string> splitLines(const std::u16string& text);

// "U+20AC (€)" for messages about a character.
std::string describeCharacter(char32_t c);

}  // namespace morvanta::platform::detail
