#pragma once
// The command line of the window program, apart from "--folder" (which
// app/ProgramFolder.h reads). Kept free of Qt so it is tested on its own.

#include <string>
#include <vector>

namespace morvanta::gui {

inline constexpr char kUsage[] =
    "usage: morvanta [--folder DIR] [--toc QUAL*FILE] [--screenshot FILE.png]\n"
    "  --folder DIR          the program folder (default: MORVANTA_FOLDER, else the\n"
    "                        executable's folder)\n"
    "  --toc QUAL*FILE       after loading, fetch the TOC of QUAL*FILE in pane 0 with\n"
    "                        the first host, and wait for it (at most 15 s)\n"
    "  --screenshot FILE.png then save the window as a picture and quit; messages go\n"
    "                        to standard output and questions are answered Cancel\n";

struct LaunchOptions {
  std::u16string tocFile;
  std::u16string screenshot;
  bool help = false;

  // A screenshot run has nobody at the screen.
  bool unattended() const { return !screenshot.empty(); }
};

// `args` without the program name. "--name VALUE" and "--name=VALUE" are
// both understood. An unknown option, a stray word or an option without its
// value is std::invalid_argument naming it.
LaunchOptions parseLaunchOptions(const std::vector<std::u16string>& args);

}  // namespace morvanta::gui
