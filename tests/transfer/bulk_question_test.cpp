// The bulk receive's question lists what Yes will receive: the elements of
// the job, in order, with the host's and the PC copy's times.

#include <gtest/gtest.h>

#include "app/BulkTable.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/BulkReceive.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;
using Lines = std::vector<std::u16string>;
using Row = std::vector<std::u16string>;

class BulkQuestionTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    pc = joinPath(folder.path(), u"RUN");
    ASSERT_TRUE(platform::createFolder(pc));
    platform::writeTextLines(folder.file(u"updatehtm.ini"),
                             {u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",NONE"});
    app::loadBulkTable(*form);
    form->Text_2200file[0]->setText(u"PRJ*RUN");
    form->Combo_host[0]->setText(u"HOSTA");
  }

  void pcCopy(const std::u16string& name, const platform::DateTime& when) {
    const std::u16string path = joinPath(pc, name);
    platform::writeTextLines(path, {u"@ASG,A X."});
    ASSERT_TRUE(platform::setModifiedTime(path, when));
  }

  std::u16string pc;
};

TEST_F(BulkQuestionTest, DetailsNameEveryElementTheJobReceives) {
  platform::writeTextLines(workFile(u"0phased-TOC.TXT"),
                           {u"MAIN.R1 MAIN/R1 2026/01/05  13:05  ",  // older on the PC
                            u"KEEP KEEP 2026/01/05  13:05  ",        // newer on the PC
                            u"NEW NEW 2026/01/06  08:30  ",          // not on the PC
                            u"OLD OLD 2001/12/24  ", u"LIB LIB(REL) 2026/01/05  13:05  "});
  pcCopy(u"MAIN.R1.txt", {2026, 1, 5, 13, 5, 30});
  pcCopy(u"KEEP.txt", {2026, 1, 5, 13, 6, 0});
  desktop.yesNoCancelAnswers = {forms::Answer::Cancel};
  form->Command_AUTO_recv_Click(0);

  // The question itself is unchanged.
  ASSERT_EQ(desktop.messages, Lines{kRunBatchQuestion});
  ASSERT_EQ(desktop.details.size(), 1u);
  const forms::DetailsTable& table = desktop.details.front();
  EXPECT_EQ(table.headers,
            (Row{kDetailsElementHeader, kDetailsHostTimeHeader, kDetailsPcTimeHeader}));
  EXPECT_EQ(table.rows, (std::vector<Row>{{u"MAIN/R1", u"2026/01/05 13:05", u"2026/01/05 13:05:30"},
                                          {u"NEW", u"2026/01/06 08:30", kDetailsNoPcCopy}}));
  // The rows are the job's RECV lines, in the same order.
  const Lines script = readLines(workFile(u"RECVAUTO.TXT"));
  ASSERT_EQ(script.size(), 3u + table.rows.size() + 1u);
  EXPECT_TRUE(script[3].starts_with(u"RECV PRJ*RUN.MAIN/R1 "));
  EXPECT_TRUE(script[4].starts_with(u"RECV PRJ*RUN.NEW "));
  EXPECT_TRUE(desktop.startedBatches.empty()) << "Cancel runs nothing";
}

}  // namespace
}  // namespace morvanta::transfer
