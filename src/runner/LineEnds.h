#pragma once
// Line ends of text transfers. Files on the PC end their lines with CR LF;
// libcurl's text mode changes line ends on some systems and not on others,
// so the runner sets them itself on both sides of a transfer.

#include <string>

namespace morvanta::runner {

// CR LF and lone LF become CR LF; a lone CR stays as it is.
std::string withCrLf(const std::string& bytes);
// CR LF becomes LF; a lone CR stays as it is.
std::string withLf(const std::string& bytes);

// What to hand libcurl for a text upload so that every line leaves the PC
// with CR LF exactly once (this system's libcurl adds CR before LF, or not).
std::string textForUpload(const std::string& bytes);

}  // namespace morvanta::runner
