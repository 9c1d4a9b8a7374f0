// The element and date lists of a pane on the real window: after a listing
// is loaded, filtered or scrolled, row n of the date list stands beside
// row n of the element list and holds that element's date.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <map>
#include <memory>
#include <string>

#include "catalogue/TocRequest.h"
#include "gui/ElementListView.h"
#include "gui/MainWindow.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "support/RecordingDesktop.h"

namespace morvanta::gui {
namespace {

constexpr int kElements = 400;

class ElementListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::writeTextLines(folder.file(u"Morvanta.ini"),
                             {u"TEXT-EDITOR=editor.exe", u"HOST=HOSTA,192.0.2.1"});
    window = std::make_unique<MainWindow>(folder.path(), &desktop);
    window->show();
    QApplication::processEvents();
    form().mdirMode = 1;
    form().Check_date[1]->setChecked(true);
    form().Check_date_Click(1);
    writeListing();
    names = window->controls().find<ElementListView>(u"List_elt", 1);
    dates = window->controls().find<ElementListView>(u"List_date", 1);
    ASSERT_NE(names, nullptr);
    ASSERT_NE(dates, nullptr);
  }

  MainForm& form() { return window->form(); }

  // Elements listed with a year, so their dates do not depend on the clock;
  // each element's date is its own.
  void writeListing() {
    std::vector<std::u16string> lines;
    for (int n = 0; n < kElements; ++n) {
      const std::u16string name = u"E" + platform::fromUtf8(std::to_string(n));
      const int day = 1 + n % 28;
      const int year = 1990 + n % 30;
      lines.push_back(u"-rw-rw-r--   1 PRJ  12 Mar " + platform::fromUtf8(std::to_string(day)) +
                      u" " + platform::fromUtf8(std::to_string(year)) + u" " + name + u".V_SYM");
      const std::string dd = (day < 10 ? "0" : "") + std::to_string(day);
      dateOf[name + u"/V"] = platform::fromUtf8(std::to_string(year) + "/03/" + dd + " ");
    }
    platform::writeTextLines(platform::joinPath(form().FOLDER_NAME(u"WK", u""), u"1TOC-RSLT.TXT"),
                             lines);
  }

  void load(const std::u16string& filter) {
    ASSERT_EQ(catalogue::load_toc_result(form(), 1, filter), 0);
    QApplication::processEvents();
  }

  static int topRow(const ElementListView* list) { return list->indexAt(QPoint(2, 2)).row(); }

  // Every row in view: at the same height in both lists, and the date of
  // the element beside it.
  void expectAligned(const char* when) {
    const QAbstractItemModel& nameRows = *names->model();
    const QAbstractItemModel& dateRows = *dates->model();
    ASSERT_EQ(nameRows.rowCount(), dateRows.rowCount()) << when;
    ASSERT_GT(nameRows.rowCount(), 0) << when;
    const int top = topRow(names);
    ASSERT_GE(top, 0) << when;
    EXPECT_EQ(topRow(dates), top) << when;
    int seen = 0;
    for (int r = top; r < nameRows.rowCount(); ++r) {
      const QRect nameRect = names->visualRect(nameRows.index(r, 0));
      if (nameRect.top() >= names->viewport()->height()) break;
      EXPECT_EQ(dates->visualRect(dateRows.index(r, 0)).top(), nameRect.top())
          << when << ", row " << r;
      const std::u16string name = nameRows.index(r, 0).data().toString().toStdU16String();
      EXPECT_EQ(dateRows.index(r, 0).data().toString().toStdU16String(), dateOf[name])
          << when << ", row " << r;
      ++seen;
    }
    EXPECT_GT(seen, 3) << when;
  }

  void scrollNamesTo(int value) {
    names->verticalScrollBar()->setValue(value);
    QApplication::processEvents();
  }

  testing::TempFolder folder;
  forms::RecordingDesktop desktop;
  std::unique_ptr<MainWindow> window;
  ElementListView* names = nullptr;
  ElementListView* dates = nullptr;
  std::map<std::u16string, std::u16string> dateOf;
};

TEST_F(ElementListsTest, RowsStayAlignedWhenScrolled) {
  load(u"");
  ASSERT_EQ(names->model()->rowCount(), kElements);
  expectAligned("after loading");
  scrollNamesTo(150);
  EXPECT_EQ(topRow(names), 150);
  expectAligned("scrolled to the middle");
  // For looking at: the pane with its dates, scrolled.
  EXPECT_TRUE(window->grab().save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/element-lists.png")));
  // The date list is the taller one: at the end it must not stop short.
  scrollNamesTo(names->verticalScrollBar()->maximum());
  expectAligned("scrolled to the end");
  EXPECT_EQ(dates->verticalScrollBar()->value(), names->verticalScrollBar()->value());
  // Scrolling the date list takes the element list along.
  dates->verticalScrollBar()->setValue(42);
  QApplication::processEvents();
  EXPECT_EQ(topRow(names), 42);
  expectAligned("date list scrolled");
}

TEST_F(ElementListsTest, RowsStayAlignedAfterASearchFilter) {
  load(u"");
  scrollNamesTo(300);
  load(u"7");
  ASSERT_GT(names->model()->rowCount(), 40);
  ASSERT_LT(names->model()->rowCount(), kElements);
  expectAligned("filtered");
  scrollNamesTo(20);
  expectAligned("filtered and scrolled");
  scrollNamesTo(names->verticalScrollBar()->maximum());
  expectAligned("filtered and scrolled to the end");
  // The whole listing again.
  load(u"*");
  EXPECT_EQ(names->model()->rowCount(), kElements);
  scrollNamesTo(333);
  expectAligned("unfiltered again");
}

TEST_F(ElementListsTest, SelectionAndFirstSelectedRowOnTheView) {
  load(u"");
  forms::ListBox& list = *form().List_elt[1];
  list.setListIndex(5);
  EXPECT_EQ(list.listIndex(), 5);
  EXPECT_TRUE(names->selectionModel()->isSelected(names->model()->index(5, 0)));
  // A removed selected row leaves nothing selected; one above moves it up.
  list.setListIndex(7);
  list.removeItem(3);
  EXPECT_EQ(list.listIndex(), 6);
  list.removeItem(6);
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(list.count(), kElements - 2);
  // Loading the listing again replaces the rows and the selection.
  list.setListIndex(1);
  load(u"");
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(list.count(), kElements);
  list.clear();
  EXPECT_EQ(names->model()->rowCount(), 0);
  EXPECT_EQ(form().List_date[1]->count(), kElements);  // each list clears its own rows
}

}  // namespace
}  // namespace morvanta::gui
