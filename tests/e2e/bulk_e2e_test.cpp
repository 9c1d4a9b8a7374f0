// One bulk receive through the real job runner against the simulated host:
// a PC folder of runstream copies, some older and some newer than the
// host's elements, brought up to date by one job.

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;

constexpr char kPcEdit[] = "PC COPY, EDITED LOCALLY\r\n";

class BulkE2eTest : public E2eFixture {
 protected:
  void SetUp() override {
    pcFolder = folder.file(u"runstreams");
    ASSERT_TRUE(platform::createFolder(pcFolder));
  }

  std::u16string pcFile(const std::u16string& name) const {
    return platform::joinPath(pcFolder, name);
  }

  void putPcCopy(const std::u16string& name, std::time_t modified) {
    platform::writeTextLines(pcFile(name), {u"PC COPY, EDITED LOCALLY"});
    ASSERT_TRUE(platform::setModifiedTime(pcFile(name), localTime(modified)));
  }

  // The tool's arguments for one received element, in brackets. The
  // table's relative output folder reaches the tool from the program folder.
  std::string toolRun(const std::u16string& name) const {
    return "[FUNC:[RUNSTREAM]][INF:[" + u8(pcFile(name)) + "]　][OUTF:[" +
           u8(folder.file(u"HTMOUT")) + "]][PROJECT:[PJ01]]";
  }

  std::u16string pcFolder;
};

