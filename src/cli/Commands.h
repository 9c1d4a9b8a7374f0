#pragma once
// The subcommands of morvanta-cli. Each takes a loaded session and the
// parsed command line, writes its answer to the session's standard output
// and returns the exit status.

#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace morvanta::cli {

class Session;

int runToc(Session& session, const CliOptions& options);
int runGet(Session& session, const CliOptions& options);
int runPut(Session& session, const CliOptions& options);
int runBulk(Session& session, const CliOptions& options);

// Fetches the TOC of `file` into pane 0 as the window does (the TOC button,
// then the poll), with dates unless `withDates` is false. The pane's lists
// and its phased TOC file hold the result when it returns kExitDone.
int fetchToc(Session& session, const CliOptions& options, const std::u16string& file,
             bool withDates);

// The whole program without main's argument conversion: parses `args`
// (without the program name), runs the command, returns the exit status.
int runCommandLine(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err,
                   bool errIsTerminal);

}  // namespace morvanta::cli
