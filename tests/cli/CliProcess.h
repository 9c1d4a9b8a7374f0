#pragma once
// Runs the morvanta-cli program of this build and keeps what it said.

#include <filesystem>
#include <string>
#include <vector>

namespace morvanta::testing {

struct CliRun {
  int status = -1;  // exit status; -1 when it did not end normally
  int signal = 0;   // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// Starts bin/morvanta-cli like runCli without waiting; finishCli waits.
int startCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
             const std::vector<std::string>& environment = {});
CliRun finishCli(int pid, const std::filesystem::path& scratch);

// Runs bin/morvanta-cli with `args`; output goes through files in `scratch`.
// `environment` entries ("NAME=value") are added to this process's own.
CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
              const std::vector<std::string>& environment = {});

}  // namespace morvanta::testing
