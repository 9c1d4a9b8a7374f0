#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/BulkTable.h"
#include "catalogue/TocRequest.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/Baseline.h"
#include "transfer/BulkReceive.h"
#include "transfer/BulkSelection.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;
using Lines = std::vector<std::u16string>;

// --- The selection on its own ----------------------------------------------

TEST(BulkCandidateTest, TakesSymbolicElementsWithATimeOfDay) {
  const TxtHdl txtHdl;
  struct Case {
    std::u16string line, name, hostTime;  // name "" = skipped
  } cases[] = {
      {u"MAIN.R1 MAIN/R1 2026/01/05  13:05  ", u"MAIN.R1", u"2026/01/05 13:05:59"},
      {u"   MAIN MAIN 2026/11/30  09:07  ", u"MAIN", u"2026/11/30 09:07:59"},
      {u"LIB LIB(REL) 2026/01/05  13:05  ", u"", u""},
      {u"X.2 X/2(OMN) 2026/01/05  13:05  ", u"", u""},
      {u"P P(ABS) 2026/01/05  13:05  ", u"", u""},
      {u"OLD OLD 2001/12/24  ", u"", u""},  // listed with its year
      {u"MAIN.R1 MAIN/R1", u"", u""},       // TOC taken without dates
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    const auto candidate = bulkCandidate(txtHdl, c.line);
    if (c.name.empty()) {
      EXPECT_FALSE(candidate) << platform::toUtf8(c.line);
      continue;
    }
    ASSERT_TRUE(candidate) << platform::toUtf8(c.line);
    EXPECT_EQ(candidate->name, c.name);
    EXPECT_EQ(candidate->hostTime, c.hostTime);
  }
}

// The walk the index stands in for: every file in order, "_SYM" checked
// before the name.
BulkSelection walkEachElement(const TxtHdl& txtHdl, const Lines& phased, const Lines& files,
                              const Lines& times) {
  BulkSelection selection;
  for (const std::u16string& line : phased) {
    const auto candidate = bulkCandidate(txtHdl, line);
    if (!candidate) continue;
    bool wanted = true;
    for (std::size_t f = 0; f < files.size(); ++f) {
      if (files[f].find(u"_SYM") != std::u16string::npos) {
        selection.symFile = files[f];
        return selection;
      }
      std::u16string key = files[f].substr(0, files[f].rfind(u'.'));
      for (char16_t& c : key) c = (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c;
      if (key == candidate->name) {
        wanted = !(candidate->hostTime < times[f]);
        break;
      }
    }
    if (wanted) selection.names.push_back(candidate->name);
  }
  return selection;
}

TEST(BulkSelectionTest, IndexGivesTheResultsOfTheWalkInFolderOrder) {
  const TxtHdl txtHdl;
  const Lines names = {u"A", u"B", u"A.R1", u"C.R2", u"D"};
  const Lines fileNames = {u"A.txt",    u"a.TXT", u"A.R1.txt", u"b.r1.txt", u"C.R2.txt.bak",
                           u"C.R2.txt", u"D",     u"X_SYM",    u"A.R1_SYM", u"B.txt"};
  const Lines stamps = {u"2026/01/05 13:04:00", u"2026/01/05 13:05:30", u"2026/01/05 13:06:00"};
  std::mt19937 random(20260105);
  auto pick = [&](const Lines& from) { return from[random() % from.size()]; };
  for (int round = 0; round < 2000; ++round) {
    // Every fourth round is longer than the selection reads ahead.
    const unsigned most = round % 4 == 0 ? 60 : 5;
    Lines phased;
    for (int n = static_cast<int>(random() % most); n > 0; --n) {
      phased.push_back(pick(names) + u" DSP 2026/01/05  13:05  ");
    }
    Lines files;
    Lines times;
    for (int n = static_cast<int>(random() % (most + 1)); n > 0; --n) {
      files.push_back(pick(fileNames));
      times.push_back(pick(stamps));
    }
    const BulkSelection expected = walkEachElement(txtHdl, phased, files, times);
    const PcFolderIndex index(txtHdl, files);
    const BulkSelection got =
        selectBulkElements(txtHdl, phased, index, [&](std::size_t f) { return times[f]; });
    ASSERT_EQ(got.symFile, expected.symFile) << round;
    if (!expected.symFile) {
      ASSERT_EQ(got.names, expected.names) << round;
    }
  }
}

// --- The commands ----------------------------------------------------------

class BulkReceiveTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni({u"COBPLUSEDIT-PATH=tool.exe"});
    pc = joinPath(folder.path(), u"RUN");
    ASSERT_TRUE(platform::createFolder(pc));
    writeTable({u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",HTMOUT"});
    form->Text_2200file[0]->setText(u"prj*run");
    form->Combo_host[0]->setText(u"HOSTA");
  }

  void writeTable(const Lines& lines) {
    platform::writeTextLines(folder.file(u"updatehtm.ini"), lines);
    app::loadBulkTable(*form);
  }
  void writePhased(const Lines& lines) {
    platform::writeTextLines(workFile(u"0phased-TOC.TXT"), lines);
  }
  void pcCopy(const std::u16string& name, int hour, int minute, int second) {
    const std::u16string path = joinPath(pc, name);
    platform::writeTextLines(path, {u"@ASG,A X."});
    ASSERT_TRUE(platform::setModifiedTime(path, {2026, 1, 5, hour, minute, second}));
  }
  std::u16string recv(const std::u16string& remote, const std::u16string& local) const {
    return u"RECV PRJ*RUN." + remote + u" " + joinPath(pc, local);
  }
  // The table names the output folder relatively; it is meant from the
  // program folder.
  std::u16string htmOut() const { return joinPath(folder.path(), u"HTMOUT"); }
  std::u16string toolLine(const std::u16string& local, const std::u16string& outf) const {
    return u"tool.exe  FUNC:[RUNSTREAM] INF:[" + joinPath(pc, local) + u"]\u3000 OUTF:[" + outf +
           u"] PROJECT:[PJ01]";
  }
  void expectNoJob() {
    EXPECT_FALSE(platform::fileExists(workFile(u"RECVAUTO.BAT")));
    EXPECT_FALSE(platform::fileExists(workFile(u"RECVAUTO.TXT")));
    EXPECT_TRUE(desktop.startedBatches.empty());
    EXPECT_TRUE(desktop.startedProcesses.empty());
  }

  std::u16string pc;
};

