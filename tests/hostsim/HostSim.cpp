#include "hostsim/HostSim.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

extern char** environ;
#include "support/TestFiles.h"

namespace morvanta::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPython = "/usr/bin/python3";  // the one that has pyftpdlib
constexpr int kStartupMs = 20000;

// Reads the server's first line, "PORT n", within a bounded time.
int readPort(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartupMs);
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return 0;
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[256];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) return 0;
    line.append(buffer, static_cast<std::size_t>(got));
  }
  if (line.rfind("PORT ", 0) != 0) return 0;
  return std::atoi(line.c_str() + 5);
}

}  // namespace

fs::path HostSim::folder() {
  return fs::path(MORVANTA_HOSTSIM_DIR);
}

HostSim::HostSim(const HostSimOptions& options) : options_(options) {
  std::string pattern = (fs::temp_directory_path() / "morvanta-hostsim-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a folder for hostsim");
  base_ = pattern;
  root_ = base_ / "root";
  scratch_ = base_ / "scratch";
  fs::create_directories(root_);
  fs::create_directories(scratch_);

  std::vector<std::string> words{kPython,
                                 (folder() / "hostsim.py").string(),
                                 "--root",
                                 root_.string(),
                                 "--user",
                                 options_.user,
                                 "--password",
                                 options_.password,
                                 "--lifetime",
                                 std::to_string(options_.lifetimeSeconds),
                                 "--auth-failed-delay",
                                 std::to_string(options_.authFailedDelaySeconds),
                                 "--log",
                                 (base_ / "hostsim.log").string(),
                                 "--exit-on-stdin-eof"};
  if (options_.verbose) words.push_back("--verbose");
  if (options_.asciiSize) words.push_back("--ascii-size");
  if (options_.cutAfterBytes >= 0) {
    words.push_back("--cut-after");
    words.push_back(std::to_string(options_.cutAfterBytes));
  }
  if (options_.dropAfterBytes >= 0) {
    words.push_back("--drop-after");
    words.push_back(std::to_string(options_.dropAfterBytes));
  }
  if (options_.trickleSeconds > 0) {
    words.push_back("--trickle");
    words.push_back(std::to_string(options_.trickleSeconds));
  }
  if (options_.slowListingSeconds > 0) {
    words.push_back("--slow-listing");
    words.push_back(std::to_string(options_.slowListingSeconds));
  }
  if (options_.samples) {
    words.push_back("--seed");
    words.push_back((folder() / "samples").string());
  }
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int toServer[2];
  int fromServer[2];
  if (::pipe2(toServer, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (::pipe2(fromServer, O_CLOEXEC) != 0) {
    ::close(toServer[0]);
    ::close(toServer[1]);
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toServer[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fromServer[1], STDOUT_FILENO);
  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, kPython, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(toServer[0]);
  ::close(fromServer[1]);
  input_ = toServer[1];
  if (error != 0) {
    ::close(fromServer[0]);
    stop();
    throw std::runtime_error(std::string("cannot start ") + kPython);
  }
  pid_ = pid;
  port_ = readPort(fromServer[0]);
  ::close(fromServer[0]);
  if (port_ <= 0) {
    stop();
    const std::string why = log();
    std::error_code ignored;
    fs::remove_all(base_, ignored);
    throw std::runtime_error("the simulated host did not start: " + why);
  }
}

HostSim::~HostSim() {
  stop();
  std::error_code ignored;
  fs::remove_all(base_, ignored);
}

void HostSim::stop() {
  if (input_ >= 0) {
    ::close(input_);
    input_ = -1;
  }
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }
}

fs::path HostSim::elementPath(const std::string& qualFile, const std::string& ftpName) const {
  const auto star = qualFile.find('*');
  return root_ / qualFile.substr(0, star) / qualFile.substr(star + 1) / ftpName;
}

void HostSim::addProgramFile(const std::string& qualFile) {
  fs::create_directories(elementPath(qualFile, "x").parent_path());
}

void HostSim::putElement(const std::string& qualFile, const std::string& ftpName,
                         const std::string& bytes) {
  addProgramFile(qualFile);
  std::ofstream out(elementPath(qualFile, ftpName), std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write element " + ftpName);
}

void HostSim::setElementTime(const std::string& qualFile, const std::string& ftpName,
                             const platform::DateTime& when) {
  const std::string path = elementPath(qualFile, ftpName).string();
  if (!platform::setModifiedTime(platform::fromUtf8(path), when)) {
    throw std::runtime_error("cannot set the time of " + path);
  }
}

std::string HostSim::readElement(const std::string& qualFile, const std::string& ftpName) const {
  return testing::readBytes(elementPath(qualFile, ftpName));
}

std::string HostSim::log() const {
  return testing::readBytes(base_ / "hostsim.log");
}

}  // namespace morvanta::test
