// Windows: CP932 through the Win32 code-page functions, file times through
// the file-time API, processes through CreateProcessW. Paths are UTF-16
// natively, so they pass through without conversion.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which they need.
#include <sddl.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "platform/PlatformDetail.h"

namespace morvanta::platform {

namespace fs = std::filesystem;

namespace {

constexpr UINT kCp932 = 932;

std::wstring wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

std::u16string narrow16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

std::string lastErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) return "error " + std::to_string(error);
  return toUtf8(narrow16(text));
}

// Quotes one argument so that the started program's argument parser
// (CommandLineToArgvW rules) gets it back unchanged.
std::wstring quoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      quoted.append(backslashes * 2 + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');  // they precede the closing quote
  quoted.push_back(L'"');
  return quoted;
}

// The program name is parsed by simpler rules: quotes group, nothing escapes.
std::wstring quoteProgram(const std::wstring& program) {
  if (program.find_first_of(L" \t") == std::wstring::npos) return program;
  return L"\"" + program + L"\"";
}

// Starts a command line. `output` (when valid) receives standard output and
// error. Throws FileError naming `what` on failure.
void createProcess(std::wstring commandLine, HANDLE output, DWORD flags, const std::string& what) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  BOOL inherit = FALSE;
  if (output != INVALID_HANDLE_VALUE) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    inherit = TRUE;
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, inherit, flags, nullptr,
                      nullptr, &startup, &process)) {
    throw FileError("cannot start " + what + ": " + lastErrorText(GetLastError()));
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

bool toFileTime(const DateTime& when, FILETIME& result) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(when.year);
  local.wMonth = static_cast<WORD>(when.month);
  local.wDay = static_cast<WORD>(when.day);
  local.wHour = static_cast<WORD>(when.hour);
  local.wMinute = static_cast<WORD>(when.minute);
  local.wSecond = static_cast<WORD>(when.second);
  SYSTEMTIME utc{};
  // Applies the summer-time rule of that date, not of today.
  return TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) &&
         SystemTimeToFileTime(&utc, &result);
}

// A security descriptor whose access list grants the current user alone
// full access and inherits nothing from the folder.
class OwnerOnlySecurity {
 public:
  OwnerOnlySecurity() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    wchar_t* sid = nullptr;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
      const std::wstring sddl = L"D:P(A;;FA;;;" + std::wstring(sid) + L")";
      LocalFree(sid);
      ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                           &descriptor_, nullptr);
    }
    CloseHandle(token);
  }
  ~OwnerOnlySecurity() {
    if (descriptor_) LocalFree(descriptor_);
  }
  OwnerOnlySecurity(const OwnerOnlySecurity&) = delete;
  OwnerOnlySecurity& operator=(const OwnerOnlySecurity&) = delete;

  bool valid() const { return descriptor_ != nullptr; }
  SECURITY_ATTRIBUTES* attributes() {
    attributes_ = {static_cast<DWORD>(sizeof attributes_), descriptor_, FALSE};
    return &attributes_;
  }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace

namespace detail {

fs::path nativePath(const std::u16string& path) {
  return fs::path(wide(path));
}

std::u16string fromNativePath(const fs::path& path) {
  return narrow16(path.native());
}

bool encodeCp932Strict(std::u16string_view text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  if (text.size() > static_cast<std::size_t>(INT_MAX / 2)) return false;
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  // Without best fit, a character CP932 lacks becomes the default character
  // and is reported, instead of turning quietly into a look-alike.
  BOOL usedDefault = FALSE;
  int size = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, source, count, nullptr, 0, nullptr,
                                 &usedDefault);
  if (size <= 0 || usedDefault) return false;
  out.resize(static_cast<std::size_t>(size));
  size = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, source, count, out.data(), size, nullptr,
                             &usedDefault);
  if (size <= 0 || usedDefault) {
    out.clear();
    return false;
  }
  out.resize(static_cast<std::size_t>(size));
  return true;
}

