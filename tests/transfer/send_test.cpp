#include <gtest/gtest.h>

#include "app/JobValueCheck.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/Baseline.h"
#include "transfer/ElementSelection.h"
#include "transfer/FakeHost_support.h"
#include "transfer/SendElement.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;
using Lines = std::vector<std::u16string>;

class SendTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni({u"FTP-SEND=YES"});
    form->Text_2200file[0]->setText(u"PRJ*SRC");
    form->Combo_host[0]->setText(u"HOSTA");
    rcv = joinPath(joinPath(folder.path(), u"FTPRCV"), u"PRJ＊SRC");
    platform::createFolder(rcv);
    platform::writeTextLines(joinPath(rcv, u"MAIN／R1.txt"), {u"@ASG,T X.", u"edited"});
    platform::writeTextLines(joinPath(rcv, u"MAIN.txt"), {u"new"});
    pick(u"MAIN/R1");
    // The host still holds what was received: the check lets the send through.
    host.attach(desktop);
    remember(rcv);
  }
  void remember(const std::u16string& receiveFolder) {
    BaselineStore store(receiveFolder);
    for (const std::u16string name : {u"MAIN／R1.txt", u"MAIN.txt"}) {
      store.put(name, {u"", -1, contentHash(*host.text), u""});
    }
    store.save();
  }
  testing::FakeHost host;
  void pick(const std::u16string& elt) {
    form->List_send[0]->clear();
    form->List_send[0]->addItem(elt);
    form->List_send[0]->setListIndex(0);
  }
  void expectNothingWritten() {
    EXPECT_FALSE(platform::fileExists(workFile(u"SEND.BAT")));
    EXPECT_FALSE(platform::fileExists(joinPath(rcv, u"MAIN.R1_SYM")));
    EXPECT_TRUE(desktop.titles.empty());
    EXPECT_TRUE(desktop.startedBatches.empty());
  }
  std::u16string rcv;
};

TEST_F(SendTest, ChecksInOrderAndRefusesWithNothingWritten) {
  struct Case {
    std::u16string file, host;
    int row;
    std::u16string message;
  } cases[] = {
      {u"  ", u"NOHOST", -1, u"2200ファイル指定がありません"},
      {u"PRJ*SRC", u"NOHOST", -1, u"該当HOSTがみつかりません"},
      {u"PRJ*SRC", u"HOSTA", -1, u"elementが選択されていません"},
  };
  for (const Case& c : cases) {
    desktop.messages.clear();
    form->Text_2200file[0]->setText(c.file);
    form->Combo_host[0]->setText(c.host);
    form->List_send[0]->setListIndex(c.row);
    form->List_send_DblClick(0);
    EXPECT_EQ(desktop.messages, Lines{c.message});
    expectNothingWritten();
  }
}

TEST_F(SendTest, NewElementEntryHasNoNameToSend) {
  form->Command_new_elt_Click(0);
  ASSERT_EQ(form->List_send[0]->count(), 1);
  EXPECT_EQ(form->List_send[0]->item(0), u"");
  form->List_send[0]->setListIndex(0);
  form->List_send_DblClick(0);
  EXPECT_EQ(desktop.messages, Lines{kNoElementMessage});
  expectNothingWritten();
}

TEST_F(SendTest, MissingPcFileIsNamedAndNothingIsSent) {
  pick(u"GONE/R1");
  form->List_send_DblClick(0);
  EXPECT_EQ(desktop.messages, Lines{kNoSendFileMessage + joinPath(rcv, u"GONE／R1.txt")});
  EXPECT_FALSE(platform::fileExists(joinPath(rcv, u"GONE.R1_SYM")));
  expectNothingWritten();
}

std::u16string confirmation(const std::u16string& sendLine) {
  return u"以下のFTPのSENDを実行してもよいですか？\n\n" + sendLine;
}

TEST_F(SendTest, ConfirmedSendCopiesWritesAndStarts) {
  platform::writeTextLines(joinPath(rcv, u"MAIN.R1_SYM"), {u"stale"});
  desktop.okCancelAnswers = {true};
  form->List_send_DblClick(0);
  const std::u16string line = u"SEND " + joinPath(rcv, u"MAIN.R1_SYM") + u" PRJ*SRC.MAIN/R1";
  // The question leads the body as well as titling the box.
  EXPECT_EQ(desktop.messages, Lines{confirmation(line)});
  EXPECT_EQ(desktop.titles, Lines{u"以下のFTPのSENDを実行してもよいですか？"});
  EXPECT_EQ(readLines(joinPath(rcv, u"MAIN.R1_SYM")), (Lines{u"@ASG,T X.", u"edited"}));
  EXPECT_EQ(readLines(workFile(u"SEND.TXT")),
            (Lines{u"open 192.0.2.1", u"USER1", u"SECRET1", line, u"bye"}));
  EXPECT_EQ(readLines(workFile(u"SEND.BAT")), Lines{u"ftp -s:" + workFile(u"SEND.TXT")});
  // The check first, the send, then the listing that dates the new baseline.
  EXPECT_EQ(desktop.startedBatches,
            (Lines{workFile(u"CHECK.BAT"), workFile(u"SEND.BAT"), workFile(u"SENT.BAT")}));
  EXPECT_EQ(form->List_send[0]->item(0), u"MAIN/R1");
}

