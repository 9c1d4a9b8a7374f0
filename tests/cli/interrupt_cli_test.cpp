// morvanta-cli interrupted while its job runs: the job stops as a cancelled
// window job does, and the program ends as interrupted.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/CliE2e.h"
#include "cli/CliProcess.h"
#include "jobs/JobStatus.h"
#include "platform/Platform.h"

namespace morvanta::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class InterruptedCliTest : public CliE2eTest, public ::testing::WithParamInterface<int> {
 protected:
  // An element of a few hundred bytes takes many seconds to arrive.
  InterruptedCliTest() : CliE2eTest(test::HostSimOptions{.trickleSeconds = 0.05}) {}

  // True once a file named *.tmp lies anywhere under `folder`.
  static bool anyTemporaryFile(const fs::path& folder) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      if (it->path().extension() == ".tmp") return true;
    }
    return false;
  }
};

TEST_P(InterruptedCliTest, GetStopsItsJobCleansUpAndEndsAsInterrupted) {
  configure();
  const int pid = startCli({"--folder", app().string(), "get", "PRJ*SRC.CALC"}, host.scratch());
  const auto limit = std::chrono::steady_clock::now() + 30s;
  while (!anyTemporaryFile(app() / "FTPRCV") && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(anyTemporaryFile(app() / "FTPRCV")) << "the element never began to arrive";
  ::kill(pid, GetParam());
  const CliRun run = finishCli(pid, host.scratch());

  EXPECT_EQ(run.signal, GetParam()) << "exit " << run.status << ": " << run.err;
  EXPECT_FALSE(anyTemporaryFile(app() / "FTPRCV")) << "a partial file is left";
  EXPECT_FALSE(fs::exists(work() / "RECV.TXT")) << "the password is left behind";
  const jobs::JobStatus status =
      jobs::readStatusFile(platform::fromUtf8((work() / "RECV.BAT.status").string()));
  EXPECT_TRUE(status.ended) << "no end record";
  EXPECT_EQ(status.exitCode, 143);
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedCliTest, ::testing::Values(SIGINT, SIGTERM));

}  // namespace
}  // namespace morvanta::testing
