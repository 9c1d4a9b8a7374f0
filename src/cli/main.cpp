// morvanta-cli: the window's exchanges from a script or an editor's task.

#include <iostream>

#include "cli/Commands.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(morvanta::platform::fromUtf8(argv[i]));
  return morvanta::cli::runCommandLine(args, std::cout, std::cerr,
                                       morvanta::platform::standardErrorIsTerminal());
}