// An upload copy that cannot be made (a folder holds its name) is named with
// the system's reason, and no send job is written or started: a stale copy
// must never go out.
TEST_F(SendTest, UploadCopyThatCannotBeMadeIsNamedAndNothingIsSent) {
  ASSERT_TRUE(platform::createFolder(joinPath(rcv, u"MAIN.R1_SYM")));
  desktop.okCancelAnswers = {true};
  form->List_send_DblClick(0);
  const std::u16string named = kUploadCopyFailedMessage + joinPath(rcv, u"MAIN.R1_SYM") + u" (";
  EXPECT_TRUE(desktop.messages.back().starts_with(named))
      << platform::toUtf8(desktop.messages.back());
  EXPECT_TRUE(desktop.messages.back().ends_with(u")"));
  EXPECT_FALSE(platform::fileExists(workFile(u"SEND.BAT")));
  EXPECT_FALSE(platform::fileExists(workFile(u"SEND.TXT")));
  for (const std::u16string& batch : desktop.startedBatches) {
    EXPECT_NE(batch, workFile(u"SEND.BAT"));
  }
}

TEST_F(SendTest, CancelLeavesTheJobAndCopyButStartsNothing) {
  form->List_send_DblClick(0);
  EXPECT_TRUE(platform::fileExists(joinPath(rcv, u"MAIN.R1_SYM")));
  EXPECT_TRUE(platform::fileExists(workFile(u"SEND.BAT")));
  EXPECT_TRUE(platform::fileExists(workFile(u"SEND.TXT")));
  EXPECT_EQ(desktop.startedBatches, Lines{workFile(u"CHECK.BAT")});
}

TEST_F(SendTest, PaneFileWithAisOrXisIsSentWhenNoWorkFileIsSet) {
  // Only the configured work file is refused for those letters.
  for (const std::u16string file : {u"PRJ*AIS", u"XIS*SRC"}) {
    std::u16string pcFolder = file;
    pcFolder[pcFolder.find(u'*')] = u'＊';
    const std::u16string from = joinPath(joinPath(folder.path(), u"FTPRCV"), pcFolder);
    platform::createFolder(from);
    platform::writeTextLines(joinPath(from, u"MAIN／R1.txt"), {u"x"});
    remember(from);
    form->Text_2200file[0]->setText(file);
    desktop.messages.clear();
    desktop.startedBatches.clear();
    desktop.okCancelAnswers = {true};
    form->List_send_DblClick(0);
    EXPECT_EQ(desktop.messages, Lines{confirmation(u"SEND " + joinPath(from, u"MAIN.R1_SYM") +
                                                   u" " + file + u".MAIN/R1")});
    EXPECT_EQ(desktop.startedBatches,
              (Lines{workFile(u"CHECK.BAT"), workFile(u"SEND.BAT"), workFile(u"SENT.BAT")}));
  }
}

TEST_F(SendTest, WorkFileTakesTheSendAndElementWithoutVersion) {
  form->pub.ftpSendWorkFile = u"PRJ*WORK";
  pick(u"MAIN");
  form->List_send_DblClick(0);
  EXPECT_EQ(desktop.messages,
            Lines{confirmation(u"SEND " + joinPath(rcv, u"MAIN._SYM") + u" PRJ*WORK.MAIN")});
}

// The host copy of a send lands below FTPWK\BACKUP in a folder named after
// the target file; a work file that would climb out of it is refused before
// any folder or job file is made.
TEST_F(SendTest, TargetWhoseBackupFolderLeavesTheWorkFolderIsRefused) {
  const std::u16string outside = joinPath(folder.path(), u"OUT＊X");
  for (const std::u16string target : {u"../../OUT*X", u"..", u"A/B*C"}) {
    desktop.messages.clear();
    form->pub.ftpSendWorkFile = target;
    form->List_send_DblClick(0);
    ASSERT_EQ(desktop.messages.size(), 1u) << platform::toUtf8(target);
    EXPECT_TRUE(desktop.messages[0].starts_with(app::kPathOutsideFolderMessage))
        << platform::toUtf8(desktop.messages[0]);
    EXPECT_FALSE(platform::fileExists(workFile(u"CHECK.BAT")));
    EXPECT_FALSE(platform::fileExists(workFile(u"CHECK.TXT")));
    EXPECT_FALSE(platform::folderExists(outside));
    EXPECT_TRUE(desktop.startedBatches.empty());
  }
  EXPECT_FALSE(platform::folderExists(workFile(u"BACKUP")));
}

// The check before a send is a job like any other: a login the Windows FTP
// client would run as a command is refused before its script is written.
TEST_F(SendTest, CheckJobRefusesALoginStartingWithAnExclamationMark) {
  for (const bool user : {false, true}) {
    desktop.messages.clear();
    form->pub.ftpUserId = user ? u"!whoami" : u"USER1";
    form->pub.ftpPassword = user ? u"SECRET1" : u" !del x";
    form->List_send_DblClick(0);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0], std::u16string(app::kUnsafeValueMessage) +
                                       (user ? u"FTP-USERID" : u"FTP-PASSWORD") + u" (!)");
    EXPECT_FALSE(platform::fileExists(workFile(u"CHECK.TXT")));
    EXPECT_TRUE(desktop.startedBatches.empty());
  }
}

}  // namespace
}  // namespace morvanta::transfer
