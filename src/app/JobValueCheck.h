#pragma once
// Values that go into a job file are checked before anything is written: a
// line break would split a job line, and the command interpreter acts on
// & | < > ^ % and " in a batch line. Blanks are fine and stay as written.

#include <optional>
#include <string>
#include <vector>

namespace morvanta::app {

// The message shown when a value is refused, followed by the value's name and
// the offending character, e.g. "使用できない文字が含まれています: TEXT-EDITOR (&)".
inline constexpr char16_t kUnsafeValueMessage[] = u"使用できない文字が含まれています: ";
// Shown in place of the character when it is a line break.
inline constexpr char16_t kLineBreakName[] = u"改行";

// Where a value ends up: in the FTP script only (line breaks refused), or in
// the batch file (line breaks and the interpreter's characters refused).
// Login is the user or password line of a script that the system's FTP
// client reads as a command when the connection failed: a leading "!" would
// run the rest as a local command, so it is refused as well.
enum class JobValueUse { Script, Batch, Login };

struct JobValue {
  std::u16string name;          // shown to the user: a configuration key or a role
  const std::u16string* value;  // not owned
  JobValueUse use;
};

// The first character of `value` that may not appear in a job line of that
// use, or 0 when there is none.
char16_t unsafeCharacter(const std::u16string& value, JobValueUse use);

// The message for the first refused value (in the given order), or nothing
// when every value may be written. A character the job files' code page
// (CP932) cannot hold is refused as well.
std::optional<std::u16string> checkJobValues(const std::vector<JobValue>& values);

// Told when a local path of a job would not lie in its folder; the path follows.
inline constexpr char16_t kPathOutsideFolderMessage[] = u"フォルダの外を指すパスは書き込めません: ";

// A local path a job file names and the folder it must lie in, one level
// down: the name after folder and separator is a single safe PC name.
struct JobPath {
  const std::u16string* folder;  // not owned
  std::u16string path;
};

// The message for the first path that does not lie in its folder, or
// nothing when all do.
std::optional<std::u16string> checkJobPaths(const std::vector<JobPath>& paths);

}  // namespace morvanta::app
