#pragma once
// The desktop of the command line: messages go to standard error, the
// questions are answered by what the command line said, and a batch file
// is run to its end before startBatch returns, so a command knows how its
// job went when the window's handler comes back. No window, no clipboard,
// and no program of its own (the editor is never started).

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "forms/Desktop.h"
#include "jobs/JobStatus.h"

namespace morvanta::cli {

// Runs a batch file to its end and says how it ended.
using JobLauncher = std::function<jobs::JobStatus(const std::u16string& batchPath)>;

// Where the command line takes the password from when it is kept out of
// the configuration file.
inline constexpr char16_t kPasswordVariable[] = u"MORVANTA_FTP_PASSWORD";

class ConsoleDesktop : public forms::Desktop {
 public:
  ConsoleDesktop(std::ostream& err, JobLauncher launcher);

  // A text that must never be printed (the FTP password): replaced by
  // asterisks wherever it would appear.
  void setSecret(const std::u16string& secret) { secret_ = secret; }
  // The answer to questions a send asks beyond its own confirmation.
  void setForce(bool force) { force_ = force; }

  // Starts a new step of a command: what the window said and ran so far is
  // forgotten.
  void beginStep();

  // What happened since the command (or its step) began.
  const std::vector<std::u16string>& messages() const { return messages_; }
  int jobsRun() const { return jobsRun_; }
  // How the last job ended (nothing before the first).
  const std::optional<jobs::JobStatus>& lastJob() const { return lastJob_; }
  // How the last job of a batch file name (e.g. "SEND.BAT") ended: a chain
  // of jobs must be judged by the one that did the work, not the last.
  std::optional<jobs::JobStatus> lastJobOf(const std::u16string& batchName) const;
  // The titles of the OK/Cancel questions answered Cancel.
  const std::vector<std::u16string>& cancelledQuestions() const { return cancelled_; }
  // The details of the last yes/no/cancel question.
  const forms::DetailsTable& lastDetails() const { return lastDetails_; }

  // Writes one line to standard error, the secret hidden.
  void tell(const std::u16string& text);

  void msgBox(const std::u16string& text) override;
  bool okCancel(const std::u16string& text, const std::u16string& title) override;
  forms::Answer yesNoCancel(const std::u16string& text) override;
  forms::Answer yesNoCancelWithDetails(const std::u16string& text,
                                       const forms::DetailsTable& details) override;
  void clipboardClear() override {}
  void clipboardSetText(const std::u16string&) override {}
  void startProcess(const std::u16string& commandLine) override;
  void startBatch(const std::u16string& batchPath) override;
  void pause50ms() override {}
  platform::DateTime now() override;
  // The command line cannot reach the keyring: with FTP-PASSWORD-KEYRING=YES
  // the password comes from the environment variable MORVANTA_FTP_PASSWORD,
  // and without it the command is refused with a line saying so.
  std::optional<forms::PasswordReply> askPassword(const forms::PasswordRequest& request) override;
  std::optional<std::u16string> showSearchWindow(const std::u16string&) override {
    return std::nullopt;
  }
  [[noreturn]] void endProgram(int status) override { throw forms::ProgramEnded(status); }

 private:
  std::ostream& err_;
  JobLauncher launcher_;
  std::u16string secret_;
  bool force_ = false;
  std::vector<std::u16string> messages_;
  int jobsRun_ = 0;
  std::optional<jobs::JobStatus> lastJob_;
  std::vector<std::pair<std::u16string, jobs::JobStatus>> jobsByBatch_;
  std::vector<std::u16string> cancelled_;
  forms::DetailsTable lastDetails_;
};

// `text` with every occurrence of `secret` replaced by asterisks.
std::u16string hideSecret(std::u16string text, const std::u16string& secret);

}  // namespace morvanta::cli
