#include <gtest/gtest.h>

#include "analysis/UseAnalysis.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::analysis {
namespace {

using platform::joinPath;
using Lines = std::vector<std::u16string>;

class UseAnalysisTest : public testing::FormFixture {
 protected:
  void SetUp() override { loadWithDefaultIni(); }
  // Stands in for a receive whose job has delivered `lines`.
  void received(const Lines& lines) {
    form->pub.lastReceivedFolder = folder.path();
    form->pub.lastReceivedFile = u"RUN.txt";
    platform::writeTextLines(folder.file(u"RUN.txt"), lines);
  }
  Lines table() const {
    Lines pairs;
    for (std::int32_t i = 0; i < form->pub.useCount; ++i) {
      pairs.push_back(form->pub.useNames[static_cast<std::size_t>(i)] + u"=" +
                      form->pub.useFiles[static_cast<std::size_t>(i)]);
    }
    return pairs;
  }
};

TEST_F(UseAnalysisTest, NoFileToReadLeavesTheTable) {
  form->pub.useCount = 1;
  form->pub.useNames[0] = u"OLD";
  form->pub.useFiles[0] = u"Q*OLD";
  form->Command_jcl_phase_Click();
  form->pub.lastReceivedFolder = folder.path();
  form->pub.lastReceivedFile = u"GONE.txt";
  form->Command_jcl_phase_Click();
  EXPECT_EQ(desktop.messages, (Lines{kNoLastReceivedMessage, kLastReceivedMissingMessage}));
  EXPECT_EQ(table(), Lines{u"OLD=Q*OLD"});
}

TEST_F(UseAnalysisTest, OnlyUseStatementsFillTheTable) {
  received({u"@USE A,PRJ*SRC.", u"@use lib , prj*lib.", u"   @USE B,PRJ*X", u"@USE C",
            u"@USE,I D,PRJ*D.", u"@USEX E,PRJ*E.", u"@ASG,A PRJ*F.", u"@USE A,PRJ*SRC(1).",
            u"@USE F,PRJ*F. . comment", u"@USE G,", u"@USE ,PRJ*H.", u"@USE .,PRJ*P."});
  form->Command_jcl_phase_Click();
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(table(),
            (Lines{u"A=PRJ*SRC", u"LIB=PRJ*LIB", u"B=PRJ*X", u"A=PRJ*SRC(1)", u"F=PRJ*F"}));
  received({u"@ASG,T X."});
  form->Command_jcl_phase_Click();
  EXPECT_EQ(form->pub.useCount, 0);
}

TEST_F(UseAnalysisTest, TableStartsAgainAfterEachHundredStatements) {
  struct Case {
    int statements;
    std::size_t resets;
    std::int32_t count;
    std::u16string last;
  } cases[] = {
      {100, 0, 100, u"N100=Q*F100"},
      {102, 1, 1, u"N102=Q*F102"},  // the 101st is dropped, the 102nd is entry 0
      {202, 2, 0, u""},
  };
  for (const Case& c : cases) {
    Lines lines;
    for (int n = 1; n <= c.statements; ++n) {
      const auto s = platform::fromUtf8(std::to_string(n));
      lines.push_back(u"@USE N" + s + u",Q*F" + s + u".");
    }
    received(lines);
    desktop.messages.clear();
    form->Command_jcl_phase_Click();
    EXPECT_EQ(desktop.messages, Lines(c.resets, kUseTableResetMessage));
    ASSERT_EQ(form->pub.useCount, c.count);
    if (c.count > 0) {
      EXPECT_EQ(table().back(), c.last);
    }
  }
}

// A @USE line too long for a text position is skipped; the ones before and
// after it still count and nothing is told.
TEST_F(UseAnalysisTest, OverlongUseLineIsSkipped) {
  for (const std::size_t length : {32765u, 32766u, 32767u, 70000u}) {
    std::u16string longLine = u"@USE X,PRJ*";
    longLine += std::u16string(length - longLine.size() - 1, u'Y') + u".";
    received({u"@USE A,PRJ*A.", longLine, u"@USE B,PRJ*B."});
    form->Command_jcl_phase_Click();
    EXPECT_TRUE(desktop.messages.empty()) << length;
    const Lines got = table();
    ASSERT_GE(got.size(), 2u) << length;
    EXPECT_EQ(got.front(), u"A=PRJ*A") << length;
    EXPECT_EQ(got.back(), u"B=PRJ*B") << length;
  }
}

// A received runstream resolves a short name for the typed receive.
TEST_F(UseAnalysisTest, ReceivedRunstreamResolvesATypedShortName) {
  form->Text_2200file[0]->setText(u"PRJ*JCL");
  form->Combo_host[0]->setText(u"HOSTA");
  form->List_elt[0]->addItem(u"BUILD");
  form->List_elt[0]->setListIndex(0);
  form->List_elt_DblClick(0);
  platform::writeTextLines(joinPath(form->pub.lastReceivedFolder, form->pub.lastReceivedFile),
                           {u"@USE SRC,PRJ*SRC."});
  form->Command_jcl_phase_Click();
  form->Combo_host_file_elt->setText(u"HOSTA");
  form->Text_file_elt->setText(u"src.main");
  form->Command_file_elt_Click();
  EXPECT_EQ(form->Text_file_elt->text(), u"PRJ*SRC.MAIN");
  EXPECT_EQ(platform::readTextLines(workFile(u"RECV.TXT"))[3].substr(0, 18), u"RECV PRJ*SRC.MAIN ");
}

}  // namespace
}  // namespace morvanta::analysis
