#include "runner/RunnerOptions.h"

#include <cmath>
#include <cstdlib>

#ifndef MORVANTA_VERSION
#define MORVANTA_VERSION "unknown"
#endif

namespace morvanta::runner {

namespace {

// Seconds as milliseconds; false for anything but a positive number of
// seconds up to a year.
bool parseSeconds(const std::string& text, long& ms) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(seconds) || seconds <= 0 ||
      seconds > 366.0 * 24 * 60 * 60) {
    return false;
  }
  ms = std::max(1L, std::lround(seconds * 1000.0));
  return true;
}

RunnerOptions failed(RunnerOptions options, const std::string& why) {
  options.action = RunnerOptions::Action::Error;
  options.error = why;
  return options;
}

}  // namespace

RunnerOptions parseRunnerOptions(const std::vector<std::string>& args,
                                 const std::function<std::string(const char*)>& environment) {
  RunnerOptions options;
  long timeLimitMs = kDefaultTimeLimitSeconds * 1000;
  long stallMs = options.timeouts.stallMs;
  const struct {
    const char* option;
    const char* variable;
    long* ms;
  } limits[] = {{"--time-limit", "MORVANTA_RUN_TIME_LIMIT", &timeLimitMs},
                {"--stall-time", "MORVANTA_RUN_STALL_TIME", &stallMs}};
  for (const auto& limit : limits) {
    const std::string value = environment(limit.variable);
    if (!value.empty() && !parseSeconds(value, *limit.ms)) {
      return failed(options, std::string(limit.variable) + " is not a number of seconds: " + value);
    }
  }
  bool batchGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.action = RunnerOptions::Action::Help;
      return options;
    }
    if (arg == "--version") {
      options.action = RunnerOptions::Action::Version;
      return options;
    }
    bool matched = false;
    for (const auto& limit : limits) {
      if (arg != limit.option) continue;
      matched = true;
      if (i + 1 >= args.size() || !parseSeconds(args[i + 1], *limit.ms)) {
        return failed(options, arg + " needs a number of seconds");
      }
      ++i;
    }
    if (matched) continue;
    if (arg == "--") {
      // Whatever follows is the batch file, even when it begins with "-".
      if (batchGiven || i + 2 != args.size()) return failed(options, "one batch file, please");
      options.batch = args[i + 1];
      batchGiven = true;
      break;
    }
    if (arg.size() > 1 && arg[0] == '-') return failed(options, "unknown option " + arg);
    if (batchGiven) return failed(options, "one batch file, please");
    options.batch = args[i];
    batchGiven = true;
  }
  if (!batchGiven) return failed(options, "no batch file given");
  options.limits.timeLimit = std::chrono::milliseconds(timeLimitMs);
  options.timeouts.stallMs = stallMs;
  return options;
}

std::string runnerUsage() {
  return "usage: morvanta-run [OPTIONS] BATCH-FILE\n"
         "       morvanta-run --help | --version\n"
         "\n"
         "Runs a batch file written by Morvanta line by line, in place of the command\n"
         "interpreter and the FTP client: \"ftp -s:SCRIPT\" runs the FTP script over\n"
         "one connection, START, XCOPY, ERASE and ECHO do what they say, any other\n"
         "line runs a program without a shell. Progress and the outcome go to\n"
         "BATCH-FILE.status (JSON Lines); the FTP scripts, which hold the password,\n"
         "are erased when the job ends.\n"
         "\n"
         "Options:\n"
         "  --time-limit SECONDS  end the whole job after this long (default 14400;\n"
         "                        environment MORVANTA_RUN_TIME_LIMIT)\n"
         "  --stall-time SECONDS  end a transfer that moves less than 1 byte/s over\n"
         "                        this long (default 30; MORVANTA_RUN_STALL_TIME)\n"
         "  --help                show this text\n"
         "  --version             show the version\n"
         "\n"
         "Exit status:\n"
         "  0    every line succeeded\n"
         "  1    a line failed (the log and the status file say which and why)\n"
         "  2    bad command line, or the batch file cannot be read\n"
         "  124  the time limit was reached\n"
         "  143  cancelled (SIGTERM or Ctrl+C)\n";
}

std::string runnerVersion() {
  return std::string("morvanta-run ") + MORVANTA_VERSION;
}

}  // namespace morvanta::runner
