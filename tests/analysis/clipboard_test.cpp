#include <gtest/gtest.h>

#include "support/FormFixture.h"
#include "transfer/ElementSelection.h"

namespace morvanta::analysis {
namespace {

class ClipboardTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    form->Text_2200file[2]->setText(u"PRJ*SRC");
    form->List_elt[2]->addItem(u"MAIN/R1   2026/01/05 10:00");
    form->List_elt[2]->addItem(u"LIB(REL)  2026/01/05 10:00");
  }
  std::u16string click(forms::OptionButton* option, int row) {
    if (option != nullptr) form->selectOption(*option);
    form->List_elt[2]->setListIndex(row);
    form->List_elt_Click(2);
    return desktop.clipboard;
  }
};

TEST_F(ClipboardTest, PrefixFollowsTheOptionButTypedElementsGetNone) {
  form->Text_AC_USR->setText(u"ACC1/USER1");
  struct Case {
    forms::OptionButton* option;
    std::u16string symbolic;
  } cases[] = {
      {form->Option_none.get(), u"PRJ*SRC.MAIN/R1"},
      {form->Option_OLD.get(), u"OLD PRJ*SRC.MAIN/R1"},
      {form->Option_add.get(), u"@ADD,PL  PRJ*SRC.MAIN/R1"},
      {form->Option_ST.get(), u"ST PRJ*SRC.MAIN/R1,,,ACC1/USER1"},
      {form->Option_START.get(), u"@START  PRJ*SRC.MAIN/R1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(click(c.option, 0), c.symbolic);
    EXPECT_EQ(click(c.option, 1), u"PRJ*SRC.LIB");
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ClipboardTest, EmptyAccountAndFileAreTakenAsTheyStand) {
  form->Text_AC_USR->setText(u"");
  EXPECT_EQ(click(form->Option_ST.get(), 0), u"ST PRJ*SRC.MAIN/R1,,,");
  form->Text_2200file[2]->setText(u"");
  EXPECT_EQ(click(form->Option_add.get(), 0), u"@ADD,PL  .MAIN/R1");
  form->Option_add->setSelected(false);
  EXPECT_EQ(click(nullptr, 0), u".MAIN/R1");
}

TEST_F(ClipboardTest, ClipboardIsEmptiedEvenWhenNothingIsCopied) {
  desktop.clipboard = u"old";
  EXPECT_EQ(click(nullptr, -1), u"");
  EXPECT_EQ(desktop.messages, std::vector<std::u16string>{transfer::kNoElementMessage});

  desktop.messages.clear();
  desktop.clipboard = u"old";
  form->List_elt[2]->clear();
  form->List_elt_Click(2);
  EXPECT_EQ(desktop.clipboard, u"");
  EXPECT_EQ(desktop.clipboardClears, 2);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace morvanta::analysis
