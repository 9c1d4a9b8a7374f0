#pragma once
// The only place that knows the operating system. Everything here takes and
// returns UTF-16 text (one unit per character, as the rest of the core);
// files on disk are CP932 with CR LF line ends.

#include <cstdint>
#include <stdexcept>
#include <string>
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
void writeBinaryFile(const std::u16string& path, const std::string& bytes);

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
bool deleteFile(const std::u16string& path);  // false when it was not there
bool renameFile(const std::u16string& from, const std::u16string& to);  // replaces

std::u16string currentFolder();
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

// Sleeps the calling thread.
void sleepMilliseconds(int milliseconds);

}  // namespace morvanta::platform