bool decodeCp932Strict(std::string_view bytes, std::u16string& out) {
  out.clear();
  if (bytes.empty()) return true;
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int count = static_cast<int>(bytes.size());
  int size = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
  if (size <= 0) return false;
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  size = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), count, text.data(), size);
  if (size <= 0) return false;
  text.resize(static_cast<std::size_t>(size));
  out = narrow16(text);
  return true;
}

bool replaceFile(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void writeNewFile(const fs::path& path, std::string_view bytes, bool ownerOnly) {
  std::optional<OwnerOnlySecurity> security;
  SECURITY_ATTRIBUTES* attributes = nullptr;
  if (ownerOnly) {
    // Without the current user's SID the file would inherit the folder's
    // access list and could be readable by others: better not written.
    security.emplace();
    if (!security->valid()) throw FileError(lastErrorText(GetLastError()));
    attributes = security->attributes();
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, attributes, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw FileError(lastErrorText(GetLastError()));
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  DWORD error = 0;
  while (left > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr)) {
      error = GetLastError();
      break;
    }
    data += written;
    left -= written;
  }
  if (!CloseHandle(file) && error == 0) error = GetLastError();
  if (error != 0) {
    DeleteFileW(path.c_str());
    throw FileError(lastErrorText(error));
  }
}

std::string lastErrorReason() {
  return lastErrorText(GetLastError());
}

}  // namespace detail

const std::u16string& pathSeparator() {
  static const std::u16string separator = u"\\";
  return separator;
}

std::u16string modifiedTime(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return u"";
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return u"";
  }
  return detail::formatDateTime(
      DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
}

bool setModifiedTime(const std::u16string& path, const DateTime& when) {
  if (!detail::isValidDateTime(when) || when.year < 1601) return false;
  FILETIME fileTime{};
  if (!toFileTime(when, fileTime)) return false;
  HANDLE file = CreateFileW(wide(path).c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BOOL done = SetFileTime(file, nullptr, nullptr, &fileTime);
  CloseHandle(file);
  return done != 0;
}

std::u16string defaultTextEditor() {
  return u"notepad.exe";
}

std::u16string executableFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return currentFolder();
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
  }
  return detail::fromNativePath(fs::path(buffer).parent_path());
}

