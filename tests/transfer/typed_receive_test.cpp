#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/ReceiveTyped.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;

class TypedReceiveTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    form->Combo_host_file_elt->setText(u"HOSTB");
    form->List_send[0]->addItem(u"KEEP");
  }
  void useTable(std::vector<std::pair<std::u16string, std::u16string>> pairs) {
    form->pub.useCount = static_cast<std::int32_t>(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      form->pub.useNames[i] = pairs[i].first;
      form->pub.useFiles[i] = pairs[i].second;
    }
  }
  std::u16string receive(const std::u16string& typed) {
    desktop.messages.clear();
    form->Text_file_elt->setText(typed);
    form->Command_file_elt_Click();
    return platform::fileExists(workFile(u"RECV.TXT")) ? readLines(workFile(u"RECV.TXT"))[3] : u"";
  }
  std::u16string local(const std::u16string& pcFolder, const std::u16string& name) const {
    return joinPath(joinPath(joinPath(folder.path(), u"FTPRCV"), pcFolder), name);
  }
};

TEST_F(TypedReceiveTest, ChecksInOrderAndRefusesWithNothingWritten) {
  struct Case {
    std::u16string typed, host, message;
  } cases[] = {
      {u"   ", u"NOHOST", u"ファイル.エレメントの指定がありません"},
      {u"PRJ*SRC", u"NOHOST", u"ピリオドがありません"},
      {u"PRJ*SRC.", u"NOHOST", u"エレメントがありません"},
      {u"PRJ*SRC. MAIN", u"NOHOST", u"エレメントがありません"},
      {u"PRJ*SRC.MAIN", u"NOHOST", u"該当HOSTがみつかりません"},
      {u"src.main", u"HOSTB", u"該当する@USEが見つかりません"},
  };
  for (const Case& c : cases) {
    form->Combo_host_file_elt->setText(c.host);
    EXPECT_EQ(receive(c.typed), u"");
    EXPECT_EQ(desktop.messages, std::vector<std::u16string>{c.message}) << c.typed.size();
    EXPECT_EQ(form->Text_file_elt->text(), c.typed);
  }
  EXPECT_TRUE(form->pub.lastReceivedFolder.empty());
  EXPECT_TRUE(desktop.startedBatches.empty());
}

TEST_F(TypedReceiveTest, QualifiedNameIsUpperCasedAndReceivedAsTyped) {
  EXPECT_EQ(receive(u" prj*src.main/r1 "),
            u"RECV PRJ*SRC.MAIN/R1 " + local(u"PRJ＊SRC", u"MAIN／R1.txt"));
  EXPECT_EQ(readLines(workFile(u"RECV.TXT"))[0], u"open 192.0.2.2");
  EXPECT_EQ(form->Text_file_elt->text(), u" prj*src.main/r1 ");
  EXPECT_TRUE(platform::folderExists(local(u"PRJ＊SRC", u"")));
  EXPECT_EQ(form->pub.lastReceivedFile, u"MAIN／R1.txt");
  EXPECT_EQ(desktop.startedBatches, std::vector<std::u16string>{workFile(u"RECV.BAT")});
  EXPECT_EQ(form->List_send[0]->item(0), u"KEEP");
}

TEST_F(TypedReceiveTest, ElementEndsAtTheFirstBlankAndMayEndInAPeriod) {
  EXPECT_EQ(receive(u"PRJ*SRC.A."), u"RECV PRJ*SRC.A. " + local(u"PRJ＊SRC", u"A.txt"));
  // Words after a blank never reach the FTP line as a local file name.
  EXPECT_EQ(receive(u"PRJ*SRC.MAIN/R1 OLD"),
            u"RECV PRJ*SRC.MAIN/R1 " + local(u"PRJ＊SRC", u"MAIN／R1.txt"));
}

TEST_F(TypedReceiveTest, ShortNameGoesThroughTheFirstMatchingUse) {
  useTable({{u"LIB", u"PRJ*LIB"}, {u"SRC", u"PRJ*SRC"}, {u"SRC", u"PRJ*OTHER"}});
  EXPECT_EQ(receive(u"src.main"), u"RECV PRJ*SRC.MAIN " + local(u"PRJ＊SRC", u"MAIN.txt"));
  EXPECT_EQ(form->Text_file_elt->text(), u"PRJ*SRC.MAIN");
}

TEST_F(TypedReceiveTest, UseTableIsReadOnlyUpToItsCountAndExactly) {
  useTable({{u"src", u"PRJ*SRC"}, {u"SRC", u"PRJ*SRC"}});
  form->pub.useCount = 1;
  receive(u"src.main");
  EXPECT_EQ(desktop.messages, std::vector<std::u16string>{kNoUseMessage});
}

}  // namespace
}  // namespace morvanta::transfer
