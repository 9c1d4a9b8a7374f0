#include <gtest/gtest.h>

#include "support/FormFixture.h"

namespace morvanta {
namespace {

// left and width of one pane's controls after a layout
struct Pane {
  int left;
  int eltWidth;
  int dateLeft;
  int dateWidth;
  bool dateShown;
};

class LayoutTest : public testing::FormFixture {
 protected:
  void SetUp() override { form->pub.layoutReady = 1; }

  void resize(int width) {
    form->windowWidth = width;
    form->Form_Resize();
  }
  void expectPane(int i, const Pane& want) {
    SCOPED_TRACE(i);
    const MainForm& f = *form;
    EXPECT_EQ(f.List_elt[i]->left(), want.left);
    EXPECT_EQ(f.Text_2200file[i]->left(), want.left);
    EXPECT_EQ(f.Frame_cmd[i]->left(), want.left);
    EXPECT_EQ(f.Frame_SEND[i]->left(), want.left);
    EXPECT_EQ(f.List_elt[i]->width(), want.eltWidth);
    EXPECT_EQ(f.Text_2200file[i]->width(), want.eltWidth);
    EXPECT_EQ(f.Frame_cmd[i]->width(), want.eltWidth);
    EXPECT_EQ(f.Frame_SEND[i]->width(), want.eltWidth);
    EXPECT_EQ(f.List_date[i]->left(), want.dateLeft);
    EXPECT_EQ(f.List_date[i]->width(), want.dateWidth);
    EXPECT_EQ(f.List_date[i]->visible(), want.dateShown);
  }
};

TEST_F(LayoutTest, ThreeEqualPanesWithoutDates) {
  resize(9000);
  expectPane(0, {0, 2700, 2700, 0, false});
  expectPane(1, {2700, 2700, 5400, 0, false});
  expectPane(2, {5400, 2700, 8100, 0, false});
}

TEST_F(LayoutTest, RemainderIsTakenOffEveryColumn) {
  resize(9001);
  expectPane(0, {0, 2699, 2699, 0, false});
  expectPane(1, {2699, 2699, 5398, 0, false});
  expectPane(2, {5398, 2699, 8097, 0, false});
}

TEST_F(LayoutTest, PaneWithDatesIsTwoColumnsWide) {
  form->Check_date[1]->setChecked(true);
  resize(10000);
  expectPane(0, {0, 2200, 2200, 0, false});
  expectPane(1, {2200, 4400, 4400, 2200, true});
  expectPane(2, {6600, 2200, 8800, 0, false});
  // The frames inside keep their design places; only the drop box takes the
  // frame's width right of the LC button.
  EXPECT_EQ(form->Combo_host[1]->left(), 120);
  EXPECT_EQ(form->List_2200file[1]->left(), 2460);
  EXPECT_EQ(form->List_2200file[1]->width(), 4400 - 2460 - 120);
  EXPECT_EQ(form->List_2200file[0]->width(), 300);  // narrow frame: its least width
  EXPECT_GT(form->List_2200file[0]->left(),
            form->Command_SEL[0]->left() + form->Command_SEL[0]->width());
}

TEST_F(LayoutTest, DateClickLaysOutEveryPane) {
  form->windowWidth = 9000;
  form->Check_date[2]->setChecked(true);
  form->Check_date_Click(2);
  expectPane(0, {0, 1950, 1950, 0, false});
  expectPane(1, {1950, 1950, 3900, 0, false});
  expectPane(2, {3900, 3900, 5850, 1950, true});
  form->Check_date[2]->setChecked(false);
  form->Check_date_Click(2);
  expectPane(2, {5400, 2700, 8100, 0, false});
}

TEST_F(LayoutTest, NegativeColumnStopsTheLayoutSilently) {
  resize(600);  // L = 200 - 0 - 300 = -100
  EXPECT_EQ(form->List_elt[0]->left(), 0);
  EXPECT_EQ(form->List_date[0]->left(), -100);
  EXPECT_EQ(form->List_elt[0]->width(), 1335);  // refused: design width kept
  EXPECT_EQ(form->List_elt[1]->left(), 240);    // never reached
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(LayoutTest, NothingMovesBeforeLoadingBegins) {
  form->pub.layoutReady = 0;
  resize(9000);
  EXPECT_EQ(form->List_elt[1]->left(), 240);
  EXPECT_EQ(form->List_elt[1]->width(), 1335);
}

TEST_F(LayoutTest, StartUpEndsWithALayoutOfTheDesignWidth) {
  form->pub.layoutReady = 0;
  loadWithDefaultIni();
  // 10905 / 3 = 3635 rest 0: columns of 3335
  expectPane(2, {6670, 3335, 10005, 0, false});
}

}  // namespace
}  // namespace morvanta
