// morvanta-xref: cross-reference pages of a project's runstreams and
// sources (see XrefCommandLine.h for its two command lines).

#include <iostream>
#include <string>
#include <vector>

#include "app/ProgramFolder.h"
#include "platform/Platform.h"
#include "xref/XrefCommandLine.h"
#include "xref/XrefTool.h"

namespace {
constexpr char kVersion[] = "morvanta-xref 0.1.0";
}

int main(int argc, char** argv) {
  using namespace morvanta;
  std::vector<std::u16string> args;
  for (int n = 1; n < argc; ++n) args.push_back(platform::fromUtf8(argv[n]));
  xref::XrefRequest request;
  try {
    request = xref::parseXrefArguments(args);
  } catch (const xref::UsageError& e) {
    std::cerr << "morvanta-xref: " << e.what() << "\n" << xref::usageText();
    return 2;
  }
  if (request.action == xref::Action::Help) {
    std::cout << xref::usageText();
    return 0;
  }
  if (request.action == xref::Action::Version) {
    std::cout << kVersion << "\n";
    return 0;
  }
  try {
    const std::u16string folder =
        request.folder.empty() ? app::chooseProgramFolder({})
                               : app::resolveFolder(platform::currentFolder(), request.folder);
    const xref::XrefResult result = xref::runXref(request, folder);
    std::cout << "morvanta-xref: " << result.pages.size() << " page(s) and index.htm in "
              << platform::toUtf8(result.outf) << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "morvanta-xref: " << e.what() << "\n";
    return 1;
  }
}
