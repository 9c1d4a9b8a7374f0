// The command line of morvanta-run.

#include "runner/RunnerOptions.h"

#include <gtest/gtest.h>

#include <map>

namespace morvanta::runner {
namespace {

using Action = RunnerOptions::Action;

RunnerOptions parse(const std::vector<std::string>& args,
                    const std::map<std::string, std::string>& env = {}) {
  return parseRunnerOptions(args, [&env](const char* name) {
    const auto it = env.find(name);
    return it == env.end() ? std::string() : it->second;
  });
}

TEST(RunnerOptions, BatchFileAndDefaults) {
  const auto options = parse({"/work/FTPWK/TOC.BAT"});
  EXPECT_EQ(options.action, Action::Run);
  EXPECT_EQ(options.batch, "/work/FTPWK/TOC.BAT");
  EXPECT_EQ(options.limits.timeLimit.count(), kDefaultTimeLimitSeconds * 1000);
  EXPECT_EQ(options.timeouts.stallMs, 30000);
  // "--" lets a batch file begin with "-".
  EXPECT_EQ(parse({"--", "-odd.BAT"}).batch, "-odd.BAT");
}

TEST(RunnerOptions, HelpAndVersionWinOverAnythingElse) {
  EXPECT_EQ(parse({"--help"}).action, Action::Help);
  EXPECT_EQ(parse({"A.BAT", "-h"}).action, Action::Help);
  EXPECT_EQ(parse({"--version"}).action, Action::Version);
  EXPECT_EQ(runnerVersion().rfind("morvanta-run ", 0), 0u);
  EXPECT_NE(runnerUsage().find("143"), std::string::npos);
}

TEST(RunnerOptions, LimitsFromTheCommandLineOrTheEnvironment) {
  auto options = parse({"--time-limit", "2.5", "--stall-time", "3", "A.BAT"});
  EXPECT_EQ(options.limits.timeLimit.count(), 2500);
  EXPECT_EQ(options.timeouts.stallMs, 3000);
  options =
      parse({"A.BAT"}, {{"MORVANTA_RUN_TIME_LIMIT", "60"}, {"MORVANTA_RUN_STALL_TIME", "0.5"}});
  EXPECT_EQ(options.limits.timeLimit.count(), 60000);
  EXPECT_EQ(options.timeouts.stallMs, 500);
  // The command line wins.
  options = parse({"--time-limit", "7", "A.BAT"}, {{"MORVANTA_RUN_TIME_LIMIT", "60"}});
  EXPECT_EQ(options.limits.timeLimit.count(), 7000);
}

TEST(RunnerOptions, MistakesAreErrorsNotBatchFiles) {
  const struct {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    std::string error;
  } cases[] = {
      {{}, {}, "no batch file given"},
      {{"A.BAT", "B.BAT"}, {}, "one batch file, please"},
      {{"--hepl", "A.BAT"}, {}, "unknown option --hepl"},
      {{"--time-limit"}, {}, "--time-limit needs a number of seconds"},
      {{"--time-limit", "0", "A.BAT"}, {}, "--time-limit needs a number of seconds"},
      {{"--stall-time", "-1", "A.BAT"}, {}, "--stall-time needs a number of seconds"},
      {{"--stall-time", "nan", "A.BAT"}, {}, "--stall-time needs a number of seconds"},
      {{"A.BAT"}, {{"MORVANTA_RUN_TIME_LIMIT", "soon"}}, "MORVANTA_RUN_TIME_LIMIT is not a number"},
  };
  for (const auto& c : cases) {
    const auto options = parse(c.args, c.env);
    EXPECT_EQ(options.action, Action::Error) << c.error;
    EXPECT_EQ(options.error.rfind(c.error, 0), 0u) << options.error;
  }
}

}  // namespace
}  // namespace morvanta::runner
