#pragma once
// The command line of morvanta-cli: one subcommand, its options (in any
// order, also before the subcommand) and its operands. Parsing only: what
// the values mean is checked by the commands, with the window's messages.

#include <optional>
#include <string>
#include <vector>

namespace morvanta::cli {

enum class Verb { None, Toc, Get, Put, Bulk };

struct CliOptions {
  Verb verb = Verb::None;
  bool help = false;
  bool version = false;
  std::optional<std::u16string> folder;  // --folder DIR
  std::optional<std::u16string> host;    // --host NAME
  std::optional<std::u16string> output;  // get -o FILE
  bool mls = false;                      // toc: names only
  bool json = false;                     // toc: a JSON array
  bool dryRun = false;                   // bulk: say what would happen
  bool force = false;                    // put: override the conflict check
  std::vector<std::u16string> operands;
};

struct ParsedCommandLine {
  CliOptions options;
  std::string error;  // not empty: a usage error, said in one line
};

// `args` without the program name.
ParsedCommandLine parseCommandLine(const std::vector<std::u16string>& args);

// The text of --help.
std::string usageText();

}  // namespace morvanta::cli