TEST_F(BulkReceiveTest, SettingsReloadTheTableAndUpperCaseTheFile) {
  writeTable({});
  platform::writeTextLines(folder.file(u"updatehtm.ini"),
                           {u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",NONE"});
  form->Text_2200file[0]->setText(u"   ");
  form->Command_AUTO_Click(0);
  EXPECT_EQ(desktop.messages, Lines{kNoFileNameMessage});
  EXPECT_EQ(form->pub.bulkCount, 0);  // not reloaded

  desktop.messages.clear();
  form->Text_2200file[0]->setText(u" prj*run");
  form->Command_AUTO_Click(0);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(form->pub.bulkCount, 1);
  EXPECT_EQ(form->Text_2200file[0]->text(), u" PRJ*RUN");
}

TEST_F(BulkReceiveTest, FirstRunstreamRowOfTheUpperCasedFileIsUsed) {
  const std::u16string other = joinPath(folder.path(), u"OTHER");
  ASSERT_TRUE(platform::createFolder(other));
  writeTable({u"HTM-AUTO-MAKE,prj*run,RUNSTREAM,PJ00," + other + u",NONE",
              u"HTM-AUTO-MAKE,PRJ*RUN,HTML,PJ00," + other + u",NONE",
              u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",HTMOUT",
              u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ02," + other + u",NONE"});
  writePhased({u"MAIN MAIN 2026/01/05  13:05  "});
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(form->Text_2200file[0]->text(), u"PRJ*RUN");
  EXPECT_EQ(readLines(workFile(u"RECVAUTO.BAT")),
            (Lines{u"ftp -s:" + workFile(u"RECVAUTO.TXT"), toolLine(u"MAIN.txt", htmOut())}));
}

TEST_F(BulkReceiveTest, RefusalsBeforeAnythingIsWritten) {
  writePhased({u"MAIN MAIN 2026/01/05  13:05  "});
  struct Case {
    const char* what;
    Lines table;
    std::u16string file, host, message;
  } cases[] = {
      {"lower-case row",
       {u"HTM-AUTO-MAKE,prj*run,RUNSTREAM,PJ01," + pc + u",NONE"},
       u"prj*run",
       u"HOSTA",
       kNoBulkRowMessage},
      {"unknown host",
       {u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",NONE"},
       u"PRJ*RUN",
       u"NOHOST",
       catalogue::kNoHostMessage},
      {"missing PC folder",
       {u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + joinPath(pc, u"GONE") + u",NONE"},
       u"PRJ*RUN",
       u"HOSTA",
       kNoPcFolderMessage + joinPath(pc, u"GONE")},
  };
  for (const Case& c : cases) {
    desktop.messages.clear();
    writeTable(c.table);
    form->Text_2200file[0]->setText(c.file);
    form->Combo_host[0]->setText(c.host);
    form->Command_AUTO_recv_Click(0);
    EXPECT_EQ(desktop.messages, Lines{c.message}) << c.what;
    expectNoJob();
    EXPECT_FALSE(platform::fileExists(folder.file(u"testlog.txt"))) << c.what;
  }
}

TEST_F(BulkReceiveTest, NoTocForThePaneIsToldAndNothingWritten) {
  writePhased({u"MAIN MAIN 2026/01/05  13:05  "});  // pane 0's, not pane 2's
  form->Text_2200file[2]->setText(u"PRJ*RUN");
  form->Combo_host[2]->setText(u"HOSTA");
  form->Command_AUTO_recv_Click(2);
  EXPECT_EQ(desktop.messages, Lines{catalogue::kNoTocMessage});
  EXPECT_EQ(form->pub.phasedTocPath, workFile(u"2phased-TOC.TXT"));
  expectNoJob();
  EXPECT_FALSE(platform::fileExists(folder.file(u"testlog.txt")));
}

TEST_F(BulkReceiveTest, ReceivesMissingAndOlderCopiesAtTheMinuteBoundary) {
  pcCopy(u"A.R1.txt", 13, 5, 30);  // older than 13:05:59: again
  pcCopy(u"B.R1.txt", 13, 6, 0);   // newer: kept
  pcCopy(u"d.r1.TXT", 13, 6, 0);   // matched whatever its case
  pcCopy(u"E.txt", 13, 5, 59);     // same second: again
  platform::writeTextLines(folder.file(u"testlog.txt"), {u"old"});
  writePhased({u"A.R1 A/R1 2026/01/05  13:05  ", u"B.R1 B/R1 2026/01/05  13:05  ",
               u"C C 2026/01/05  13:05  ", u"D.R1 D/R1 2026/01/05  13:05  ",
               u"E E 2026/01/05  13:05  ", u"LIB LIB(REL) 2026/01/05  13:05  ",
               u"OLD OLD 2001/12/24  ", u""});
  desktop.yesNoCancelAnswers = {forms::Answer::Cancel};
  form->Command_AUTO_recv_Click(0);

  EXPECT_EQ(form->bulkElements, (Lines{u"A.R1", u"C", u"E"}));
  EXPECT_EQ(readLines(workFile(u"RECVAUTO.TXT")),
            (Lines{u"open 192.0.2.1", u"USER1", u"SECRET1", recv(u"A/R1", u"A.R1.txt"),
                   recv(u"C", u"C.txt"), recv(u"E", u"E.txt"), u"bye"}));
  EXPECT_EQ(readLines(workFile(u"RECVAUTO.BAT")),
            (Lines{u"ftp -s:" + workFile(u"RECVAUTO.TXT"), toolLine(u"A.R1.txt", htmOut()),
                   toolLine(u"C.txt", htmOut()), toolLine(u"E.txt", htmOut())}));
  EXPECT_EQ(desktop.messages, Lines{kRunBatchQuestion});
  EXPECT_EQ(readBytes(folder.file(u"testlog.txt")), "");
  EXPECT_EQ(form->pub.phasedTocPath, workFile(u"0phased-TOC.TXT"));
  // The window's file list shows the project folder that was compared.
  EXPECT_EQ(form->Fileselect->path(), pc);
  EXPECT_EQ(form->Fileselect->count(), 4);
}

TEST_F(BulkReceiveTest, OutfNoneLeavesNoToolLineAndEmptyOutfStillWritesIt) {
  writePhased({u"MAIN MAIN 2026/01/05  13:05  "});
  writeTable({u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",NONE"});
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(readLines(workFile(u"RECVAUTO.BAT")), Lines{u"ftp -s:" + workFile(u"RECVAUTO.TXT")});

  writeTable({u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u","});
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(readLines(workFile(u"RECVAUTO.BAT")),
            (Lines{u"ftp -s:" + workFile(u"RECVAUTO.TXT"), toolLine(u"MAIN.txt", u"")}));
}

TEST_F(BulkReceiveTest, SymFileInTheFolderStopsWithNothingWritten) {
  pcCopy(u"MAIN.R1_SYM", 13, 0, 0);
  writePhased({u"MAIN.R1 MAIN/R1 2026/01/05  13:05  "});
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(desktop.messages, Lines{kSymExtensionMessage});
  expectNoJob();
}

TEST_F(BulkReceiveTest, NothingToReceiveIsToldWithoutTheQuestion) {
  // An earlier job's pair must not be offered as this one's.
  platform::writeTextLines(workFile(u"RECV.BAT"), {u"ftp -s:RECV.TXT"});
  form->pub.batchFileName = u"RECV.BAT";
  form->pub.ftpScriptName = u"RECV.TXT";
  desktop.yesNoCancelAnswers = {forms::Answer::Yes};
  pcCopy(u"MAIN.txt", 14, 0, 0);
  struct Case {
    Lines phased;
    const char16_t* message;
  } cases[] = {
      {{u"MAIN MAIN 2026/01/05  13:05  "}, kAllUpToDateMessage},
      {{}, kAllUpToDateMessage},
      // Taken without dates: nothing was compared, so "up to date" would mislead.
      {{u"MAIN MAIN", u"X X", u"LIB LIB(REL)"}, kTocWithoutDatesMessage},
      // One dated line is enough to have compared.
      {{u"NEW NEW 2001/12/24  ", u"MAIN MAIN 2026/01/05  13:05  "}, kAllUpToDateMessage},
  };
  for (const Case& c : cases) {
    desktop.messages.clear();
    writePhased(c.phased);
    form->Command_AUTO_recv_Click(0);
    EXPECT_EQ(desktop.messages, Lines{c.message}) << c.phased.size();
    expectNoJob();
    EXPECT_TRUE(form->bulkElements.empty());
  }
}

TEST_F(BulkReceiveTest, RelativeFoldersOfTheTableAreTakenFromTheProgramFolder) {
  writeTable({u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01,RUN,HTM",
              u"HTM-AUTO-MAKE,PRJ*TWO,RUNSTREAM,PJ02,RUN,NONE",
              u"HTM-AUTO-MAKE,PRJ*ABS,RUNSTREAM,PJ03," + pc + u","});
  ASSERT_EQ(form->pub.bulkCount, 3);
  EXPECT_EQ(form->pub.bulkTable[0].pcFolder, pc);
  EXPECT_EQ(form->pub.bulkTable[0].outf, joinPath(folder.path(), u"HTM"));
  EXPECT_EQ(form->pub.bulkTable[1].outf, u"NONE");
  EXPECT_EQ(form->pub.bulkTable[2].pcFolder, pc);
  EXPECT_EQ(form->pub.bulkTable[2].outf, u"");

  // The receive compares in that folder, wherever the process was started.
  pcCopy(u"MAIN.txt", 14, 0, 0);
  writePhased({u"MAIN MAIN 2026/01/05  13:05  ", u"NEW NEW 2026/01/05  13:05  "});
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(readLines(workFile(u"RECVAUTO.TXT")).at(3), recv(u"NEW", u"NEW.txt"));
}

TEST_F(BulkReceiveTest, AnswersRunShowOrLeaveThePair) {
  writePhased({u"MAIN MAIN 2026/01/05  13:05  "});
  const std::u16string bat = workFile(u"RECVAUTO.BAT");
  const std::u16string txt = workFile(u"RECVAUTO.TXT");
  struct Case {
    forms::Answer answer;
    Lines batches, processes;
  } cases[] = {
      {forms::Answer::Yes, {bat}, {}},
      {forms::Answer::No, {}, {u"editor.exe  " + bat, u"editor.exe  " + txt}},
      {forms::Answer::Cancel, {}, {}},
  };
  for (const Case& c : cases) {
    desktop.startedBatches.clear();
    desktop.startedProcesses.clear();
    desktop.yesNoCancelAnswers = {c.answer};
    form->Command_AUTO_recv_Click(0);
    EXPECT_EQ(desktop.startedBatches, c.batches);
    EXPECT_EQ(desktop.startedProcesses, c.processes);
    EXPECT_EQ(form->pub.batchFileName, u"RECVAUTO.BAT");
  }
}

TEST_F(BulkReceiveTest, MoreThanTenThousandElementsAreAllReceived) {
  Lines phased;
  for (int n = 0; n < 10001; ++n) {
    phased.push_back(u"E" + platform::fromUtf8(std::to_string(n)) + u" X 2026/01/05  13:05  ");
  }
  writePhased(phased);
  form->Command_AUTO_recv_Click(0);
  const Lines script = readLines(workFile(u"RECVAUTO.TXT"));
  ASSERT_EQ(script.size(), 10001u + 4u);
  EXPECT_EQ(script[3 + 10000], recv(u"E10000", u"E10000.txt"));
}

}  // namespace
}  // namespace morvanta::transfer

