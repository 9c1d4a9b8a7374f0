#include "gui/LaunchOptions.h"

#include <stdexcept>

#include "app/ProgramFolder.h"
#include "platform/Platform.h"

namespace morvanta::gui {

namespace {

// The value of "--name VALUE" or "--name=VALUE" at args[n], or nothing when
// args[n] is another option. Moves n past a separate value.
bool takeValue(const std::vector<std::u16string>& args, std::size_t& n, const std::u16string& name,
               std::u16string& value) {
  const std::u16string& arg = args[n];
  if (arg == name) {
    if (n + 1 >= args.size() || args[n + 1].empty()) {
      throw std::invalid_argument(platform::toUtf8(name) + " needs a value after it");
    }
    value = args[++n];
    return true;
  }
  const std::u16string prefix = name + u"=";
  if (arg.starts_with(prefix)) {
    value = arg.substr(prefix.size());
    if (value.empty()) throw std::invalid_argument(platform::toUtf8(name) + "= needs a value");
    return true;
  }
  return false;
}

}  // namespace

LaunchOptions parseLaunchOptions(const std::vector<std::u16string>& args) {
  LaunchOptions options;
  std::u16string ignored;
  for (std::size_t n = 0; n < args.size(); ++n) {
    if (takeValue(args, n, u"--toc", options.tocFile)) continue;
    if (takeValue(args, n, u"--screenshot", options.screenshot)) continue;
    if (takeValue(args, n, app::kFolderOption, ignored)) continue;
    if (args[n] == u"--help" || args[n] == u"-h") {
      options.help = true;
      continue;
    }
    throw std::invalid_argument("unknown argument: " + platform::toUtf8(args[n]));
  }
  return options;
}

}  // namespace morvanta::gui
