// Linux (and other POSIX systems): CP932 through iconv, file times through
// stat/utimensat, processes through a double fork so nothing is left to reap.

#include <fcntl.h>
#include <iconv.h>
#if __has_include(<linux/close_range.h>)
#include <linux/close_range.h>
#endif
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <system_error>

#include "platform/Platform.h"
#include "platform/PlatformDetail.h"

extern char** environ;

namespace morvanta::platform {

namespace fs = std::filesystem;

namespace {

// One iconv conversion, closed when it goes out of scope.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (valid()) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`; false at the first byte sequence it cannot take.
  bool convert(std::string_view in, std::string& out) {
    out.clear();
    if (!valid()) return false;
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
      if (result != static_cast<std::size_t>(-1) && result > 0) return false;  // lossy
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(handle_, nullptr, nullptr, &outPtr, &outLeft);  // flush any shift state
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return true;
  }

 private:
  iconv_t handle_;
};

std::string toUtf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::u16string fromUtf16LeBytes(const std::string& bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

std::string errorText(int error) {
  return std::system_category().message(error);
}

// Retries a system call interrupted by a signal.
template <typename Call>
auto retry(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result == -1 && errno == EINTR);
  return result;
}

// A file descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

bool isExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// The program as exec should get it: a name without "/" is looked up on
// PATH here, before the fork, where allocating is still allowed.
std::string resolveProgram(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(start, end - start);
    std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
    if (isExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

// Runs in the started process between fork and exec: only async-signal-safe
// calls from here on. Reports an exec failure's errno through `report`.
[[noreturn]] void execChild(const char* file, char* const* argv, char* const* shellArgv,
                            int stdinFd, int logFd, int report) {
  sigset_t all;
  sigemptyset(&all);
  sigprocmask(SIG_SETMASK, &all, nullptr);
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &standard, nullptr);

  if (stdinFd >= 0) dup2(stdinFd, STDIN_FILENO);
  if (logFd >= 0) {
    dup2(logFd, STDOUT_FILENO);
    dup2(logFd, STDERR_FILENO);
  }
  // Descriptors the caller opened without close-on-exec stay with the caller.
  // The report pipe is among them and closes at exec, which tells the caller
  // the start succeeded.
#ifdef CLOSE_RANGE_CLOEXEC
  ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
#endif

  execv(file, argv);
  if (errno == ENOEXEC) execv("/bin/sh", shellArgv);  // a script without "#!"
  int error = errno;
  [[maybe_unused]] auto written = write(report, &error, sizeof error);
  _exit(127);
}

}  // namespace

namespace detail {

fs::path nativePath(const std::u16string& path) {
  return fs::path(toUtf8(path));
}

std::u16string fromNativePath(const fs::path& path) {
  return fromUtf8(path.native());
}

bool encodeCp932Strict(std::u16string_view text, std::string& out) {
  Iconv encoder("CP932", "UTF-16LE");
  if (!encoder.convert(toUtf16LeBytes(text), out)) return false;
  // iconv quietly takes some characters to a near neighbour ("¥" to "\",
  // WAVE DASH to FULLWIDTH TILDE). Only what reads back the same is kept.
  std::u16string back;
  return decodeCp932Strict(out, back) && back == text;
}

bool decodeCp932Strict(std::string_view bytes, std::u16string& out) {
  Iconv decoder("UTF-16LE", "CP932");
  std::string wide;
  if (!decoder.convert(bytes, wide)) return false;
  out = fromUtf16LeBytes(wide);
  return true;
}

bool replaceFile(const fs::path& from, const fs::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

void writeNewFile(const fs::path& path, std::string_view bytes, bool ownerOnly) {
  // The mode is given at creation, so a private file is never readable by
  // others, not even for a moment; the umask can only take more away.
  const mode_t mode = ownerOnly ? 0600 : 0666;
  const int fd =
      retry([&] { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode); });
  if (fd < 0) throw FileError(errorText(errno));
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  int error = 0;
  while (left > 0 && error == 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error != 0) {
    ::unlink(path.c_str());
    throw FileError(errorText(error));
  }
}

std::string lastErrorReason() {
  return errorText(errno);
}

}  // namespace detail

const std::u16string& pathSeparator() {
  static const std::u16string separator = u"/";
  return separator;
}

std::u16string modifiedTime(const std::u16string& path) {
  struct stat info {};
  if (::stat(toUtf8(path).c_str(), &info) != 0) return u"";
  std::tm local{};
  if (!localtime_r(&info.st_mtim.tv_sec, &local)) return u"";
  return detail::formatDateTime(DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                         local.tm_hour, local.tm_min, local.tm_sec});
}

