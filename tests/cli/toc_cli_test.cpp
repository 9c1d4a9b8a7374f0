// morvanta-cli toc against the simulated host: the listing as text and as
// JSON, and every way it can fail.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>

#include "cli/CliE2e.h"

namespace morvanta::testing {
namespace {

using Strings = std::vector<std::string>;

class TocCliTest : public CliE2eTest {};

TEST_F(TocCliTest, ListsEveryElementWithTheHostsDate) {
  configure();
  const CliRun run = cli({"toc", "PRJ*SRC"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::map<std::string, std::string> listed;  // element -> the rest of its line
  for (const std::string& line : lines(run.out)) {
    const auto blank = line.find(' ');
    listed[line.substr(0, blank)] = blank == std::string::npos ? "" : line.substr(blank + 1);
  }
  const Strings expected = {"CALC",         "LIB(REL)", "MAIN/R1", "MAIN/R2",
                            "MAINABS(ABS)", "RPTSKEL",  "UTIL"};
  Strings names;
  for (const auto& [name, rest] : listed) names.push_back(name);
  EXPECT_EQ(names, expected);
  // Within six months the host lists the minute, older elements the year.
  EXPECT_EQ(listed["UTIL"], hostTime("PRJ*SRC", "UTIL._SYM").substr(0, 16));
  EXPECT_EQ(listed["MAIN/R1"], hostTime("PRJ*SRC", "MAIN.R1_SYM").substr(0, 10));
  expectPasswordHidden(run);
}

TEST_F(TocCliTest, JsonIsAnArrayOfNameTypeDateAndTime) {
  configure();
  const CliRun run = cli({"toc", "--json", "PRJ*SRC"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json list = nlohmann::json::parse(run.out);
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), 7u);
  std::map<std::string, nlohmann::json> byName;
  for (const auto& entry : list) byName[entry.at("name").get<std::string>()] = entry;

  std::string util = hostTime("PRJ*SRC", "UTIL._SYM");
  std::replace(util.begin(), util.end(), '/', '-');
  EXPECT_EQ(byName["UTIL"].at("type"), "SYM");
  EXPECT_EQ(byName["UTIL"].at("date"), util.substr(0, 10));
  EXPECT_EQ(byName["UTIL"].at("time"), util.substr(11, 5));
  EXPECT_EQ(byName["LIB"].at("type"), "REL");
  EXPECT_EQ(byName["MAINABS"].at("type"), "ABS");
  EXPECT_TRUE(byName["MAIN/R1"].at("time").is_null()) << "listed with its year only";
}

TEST_F(TocCliTest, MlsListsNamesOnly) {
  configure();
  const CliRun text = cli({"toc", "--mls", "PRJ*JCL"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(lines(text.out), (Strings{"BUILD", "DAILY", "NIGHTLY/R1"}));

  const CliRun json = cli({"toc", "--mls", "--json", "PRJ*JCL"});
  ASSERT_EQ(json.status, 0) << json.err;
  for (const auto& entry : nlohmann::json::parse(json.out)) {
    EXPECT_TRUE(entry.at("date").is_null());
    EXPECT_TRUE(entry.at("time").is_null());
  }
}

// A failed exchange: status 1, the runner's reason on standard error and
// nothing on standard output for a script to mistake for a listing.
TEST_F(TocCliTest, FailedExchangesEndWithStatusOneAndTheReason) {
  configure();
  const CliRun missing = cli({"toc", "PRJ*NOSUCH"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("TOC.BAT.log"), std::string::npos) << missing.err;

  configure({.password = "not-the-password"});
  const CliRun refused = cli({"toc", "PRJ*SRC"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_NE(refused.err.find("login refused"), std::string::npos) << refused.err;
  EXPECT_EQ(refused.err.find("not-the-password"), std::string::npos) << refused.err;

  configure();
  host.stop();
  const CliRun stopped = cli({"toc", "PRJ*SRC"});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.out, "");
  EXPECT_NE(stopped.err.find("morvanta-cli: "), std::string::npos) << stopped.err;
  expectPasswordHidden(stopped);
}

// With the password kept out of Morvanta.ini the command line takes it from
// MORVANTA_FTP_PASSWORD, and without it refuses before writing any job.
TEST_F(TocCliTest, KeyringModeTakesThePasswordFromTheEnvironment) {
  configure({.keyring = true});
  const CliRun listed =
      cli({"toc", "PRJ*SRC"}, {std::string("MORVANTA_FTP_PASSWORD=") + kPassword});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("MAIN/R1"), std::string::npos) << listed.out;
  expectPasswordHidden(listed);

  const CliRun wrong = cli({"toc", "PRJ*SRC"}, {"MORVANTA_FTP_PASSWORD=not-the-password"});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.err.find("login refused"), std::string::npos) << wrong.err;
  EXPECT_EQ(wrong.err.find("not-the-password"), std::string::npos) << wrong.err;

  std::filesystem::remove(work() / "TOC.BAT");
  const CliRun none = cli({"toc", "PRJ*SRC"}, {"MORVANTA_FTP_PASSWORD="});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("MORVANTA_FTP_PASSWORD"), std::string::npos) << none.err;
  EXPECT_FALSE(std::filesystem::exists(work() / "TOC.BAT")) << "no job was written";
}

// Refused before anything is exchanged: status 2 and the window's message.
TEST_F(TocCliTest, RefusedNamesEndWithStatusTwo) {
  configure();
  struct Case {
    Strings args;
    std::string message;
  };
  const Case cases[] = {
      {{"toc", "PRJSRC"}, "2200ファイル形式不正（*なし）"},
      {{"toc", "PRJ*SRC.MAIN"}, "2200ファイル形式不正（ピリオド不要）"},
      {{"toc", "--host", "NOSUCH", "PRJ*SRC"}, "該当HOSTがみつかりません"},
  };
  for (const Case& c : cases) {
    const CliRun run = cli(c.args);
    EXPECT_EQ(run.status, 2) << c.args[1];
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(work() / "TOC.BAT")) << "no job was written";
}

TEST_F(TocCliTest, HostOptionAndFolderVariableChooseWhatTheWindowWould) {
  configure();
  const CliRun named = cli({"toc", "--host=SIM", "--mls", "PRJ*JCL"});
  EXPECT_EQ(named.status, 0) << named.err;
  // MORVANTA_FOLDER stands in for --folder, as for the window.
  const CliRun fromEnvironment =
      runCli({"toc", "--mls", "PRJ*JCL"}, host.scratch(), {"MORVANTA_FOLDER=" + app().string()});
  EXPECT_EQ(fromEnvironment.status, 0) << fromEnvironment.err;
  EXPECT_EQ(fromEnvironment.out, named.out);
}

}  // namespace
}  // namespace morvanta::testing
