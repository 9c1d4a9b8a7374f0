// The check before a send: what was received is the baseline, the host's
// current copy is compared with it, and nothing of anyone's is lost.

#include <gtest/gtest.h>

#include "jobs/JobQueue.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/Baseline.h"
#include "transfer/FakeHost_support.h"
#include "transfer/SendElement.h"
#include "transfer/SendGuard.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;
using Lines = std::vector<std::u16string>;

// --- The content hash ----------------------------------------------------------

TEST(ContentHashTest, LineEndsTrailingBlanksAndFinalEmptyLinesDoNotCount) {
  const std::string base = "@ASG,T X.\r\n  MOVE A TO B.\r\n";
  for (const std::string& same :
       {std::string("@ASG,T X.\n  MOVE A TO B.\n"), std::string("@ASG,T X.\r  MOVE A TO B."),
        std::string("@ASG,T X.\r\r\n  MOVE A TO B.\r\r\n"),
        std::string("@ASG,T X.   \r\n  MOVE A TO B.\t\r\n\r\n\r\n")}) {
    EXPECT_EQ(contentHash(same), contentHash(base)) << same;
  }
  for (const std::string& changed : {std::string("@ASG,T X.\r\n  MOVE A TO C.\r\n"),
                                     std::string("@ASG,T X.\r\n\r\n  MOVE A TO B.\r\n"),
                                     std::string(" @ASG,T X.\r\n  MOVE A TO B.\r\n")}) {
    EXPECT_NE(contentHash(changed), contentHash(base)) << changed;
  }
  EXPECT_EQ(contentHash(base).size(), 32u);
}

// --- The store -------------------------------------------------------------------

class BaselineStoreTest : public testing::FormFixture {};

TEST_F(BaselineStoreTest, SurvivesARestartAndSkipsWhatItCannotRead) {
  const std::u16string dir = folder.path();
  {
    BaselineStore store(dir);
    store.load();
    store.put(u"MAIN／R1.txt", {u"2026/12/07  10:05", 120, std::u16string(32, u'a'), u"t"});
    store.put(u"CALC.txt", {u"", -1, std::u16string(32, u'b'), u"t"});
    store.save();
  }
  BaselineStore again(dir);  // as after a restart: only the file is left
  again.load();
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again.find(u"MAIN／R1.txt")->hostTime, u"2026/12/07  10:05");
  EXPECT_EQ(again.find(u"MAIN／R1.txt")->hostSize, 120);
  EXPECT_EQ(again.find(u"CALC.txt")->hostSize, -1);
  EXPECT_FALSE(again.find(u"UTIL.txt"));

  const auto parsed =
      BaselineStore::parse({u"morvanta-baseline 1", u"broken line", u"A.txt\t\t\tshort\tt",
                            u"B.txt\tx\t1\t" + std::u16string(32, u'c') + u"\tt"});
  EXPECT_EQ(parsed.size(), 1u);
  EXPECT_TRUE(BaselineStore::parse({u"another format", u"B.txt\tx\t1\tc\tt"}).empty());
}

TEST_F(BaselineStoreTest, ThousandReceivedElementsAreRecordedInOneWrite) {
  const std::u16string dir = folder.path();
  std::vector<std::u16string> files;
  std::vector<std::u16string> times;
  for (int n = 0; n < 1000; ++n) {
    const std::u16string name = u"E" + platform::fromUtf8(std::to_string(n)) + u".txt";
    platform::writeBinaryFile(joinPath(dir, name), "text " + std::to_string(n) + "\r\n");
    files.push_back(name);
    times.push_back(u"2026/12/07  09:00");
  }
  files.push_back(u"NEVER-ARRIVED.txt");
  EXPECT_EQ(recordReceived(dir, files, times, {2026, 12, 7, 10, 0, 0}), 1000u);
  BaselineStore store(dir);
  store.load();
  EXPECT_EQ(store.size(), 1000u);
  EXPECT_EQ(store.find(u"E999.txt")->hash, contentHash("text 999\n"));
  // One file, no temporary ones left beside it.
  std::size_t hidden = 0;
  for (const std::u16string& name : platform::listFiles(dir)) hidden += name.starts_with(u".");
  EXPECT_EQ(hidden, 1u);
}

// --- The send ----------------------------------------------------------------------

class GuardedSendTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni({u"FTP-SEND=YES"});
    form->Text_2200file[0]->setText(u"PRJ*SRC");
    form->Combo_host[0]->setText(u"HOSTA");
    rcv = joinPath(joinPath(folder.path(), u"FTPRCV"), u"PRJ＊SRC");
    platform::createFolder(rcv);
    pcFile = joinPath(rcv, u"MAIN／R1.txt");
    platform::writeBinaryFile(pcFile, "@ASG,T X.\r\nmine\r\n");
    form->List_send[0]->addItem(u"MAIN/R1");
    form->List_send[0]->setListIndex(0);
    host.attach(desktop);
  }
  // The baseline as a receive of `text` at 10:05 leaves it.
  void received(const std::string& text) {
    BaselineStore store(rcv);
    store.put(u"MAIN／R1.txt", {u"2026/12/07  10:05", -1, contentHash(text), u""});
    store.save();
  }
  std::u16string backups() const {
    return joinPath(joinPath(workFile(u"BACKUP"), u""), u"PRJ＊SRC");
  }
  std::u16string keptCopy() const {
    return joinPath(joinPath(workFile(u"BACKUP"), u"PRJ＊SRC"), u"MAIN／R1.20261207-100000.txt");
  }
  void send() { form->List_send_DblClick(0); }

  testing::FakeHost host;
  std::u16string rcv;
  std::u16string pcFile;
};

