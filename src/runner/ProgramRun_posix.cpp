#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Platform.h"
#include "runner/JobError.h"
#include "runner/ProgramRun.h"

extern char** environ;

namespace morvanta::runner {

namespace {

bool isExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::string findOnPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string();
  const char* path = std::getenv("PATH");
  const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = folders.substr(start, end - start);
    const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
    if (isExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

}  // namespace

bool programExists(const std::u16string& program) {
  return !program.empty() && !findOnPath(platform::toUtf8(program)).empty();
}

int runProgram(const std::u16string& program, const std::vector<std::u16string>& args) {
  const std::string name = platform::toUtf8(program);
  const std::string file = findOnPath(name);
  if (file.empty()) throw JobError("program not found: " + name);

  std::vector<std::string> words{name};
  for (const auto& arg : args) words.push_back(platform::toUtf8(arg));
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv.data(), environ);
  if (error != 0) throw JobError("cannot start " + name + ": " + std::strerror(error));
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw JobError("lost " + name + ": " + std::strerror(errno));
  }
  if (WIFSIGNALED(status)) {
    throw JobError(name + " was ended by signal " + std::to_string(WTERMSIG(status)));
  }
  return WEXITSTATUS(status);
}

}  // namespace morvanta::runner
