#include <ostream>
#include <stdexcept>

#include "app/ProgramFolder.h"
#include "cli/Commands.h"
#include "cli/Session.h"
#include "platform/Platform.h"
#include "runner/RunnerOptions.h"

#ifndef MORVANTA_VERSION
#define MORVANTA_VERSION "unknown"
#endif

namespace morvanta::cli {

namespace {

// Told when the program folder named is not there; the folder follows.
constexpr char16_t kNoProgramFolderMessage[] =
    u"フォルダがありません（--folder または MORVANTA_FOLDER を確かめてください）: ";

// The runner's limits as morvanta-run takes them from its environment
// (MORVANTA_RUN_TIME_LIMIT, MORVANTA_RUN_STALL_TIME); the batch file is
// named per job, so a stand-in fills its place here.
runner::RunnerOptions runnerSettings() {
  return runner::parseRunnerOptions({"BATCH"}, [](const char* name) {
    return platform::toUtf8(platform::environment(platform::fromUtf8(name)));
  });
}

std::u16string programFolder(const CliOptions& options) {
  std::vector<std::u16string> args;
  if (options.folder) args = {app::kFolderOption, *options.folder};
  return app::chooseProgramFolder(args);
}

int dispatch(Session& session, const CliOptions& options) {
  switch (options.verb) {
    case Verb::Toc:
      return runToc(session, options);
    case Verb::Get:
      return runGet(session, options);
    case Verb::Put:
      return runPut(session, options);
    case Verb::Bulk:
      return runBulk(session, options);
    case Verb::None:
      break;
  }
  return kExitRefused;
}

}  // namespace

int runCommandLine(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err,
                   bool errIsTerminal) {
  const ParsedCommandLine parsed = parseCommandLine(args);
  const CliOptions& options = parsed.options;
  if (!parsed.error.empty()) {
    err << "morvanta-cli: " << parsed.error << "\n(morvanta-cli --help shows the usage)\n";
    return kExitRefused;
  }
  if (options.help) {
    out << usageText();
    return kExitDone;
  }
  if (options.version) {
    out << "morvanta-cli " << MORVANTA_VERSION << "\n";
    return kExitDone;
  }
  // Progress only for someone watching, and only where it can take long.
  const std::u16string folder = programFolder(options);
  // A mistyped folder must not become a new, empty configuration.
  if (!platform::folderExists(folder)) {
    err << "morvanta-cli: " << platform::toUtf8(kNoProgramFolderMessage + folder) << "\n";
    return kExitRefused;
  }
  const runner::RunnerOptions settings = runnerSettings();
  if (settings.action == runner::RunnerOptions::Action::Error) {
    err << "morvanta-cli: " << settings.error << "\n";
    return kExitRefused;
  }
  Session session(folder, out, err, errIsTerminal && options.verb == Verb::Bulk, settings);
  if (!session.load()) return kExitRefused;
  try {
    return dispatch(session, options);
  } catch (const forms::ProgramEnded&) {
    return kExitRefused;
  }
}

}  // namespace morvanta::cli
