// The Qt controls behave as the commands expect of every control: what is
// set in twips reads back unchanged, rows and selections follow the same
// rules as in memory, and the widget shows what the command set.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

#include "gui/QtControls.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::gui {
namespace {

class QtControlTest : public ::testing::Test {
 protected:
  QWidget window;
};

TEST_F(QtControlTest, PlacementReadsBackInTwipsAndMovesTheWidget) {
  QtTextBox box(new LineEdit(&window), {120, 1920, 1815, 285});
  EXPECT_EQ(box.widget()->geometry(), QRect(8, 128, 121, 19));
  box.setLeft(2699);
  box.setWidth(2699);
  EXPECT_EQ(box.left(), 2699);
  EXPECT_EQ(box.width(), 2699);
  EXPECT_EQ(box.top(), 1920);
  EXPECT_EQ(box.height(), 285);
  EXPECT_EQ(box.widget()->geometry(), QRect(180, 128, 180, 19));
}

TEST_F(QtControlTest, NegativeWidthIsRefusedAndChangesNothing) {
  QtListBox list(new ListWidget(&window), {240, 2280, 1335, 3765});
  EXPECT_THROW(list.setWidth(-1), std::invalid_argument);
  EXPECT_EQ(list.width(), 1335);
  EXPECT_EQ(list.widget()->width(), 89);
  list.setWidth(0);
  EXPECT_EQ(list.widget()->width(), 0);
}

// Visible and enabled are the control's own settings, whether or not the
// window is on the screen yet.
TEST_F(QtControlTest, VisibleAndEnabledAreTheControlsOwn) {
  QtCommandButton button(new QPushButton(&window), {});
  EXPECT_TRUE(button.visible());
  EXPECT_TRUE(button.enabled());
  button.setVisible(false);
  button.setEnabled(false);
  EXPECT_FALSE(button.visible());
  EXPECT_TRUE(button.widget()->isHidden());
  EXPECT_FALSE(button.widget()->isEnabled());
  window.show();
  EXPECT_FALSE(button.widget()->isVisible());
  button.setVisible(true);
  EXPECT_TRUE(button.widget()->isVisible());
}

TEST_F(QtControlTest, TextBoxPutsTheCaretAtTheStartOfANewText) {
  QtTextBox box(new LineEdit(&window), {});
  box.setText(u"PRJ*SRC");
  EXPECT_EQ(box.widget()->text(), QStringLiteral("PRJ*SRC"));
  EXPECT_EQ(box.selStart(), 0);
  box.setSelStart(3);
  EXPECT_EQ(box.widget()->cursorPosition(), 3);
}

TEST_F(QtControlTest, ListRowsAndFirstSelectedRow) {
  QtListBox list(new ListWidget(&window), {});
  EXPECT_EQ(list.listIndex(), -1);
  for (auto name : {u"A/R1", u"B/R1", u"C/R1"}) list.addItem(name);
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(2), u"C/R1");
  EXPECT_THROW(list.item(3), std::out_of_range);
  EXPECT_THROW(list.item(-1), std::out_of_range);
  EXPECT_THROW(list.setListIndex(3), std::out_of_range);

  list.setListIndex(2);
  EXPECT_EQ(list.listIndex(), 2);
  EXPECT_TRUE(list.widget()->item(2)->isSelected());
  list.removeItem(0);  // the selection moves up with its row
  EXPECT_EQ(list.listIndex(), 1);
  EXPECT_EQ(list.item(1), u"C/R1");
  list.removeItem(1);
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_THROW(list.removeItem(1), std::out_of_range);
  list.setListIndex(0);
  list.setListIndex(-1);
  EXPECT_EQ(list.listIndex(), -1);
  list.setListIndex(0);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.listIndex(), -1);
}

// "Select HOST" stays in the box while the hosts are filled in; picking a
// host replaces it.
TEST_F(QtControlTest, ComboKeepsItsTextUntilTheUserPicksAnEntry) {
  QtComboBox combo(new QComboBox(&window), {});
  combo.setText(u"Select HOST");
  combo.addItem(u"HOSTA");
  combo.addItem(u"HOSTB");
  EXPECT_EQ(combo.text(), u"Select HOST");
  EXPECT_EQ(combo.count(), 2);
  EXPECT_EQ(combo.item(1), u"HOSTB");
  EXPECT_THROW(combo.item(2), std::out_of_range);

  combo.widget()->setCurrentIndex(1);
  EXPECT_EQ(combo.text(), u"HOSTB");
  combo.widget()->setCurrentIndex(0);
  EXPECT_EQ(combo.text(), u"HOSTA");

  combo.clear();
  EXPECT_EQ(combo.count(), 0);
  EXPECT_EQ(combo.text(), u"HOSTA");
  combo.addItem(u"HOSTC");
  EXPECT_FALSE(combo.widget()->lineEdit()->text().isEmpty());
}

TEST_F(QtControlTest, OptionGroupCanBeLeftWithNoneSelected) {
  auto* frame = new QGroupBox(&window);
  QtOptionButton none(new QRadioButton(frame), {});
  QtOptionButton old(new QRadioButton(frame), {});
  none.setSelected(true);
  old.setSelected(true);
  EXPECT_FALSE(none.selected());
  EXPECT_TRUE(old.selected());
  old.setSelected(false);
  EXPECT_FALSE(old.selected());
  EXPECT_FALSE(none.selected());
  // The group is still exclusive afterwards.
  none.setSelected(true);
  old.widget()->click();
  EXPECT_TRUE(old.selected());
  EXPECT_FALSE(none.selected());
}

TEST(QtTimerTest, TicksOnlyWhenEnabledWithAnInterval) {
  QTimer qtimer;
  QtTimer timer(&qtimer);
  timer.setEnabled(true);
  EXPECT_FALSE(qtimer.isActive()) << "a zero interval must not tick";
  timer.setInterval(1000);
  EXPECT_TRUE(qtimer.isActive());
  EXPECT_EQ(qtimer.interval(), 1000);
  timer.setEnabled(false);
  EXPECT_FALSE(qtimer.isActive());
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(timer.interval(), 1000);
}

TEST_F(QtControlTest, FileListShowsAFoldersFilesInNameOrder) {
  testing::TempFolder folder;
  platform::writeTextLines(folder.file(u"b.txt"), {});
  platform::writeTextLines(folder.file(u"a.txt"), {});
  QtFileListBox files(new QListWidget(&window), {});
  files.setPath(folder.path());
  ASSERT_EQ(files.count(), 2);
  EXPECT_EQ(files.item(0), u"a.txt");
  EXPECT_EQ(files.widget()->item(1)->text(), QStringLiteral("b.txt"));
  EXPECT_THROW(files.item(2), std::out_of_range);
  files.setPath(folder.file(u"missing"));
  EXPECT_EQ(files.count(), 0);
  EXPECT_EQ(files.widget()->count(), 0);
}

}  // namespace
}  // namespace morvanta::gui
