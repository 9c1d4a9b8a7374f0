#pragma once
// Services a command needs that are not controls. Commands never open a
// dialog, read the clock, touch the clipboard or start a process directly:
// they ask the Desktop they were given, so tests can answer for the user.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/PasswordStore.h"
#include "platform/Platform.h"

namespace morvanta::forms {

enum class Answer { Yes, No, Cancel };

// A table shown under a question so the user sees what an answer will do:
// one header per column, rows of the same width.
struct DetailsTable {
  std::vector<std::u16string> headers;
  std::vector<std::vector<std::u16string>> rows;
};

// The answers to a send over a host element that changed since it was
// received (or was never received here).
enum class SendChoice { Overwrite, Cancel, Compare };

// One line of a comparison of the host's copy with the PC's file.
struct DiffLine {
  enum class Side { Both, HostOnly, PcOnly };
  Side side = Side::Both;
  std::u16string text;
};

struct DiffView {
  std::u16string title;      // names the element
  std::u16string hostLabel;  // what the host side is (and which code)
  std::u16string pcLabel;
  std::vector<DiffLine> lines;
};

// What endProgram throws. Each program's main (and each test) catches it
// and returns the status, so everything on the stack is destroyed on the
// way out, the same way in the window, the command line and the tests. Not
// a std::exception: a handler's catch of failures must not take it for one.
class ProgramEnded {
 public:
  explicit ProgramEnded(int status) : status(status) {}
  int status;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A message box with an OK button only, no icon, the program's title.
  virtual void msgBox(const std::u16string& text) = 0;
  // OK / Cancel with a title; true for OK.
  virtual bool okCancel(const std::u16string& text, const std::u16string& title) = 0;
  virtual Answer yesNoCancel(const std::u16string& text) = 0;
  // The same question with a details table below the text; the text and
  // the buttons stay those of yesNoCancel.
  virtual Answer yesNoCancelWithDetails(const std::u16string& text, const DetailsTable& details) {
    (void)details;
    return yesNoCancel(text);
  }

  virtual void clipboardClear() = 0;
  virtual void clipboardSetText(const std::u16string& text) = 0;

  // Starts a program (the editor) from its command line without waiting.
  virtual void startProcess(const std::u16string& commandLine) = 0;
  // Starts a batch file written by the system without waiting. When it
  // cannot be started the user is told why.
  virtual void startBatch(const std::u16string& batchPath) = 0;

  // Starts a batch file so that its end can be watched and the job ended.
  // Throws platform::FileError when it cannot be started (the job then
  // fails with that reason). A desktop that runs the batch file to its end
  // before returning keeps the default: nothing is left to watch.
  virtual platform::BatchProcess startWatchedBatch(const std::u16string& batchPath) {
    startBatch(batchPath);
    return {};
  }
  virtual bool batchRunning(platform::BatchProcess& batch) { return platform::batchRunning(batch); }
  virtual void stopBatch(platform::BatchProcess& batch) { platform::stopBatch(batch); }
  virtual void cancelBatch(platform::BatchProcess& batch) { platform::cancelBatch(batch); }
  virtual void releaseBatch(platform::BatchProcess& batch) { platform::releaseBatch(batch); }

  // Tells the user something without waiting for an answer (a failed job).
  // A desktop without a place for notices shows a message box.
  virtual void notify(const std::u16string& text) { msgBox(text); }
  // Opens a page (an HTML file) in the desktop's browser; false when there
  // is no browser to open it with.
  virtual bool openPage(const std::u16string& /*path*/) { return false; }

  // Asks whether to send over a changed host element: send anyway, cancel,
  // or compare first. A desktop without a three-way question asks OK/Cancel.
  virtual SendChoice askOverwrite(const std::u16string& text, const std::u16string& title) {
    return okCancel(text, title) ? SendChoice::Overwrite : SendChoice::Cancel;
  }
  // Shows a read-only comparison and returns when the user closes it.
  virtual void showDiff(const DiffView& view) { (void)view; }
  // A notice with one action the user may take (e.g. send the host's
  // previous copy back). A desktop without actions only tells.
  virtual void notifyWithAction(const std::u16string& text, const std::u16string& actionCaption,
                                std::function<void()> action) {
    (void)actionCaption;
    (void)action;
    notify(text);
  }

  // Asks for the FTP password of a host (masked input, with the choice of
  // keeping it in the keyring). Nothing when the user cancels or the
  // desktop cannot ask.
  virtual std::optional<PasswordReply> askPassword(const PasswordRequest& request) {
    (void)request;
    return std::nullopt;
  }
  // The keyring of this desktop, or nullptr when it has none.
  virtual PasswordStore* passwordStore() { return nullptr; }

  // Lets the window breathe for 50 ms (the TOC poll does it every tick).
  virtual void pause50ms() = 0;
  virtual platform::DateTime now() = 0;

  // Shows the element search window modally with `current` in its box.
  // Returns the text confirmed with Enter, or nothing when it was closed.
  virtual std::optional<std::u16string> showSearchWindow(const std::u16string& current) = 0;

  // Ends the program with the exit status by throwing ProgramEnded.
  [[noreturn]] virtual void endProgram(int status) = 0;
};

}  // namespace morvanta::forms
