// morvanta [--folder DIR] [--toc QUAL*FILE] [--screenshot FILE.png] | --help | --version
#include <QApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ProgramFolder.h"
#include "gui/DemoRun.h"
#include "gui/LaunchOptions.h"
#include "gui/MainWindow.h"
#include "gui/QtControls.h"
#include "gui/QtDesktop.h"
#include "gui/Translations.h"
#include "platform/Platform.h"

namespace {

// Help needs no display: it is answered before Qt starts, from the raw
// command line.
bool answeredHelp(int argc, char** argv) {
  using namespace morvanta;
  std::vector<std::u16string> args;
  for (int n = 1; n < argc; ++n) args.push_back(platform::fromUtf8(argv[n]));
  if (std::find(args.begin(), args.end(), u"--help") == args.end() &&
      std::find(args.begin(), args.end(), u"-h") == args.end()) {
    return false;
  }
  std::printf("%s%s", gui::kUsage, gui::kHelp);
  try {
    const std::u16string folder = app::chooseProgramFolder(args);
    std::printf("\nThe program folder of this run: %s\n", platform::toUtf8(folder).c_str());
  } catch (const std::invalid_argument& e) {
    std::printf("\nmorvanta: %s\n", e.what());
  }
  return true;
}

bool answeredVersion(int argc, char** argv) {
  for (int n = 1; n < argc; ++n) {
    if (std::string(argv[n]) == "--version") {
      std::printf("morvanta %s\n", MORVANTA_VERSION);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace morvanta;
  if (answeredHelp(argc, argv) || answeredVersion(argc, argv)) return 0;
  QApplication application(argc, argv);
  QApplication::setApplicationName(gui::toQString(gui::kProgramTitle));
  gui::installQtTranslations(application);

  // Qt has taken its own options (-platform, ...) out already.
  std::vector<std::u16string> args;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype n = 1; n < arguments.size(); ++n) args.push_back(gui::toU16(arguments[n]));

  gui::LaunchOptions options;
  std::u16string folder;
  try {
    options = gui::parseLaunchOptions(args);
    folder = app::chooseProgramFolder(args);
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "morvanta: %s\n%s", e.what(), gui::kUsage);
    return 2;
  }

  // A program end before the event loop (a start-up failure) unwinds to
  // here; one inside it ends the loop with its status.
  try {
    gui::MainWindow window(folder);
    window.qtDesktop()->setUnattended(options.unattended());
    window.show();
    if (!options.tocFile.empty() || !options.screenshot.empty()) {
      (new gui::DemoRun(window, options))->start();
    }
    return QApplication::exec();
  } catch (const forms::ProgramEnded& end) {
    return end.status;
  }
}
