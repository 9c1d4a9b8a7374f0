#pragma once
// The only place that knows the operating system. Everything here takes and
// returns UTF-16 text (one unit per character, as the rest of the core);
// files on disk are CP932 with CR LF line ends.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::platform {

// A file could not be read, written, created or removed; what() names the file.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text holds a character that CP932 cannot represent; what() names the file
// (when there is one) and the character.
class EncodingError : public FileError {
 public:
  using FileError::FileError;
};

struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// --- Text encodings --------------------------------------------------------

// UTF-16 to CP932 bytes. Throws EncodingError for a character CP932 lacks.
std::string toCp932(const std::u16string& text);
// CP932 bytes to UTF-16. A byte sequence that is not CP932 becomes U+FFFD.
std::u16string fromCp932(const std::string& bytes);
// UTF-8 (command lines, environment, Qt bridges) to and from UTF-16.
std::string toUtf8(const std::u16string& text);
std::u16string fromUtf8(const std::string& text);

// --- Whole text files ------------------------------------------------------

// Reads a CP932 file as lines. CR LF, a lone LF and a last line without a line
// end are all accepted; no line keeps its line end. Throws FileError.
std::vector<std::u16string> readTextLines(const std::u16string& path);
// Creates or truncates the file and writes every line followed by CR LF.
// The text goes to a temporary file first and is renamed into place, so a
// failed write (EncodingError, FileError) leaves the old file untouched and
// never a half-written one.
void writeTextLines(const std::u16string& path, const std::vector<std::u16string>& lines);
// The file's bytes as they are, for readers that decode only what they need.
// Throws FileError.
std::string readBinaryFile(const std::u16string& path);
// Creates or replaces the file with exactly these bytes, in the same way:
// a failed write (FileError) leaves the old file and no temporary one.
void writeBinaryFile(const std::u16string& path, std::string_view bytes);

// A file read from the start in pieces, so that a large one never needs a
// buffer of its size. Opening and reading throw FileError.
class FileReader {
 public:
  explicit FileReader(const std::u16string& path);
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // The file's size when it was opened, for estimates only.
  std::uintmax_t sizeWhenOpened() const { return size_; }
  // Up to `room` bytes at `to`; 0 only at the end of the file.
  std::size_t read(char* to, std::size_t room);

 private:
  struct Stream;
  std::u16string path_;
  std::unique_ptr<Stream> stream_;
  std::uintmax_t size_ = 0;
};

