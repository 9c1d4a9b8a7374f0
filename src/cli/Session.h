#pragma once
// One run of morvanta-cli: the window's MainForm on in-memory controls with
// the console desktop, loaded from the program folder as the window loads.
// The commands drive it through its handlers and controls only, in pane 0,
// and turn what happened into an exit status.

#include <memory>
#include <ostream>
#include <string>

#include "app/MainForm.h"
#include "cli/CliOptions.h"
#include "cli/ConsoleDesktop.h"
#include "forms/ControlFactory.h"
#include "runner/RunnerOptions.h"

namespace morvanta::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;   // the exchange ran and failed
inline constexpr int kExitRefused = 2;  // the command line or its values were refused

class Session {
 public:
  // Jobs run within the limits of `runnerSettings`, as morvanta-run would.
  Session(const std::u16string& programFolder, std::ostream& out, std::ostream& err,
          bool showProgress, const runner::RunnerOptions& runnerSettings);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the window's start-up. False (the reason told) when the
  // configuration cannot be used.
  bool load();

  MainForm& form() { return *form_; }
  ConsoleDesktop& desktop() { return desktop_; }
  std::ostream& out() { return out_; }

  // The host named by --host, else the first host of the configuration
  // ("" when there is none; the command then says the host was not found).
  std::u16string hostName(const CliOptions& options) const;

  // The exit status after a handler ran its job: refused when no job ran,
  // failed (with the runner's reason) when it did not end well.
  int jobOutcome();
  // The same for the last job of one batch file name (e.g. "SEND.BAT");
  // refused when no such job ran.
  int jobOutcome(const std::u16string& batchName);

 private:
  int outcomeOf(const jobs::JobStatus& job, const std::u16string& batchName);

  std::ostream& out_;
  ConsoleDesktop desktop_;
  forms::MemoryControlFactory factory_;
  std::unique_ptr<MainForm> form_;
};

}  // namespace morvanta::cli