std::u16string environment(const std::u16string& name) {
  const std::wstring key = wide(name);
  std::wstring value(256, L'\0');
  for (;;) {
    DWORD length =
        GetEnvironmentVariableW(key.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return u"";
    if (length < value.size()) {
      value.resize(length);
      return narrow16(value);
    }
    value.resize(length);  // the size needed, terminator included
  }
}

DateTime now() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

void startDetached(const std::u16string& program, const std::vector<std::u16string>& args,
                   const std::u16string& logFile) {
  const std::string name = toUtf8(program);
  if (program.empty()) throw FileError("cannot start a program without a name");
  std::wstring commandLine = quoteProgram(wide(program));
  for (const auto& arg : args) commandLine += L" " + quoteArgument(wide(arg));

  if (logFile.empty()) {
    createProcess(commandLine, INVALID_HANDLE_VALUE, 0, name);
    return;
  }
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE log =
      CreateFileW(wide(logFile).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  &inheritable, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) {
    throw FileError("cannot start " + name + ": cannot open the log " + toUtf8(logFile) + ": " +
                    lastErrorText(GetLastError()));
  }
  try {
    // Its output goes to the log, so it needs no console window of its own.
    createProcess(commandLine, log, CREATE_NO_WINDOW, name);
  } catch (...) {
    CloseHandle(log);
    throw;
  }
  CloseHandle(log);
}

void startBatchFile(const std::u16string& batchPath) {
  if (!fileExists(batchPath)) {
    throw FileError("cannot run " + toUtf8(batchPath) + ": the batch file is missing");
  }
  std::u16string interpreter = environment(u"ComSpec");
  if (interpreter.empty()) interpreter = u"cmd.exe";
  // "start" gives the batch file a console window of its own, as a user
  // double-clicking it would see; the interpreter that runs "start" needs none.
  std::wstring commandLine =
      quoteProgram(wide(interpreter)) + L" /c start \"\" \"" + wide(batchPath) + L"\"";
  createProcess(commandLine, INVALID_HANDLE_VALUE, CREATE_NO_WINDOW, toUtf8(batchPath));
}

// The system's FTP client tells nobody how it went; a runner named by
// MORVANTA_RUNNER is not used here, the command interpreter runs the batch.
std::u16string jobRunnerPath() {
  return u"";
}

BatchProcess startWatchedBatch(const std::u16string& batchPath) {
  if (!fileExists(batchPath)) {
    throw FileError("cannot run " + toUtf8(batchPath) + ": the batch file is missing");
  }
  std::u16string interpreter = environment(u"ComSpec");
  if (interpreter.empty()) interpreter = u"cmd.exe";
  // The interpreter runs the batch file itself, in a console of its own, so
  // its process is the job's; the job object holds whatever it starts.
  std::wstring commandLine =
      quoteProgram(wide(interpreter)) + L" /c \"\"" + wide(batchPath) + L"\"\"";
  HANDLE group = CreateJobObjectW(nullptr, nullptr);
  if (group == nullptr) {
    throw FileError("cannot run " + toUtf8(batchPath) + ": " + lastErrorText(GetLastError()));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE | CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    const DWORD error = GetLastError();
    CloseHandle(group);
    throw FileError("cannot run " + toUtf8(batchPath) + ": " + lastErrorText(error));
  }
  // In the group before it runs a single line, so nothing it starts escapes.
  AssignProcessToJobObject(group, process.hProcess);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  BatchProcess batch;
  batch.pid = static_cast<std::int64_t>(process.dwProcessId);
  batch.process = reinterpret_cast<std::uintptr_t>(process.hProcess);
  batch.group = reinterpret_cast<std::uintptr_t>(group);
  batch.reportsStatus = false;
  return batch;
}

bool batchRunning(BatchProcess& batch) {
  if (batch.process == 0) return false;
  return WaitForSingleObject(reinterpret_cast<HANDLE>(batch.process), 0) == WAIT_TIMEOUT;
}

// The system's FTP client has no polite stop: the job object goes at once,
// and the queue cleans up when the process is seen to have ended.
void stopBatch(BatchProcess& batch) {
  if (batch.group != 0) TerminateJobObject(reinterpret_cast<HANDLE>(batch.group), 1);
}

void cancelBatch(BatchProcess& batch) {
  if (batch.group != 0) TerminateJobObject(reinterpret_cast<HANDLE>(batch.group), 1);
  if (batch.process != 0) WaitForSingleObject(reinterpret_cast<HANDLE>(batch.process), 5000);
}

void releaseBatch(BatchProcess& batch) {
  if (batch.process != 0) CloseHandle(reinterpret_cast<HANDLE>(batch.process));
  if (batch.group != 0) CloseHandle(reinterpret_cast<HANDLE>(batch.group));
  batch.process = 0;
  batch.group = 0;
}

bool programExists(const std::u16string& program) {
  if (program.empty()) return false;
  wchar_t found[MAX_PATH];
  return SearchPathW(nullptr, wide(program).c_str(), L".exe", MAX_PATH, found, nullptr) > 0;
}

int runAndWait(const std::u16string& program, const std::vector<std::u16string>& args) {
  const std::string name = toUtf8(program);
  if (!programExists(program)) throw FileError("program not found: " + name);
  std::wstring commandLine = quoteProgram(wide(program));
  for (const auto& arg : args) commandLine += L" " + quoteArgument(wide(arg));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw FileError("cannot start " + name + ": " + lastErrorText(GetLastError()));
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  const BOOL known = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  if (!known) throw FileError("lost " + name + ": " + lastErrorText(GetLastError()));
  return static_cast<int>(status);
}

// On Windows libcurl's text mode sends the bytes as they are.
bool curlTextUploadAddsCr() {
  return false;
}

std::int64_t currentProcessId() {
  return static_cast<std::int64_t>(::GetCurrentProcessId());
}

bool processRunning(std::int64_t pid) {
  if (pid <= 0 || pid > static_cast<std::int64_t>(MAXDWORD)) return false;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

bool readableByOthers(const std::u16string&) {
  return false;
}

}  // namespace morvanta::platform
