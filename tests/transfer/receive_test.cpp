#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/ElementSelection.h"
#include "transfer/ReceiveElement.h"
#include "transfer/ReceiveJobRun.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;

class ReceiveTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    for (int i = 0; i < 3; ++i) {
      form->Text_2200file[i]->setText(u" PRJ*SRC ");
      form->Combo_host[i]->setText(u"HOSTA");
      for (auto row : {u"MAIN/R1   2026/01/05 10:00", u"LIB(REL)  2026/01/05", u"A", u"   "}) {
        form->List_elt[i]->addItem(row);
      }
      form->List_send[i]->addItem(u"KEEP");
    }
    form->List_elt[1]->setListIndex(0);
  }
  std::u16string rcv() const { return joinPath(joinPath(folder.path(), u"FTPRCV"), u"PRJ＊SRC"); }
  // Nothing of a receive may show after a refused one.
  void expectNothingDone() {
    EXPECT_FALSE(platform::fileExists(workFile(u"RECV.BAT")));
    EXPECT_FALSE(platform::fileExists(workFile(u"RECV.TXT")));
    EXPECT_TRUE(form->pub.lastReceivedFolder.empty());
    EXPECT_EQ(form->List_send[1]->item(0), u"KEEP");
    EXPECT_TRUE(desktop.startedBatches.empty());
  }
};

TEST_F(ReceiveTest, ChecksInOrderAndRefusesWithNothingWritten) {
  struct Case {
    std::u16string file, host;
    int row;
    std::u16string message;
  } cases[] = {
      {u"   ", u"NOHOST", -1, u"2200ファイル指定がありません"},
      {u"PRJ*SRC", u"NOHOST", -1, u"該当HOSTがみつかりません"},
      {u"PRJ*SRC", u"HOSTA", -1, u"elementが選択されていません"},
      {u"PRJ*SRC", u"HOSTA", 3, u"elementが選択されていません"},  // an all-blank row names nothing
      {u"PRJ*SRC", u"HOSTA", 1, u"シンボリックelementのみ受信可能です"},
  };
  for (const Case& c : cases) {
    desktop.messages.clear();
    form->Text_2200file[1]->setText(c.file);
    form->Combo_host[1]->setText(c.host);
    form->List_elt[1]->setListIndex(c.row);
    form->List_elt_DblClick(1);
    EXPECT_EQ(desktop.messages, std::vector<std::u16string>{c.message}) << c.row;
    expectNothingDone();
  }
}

TEST_F(ReceiveTest, WritesTheJobRecordsTheFileAndStartsIt) {
  form->List_elt_DblClick(1);
  EXPECT_TRUE(desktop.messages.empty());
  const std::u16string local = joinPath(rcv(), u"MAIN／R1.txt");
  EXPECT_EQ(readLines(workFile(u"RECV.TXT")),
            (std::vector<std::u16string>{u"open 192.0.2.1", u"USER1", u"SECRET1",
                                         u"RECV PRJ*SRC.MAIN/R1 " + local, u"bye"}));
  EXPECT_EQ(readLines(workFile(u"RECV.BAT")),
            (std::vector<std::u16string>{u"ftp -s:" + workFile(u"RECV.TXT"),
                                         u"START editor.exe " + local}));
  EXPECT_EQ(form->pub.lastReceivedFolder, rcv());
  EXPECT_EQ(form->pub.lastReceivedFile, u"MAIN／R1.txt");
  EXPECT_TRUE(platform::folderExists(rcv()));
  EXPECT_EQ(desktop.startedBatches, std::vector<std::u16string>{workFile(u"RECV.BAT")});
  // Only the receiving pane's send list changes.
  EXPECT_EQ(form->List_send[1]->count(), 1);
  EXPECT_EQ(form->List_send[1]->item(0), u"MAIN/R1");
  EXPECT_EQ(form->List_send[0]->item(0), u"KEEP");
  EXPECT_EQ(form->List_send[2]->item(0), u"KEEP");
}

TEST_F(ReceiveTest, OneCharacterElementIsFound) {
  form->List_elt[1]->setListIndex(2);
  form->List_elt_DblClick(1);
  EXPECT_EQ(readLines(workFile(u"RECV.TXT"))[3], u"RECV PRJ*SRC.A " + joinPath(rcv(), u"A.txt"));
}

TEST_F(ReceiveTest, UnsafeEditorValueIsRefusedBeforeAnythingChanges) {
  form->pub.textEditor = u"ed.exe & del x";
  form->List_elt_DblClick(1);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(u"使用できない文字が含まれています: TEXT-EDITOR"));
  expectNothingDone();
}

TEST_F(ReceiveTest, ReceiveFolderThatCannotBeMadeStartsNothing) {
  platform::writeTextLines(rcv(), {u"a file where the folder should be"});
  form->List_elt_DblClick(1);
  EXPECT_EQ(desktop.messages, std::vector<std::u16string>{kReceiveFolderFailedMessage + rcv()});
  EXPECT_TRUE(desktop.startedBatches.empty());
  EXPECT_EQ(form->pub.lastReceivedFile, u"MAIN／R1.txt");
}

}  // namespace
}  // namespace morvanta::transfer