namespace morvanta::transfer {
namespace {

// A bulk receive of a thousand elements records all of them when its job
// ends (one store write: recordReceived saves once for the whole list), and
// a failed one records only what arrived before the element it stopped at.
TEST_F(BulkReceiveTest, EndOfTheJobRecordsEveryArrivedElementInOneWrite) {
  Lines phased;
  for (int n = 0; n < 1000; ++n) {
    phased.push_back(u"E" + platform::fromUtf8(std::to_string(n)) + u" E" +
                     platform::fromUtf8(std::to_string(n)) + u" 2026/01/05  13:05  ");
  }
  writePhased(phased);
  desktop.playBatch = [&](const std::u16string& batch) {
    for (int n = 0; n < 1000; ++n) {
      platform::writeBinaryFile(
          joinPath(pc, u"E" + platform::fromUtf8(std::to_string(n)) + u".txt"),
          "@ASG,A X" + std::to_string(n) + ".\r\n");
    }
    platform::writeBinaryFile(batch + u".status",
                              "{\"event\":\"start\",\"pid\":1}\n{\"event\":\"end\",\"exit\":0,"
                              "\"reason\":\"\"}\n");
  };
  desktop.yesNoCancelAnswers = {forms::Answer::Yes};
  form->Command_AUTO_recv_Click(0);
  BaselineStore store(pc);
  store.load();
  EXPECT_EQ(store.size(), 1000u);
  EXPECT_EQ(store.find(u"E999.txt")->hostTime, u"2026/01/05 13:05");
  EXPECT_EQ(store.find(u"E7.txt")->hash, contentHash("@ASG,A X7.\n"));
  EXPECT_EQ(desktop.notices, Lines{u"一括受信しました: PRJ*RUN (1000件)"});

  // A failed run: the runner got through 2 of 1000.
  platform::deleteFile(store.path());
  desktop.playBatch = [&](const std::u16string& batch) {
    platform::writeBinaryFile(batch + u".status",
                              "{\"event\":\"start\",\"pid\":1}\n"
                              "{\"event\":\"step\",\"done\":2,\"total\":1000,\"element\":\"x\"}\n"
                              "{\"event\":\"end\",\"exit\":1,\"reason\":\"550\"}\n");
  };
  for (int n = 0; n < 1000; ++n)
    pcCopy(u"E" + platform::fromUtf8(std::to_string(n)) + u".txt", 9, 0, 0);
  desktop.yesNoCancelAnswers = {forms::Answer::Yes};
  form->Command_AUTO_recv_Click(0);
  store.load();
  EXPECT_EQ(store.size(), 2u);
  EXPECT_TRUE(store.find(u"E0.txt"));
  EXPECT_TRUE(store.find(u"E1.txt"));
}

}  // namespace
}  // namespace morvanta::transfer
