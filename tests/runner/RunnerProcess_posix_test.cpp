// morvanta-run as the window starts it: a process of its own, cancelled by
// SIGTERM.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "hostsim/HostSim.h"
#include "jobs/JobStatus.h"
#include "runner/JobRunner.h"
#include "support/TestFiles.h"

extern char** environ;

namespace morvanta::runner {
namespace {

namespace fs = std::filesystem;
using testing::u8;

const std::string kRunner = std::string(MORVANTA_BIN_DIR) + "/morvanta-run";

// Starts the runner with its output in `log`; returns its pid.
pid_t startRunner(const std::vector<std::string>& args, const std::string& log) {
  std::vector<std::string> words{kRunner};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  pid_t pid = -1;
  const int error = posix_spawn(&pid, kRunner.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

int exitStatusOf(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RunnerProcess, HelpVersionAndBadCommandLines) {
  testing::TempFolder folder;
  const std::string log = u8(folder / "out.txt");
  EXPECT_EQ(exitStatusOf(startRunner({"--version"}, log)), 0);
  EXPECT_EQ(testing::readBytes(folder / "out.txt").rfind("morvanta-run ", 0), 0u);
  EXPECT_EQ(exitStatusOf(startRunner({"--help"}, log)), 0);
  EXPECT_EQ(testing::readBytes(folder / "out.txt").rfind("usage: morvanta-run", 0), 0u);
  // Not a batch file named "--hepl": a mistake, and no status file for it.
  EXPECT_EQ(exitStatusOf(startRunner({"--hepl"}, log)), kJobUnusable);
  EXPECT_FALSE(fs::exists("--hepl.status"));
  EXPECT_EQ(exitStatusOf(startRunner({}, log)), kJobUnusable);
}

TEST(RunnerProcess, SigtermCancelsTheJobCleanly) {
  test::HostSimOptions options;
  options.trickleSeconds = 0.05;  // the element takes minutes to arrive
  test::HostSim host(options);
  testing::TempFolder folder;
  testing::writeJobFile(
      folder / "RECV.TXT",
      {"open 127.0.0.1 " + std::to_string(host.port()), host.user(), host.password(),
       "RECV PRJ*SRC.MAIN/R1 " + u8(folder / "MAIN.txt"), "bye"});
  testing::writeJobFile(folder / "RECV.BAT", {"ftp -s:" + u8(folder / "RECV.TXT"), "echo never"});
  const auto statusPath = jobs::statusPathFor(folder / "RECV.BAT");
  const pid_t pid = startRunner({u8(folder / "RECV.BAT")}, u8(folder / "RECV.BAT.log"));
  ASSERT_GT(pid, 0);

  // Wait (bounded) until the element has begun to arrive.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (host.log().find("RETR PRJ*SRC.MAIN/R1") == std::string::npos &&
         std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ::kill(pid, SIGTERM);
  EXPECT_EQ(exitStatusOf(pid), kJobCancelled);

  const jobs::JobStatus status = jobs::readStatusFile(statusPath);
  EXPECT_TRUE(status.started);
  EXPECT_EQ(status.pid, pid);
  EXPECT_TRUE(status.ended);
  EXPECT_EQ(status.exitCode, kJobCancelled);
  EXPECT_EQ(status.reason, u"cancelled");
  // No partial element, no script with the password.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"RECV.BAT", "RECV.BAT.log", "RECV.BAT.status"}));
  EXPECT_EQ(testing::readBytes(folder / "RECV.BAT.log").find("never\n"), std::string::npos);
}

}  // namespace
}  // namespace morvanta::runner
