// morvanta-cli bulk against the simulated host: the dry run says what the
// receive would do and touches nothing; the receive does exactly that.

#include <gtest/gtest.h>

#include <ctime>
#include <map>

#include "cli/CliE2e.h"
#include "platform/Platform.h"

namespace morvanta::testing {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

platform::DateTime localTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

class BulkCliTest : public CliE2eTest {
 protected:
  void SetUp() override {
    pcFolder = host.scratch() / "runstreams";
    fs::create_directories(pcFolder);
    const std::time_t now = std::time(nullptr);
    host.setElementTime("PRJ*JCL", "BUILD._SYM", localTime(now - 3 * 3600));
    host.setElementTime("PRJ*JCL", "NIGHTLY.R1_SYM", localTime(now - 5 * 3600));
    host.putElement("PRJ*JCL", "WEEKLY._SYM", "@RUN WEEKLY\n@FIN\n");
    host.setElementTime("PRJ*JCL", "WEEKLY._SYM", localTime(now - 2 * 3600));
    host.putElement("PRJ*JCL", "JOBLIB._REL", "\x01\x02");
    putPcCopy("BUILD.txt", now - 2 * 86400);  // older than the host's
    putPcCopy("NIGHTLY.R1.txt", now - 3600);  // newer than the host's
    configure(
        {.bulkRows = {"HTM-AUTO-MAKE,PRJ*JCL,RUNSTREAM,PJ01," + pcFolder.string() + ",NONE"}});
  }

  void putPcCopy(const std::string& name, std::time_t modified) {
    writeFile(pcFolder / name, "PC COPY\r\n");
    ASSERT_TRUE(platform::setModifiedTime(platform::fromUtf8((pcFolder / name).string()),
                                          localTime(modified)));
  }

  // Every file of the PC folder with its time and bytes.
  std::map<std::string, std::string> pcState() const {
    std::map<std::string, std::string> state;
    for (const auto& entry : fs::directory_iterator(pcFolder)) {
      const std::string path = entry.path().string();
      state[entry.path().filename().string()] =
          platform::toUtf8(platform::modifiedTime(platform::fromUtf8(path))) + "|" +
          readFile(entry.path());
    }
    return state;
  }

  fs::path pcFolder;
};

TEST_F(BulkCliTest, DryRunSaysWhatAndWhyAndChangesNothing) {
  const auto before = pcState();
  const CliRun run = cli({"bulk", "--dry-run", "prj*jcl"});
  ASSERT_EQ(run.status, 0) << run.err;

  std::map<std::string, Strings> plan;  // element -> its columns
  for (const std::string& line : lines(run.out)) {
    Strings columns;
    for (std::size_t at = 0;;) {
      const auto tab = line.find('\t', at);
      columns.push_back(line.substr(at, tab == std::string::npos ? tab : tab - at));
      if (tab == std::string::npos) break;
      at = tab + 1;
    }
    ASSERT_EQ(columns.size(), 5u) << line;
    plan[columns[0]] = Strings(columns.begin() + 1, columns.end());
  }
  const std::string buildTime = hostTime("PRJ*JCL", "BUILD._SYM").substr(0, 16);
  EXPECT_EQ(plan["BUILD"], (Strings{"receive", "older on the PC", buildTime,
                                    platform::toUtf8(platform::modifiedTime(
                                        platform::fromUtf8((pcFolder / "BUILD.txt").string())))}));
  EXPECT_EQ(plan["WEEKLY"][0], "receive");
  EXPECT_EQ(plan["WEEKLY"][1], "missing on the PC");
  EXPECT_EQ(plan["WEEKLY"][3], "-");
  EXPECT_EQ(plan["NIGHTLY/R1"][0], "keep");
  EXPECT_EQ(plan["NIGHTLY/R1"][1], "newer on the PC");
  EXPECT_EQ(plan["DAILY"], (Strings{"keep", "no date", "-", "-"}));
  EXPECT_EQ(plan["JOBLIB"], (Strings{"keep", "not symbolic", "-", "-"}));
  EXPECT_NE(run.err.find("2 of 5"), std::string::npos) << run.err;

  EXPECT_EQ(pcState(), before);
  EXPECT_FALSE(fs::exists(work() / "RECVAUTO.BAT"));
  EXPECT_FALSE(fs::exists(work() / "RECVAUTO.TXT"));
  EXPECT_FALSE(fs::exists(app() / "testlog.txt"));
}

TEST_F(BulkCliTest, ReceivesWhatTheDryRunNamedAndPrintsTheFiles) {
  const CliRun run = cli({"bulk", "PRJ*JCL"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(lines(run.out),
            (Strings{(pcFolder / "BUILD.txt").string(), (pcFolder / "WEEKLY.txt").string()}));
  EXPECT_EQ(readFile(pcFolder / "BUILD.txt"), hostTextForPc("PRJ*JCL", "BUILD._SYM"));
  EXPECT_EQ(readFile(pcFolder / "WEEKLY.txt"), hostTextForPc("PRJ*JCL", "WEEKLY._SYM"));
  EXPECT_EQ(readFile(pcFolder / "NIGHTLY.R1.txt"), "PC COPY\r\n") << "the newer copy stays";
  expectPasswordHidden(run);

  // Up to date now: nothing to do is no failure.
  const CliRun again = cli({"bulk", "PRJ*JCL"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "");
  EXPECT_NE(again.err.find("受信するエレメントはありません"), std::string::npos) << again.err;
}

TEST_F(BulkCliTest, FailuresAndRefusals) {
  // No row for the file: refused before the host is asked anything.
  const CliRun noRow = cli({"bulk", "PRJ*SRC"});
  EXPECT_EQ(noRow.status, 2);
  EXPECT_NE(noRow.err.find("update iniファイルに該当ファイルがみつかりません"), std::string::npos)
      << noRow.err;
  EXPECT_FALSE(fs::exists(work() / "TOC.BAT"));

  const auto before = pcState();
  host.stop();
  for (const char* dry : {"--dry-run", "--"}) {
    const CliRun stopped = cli({"bulk", dry, "PRJ*JCL"});
    EXPECT_EQ(stopped.status, 1) << dry;
    EXPECT_EQ(stopped.out, "") << dry;
  }
  EXPECT_EQ(pcState(), before);
}

}  // namespace
}  // namespace morvanta::testing
