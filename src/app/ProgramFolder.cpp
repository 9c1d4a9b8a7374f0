#include "app/ProgramFolder.h"

#include <filesystem>
#include <stdexcept>

#include "platform/Platform.h"

namespace morvanta::app {

std::u16string resolveFolder(const std::u16string& base, const std::u16string& folder) {
  const std::filesystem::path path(folder);
  if (path.is_absolute() || path.has_root_directory()) return folder;
  return platform::joinPath(base, folder);
}

std::u16string resolveProgram(const std::u16string& base, const std::u16string& command) {
  if (command.empty()) return command;
  const std::u16string program = command.substr(0, command.find(u' '));
  const std::filesystem::path path(program);
  if (path.is_absolute() || path.has_root_directory()) return command;
  if (path.has_parent_path() || platform::fileExists(platform::joinPath(base, program))) {
    return platform::joinPath(base, command);
  }
  return command;
}

std::u16string chooseProgramFolder(const std::vector<std::u16string>& args,
                                   const std::u16string& environmentValue,
                                   const std::u16string& executableFolder,
                                   const std::u16string& currentFolder) {
  const std::u16string option = kFolderOption;
  const std::u16string withValue = option + u"=";
  std::u16string chosen;
  for (std::size_t n = 0; n < args.size(); ++n) {
    if (args[n] == option) {
      if (n + 1 >= args.size() || args[n + 1].empty()) {
        throw std::invalid_argument("--folder needs a folder name after it");
      }
      chosen = args[++n];
    } else if (args[n].starts_with(withValue)) {
      chosen = args[n].substr(withValue.size());
      if (chosen.empty()) throw std::invalid_argument("--folder= needs a folder name");
    }
  }
  if (chosen.empty()) chosen = environmentValue;
  if (chosen.empty()) return executableFolder;
  return resolveFolder(currentFolder, chosen);
}

std::u16string chooseProgramFolder(const std::vector<std::u16string>& args) {
  return chooseProgramFolder(args, platform::environment(kFolderVariable),
                             platform::executableFolder(), platform::currentFolder());
}

}  // namespace morvanta::app
