#pragma once
// Which folder plays the program's own folder (where "ini.ini",
// "Morvanta.ini" and "updatehtm.ini" live): "--folder DIR" on the command
// line, else the environment variable MORVANTA_FOLDER, else the folder of
// the executable. Installed copies and tests thus never write beside the
// binary unless asked to.

#include <string>
#include <vector>

namespace morvanta::app {

inline constexpr char16_t kFolderOption[] = u"--folder";
inline constexpr char16_t kFolderVariable[] = u"MORVANTA_FOLDER";

// `args` are the command-line arguments without the program name; both
// "--folder DIR" and "--folder=DIR" are understood, the last one wins. An
// empty environment value counts as unset. A relative folder is taken from
// `currentFolder`. Throws std::invalid_argument for "--folder" without a
// folder after it.
std::u16string chooseProgramFolder(const std::vector<std::u16string>& args,
                                   const std::u16string& environmentValue,
                                   const std::u16string& executableFolder,
                                   const std::u16string& currentFolder);

// The same with the environment, executable and current folder of this
// process.
std::u16string chooseProgramFolder(const std::vector<std::u16string>& args);

// `folder` itself when it is rooted, else `base` joined with it.
std::u16string resolveFolder(const std::u16string& base, const std::u16string& folder);

// A program (or a folder prefix of programs) named in a settings file, as
// if `base` (the program folder) were the current folder: a relative path
// with a folder in it is taken from `base`; a bare name is taken from
// `base` when such a file lies there, else left for the PATH to find. Only
// the first word counts; the arguments after it are kept as written.
std::u16string resolveProgram(const std::u16string& base, const std::u16string& command);

}  // namespace morvanta::app