TEST_F(BulkE2eTest, OneJobReceivesTheOlderAndMissingCopiesOnly) {
  // The host's minute against the PC copies' times, all within the last day
  // so the listing gives a time of day.
  const std::time_t now = std::time(nullptr);
  const std::time_t minute = (now - 4 * 3600) / 60 * 60;
  host.setElementTime("PRJ*JCL", "BUILD._SYM", localTime(now - 3 * 3600));
  host.setElementTime("PRJ*JCL", "NIGHTLY.R1_SYM", localTime(now - 5 * 3600));
  host.putElement("PRJ*JCL", "WEEKLY._SYM", "@RUN WEEKLY,ACCT01,PRJ\n@USE S,PRJ*SRC.\n@FIN\n");
  host.setElementTime("PRJ*JCL", "WEEKLY._SYM", localTime(now - 2 * 3600));
  host.putElement("PRJ*JCL", "MONTHLY._SYM", "@RUN MONTHLY,ACCT01,PRJ\n@FIN\n");
  host.setElementTime("PRJ*JCL", "MONTHLY._SYM", localTime(minute));
  host.putElement("PRJ*JCL", "JOBLIB._REL", "\x01\x02");
  host.setElementTime("PRJ*JCL", "JOBLIB._REL", localTime(now - 3600));

  putPcCopy(u"BUILD.txt", now - 2 * 86400);  // older: received
  putPcCopy(u"NIGHTLY.R1.txt", now - 3600);  // newer: kept
  putPcCopy(u"MONTHLY.txt", minute + 30);    // within the host's minute: received
  // WEEKLY has no PC copy: received. DAILY is listed with its year only
  // (it is older than half a year), so it is never taken, however old the
  // PC copy is.
  putPcCopy(u"DAILY.txt", now - 800 * 86400);
  const std::string dailyBefore = readBytes(pcFile(u"DAILY.txt"));
  const std::u16string nightlyTime = platform::modifiedTime(pcFile(u"NIGHTLY.R1.txt"));

  loadAgainstHost({.converter = true,
                   .tool = true,
                   .bulkRows = {u"; runstream copies and their pages",
                                u"HTM-AUTO-MAKE,PRJ*JCL,RUNSTREAM,PJ01," + pcFolder + u",HTMOUT"}});
  ASSERT_TRUE(fetchToc(1, u"PRJ*JCL").ok);
  ASSERT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());

  desktop.yesNoCancelAnswers.push_back(forms::Answer::Yes);
  forgetJobLog(u"RECVAUTO.BAT");
  form->Text_2200file[1]->setText(u"prj*jcl");
  form->Command_AUTO_recv_Click(1);
  EXPECT_EQ(desktop.messages, Lines{u"BATファイルを実行しますか？"});
  const JobEnd end = waitForJob(u"RECVAUTO.BAT");
  ASSERT_TRUE(end.ok) << end.log;
  // Told once, with the count of the runner's steps.
  EXPECT_EQ(desktop.notices, Lines{u"一括受信しました: PRJ*JCL (3件)"});

  // One FTP session fetched exactly the three, in listing order. The script
  // held the password: the runner erased it when the job ended.
  EXPECT_FALSE(platform::fileExists(workFile(u"RECVAUTO.TXT")));
  std::vector<std::string> fetched;
  const std::string hostLog = host.log();
  for (auto at = hostLog.find("<- RETR "); at != std::string::npos;
       at = hostLog.find("<- RETR ", at + 1)) {
    fetched.push_back(hostLog.substr(at + 8, hostLog.find('\n', at) - at - 8));
  }
  EXPECT_EQ(fetched,
            (std::vector<std::string>{"PRJ*JCL.BUILD", "PRJ*JCL.MONTHLY", "PRJ*JCL.WEEKLY"}));

  for (const auto& [name, ftpName] :
       {std::pair{u"BUILD.txt", "BUILD._SYM"}, std::pair{u"MONTHLY.txt", "MONTHLY._SYM"},
        std::pair{u"WEEKLY.txt", "WEEKLY._SYM"}}) {
    EXPECT_EQ(readBytes(pcFile(name)), hostTextForPc("PRJ*JCL", ftpName) + kConvertedMark)
        << u8(name);
  }
  EXPECT_EQ(readBytes(pcFile(u"NIGHTLY.R1.txt")), kPcEdit);
  EXPECT_EQ(platform::modifiedTime(pcFile(u"NIGHTLY.R1.txt")), nightlyTime);
  EXPECT_EQ(readBytes(pcFile(u"DAILY.txt")), dailyBefore);
  EXPECT_EQ(filesIn(pcFolder),
            (Lines{u"BUILD.txt", u"DAILY.txt", u"MONTHLY.txt", u"NIGHTLY.R1.txt", u"WEEKLY.txt"}))
      << "an O$U$T file or a relocatable element is left";

  EXPECT_EQ(converterRuns().size(), 3u);
  EXPECT_EQ(toolRuns(), (std::vector<std::string>{toolRun(u"BUILD.txt"), toolRun(u"MONTHLY.txt"),
                                                  toolRun(u"WEEKLY.txt")}));
  // A bulk receive opens nothing in the editor.
  EXPECT_TRUE(editorRuns().empty());
}

TEST_F(BulkE2eTest, UpToDateFolderAsksNothingAndStartsNothing) {
  const std::time_t now = std::time(nullptr);
  for (const char* name : {"BUILD._SYM", "NIGHTLY.R1_SYM"}) {
    host.setElementTime("PRJ*JCL", name, localTime(now - 5 * 3600));
  }
  putPcCopy(u"BUILD.txt", now - 60);
  putPcCopy(u"NIGHTLY.R1.txt", now - 60);

  loadAgainstHost(
      {.tool = true, .bulkRows = {u"HTM-AUTO-MAKE,PRJ*JCL,RUNSTREAM,PJ01," + pcFolder + u",NONE"}});
  ASSERT_TRUE(fetchToc(0, u"PRJ*JCL").ok);
  const std::size_t started = desktop.startedBatches.size();
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(desktop.messages,
            Lines{u"受信するエレメントはありません。PC上のファイルはすべて最新です"});
  EXPECT_EQ(desktop.startedBatches.size(), started);
  EXPECT_FALSE(platform::fileExists(workFile(u"RECVAUTO.BAT")));
}

}  // namespace
}  // namespace morvanta::testing