TEST_F(GuardedSendTest, UnchangedHostCopyGoesStraightToTheUsualConfirmation) {
  // Received with LF ends and a trailing blank; the host now keeps CR LF.
  received("@ASG,T X. \noriginal\n");
  desktop.okCancelAnswers = {true};
  send();
  EXPECT_TRUE(desktop.overwriteQuestions.empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(u"以下のFTPのSENDを実行してもよいですか？\n\nSEND "));
  EXPECT_EQ(host.played, (Lines{u"CHECK.BAT", u"SEND.BAT", u"SENT.BAT"}));
  EXPECT_EQ(host.sentText, "@ASG,T X.\r\nmine\r\n");
  // The sent text with the host's new time is the baseline now.
  BaselineStore store(rcv);
  store.load();
  EXPECT_EQ(store.find(u"MAIN／R1.txt")->hash, contentHash("@ASG,T X.\nmine\n"));
  EXPECT_EQ(store.find(u"MAIN／R1.txt")->hostTime, u"2026/12/07  10:45");
  // A second send finds the host as it left it.
  desktop.okCancelAnswers = {true};
  send();
  EXPECT_TRUE(desktop.overwriteQuestions.empty());
}

TEST_F(GuardedSendTest, ChangedHostCopyAsksNamingBothTimesAndCancelSendsNothing) {
  received("@ASG,T X.\r\nas received\r\n");
  desktop.overwriteAnswers = {forms::SendChoice::Cancel};
  send();
  ASSERT_EQ(desktop.overwriteQuestions.size(), 1u);
  const std::u16string& question = desktop.overwriteQuestions[0];
  EXPECT_NE(question.find(u"PRJ*SRC.MAIN/R1"), std::u16string::npos) << platform::toUtf8(question);
  EXPECT_NE(question.find(u"受信時のホストの日時: 2026/12/07  10:05"), std::u16string::npos);
  EXPECT_NE(question.find(u"ホストの現在の日時: 2026/12/07  10:30"), std::u16string::npos);
  EXPECT_EQ(desktop.titles.back(), kChangedTitle);
  EXPECT_EQ(host.played, Lines{u"CHECK.BAT"});
  EXPECT_EQ(*host.text, "@ASG,T X.\r\noriginal\r\n");
}

TEST_F(GuardedSendTest, CompareShowsBothChangesThenAsksAgain) {
  received("@ASG,T X.\r\nas received\r\n");
  desktop.overwriteAnswers = {forms::SendChoice::Compare, forms::SendChoice::Cancel};
  send();
  EXPECT_EQ(desktop.overwriteQuestions.size(), 2u);
  ASSERT_EQ(desktop.diffs.size(), 1u);
  using Side = forms::DiffLine::Side;
  const std::vector<forms::DiffLine>& lines = desktop.diffs[0].lines;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].side, Side::Both);
  EXPECT_EQ(lines[1].side, Side::HostOnly);
  EXPECT_EQ(lines[1].text, u"original");
  EXPECT_EQ(lines[2].side, Side::PcOnly);
  EXPECT_EQ(lines[2].text, u"mine");
  EXPECT_EQ(desktop.diffs[0].title, u"PRJ*SRC.MAIN/R1");
}

TEST_F(GuardedSendTest, ConfiguredDiffToolIsStartedOnBothFiles) {
  form->pub.diffTool = u"/usr/bin/meld";
  desktop.overwriteAnswers = {forms::SendChoice::Compare, forms::SendChoice::Cancel};
  send();  // never received: the question asks all the same
  EXPECT_EQ(desktop.titles.front(), kNoBaselineTitle);
  EXPECT_TRUE(desktop.diffs.empty());
  EXPECT_EQ(desktop.startedProcesses,
            Lines{u"/usr/bin/meld \"" + keptCopy() + u"\" \"" + pcFile + u"\""});
}

TEST_F(GuardedSendTest, OverwriteSendsAndKeepsThePreviousHostCopy) {
  received("@ASG,T X.\r\nas received\r\n");
  desktop.overwriteAnswers = {forms::SendChoice::Overwrite};
  send();
  EXPECT_EQ(host.played, (Lines{u"CHECK.BAT", u"SEND.BAT", u"SENT.BAT"}));
  EXPECT_EQ(*host.text, "@ASG,T X.\r\nmine\r\n");
  EXPECT_EQ(readBytes(keptCopy()), "@ASG,T X.\r\noriginal\r\n");
}