// A file's new content written piece by piece, as writeBinaryFile writes it
// at once: into a temporary file beside it, put in place by commit(). Left
// without commit(), or after a FileError, the old file stays and the
// temporary one goes.
class FileReplacement {
 public:
  explicit FileReplacement(const std::u16string& target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  void write(std::string_view bytes);
  void commit();

 private:
  struct Stream;
  std::u16string target_;
  std::u16string temp_;
  std::unique_ptr<Stream> stream_;
};

// --- Files the user edits ----------------------------------------------------

// A file the user keeps by hand (the configuration, the bulk-receive table):
// CP932 as the system writes it, or UTF-8 as editors elsewhere save it.
struct SettingsText {
  std::vector<std::u16string> lines;
  bool utf8 = false;  // read as UTF-8
  // 1-based numbers of the lines holding bytes that do not decode; each
  // such byte became U+FFFD.
  std::vector<std::size_t> undecodableLines;
};
// UTF-8 when the text starts with a byte-order mark, or when it is valid
// UTF-8 and holds a character from U+0800 on (kana, kanji) or is not valid
// CP932; otherwise CP932. Lines end as readTextLines.
SettingsText decodeSettingsText(const std::string& bytes);
// Reads and decodes a whole file so. Throws FileError.
SettingsText readSettingsLines(const std::u16string& path);

// Who may read a file the system writes. OwnerOnly is for files that hold a
// secret (the FTP password): mode 0600 on POSIX, an access list naming only
// the current user on Windows. Such a file is private from its first byte,
// and replacing an older, readable file does not keep the old permissions.
enum class FileAccess { Shared, OwnerOnly };
void writeTextLines(const std::u16string& path, const std::vector<std::u16string>& lines,
                    FileAccess access);

// True when users other than the owner may read the file (POSIX group or
// other read permission). False where the system cannot tell that cheaply
// (Windows access lists) and for a missing file.
bool readableByOthers(const std::u16string& path);

// Every FileError message ends with the system's reason ("Permission
// denied", "No space left on device", ...) when the system gave one.

// --- Paths, folders and files ----------------------------------------------

// "\" on Windows, "/" elsewhere.
const std::u16string& pathSeparator();
// folder + separator + name; every path the system builds goes through here.
std::u16string joinPath(const std::u16string& folder, const std::u16string& name);

bool fileExists(const std::u16string& path);    // an ordinary file
bool folderExists(const std::u16string& path);  // a folder
// Creates the last level only; false when it cannot (parent missing, ...).
// A folder that is already there counts as created.
bool createFolder(const std::u16string& path);
// Names (not paths) of the ordinary files of a folder, in name order.
// Throws FileError when the folder cannot be listed.
std::vector<std::u16string> listFiles(const std::u16string& folder);
// Last-modified time, local time, as "yyyy/mm/dd hh:mm:ss"; "" when missing.
std::u16string modifiedTime(const std::u16string& path);
// Sets the last-modified time (local time); tests and the simulated host use it.
bool setModifiedTime(const std::u16string& path, const DateTime& when);
// Replaces `to` in one step and keeps the modified time of `from`.
bool copyFile(const std::u16string& from, const std::u16string& to);
// The same; a failure throws FileError with the system's reason and leaves
// `to` as it was.
void copyFileOrThrow(const std::u16string& from, const std::u16string& to);
bool deleteFile(const std::u16string& path);  // false when it was not there
// Removes what an interrupted safe write left in `folder` (NAME.<16 hex
// digits>.tmp); returns how many. A folder that cannot be listed has none.
int removeTemporaryFiles(const std::u16string& folder);
// The same for one file's temporaries only (FILE.<16 hex digits>.tmp beside
// it): a folder other jobs write into keeps theirs.
int removeTemporaryFilesOf(const std::u16string& file);
bool renameFile(const std::u16string& from, const std::u16string& to);  // replaces

std::u16string currentFolder();
// The program that opens a text file for editing where nothing else is
// configured: "notepad.exe" on Windows, the desktop's opener elsewhere.
std::u16string defaultTextEditor();
// The folder of the running executable.
std::u16string executableFolder();
// An environment variable, "" when unset.
std::u16string environment(const std::u16string& name);

// --- Clock -----------------------------------------------------------------

DateTime now();  // local time

// --- Processes -------------------------------------------------------------

// Splits a command line as the command interpreter would: blanks separate
// words, double quotes group (and are removed).
std::vector<std::u16string> splitCommandLine(const std::u16string& commandLine);

// Starts a program with its arguments and does not wait for it. When logFile
// is not empty the program's standard output and error are appended to it.
// Throws FileError (naming the program) when it cannot be started.
void startDetached(const std::u16string& program, const std::vector<std::u16string>& args,
                   const std::u16string& logFile = u"");

// Starts a command line (program and its arguments, as typed) without waiting.
void startCommandLine(const std::u16string& commandLine);

// Starts a batch file written by the system without waiting: on Windows the
// command interpreter runs it in a new console window; elsewhere the job
// runner morvanta-run runs it, its output kept in batchPath + ".log".
// Throws FileError when there is nothing to run it with.
void startBatchFile(const std::u16string& batchPath);

// --- Watched batch jobs ----------------------------------------------------

// A batch file started so that it can be watched and ended. On POSIX the
// runner leads a process group of its own (pid); on Windows the command
// interpreter runs in a job object (process, group). pid 0 means there is
// nothing to watch.
struct BatchProcess {
  std::int64_t pid = 0;
  std::uintptr_t process = 0;
  std::uintptr_t group = 0;
  // The runner tells how the job went in BATCH.status; without it (the
  // system's FTP client) only the end of the process is known.
  bool reportsStatus = false;
};

// Starts a batch file like startBatchFile, but watchable. The log beside
// the batch file is trimmed first (trimLog). Throws FileError.
BatchProcess startWatchedBatch(const std::u16string& batchPath);
// True while the job's process runs. Reaps it once it has ended.
bool batchRunning(BatchProcess& batch);
// Asks the job to stop on its own (the runner then clears what it had half
// written and erases its scripts); does not wait. Where a job cannot be
// asked, this ends it as cancelBatch does, without waiting.
void stopBatch(BatchProcess& batch);
// Ends the job's process and everything it started that stayed in its group.
void cancelBatch(BatchProcess& batch);
// Lets go of what the handle holds (Windows handles); the process runs on.
void releaseBatch(BatchProcess& batch);

// The job runner: MORVANTA_RUNNER when set, else morvanta-run beside the
// program, else on PATH; empty when there is none.
std::u16string jobRunnerPath();

// Logs are appended to by every run: when `path` is larger than maxBytes
// only its last keepBytes (from a line start) stay. Failures are ignored.
inline constexpr std::uintmax_t kLogMaxBytes = 256 * 1024;
inline constexpr std::uintmax_t kLogKeepBytes = 64 * 1024;
void trimLog(const std::u16string& path, std::uintmax_t maxBytes = kLogMaxBytes,
             std::uintmax_t keepBytes = kLogKeepBytes);

// Runs a program with its arguments and waits for it to end; no shell in
// between. A name without a folder is looked up on PATH. Returns the exit
// status. Throws FileError when the program is not found, cannot be started
// or does not end normally.
int runAndWait(const std::u16string& program, const std::vector<std::u16string>& args);
// True when runAndWait and startDetached would find the program.
bool programExists(const std::u16string& program);

// True where the system's libcurl itself turns LF into CR LF in a text-mode
// (TYPE A) upload; where it does not, the bytes leave as they are.
bool curlTextUploadAddsCr();

// The id of the running process.
std::int64_t currentProcessId();
// True while a process with this id exists.
bool processRunning(std::int64_t pid);

// True when the process's standard error is a terminal (a person watches
// it), false when it goes to a file or a pipe.
bool standardErrorIsTerminal();

// Sleeps the calling thread.
void sleepMilliseconds(int milliseconds);

}  // namespace morvanta::platform