bool setModifiedTime(const std::u16string& path, const DateTime& when) {
  if (!detail::isValidDateTime(when)) return false;
  std::tm local{};
  local.tm_year = when.year - 1900;
  local.tm_mon = when.month - 1;
  local.tm_mday = when.day;
  local.tm_hour = when.hour;
  local.tm_min = when.minute;
  local.tm_sec = when.second;
  local.tm_isdst = -1;  // let the time zone say whether summer time applies
  errno = 0;
  std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1) && errno == EOVERFLOW) return false;
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // access time stays
  times[1].tv_sec = seconds;
  times[1].tv_nsec = 0;
  return ::utimensat(AT_FDCWD, toUtf8(path).c_str(), times, 0) == 0;
}

std::u16string defaultTextEditor() {
  return u"xdg-open";
}

std::u16string executableFolder() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return currentFolder();
  return detail::fromNativePath(self.parent_path());
}

std::u16string environment(const std::u16string& name) {
  const char* value = std::getenv(toUtf8(name).c_str());
  return value ? fromUtf8(value) : std::u16string();
}

DateTime now() {
  std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

void startDetached(const std::u16string& program, const std::vector<std::u16string>& args,
                   const std::u16string& logFile) {
  const std::string name = toUtf8(program);
  if (name.empty()) throw FileError("cannot start a program without a name");
  const std::string file = resolveProgram(name);
  if (file.empty()) throw FileError("cannot start " + name + ": not found");

  // Everything the child needs is prepared here: after fork it may not
  // allocate.
  std::vector<std::string> words{name};
  for (const auto& arg : args) words.push_back(toUtf8(arg));
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::string shell = "/bin/sh";
  std::string fileCopy = file;
  std::vector<char*> shellArgv{shell.data(), fileCopy.data()};
  for (std::size_t i = 1; i < words.size(); ++i) shellArgv.push_back(words[i].data());
  shellArgv.push_back(nullptr);

  Fd log;
  if (!logFile.empty()) {
    log.reset(::open(toUtf8(logFile).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (log.get() < 0) {
      throw FileError("cannot start " + name + ": cannot open the log " + toUtf8(logFile) + ": " +
                      errorText(errno));
    }
  }
  Fd nullInput(::open("/dev/null", O_RDONLY | O_CLOEXEC));

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    throw FileError("cannot start " + name + ": " + errorText(errno));
  }
  Fd reportRead(pipeFds[0]);
  Fd reportWrite(pipeFds[1]);

  pid_t middle = ::fork();
  if (middle < 0) throw FileError("cannot start " + name + ": " + errorText(errno));
  if (middle == 0) {
    // The middle process gives the program its own session and leaves at
    // once; the program is then adopted and reaped by the system.
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
      execChild(file.c_str(), argv.data(), shellArgv.data(), nullInput.get(), log.get(),
                reportWrite.get());
    }
    if (grandchild < 0) {
      int error = errno;
      [[maybe_unused]] auto written = write(reportWrite.get(), &error, sizeof error);
    }
    _exit(0);
  }

  reportWrite.reset();
  int status = 0;
  retry([&] { return ::waitpid(middle, &status, 0); });

  int error = 0;
  auto got = retry([&] { return ::read(reportRead.get(), &error, sizeof error); });
  if (got == static_cast<ssize_t>(sizeof error)) {
    throw FileError("cannot start " + name + ": " + errorText(error));
  }
}

std::u16string jobRunnerPath() {
  // Set by tests and by installs that keep the runner elsewhere.
  const std::u16string chosen = environment(u"MORVANTA_RUNNER");
  if (!chosen.empty()) return isExecutableFile(toUtf8(chosen)) ? chosen : std::u16string();
  std::u16string runner = joinPath(executableFolder(), u"morvanta-run");
  if (!isExecutableFile(toUtf8(runner))) runner = fromUtf8(resolveProgram("morvanta-run"));
  return runner;
}

namespace {

std::u16string runnerFor(const std::u16string& batchPath) {
  if (!fileExists(batchPath)) {
    throw FileError("cannot run " + toUtf8(batchPath) + ": the batch file is missing");
  }
  const std::u16string runner = jobRunnerPath();
  if (runner.empty()) {
    throw FileError("cannot run " + toUtf8(batchPath) +
                    ": the job runner morvanta-run was not found beside the program or on PATH");
  }
  return runner;
}

}  // namespace

void startBatchFile(const std::u16string& batchPath) {
  const std::u16string runner = runnerFor(batchPath);
  trimLog(batchPath + u".log");
  startDetached(runner, {batchPath}, batchPath + u".log");
}

BatchProcess startWatchedBatch(const std::u16string& batchPath) {
  const std::u16string runner = runnerFor(batchPath);
  const std::u16string logFile = batchPath + u".log";
  trimLog(logFile);
  const std::string file = toUtf8(runner);
  std::vector<std::string> words{file, toUtf8(batchPath)};
  std::vector<char*> argv{words[0].data(), words[1].data(), nullptr};
  std::string shell = "/bin/sh";
  std::vector<char*> shellArgv{shell.data(), words[0].data(), words[1].data(), nullptr};

  Fd log(::open(toUtf8(logFile).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
  if (log.get() < 0) {
    throw FileError("cannot run " + toUtf8(batchPath) + ": cannot open the log " + toUtf8(logFile) +
                    ": " + errorText(errno));
  }
  Fd nullInput(::open("/dev/null", O_RDONLY | O_CLOEXEC));
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    throw FileError("cannot run " + toUtf8(batchPath) + ": " + errorText(errno));
  }
  Fd reportRead(pipeFds[0]);
  Fd reportWrite(pipeFds[1]);

  // One child, leading a process group of its own: it stays ours to reap,
  // and a cancel reaches the runner and every program it runs.
  pid_t child = ::fork();
  if (child < 0) throw FileError("cannot run " + toUtf8(batchPath) + ": " + errorText(errno));
  if (child == 0) {
    ::setpgid(0, 0);
    execChild(file.c_str(), argv.data(), shellArgv.data(), nullInput.get(), log.get(),
              reportWrite.get());
  }
  ::setpgid(child, child);  // also here, so a cancel right away finds the group
  reportWrite.reset();
  int error = 0;
  auto got = retry([&] { return ::read(reportRead.get(), &error, sizeof error); });
  if (got == static_cast<ssize_t>(sizeof error)) {
    int status = 0;
    retry([&] { return ::waitpid(child, &status, 0); });
    throw FileError("cannot run " + toUtf8(batchPath) + ": " + errorText(error));
  }
  BatchProcess batch;
  batch.pid = child;
  batch.reportsStatus = true;
  return batch;
}

bool batchRunning(BatchProcess& batch) {
  if (batch.pid <= 0) return false;
  int status = 0;
  const pid_t got =
      retry([&] { return ::waitpid(static_cast<pid_t>(batch.pid), &status, WNOHANG); });
  if (got == 0) return true;
  batch.pid = 0;  // reaped (or not ours any more): never signal that id again
  return false;
}

void stopBatch(BatchProcess& batch) {
  if (batch.pid > 0) ::kill(-static_cast<pid_t>(batch.pid), SIGTERM);
}

void cancelBatch(BatchProcess& batch) {
  if (batch.pid <= 0) return;
  // The whole group, at once: a transfer half done must not go on writing.
  ::kill(-static_cast<pid_t>(batch.pid), SIGKILL);
  int status = 0;
  retry([&] { return ::waitpid(static_cast<pid_t>(batch.pid), &status, 0); });
  batch.pid = 0;
}

// A POSIX child holds nothing but its id.
void releaseBatch(BatchProcess&) {}

bool programExists(const std::u16string& program) {
  if (program.empty()) return false;
  const std::string file = resolveProgram(toUtf8(program));
  return !file.empty() && isExecutableFile(file);
}

int runAndWait(const std::u16string& program, const std::vector<std::u16string>& args) {
  const std::string name = toUtf8(program);
  const std::string file = program.empty() ? std::string() : resolveProgram(name);
  if (file.empty() || !isExecutableFile(file)) throw FileError("program not found: " + name);

  std::vector<std::string> words{name};
  for (const auto& arg : args) words.push_back(toUtf8(arg));
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv.data(), environ);
  if (error != 0) throw FileError("cannot start " + name + ": " + std::strerror(error));
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw FileError("lost " + name + ": " + std::strerror(errno));
  }
  if (WIFSIGNALED(status)) {
    throw FileError(name + " was ended by signal " + std::to_string(WTERMSIG(status)));
  }
  return WEXITSTATUS(status);
}

// Here libcurl's text mode turns every LF into CR LF on upload.
bool curlTextUploadAddsCr() {
  return true;
}

std::int64_t currentProcessId() {
  return static_cast<std::int64_t>(::getpid());
}

bool processRunning(std::int64_t pid) {
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
  // Signal 0 only asks; EPERM means it exists but belongs to someone else.
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool readableByOthers(const std::u16string& path) {
  struct stat info {};
  if (::stat(toUtf8(path).c_str(), &info) != 0) return false;
  return (info.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

}  // namespace morvanta::platform
