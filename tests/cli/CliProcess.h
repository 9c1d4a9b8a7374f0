#pragma once
// Runs the morvanta-cli program of this build and keeps what it said.

#include <filesystem>
#include <string>
#include <vector>

namespace morvanta::testing {

struct CliRun {
  int status = -1;  // exit status; -1 when it did not end normally
  std::string out;
  std::string err;
};

// Runs bin/morvanta-cli with `args`; output goes through files in `scratch`.
// `environment` entries ("NAME=value") are added to this process's own.
CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
              const std::vector<std::string>& environment = {});

}  // namespace morvanta::testing
