// morvanta-cli get and put against the simulated host.

#include <gtest/gtest.h>

#include "cli/CliE2e.h"

namespace morvanta::testing {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class TransferCliTest : public CliE2eTest {};

TEST_F(TransferCliTest, GetReceivesIntoFtprcvAndPrintsThePathOnly) {
  configure();
  const CliRun run = cli({"get", "prj*src.main/r2"});
  ASSERT_EQ(run.status, 0) << run.err;
  const fs::path file = received("MAIN／R2.txt", "PRJ*SRC");
  EXPECT_EQ(run.out, file.string() + "\n");
  EXPECT_EQ(run.err, "");
  // The host's text with the PC's line ends; the CP932 comment intact.
  EXPECT_EQ(readFile(file), hostTextForPc("PRJ*SRC", "MAIN.R2_SYM"));
  // The command line opens no editor: the job has no START line.
  const std::string batch = readFile(work() / "RECV.BAT");
  EXPECT_EQ(batch.find("START"), std::string::npos) << batch;
  expectPasswordHidden(run);
}

TEST_F(TransferCliTest, GetWithOutputCopiesToTheFileNamed) {
  configure();
  const fs::path copy = host.scratch() / "main.cob";
  writeFile(copy, "an older copy\r\n");
  const CliRun run = cli({"get", "-o", copy.string(), "PRJ*SRC.MAIN/R1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, copy.string() + "\n");
  EXPECT_EQ(readFile(copy), hostTextForPc("PRJ*SRC", "MAIN.R1_SYM"));
  EXPECT_EQ(readFile(received("MAIN／R1.txt", "PRJ*SRC")), readFile(copy));
}

TEST_F(TransferCliTest, GetFailuresLeaveNoFileBehind) {
  configure();
  const CliRun missing = cli({"get", "-o", (host.scratch() / "x.txt").string(), "PRJ*SRC.NOSUCH"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("NOSUCH"), std::string::npos) << missing.err;
  EXPECT_FALSE(fs::exists(received("NOSUCH.txt", "PRJ*SRC")));
  EXPECT_FALSE(fs::exists(host.scratch() / "x.txt"));

  // Received, but the copy cannot be made: the system's reason is told.
  const CliRun noCopy =
      cli({"get", "-o", (host.scratch() / "nope" / "x.cob").string(), "PRJ*SRC.MAIN/R2"});
  EXPECT_EQ(noCopy.status, 1);
  EXPECT_EQ(noCopy.out, "");
  EXPECT_NE(noCopy.err.find("コピーできません"), std::string::npos) << noCopy.err;
  EXPECT_NE(noCopy.err.find("(No such file or directory)"), std::string::npos) << noCopy.err;

  configure({.password = "wrong"});
  const CliRun refused = cli({"get", "PRJ*SRC.MAIN/R1"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("login refused"), std::string::npos) << refused.err;

  configure();
  host.stop();
  const CliRun stopped = cli({"get", "PRJ*SRC.MAIN/R1"});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_FALSE(fs::exists(received("MAIN／R1.txt", "PRJ*SRC")));

  // Refused by the typed receive's checks: nothing asked of the host.
  for (const char* name : {"PRJ*SRC", "PRJ*SRC.", "SRC.MAIN"}) {
    const CliRun run = cli({"get", name});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_FALSE(run.err.empty()) << name;
  }
}

// Receiving and sending back what was not edited changes nothing on the
// host, byte for byte (the line ends go to CR LF and back).
TEST_F(TransferCliTest, GetThenPutLeavesTheHostElementByteIdentical) {
  configure({.send = true});
  const std::string before = host.readElement("PRJ*SRC", "MAIN.R2_SYM");
  const CliRun got = cli({"get", "PRJ*SRC.MAIN/R2"});
  ASSERT_EQ(got.status, 0) << got.err;
  const std::string path = got.out.substr(0, got.out.size() - 1);

  const CliRun put = cli({"put", path, "PRJ*SRC.MAIN/R2"});
  ASSERT_EQ(put.status, 0) << put.err;
  EXPECT_EQ(put.out, "PRJ*SRC.MAIN/R2\n");
  EXPECT_EQ(host.readElement("PRJ*SRC", "MAIN.R2_SYM"), before);
  expectPasswordHidden(put);
}

TEST_F(TransferCliTest, PutSendsAFileFromAnywhereAndKeepsItInFtprcv) {
  configure({.send = true});
  const fs::path edited = host.scratch() / "new.txt";
  writeFile(edited, "@RUN NEWJOB\r\n@FIN\r\n");
  const CliRun put = cli({"put", "--force", edited.string(), "PRJ*JCL.NEWJOB"});
  ASSERT_EQ(put.status, 0) << put.err;
  EXPECT_EQ(host.readElement("PRJ*JCL", "NEWJOB._SYM"), "@RUN NEWJOB\n@FIN\n");
  EXPECT_EQ(readFile(received("NEWJOB.txt", "PRJ*JCL")), readFile(edited));
}

TEST_F(TransferCliTest, PutIsRefusedWhenSendingIsOffOrTheFileIsMissing) {
  configure();
  const fs::path file = host.scratch() / "a.txt";
  writeFile(file, "X\r\n");
  const std::string before = host.readElement("PRJ*SRC", "UTIL._SYM");

  const CliRun off = cli({"put", file.string(), "PRJ*SRC.UTIL"});
  EXPECT_EQ(off.status, 2);
  EXPECT_NE(off.err.find("FTP-SEND=YES"), std::string::npos) << off.err;

  configure({.send = true});
  const CliRun missing = cli({"put", (host.scratch() / "none.txt").string(), "PRJ*SRC.UTIL"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("送信するファイルがありません"), std::string::npos) << missing.err;
  const CliRun badName = cli({"put", file.string(), "PRJ*SRC"});
  EXPECT_EQ(badName.status, 2);

  EXPECT_EQ(host.readElement("PRJ*SRC", "UTIL._SYM"), before);
  EXPECT_FALSE(fs::exists(work() / "SEND.BAT"));
}

// A put that sends nothing must not look like one that did: the check
// before it succeeds, yet the command fails and says why.
TEST_F(TransferCliTest, PutThatIsNotSentFailsAndSaysWhy) {
  configure({.send = true});
  const CliRun got = cli({"get", "PRJ*SRC.MAIN/R2"});
  ASSERT_EQ(got.status, 0) << got.err;
  const std::string path = got.out.substr(0, got.out.size() - 1);
  host.putElement("PRJ*SRC", "MAIN.R2_SYM", "COLLEAGUE\n");
  writeFile(path, "MINE\r\n");

  const CliRun changed = cli({"put", path, "PRJ*SRC.MAIN/R2"});
  EXPECT_EQ(changed.status, 1);
  EXPECT_EQ(changed.out, "");
  EXPECT_NE(
      changed.err.find("送信しませんでした: PRJ*SRC.MAIN/R2 (ホストのエレメントが変更されています"),
      std::string::npos)
      << changed.err;
  EXPECT_NE(changed.err.find("--force"), std::string::npos) << changed.err;
  EXPECT_EQ(host.readElement("PRJ*SRC", "MAIN.R2_SYM"), "COLLEAGUE\n");

  // Never received here: the check cannot tell, so nothing is sent either.
  const fs::path other = host.scratch() / "util.txt";
  writeFile(other, "X\r\n");
  const std::string util = host.readElement("PRJ*SRC", "UTIL._SYM");
  const CliRun unknown = cli({"put", other.string(), "PRJ*SRC.UTIL"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("送信しませんでした: PRJ*SRC.UTIL (受信時の記録がありません"),
            std::string::npos)
      << unknown.err;
  EXPECT_EQ(host.readElement("PRJ*SRC", "UTIL._SYM"), util);

  const CliRun forced = cli({"put", "--force", path, "PRJ*SRC.MAIN/R2"});
  ASSERT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(forced.out, "PRJ*SRC.MAIN/R2\n");
  EXPECT_EQ(host.readElement("PRJ*SRC", "MAIN.R2_SYM"), "MINE\n");
}

TEST_F(TransferCliTest, PutToAStoppedHostFails) {
  configure({.send = true});
  const fs::path file = host.scratch() / "a.txt";
  writeFile(file, "X\r\n");
  host.stop();
  const CliRun run = cli({"put", file.string(), "PRJ*SRC.UTIL"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  // The check before the send finds the host gone; nothing is sent.
  EXPECT_NE(run.err.find("CHECK.BAT.log"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("送信しませんでした: PRJ*SRC.UTIL"), std::string::npos) << run.err;
}

// The command line's jobs keep the runner's limits from the environment,
// as morvanta-run's do.
class TricklingHostCliTest : public CliE2eTest {
 protected:
  TricklingHostCliTest() : CliE2eTest(test::HostSimOptions{.trickleSeconds = 1.5}) {}
};

TEST_F(TricklingHostCliTest, RunnerLimitsComeFromTheEnvironment) {
  configure();
  const CliRun wrong = cli({"get", "PRJ*SRC.MAIN/R1"}, {"MORVANTA_RUN_STALL_TIME=soon"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("MORVANTA_RUN_STALL_TIME"), std::string::npos) << wrong.err;
  EXPECT_FALSE(fs::exists(work() / "RECV.BAT"));

  const CliRun stalled = cli({"get", "PRJ*SRC.MAIN/R1"}, {"MORVANTA_RUN_STALL_TIME=0.6"});
  EXPECT_EQ(stalled.status, 1);
  EXPECT_NE(stalled.err.find("stalled: less than 1 byte/s for 0.6 s"), std::string::npos)
      << stalled.err;
}

}  // namespace
}  // namespace morvanta::testing