TEST_F(GuardedSendTest, ElementMissingOnHostIsCreatedAfterSayingSo) {
  host.text.reset();
  desktop.okCancelAnswers = {true};
  send();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(kNotOnHostNote));
  EXPECT_EQ(*host.text, "@ASG,T X.\r\nmine\r\n");
}

TEST_F(GuardedSendTest, CheckThatCannotReachTheHostSendsNothing) {
  host.checkReaches = false;
  send();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(kCheckFailedMessage));
  EXPECT_EQ(host.played, Lines{u"CHECK.BAT"});
}

TEST_F(GuardedSendTest, FailedSendNamesTheKeptCopyAndItsActionPutsItBack) {
  received("@ASG,T X.\r\noriginal\r\n");
  host.sendSucceeds = false;
  desktop.okCancelAnswers = {true};
  send();
  ASSERT_EQ(desktop.actionNotices.size(), 1u);
  const auto& notice = desktop.actionNotices[0];
  EXPECT_NE(notice.text.find(u"送信できませんでした: PRJ*SRC.MAIN/R1"), std::u16string::npos);
  EXPECT_NE(notice.text.find(kMayBeIncompleteNote + keptCopy()), std::u16string::npos);
  EXPECT_EQ(notice.caption, kRestoreCaption);
  EXPECT_EQ(*host.text, "@ASG,T X");  // what the cut-off upload left
  notice.action();
  EXPECT_EQ(host.restoredTexts, std::vector<std::string>{"@ASG,T X.\r\noriginal\r\n"});
  EXPECT_EQ(*host.text, "@ASG,T X.\r\noriginal\r\n");
}

TEST_F(GuardedSendTest, CheckKilledAfterItsCancelLeavesNoPartialListingNorScript) {
  received("@ASG,T X.\r\nas received\r\n");
  desktop.holdBatches = true;
  desktop.heldBatchesIgnoreStop = true;
  send();
  const jobs::Job* check = form->jobs.latest();
  ASSERT_NE(check, nullptr);
  ASSERT_EQ(check->kind, jobs::JobKind::SendCheck);
  const std::u16string partial = workFile(u"CHECK-LIST.TXT.0123456789abcdef.tmp");
  platform::writeTextLines(partial, {u"-rw-rw-r--"});
  form->Job_Cancel(check->id);
  desktop.clock.second += jobs::JobQueue::kStopGraceSeconds;
  form->Jobs_Tick();
  EXPECT_EQ(desktop.cancelledBatches.size(), 1u) << "killed after the grace";
  EXPECT_FALSE(platform::fileExists(partial));
  EXPECT_FALSE(platform::fileExists(workFile(u"CHECK.TXT")));
}

TEST_F(GuardedSendTest, OnlyTheLastFewHostCopiesAreKept) {
  platform::createFolder(workFile(u"BACKUP"));
  const std::u16string dir = joinPath(workFile(u"BACKUP"), u"PRJ＊SRC");
  platform::createFolder(dir);
  for (int second = 10; second < 18; ++second) {
    const std::u16string name =
        u"MAIN／R1.20261206-1200" + platform::fromUtf8(std::to_string(second)) + u".txt";
    platform::writeBinaryFile(joinPath(dir, name), "old");
  }
  platform::writeBinaryFile(joinPath(dir, u"MAIN.20261206-120000.txt"), "other element");
  send();
  const std::vector<std::u16string> kept = keptHostCopies(dir, u"MAIN／R1.txt");
  ASSERT_EQ(kept.size(), kKeptHostCopies);
  EXPECT_EQ(kept.back(), u"MAIN／R1.20261207-100000.txt");
  EXPECT_EQ(kept.front(), u"MAIN／R1.20261206-120014.txt");
  EXPECT_TRUE(platform::fileExists(joinPath(dir, u"MAIN.20261206-120000.txt")));
}

// --- The receive's side --------------------------------------------------------------

TEST_F(GuardedSendTest, ReceiveThatSucceedsRecordsTheTocTimeAndTheText) {
  form->List_elt[0]->addItem(u"MAIN/R1");
  form->List_date[0]->addItem(u"2026/12/07  09:58");
  form->List_elt[0]->setListIndex(0);
  desktop.playBatch = [&](const std::u16string& batch) {
    platform::writeBinaryFile(pcFile, "@ASG,T X.\r\nreceived\r\n");
    testing::writeStatus(batch, 0);
  };
  form->List_elt_DblClick(0);
  BaselineStore store(rcv);
  store.load();
  ASSERT_TRUE(store.find(u"MAIN／R1.txt"));
  EXPECT_EQ(store.find(u"MAIN／R1.txt")->hostTime, u"2026/12/07  09:58");
  EXPECT_EQ(store.find(u"MAIN／R1.txt")->hash, contentHash("@ASG,T X.\nreceived\n"));

  // A receive that fails records nothing.
  platform::deleteFile(joinPath(rcv, kBaselineFileName));
  desktop.playBatch = [&](const std::u16string& batch) { testing::writeStatus(batch, 1, "550"); };
  form->List_elt_DblClick(0);
  EXPECT_FALSE(platform::fileExists(joinPath(rcv, kBaselineFileName)));
}

}  // namespace
}  // namespace morvanta::transfer
