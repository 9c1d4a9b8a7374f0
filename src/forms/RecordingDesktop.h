#pragma once
// A Desktop that records what a command asked for and answers from a
// script, so tests run without a window, a clock or a user.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Desktop.h"

namespace morvanta::forms {

// Thrown by RecordingDesktop::endProgram so a test can see the program end.
class ProgramEnded : public std::runtime_error {
 public:
  explicit ProgramEnded(int status) : std::runtime_error("program ended"), status(status) {}
  int status;
};

class RecordingDesktop : public Desktop {
 public:
  // Every message box, question and title, in the order shown.
  std::vector<std::u16string> messages;
  std::vector<std::u16string> titles;  // of okCancel questions
  std::u16string clipboard;
  int clipboardClears = 0;
  std::vector<std::u16string> startedProcesses;
  std::vector<std::u16string> startedBatches;
  std::vector<std::u16string> openedPages;
  int pauses = 0;
  platform::DateTime clock{2026, 12, 7, 10, 0, 0};

  // Scripted answers, taken front first; defaults when empty: OK, Cancel.
  std::deque<bool> okCancelAnswers;
  std::deque<Answer> yesNoCancelAnswers;
  std::deque<std::optional<std::u16string>> searchAnswers;

  // When set, batch files and programs are really started (end-to-end
  // tests); a failure to start is then shown as a message, as the window
  // does.
  bool startForReal = false;

  void msgBox(const std::u16string& text) override;
  bool okCancel(const std::u16string& text, const std::u16string& title) override;
  Answer yesNoCancel(const std::u16string& text) override;
  void clipboardClear() override;
  void clipboardSetText(const std::u16string& text) override;
  void startProcess(const std::u16string& commandLine) override;
  void startBatch(const std::u16string& batchPath) override;
  bool openPage(const std::u16string& path) override {
    openedPages.push_back(path);
    return true;
  }
  void pause50ms() override { ++pauses; }
  platform::DateTime now() override { return clock; }
  std::optional<std::u16string> showSearchWindow(const std::u16string& current) override;
  [[noreturn]] void endProgram(int status) override { throw ProgramEnded(status); }
};

}  // namespace morvanta::forms
