#include <gtest/gtest.h>

#include "app/BulkTable.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta {
namespace {

using Lines = std::vector<std::u16string>;

struct RowCase {
  std::u16string line;
  BulkRow row;
};

TEST(ParseBulkRow, FieldsOfARow) {
  const std::u16string s = platform::pathSeparator();
  const RowCase cases[] = {
      {u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01,C:\\PROJ\\RUN\\,C:\\PROJ\\HTM\\",
       {u"PRJ*RUN", u"RUNSTREAM", u"PJ01", u"C:\\PROJ\\RUN", u"C:\\PROJ\\HTM"}},
      {u"HTM-AUTO-MAKE,A*B,RUNSTREAM,P," + s + u"home" + s + u"run" + s + u",NONE",
       {u"A*B", u"RUNSTREAM", u"P", s + u"home" + s + u"run", u"NONE"}},
      // The 14th character is skipped whatever it is; the fifth field ends
      // at the first "/" and is trimmed; field 4 is kept as written.
      {u"HTM-AUTO-MAKE;A*B,OTHER,P, pc ,  NONE  /rest", {u"A*B", u"OTHER", u"P", u" pc ", u"NONE"}},
      {u"HTM-AUTO-MAKE,A*B,RUNSTREAM,P,D " + s + u",", {u"A*B", u"RUNSTREAM", u"P", u"D", u""}},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    const auto got = app::parseBulkRow(th, c.line);
    ASSERT_TRUE(got.has_value()) << platform::toUtf8(c.line);
    EXPECT_EQ(got->hostFile, c.row.hostFile);
    EXPECT_EQ(got->func, c.row.func);
    EXPECT_EQ(got->project, c.row.project);
    EXPECT_EQ(got->pcFolder, c.row.pcFolder) << platform::toUtf8(c.line);
    EXPECT_EQ(got->outf, c.row.outf) << platform::toUtf8(c.line);
  }
}

TEST(ParseBulkRow, LinesThatAreNoUsableRow) {
  const std::u16string s = platform::pathSeparator();
  TxtHdl th;
  for (const std::u16string line :
       {u"htm-auto-make,A*B,RUNSTREAM,P,D,O", u"; comment", u"", u"HTM-AUTO-MAKE",
        u"HTM-AUTO-MAKE,A*B,RUNSTREAM,P,D", u"HTM-AUTO-MAKE,A*B,RUNSTREAM,P,,O",
        u"HTM-AUTO-MAKE,A*B,RUNSTREAM,P,   ,O", u"HTM-AUTO-MAKE,A*B",
        u" HTM-AUTO-MAKE,A,B,C,D,E"}) {
    EXPECT_FALSE(app::parseBulkRow(th, line).has_value()) << platform::toUtf8(line);
  }
  EXPECT_FALSE(app::parseBulkRow(th, u"HTM-AUTO-MAKE,A,B,C," + s + u",O").has_value());
}

class BulkTableTest : public testing::FormFixture {
 protected:
  void writeTable(const Lines& lines) {
    platform::writeTextLines(folder.file(u"updatehtm.ini"), lines);
  }
};

TEST_F(BulkTableTest, LoadsRowsInFileOrderAndSkipsOtherLines) {
  writeTable({u"; projects", u"HTM-AUTO-MAKE,A*ONE,RUNSTREAM,P1,D1,NONE", u"", u"OTHER-KEY,x",
              u"HTM-AUTO-MAKE,A*TWO,RUNSTREAM,P2,D2,O2"});
  loadWithDefaultIni();
  ASSERT_EQ(form->pub.bulkCount, 2);
  ASSERT_EQ(form->pub.bulkTable.size(), 2u);
  EXPECT_EQ(form->pub.bulkTable[0].hostFile, u"A*ONE");
  // Relative folders are meant from the program folder.
  EXPECT_EQ(form->pub.bulkTable[1].pcFolder, folder.file(u"D2"));
  EXPECT_EQ(form->pub.bulkTable[1].outf, folder.file(u"O2"));
  EXPECT_TRUE(desktop.messages.empty());

  writeTable({u"HTM-AUTO-MAKE,B*ONE,RUNSTREAM,P1,D1,NONE"});
  ASSERT_TRUE(app::loadBulkTable(*form));  // a reload replaces the table
  ASSERT_EQ(form->pub.bulkCount, 1);
  EXPECT_EQ(form->pub.bulkTable[0].hostFile, u"B*ONE");
}

TEST_F(BulkTableTest, RowsWithoutPcFolderAreLeftOutAndToldOnce) {
  writeTable({u"HTM-AUTO-MAKE,A*ONE,RUNSTREAM,P1", u"HTM-AUTO-MAKE,A*TWO,RUNSTREAM,P2,D2,O2",
              u"HTM-AUTO-MAKE,A*THREE"});
  loadWithDefaultIni();
  ASSERT_EQ(form->pub.bulkCount, 1);
  EXPECT_EQ(form->pub.bulkTable[0].hostFile, u"A*TWO");
  EXPECT_EQ(desktop.messages,
            Lines{u"一括受信設定の行にPCフォルダ（4番目の項目）がないため無視します: "
                  u"HTM-AUTO-MAKE,A*ONE,RUNSTREAM,P1"});
}

TEST_F(BulkTableTest, KeepsTheFirst101RowsAndSaysSoOnce) {
  Lines table;
  for (int n = 1; n <= 105; ++n) {
    const auto digits = std::to_string(n);
    table.push_back(u"HTM-AUTO-MAKE,Q*F" + std::u16string(digits.begin(), digits.end()) +
                    u",RUNSTREAM,P,D,NONE");
  }
  writeTable(table);
  loadWithDefaultIni();
  ASSERT_EQ(form->pub.bulkCount, 101);
  EXPECT_EQ(form->pub.bulkTable.size(), 101u);
  EXPECT_EQ(form->pub.bulkTable[100].hostFile, u"Q*F101");
  EXPECT_EQ(desktop.messages, Lines{u"一括受信設定は101行までです。102行目以降は無視します: " +
                                    folder.file(u"updatehtm.ini")});
}

TEST_F(BulkTableTest, UnreadableTableIsToldAndLeftEmpty) {
  loadWithDefaultIni();
  platform::deleteFile(folder.file(u"updatehtm.ini"));
  form->pub.bulkCount = 5;
  EXPECT_FALSE(app::loadBulkTable(*form));
  EXPECT_EQ(form->pub.bulkCount, 0);
  // The system's reason follows the file, in parentheses.
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(
      u"一括受信設定ファイルを読めません。一括受信の設定は空のまま続けます: " +
      folder.file(u"updatehtm.ini") + u" ("));
  EXPECT_TRUE(desktop.messages[0].ends_with(u")"));
}

}  // namespace
}  // namespace morvanta
