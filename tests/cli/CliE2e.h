#pragma once
// morvanta-cli against the simulated host: a program folder of its own with
// Morvanta.ini (and updatehtm.ini) for a host on a free loopback port.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "hostsim/HostSim.h"

namespace morvanta::testing {

struct CliSetup {
  bool send = false;                       // FTP-SEND=YES
  bool keyring = false;                    // FTP-PASSWORD-KEYRING=YES, no FTP-PASSWORD
  std::string password = {};               // configured instead of the host's
  std::vector<std::string> bulkRows = {};  // lines of updatehtm.ini
};

class CliE2eTest : public ::testing::Test {
 protected:
  // A login of the test's own, so any output that showed it would be seen.
  static constexpr char kPassword[] = "Pw-cli-5821";

  CliE2eTest();
  // Against a host of other manners (a trickling one); the login stays.
  explicit CliE2eTest(test::HostSimOptions hostOptions);

  void configure(const CliSetup& setup = {});
  // morvanta-cli --folder APP args...
  // `environment` entries ("NAME=value") are added for this run.
  CliRun cli(const std::vector<std::string>& args,
             const std::vector<std::string>& environment = {});

  std::filesystem::path app() const { return host.scratch() / "app"; }
  std::filesystem::path work() const { return app() / "FTPWK"; }
  // FTPRCV's file of an element, e.g. ("PRJ*SRC", "MAIN／R1.txt").
  std::filesystem::path received(const std::string& pcFile, const std::string& qualFile) const;
  // The host's element text as the PC keeps it (CR LF).
  std::string hostTextForPc(const std::string& qualFile, const std::string& ftpName) const;
  // "yyyy/mm/dd hh:mm:ss" of a host element's file.
  std::string hostTime(const std::string& qualFile, const std::string& ftpName) const;
  // The password shows nowhere: not in what the program said, not in a
  // job's log or status file.
  void expectPasswordHidden(const CliRun& run) const;

  static std::string readFile(const std::filesystem::path& path);
  static std::vector<std::string> lines(const std::string& text);
  static void writeFile(const std::filesystem::path& path, const std::string& bytes);

  test::HostSim host;
};

}  // namespace morvanta::testing
