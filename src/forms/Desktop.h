#pragma once
// Services a command needs that are not controls. Commands never open a
// dialog, read the clock, touch the clipboard or start a process directly:
// they ask the Desktop they were given, so tests can answer for the user.

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace morvanta::forms {

enum class Answer { Yes, No, Cancel };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A message box with an OK button only, no icon, the program's title.
  virtual void msgBox(const std::u16string& text) = 0;
  // OK / Cancel with a title; true for OK.
  virtual bool okCancel(const std::u16string& text, const std::u16string& title) = 0;
  virtual Answer yesNoCancel(const std::u16string& text) = 0;

  virtual void clipboardClear() = 0;
  virtual void clipboardSetText(const std::u16string& text) = 0;

  // Starts a program (the editor) from its command line without waiting.
  virtual void startProcess(const std::u16string& commandLine) = 0;
  // Starts a batch file written by the system without waiting. When it
  // cannot be started the user is told why.
  virtual void startBatch(const std::u16string& batchPath) = 0;

  // Opens a page (an HTML file) in the desktop's browser; false when there
  // is no browser to open it with.
  virtual bool openPage(const std::u16string& /*path*/) { return false; }

  // Lets the window breathe for 50 ms (the TOC poll does it every tick).
  virtual void pause50ms() = 0;
  virtual platform::DateTime now() = 0;

  // Shows the element search window modally with `current` in its box.
  // Returns the text confirmed with Enter, or nothing when it was closed.
  virtual std::optional<std::u16string> showSearchWindow(const std::u16string& current) = 0;

  // Ends the program at once with the exit status.
  [[noreturn]] virtual void endProgram(int status) = 0;
};

}  // namespace morvanta::forms
