#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "forms/ControlFactory.h"
#include "forms/MemoryControls.h"
#include "platform/Platform.h"
#include "support/RecordingDesktop.h"

namespace morvanta::forms {
namespace {

TEST(MemoryListBox, RowsAndFirstSelectedRow) {
  MemoryListBox list;
  EXPECT_EQ(list.listIndex(), -1);
  for (auto row : {u"A", u"B", u"C"}) list.addItem(row);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(2), u"C");

  list.setListIndex(2);
  list.removeItem(0);  // the selection follows its row
  EXPECT_EQ(list.listIndex(), 1);
  EXPECT_EQ(list.item(list.listIndex()), u"C");
  list.removeItem(1);  // removing the selected row clears the selection
  EXPECT_EQ(list.listIndex(), -1);
  list.setListIndex(0);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.listIndex(), -1);
}

TEST(MemoryListBox, RowsPastTheEndAreOutOfRange) {
  MemoryListBox list;
  list.addItem(u"A");
  EXPECT_THROW(list.item(1), std::out_of_range);
  EXPECT_THROW(list.item(-1), std::out_of_range);
  EXPECT_THROW(list.removeItem(1), std::out_of_range);
  EXPECT_THROW(list.setListIndex(1), std::out_of_range);
  EXPECT_NO_THROW(list.setListIndex(-1));
  MemoryComboBox combo;
  EXPECT_THROW(combo.item(0), std::out_of_range);
}

TEST(MemoryControl, NegativeWidthIsRefusedAndKeepsTheOldWidth) {
  MemoryListBox list(Placement{240, 2280, 1335, 3765});
  EXPECT_THROW(list.setWidth(-1), std::invalid_argument);
  EXPECT_EQ(list.width(), 1335);
  list.setWidth(0);
  EXPECT_EQ(list.width(), 0);
  list.setLeft(-50);  // only widths are refused
  EXPECT_EQ(list.left(), -50);
  EXPECT_EQ(list.top(), 2280);
  EXPECT_EQ(list.height(), 3765);
}

TEST(MemoryTextBox, NewTextPutsTheCaretAtTheStart) {
  MemoryTextBox box;
  box.setText(u"PRJ*SRC");
  box.setSelStart(4);
  box.setText(u"X");
  EXPECT_EQ(box.selStart(), 0);
}

TEST(MemoryFileListBox, ListsFilesInNameOrderAndNothingForAMissingFolder) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "morvanta-filelist-test";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  for (auto name : {"b.txt", "a.txt"}) std::ofstream(dir / name) << "x";

  MemoryFileListBox files;
  files.setPath(dir.u16string());
  ASSERT_EQ(files.count(), 2);
  EXPECT_EQ(files.item(0), u"a.txt");
  EXPECT_EQ(files.item(1), u"b.txt");

  files.setPath((dir / "missing").u16string());
  EXPECT_EQ(files.count(), 0);
  fs::remove_all(dir);
}

TEST(MemoryControlFactory, ControlsStartAtTheirDesignPlacement) {
  MemoryControlFactory factory;
  auto frame = factory.frame(ControlSpec{u"Frame_cmd", 1, u"", Placement{120, 6240, 2655, 1935}});
  EXPECT_EQ(frame->left(), 120);
  EXPECT_EQ(frame->width(), 2655);
  EXPECT_TRUE(frame->visible());
  auto timer = factory.timer(ControlSpec{u"Timer1", 0, u"Frame_cmd", {}});
  EXPECT_FALSE(timer->enabled());
}

TEST(RecordingDesktop, AnswersFromTheScriptThenWithDefaults) {
  RecordingDesktop desktop;
  desktop.okCancelAnswers = {true};
  desktop.yesNoCancelAnswers = {Answer::Yes};
  EXPECT_TRUE(desktop.okCancel(u"q1", u"t1"));
  EXPECT_FALSE(desktop.okCancel(u"q2", u"t2"));
  EXPECT_EQ(desktop.yesNoCancel(u"q3"), Answer::Yes);
  EXPECT_EQ(desktop.yesNoCancel(u"q4"), Answer::Cancel);
  EXPECT_EQ(desktop.showSearchWindow(u"MAIN"), std::nullopt);
  EXPECT_EQ(desktop.messages,
            (std::vector<std::u16string>{u"q1", u"q2", u"q3", u"q4", u"[LC] MAIN"}));
  EXPECT_EQ(desktop.titles, (std::vector<std::u16string>{u"t1", u"t2"}));
}

TEST(RecordingDesktop, EndProgramSurfacesItsStatus) {
  RecordingDesktop desktop;
  try {
    desktop.endProgram(3);
    FAIL() << "endProgram returned";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.status, 3);
  }
}

}  // namespace
}  // namespace morvanta::forms
