#pragma once
// Ending the program after telling the user why.

#include <string>

namespace morvanta::forms {
class Desktop;
}

namespace morvanta::app {

// The exit status of every program end the system decides on itself.
inline constexpr int kFatalExitStatus = 1;

// Shows `text` in a message box, then ends the program once it is closed.
[[noreturn]] void endWithMessage(forms::Desktop& desktop, const std::u16string& text);

}  // namespace morvanta::app
