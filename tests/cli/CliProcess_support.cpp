#include "cli/CliProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;
#include "support/TestFiles.h"

namespace morvanta::testing {

namespace fs = std::filesystem;

namespace {}  // namespace

int startCli(const std::vector<std::string>& args, const fs::path& scratch,
             const std::vector<std::string>& environment) {
  const std::string program = (fs::path(MORVANTA_BIN_DIR) / "morvanta-cli").string();
  const fs::path outFile = scratch / "cli.out";
  const fs::path errFile = scratch / "cli.err";

  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = environment;
  for (char** each = environ; *each != nullptr; ++each) variables.emplace_back(*each);
  std::vector<char*> envp;
  for (auto& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + program);
  return pid;
}

CliRun finishCli(int pid, const fs::path& scratch) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost morvanta-cli");
  }
  CliRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  run.out = readBytes(scratch / "cli.out");
  run.err = readBytes(scratch / "cli.err");
  return run;
}

CliRun runCli(const std::vector<std::string>& args, const fs::path& scratch,
              const std::vector<std::string>& environment) {
  return finishCli(startCli(args, scratch, environment), scratch);
}

}  // namespace morvanta::testing
