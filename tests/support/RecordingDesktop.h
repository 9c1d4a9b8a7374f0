#pragma once
// A Desktop that records what a command asked for and answers from a
// script, so tests run without a window, a clock or a user. A test double:
// it lives with the tests, in the namespace of the interface it stands for.

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Desktop.h"

namespace morvanta::forms {

class RecordingDesktop : public Desktop {
 public:
  // Every message box, question and title, in the order shown.
  std::vector<std::u16string> messages;
  std::vector<std::u16string> titles;  // of okCancel questions
  // The details table of each yesNoCancelWithDetails question, in order.
  std::vector<DetailsTable> details;
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

  // Non-modal notices, in the order given.
  std::vector<std::u16string> notices;
  // Batch files not started for real: with holdBatches each stays running
  // (its id in heldBatches) until a test ends it; otherwise it has ended by
  // the time it is looked at. Cancelled ids are recorded, and so are the
  // ids asked to stop; a held batch honours the stop (it is then also
  // recorded as cancelled) unless heldBatchesIgnoreStop.
  bool holdBatches = false;
  bool heldBatchesIgnoreStop = false;
  std::set<std::int64_t> heldBatches;
  std::vector<std::int64_t> stoppedBatches;
  std::vector<std::int64_t> cancelledBatches;
  // Ends every held batch (the tests write their status files first).
  void endHeldBatches() { heldBatches.clear(); }

  // When set, batch files and programs are really started (end-to-end
  // tests); a failure to start is then shown as a message, as the window
  // does.
  bool startForReal = false;
  // Plays a batch file that is neither held nor started for real: tests
  // leave here what the job would have left (files, its status file).
  std::function<void(const std::u16string& batchPath)> playBatch;
  // Runs while an OK/Cancel or overwrite question is showing: what happens
  // elsewhere while the user thinks.
  std::function<void(const std::u16string& text)> onQuestion;
  std::int64_t nextBatchId = 1000;  // the id the next held batch gets

  // The overwrite questions (text, then title) and their scripted answers
  // (default: Cancel); the comparisons shown; notices with an action.
  std::vector<std::u16string> overwriteQuestions;
  std::deque<SendChoice> overwriteAnswers;
  std::vector<DiffView> diffs;
  struct ActionNotice {
    std::u16string text;
    std::u16string caption;
    std::function<void()> action;
  };
  std::vector<ActionNotice> actionNotices;

  // The password questions asked and their scripted replies (default: the
  // user cancels); the keyring stands in memory, none with noKeyring.
  std::vector<PasswordRequest> passwordRequests;
  std::deque<std::optional<PasswordReply>> passwordReplies;
  MemoryPasswordStore keyring;
  bool noKeyring = false;
  std::optional<PasswordReply> askPassword(const PasswordRequest& request) override {
    passwordRequests.push_back(request);
    if (passwordReplies.empty()) return std::nullopt;
    std::optional<PasswordReply> reply = passwordReplies.front();
    passwordReplies.pop_front();
    return reply;
  }
  PasswordStore* passwordStore() override { return noKeyring ? nullptr : &keyring; }

  SendChoice askOverwrite(const std::u16string& text, const std::u16string& title) override {
    overwriteQuestions.push_back(text);
    titles.push_back(title);
    if (onQuestion) onQuestion(text);
    if (overwriteAnswers.empty()) return SendChoice::Cancel;
    const SendChoice answer = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return answer;
  }
  void showDiff(const DiffView& view) override { diffs.push_back(view); }
  void notifyWithAction(const std::u16string& text, const std::u16string& caption,
                        std::function<void()> action) override {
    notices.push_back(text);
    actionNotices.push_back({text, caption, std::move(action)});
  }

  void msgBox(const std::u16string& text) override;
  bool okCancel(const std::u16string& text, const std::u16string& title) override;
  Answer yesNoCancel(const std::u16string& text) override;
  Answer yesNoCancelWithDetails(const std::u16string& text, const DetailsTable& table) override;
  void clipboardClear() override;
  void clipboardSetText(const std::u16string& text) override;
  void startProcess(const std::u16string& commandLine) override;
  void startBatch(const std::u16string& batchPath) override;
  platform::BatchProcess startWatchedBatch(const std::u16string& batchPath) override;
  bool batchRunning(platform::BatchProcess& batch) override;
  void stopBatch(platform::BatchProcess& batch) override;
  void cancelBatch(platform::BatchProcess& batch) override;
  void releaseBatch(platform::BatchProcess& batch) override;
  void notify(const std::u16string& text) override { notices.push_back(text); }
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
