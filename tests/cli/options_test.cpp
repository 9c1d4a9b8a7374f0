// The command line's parts that need no host: its arguments, the desktop's
// answers, the secret never printed, and the receive job without an editor.

#include <gtest/gtest.h>

#include <sstream>

#include "app/Module_pub.h"
#include "cli/CliE2e.h"
#include "cli/CliOptions.h"
#include "cli/ConsoleDesktop.h"
#include "jobfiles/JobFiles.h"
#include "transfer/BulkReceive.h"
#include "transfer/SendElement.h"

namespace morvanta::cli {
namespace {

using Args = std::vector<std::u16string>;

TEST(CliOptionsTest, OptionsGoAnywhereAndTakeTheirValues) {
  const ParsedCommandLine parsed = parseCommandLine(
      {u"--folder", u"/cfg", u"get", u"PRJ*SRC.MAIN/R1", u"--host=SIM", u"-o", u"out.txt"});
  ASSERT_EQ(parsed.error, "");
  const CliOptions& o = parsed.options;
  EXPECT_EQ(o.verb, Verb::Get);
  EXPECT_EQ(o.folder, u"/cfg");
  EXPECT_EQ(o.host, u"SIM");
  EXPECT_EQ(o.output, u"out.txt");
  EXPECT_EQ(o.operands, Args{u"PRJ*SRC.MAIN/R1"});

  const ParsedCommandLine put = parseCommandLine({u"put", u"--force", u"--", u"-a.txt", u"P*F.E"});
  ASSERT_EQ(put.error, "");
  EXPECT_TRUE(put.options.force);
  EXPECT_EQ(put.options.operands, (Args{u"-a.txt", u"P*F.E"}));
}

// A script's mistake must not run something else than it meant.
TEST(CliOptionsTest, MistakesAreUsageErrors) {
  const Args wrong[] = {
      {},
      {u"list", u"PRJ*SRC"},
      {u"toc"},
      {u"toc", u"A*B", u"C*D"},
      {u"put", u"file.txt"},
      {u"get", u"--dry-run", u"P*F.E"},
      {u"bulk", u"--force", u"P*F"},
      {u"toc", u"--json"},
      {u"toc", u"--host"},
      {u"toc", u"--host=", u"P*F"},
      {u"toc", u"--frobnicate", u"P*F"},
      {u"get", u"-o", u"x", u"--mls", u"P*F.E"},
  };
  for (const Args& args : wrong) {
    EXPECT_NE(parseCommandLine(args).error, "") << args.size();
  }
  EXPECT_EQ(parseCommandLine({u"--help"}).error, "");
  EXPECT_EQ(parseCommandLine({u"--version"}).error, "");
}

TEST(ConsoleDesktopTest, AnswersForTheCommandLineAndHidesTheSecret) {
  std::ostringstream err;
  int launched = 0;
  ConsoleDesktop desktop(err, [&](const std::u16string&) {
    ++launched;
    jobs::JobStatus status;
    status.started = status.ended = true;
    return status;
  });
  desktop.setSecret(u"s3cret");
  // put is the user's OK to its own confirmation; other questions need --force.
  EXPECT_TRUE(desktop.okCancel(u"SEND a b", transfer::kSendConfirmTitle));
  EXPECT_FALSE(desktop.okCancel(u"overwrite?", u"conflict"));
  desktop.setForce(true);
  EXPECT_TRUE(desktop.okCancel(u"overwrite?", u"conflict"));
  EXPECT_EQ(desktop.yesNoCancelWithDetails(transfer::kRunBatchQuestion, {{u"a"}, {{u"x"}}}),
            forms::Answer::Yes);
  EXPECT_EQ(desktop.lastDetails().rows.size(), 1u);
  EXPECT_EQ(desktop.yesNoCancel(u"something else?"), forms::Answer::Cancel);

  desktop.msgBox(u"login s3cret refused; s3crets3cret");
  EXPECT_EQ(err.str().find("s3cret"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("login **** refused; ********"), std::string::npos) << err.str();

  desktop.startProcess(u"editor file.txt");
  EXPECT_EQ(launched, 0) << "no program of its own";
  desktop.startBatch(u"/w/RECV.BAT");
  EXPECT_EQ(launched, 1);
  EXPECT_EQ(desktop.jobsRun(), 1);
  desktop.beginStep();
  EXPECT_EQ(desktop.jobsRun(), 0);
  EXPECT_FALSE(desktop.lastJob());
}

TEST(ReceiveJobTest, WithoutTheEditorTheJobEndsWithTheTransfer) {
  Module_pub pub;
  pub.textEditor = u"notepad.exe";
  const jobfiles::ReceiveJob job{u"host", u"PRJ*SRC.MAIN/R1", u"/r/PRJ＊SRC", u"MAIN／R1.txt"};
  pub.receiveOpensEditor = false;
  EXPECT_EQ(jobfiles::receiveJobLines(pub, u"/w", job).batch, Args{u"ftp -s:/w/RECV.TXT"});
  pub.sjisConverterPath = u"/c/";
  pub.toSjisExe = u"tosjis";
  const auto converted = jobfiles::receiveJobLines(pub, u"/w", job).batch;
  ASSERT_EQ(converted.size(), 4u);
  EXPECT_TRUE(converted.back().starts_with(u"ERASE ")) << "converted, then nothing";
}

}  // namespace
}  // namespace morvanta::cli

namespace morvanta::testing {
namespace {

namespace fs = std::filesystem;

class CliProgramTest : public CliE2eTest {};

TEST_F(CliProgramTest, HelpVersionAndUsageErrors) {
  const CliRun help = cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: morvanta-cli"), std::string::npos);
  const CliRun version = cli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("morvanta-cli ") + MORVANTA_PROJECT_VERSION + "\n");
  const CliRun wrong = cli({"bulk", "--json", "PRJ*JCL"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_NE(wrong.err.find("--json"), std::string::npos) << wrong.err;
}

// A mistyped folder creates nothing; a new one gets the template but the
// template's sample hosts are never tried.
TEST_F(CliProgramTest, MissingFolderOrTemplateConfigurationIsRefused) {
  const fs::path typo = host.scratch() / "nonexistent";
  const CliRun missing = runCli({"--folder", typo.string(), "toc", "PRJ*SRC"}, host.scratch());
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("フォルダがありません"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find(typo.string()), std::string::npos) << missing.err;
  EXPECT_FALSE(fs::exists(typo));

  for (int run = 0; run < 2; ++run) {
    const CliRun fresh = cli({"toc", "PRJ*SRC"});
    EXPECT_EQ(fresh.status, 2) << run;
    EXPECT_NE(fresh.err.find("ひな形のまま"), std::string::npos) << fresh.err;
    EXPECT_NE(fresh.err.find((app() / "Morvanta.ini").string()), std::string::npos) << fresh.err;
    EXPECT_TRUE(fs::exists(app() / "Morvanta.ini"));
    EXPECT_FALSE(fs::exists(work() / "TOC.BAT")) << run;
  }
}

TEST_F(CliProgramTest, BrokenConfigurationIsRefused) {
  writeFile(app() / "Morvanta.ini", "HOST=alpha\r\n");
  const CliRun run = cli({"toc", "PRJ*SRC"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("HOSTパラメタ指定誤り"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace morvanta::testing
