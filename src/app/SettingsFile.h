#pragma once
// Reading a file the user keeps by hand (the configuration and the
// bulk-receive table), whichever of CP932 and UTF-8 it was saved in.

#include <functional>
#include <string>
#include <vector>

namespace morvanta::forms {
class Desktop;
}

namespace morvanta::app {

// How a line is shown in a warning; the configuration hides its password.
using LineShown = std::function<std::u16string(const std::u16string& line)>;

// The lines of the file. A line with bytes that neither encoding reads is
// kept (with U+FFFD in their place) and the first such line is named in one
// warning, with the count of the others. Throws platform::FileError.
std::vector<std::u16string> readSettingsFile(forms::Desktop& desktop, const std::u16string& path,
                                             const LineShown& shown = {});

// The warning's text for the file, the first bad line's number and text,
// and how many bad lines there are.
std::u16string undecodableLineWarning(const std::u16string& path, std::size_t lineNumber,
                                      const std::u16string& shownLine, std::size_t count);

}  // namespace morvanta::app
