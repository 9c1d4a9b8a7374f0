// A printed TOC listing dragged from the file manager onto a pane's drop
// list of the real window: the drag is accepted, the drop reaches the
// form's handler, and what the handler fills shows in the widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <memory>

#include "gui/ControlWidgets.h"
#include "gui/ElementListView.h"
#include "gui/MainWindow.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "support/RecordingDesktop.h"

namespace morvanta::gui {
namespace {

const std::u16string kSampleListing = platform::fromUtf8(MORVANTA_TEST_DATA) +
                                      platform::pathSeparator() + u"listings" +
                                      platform::pathSeparator() + u"printed_toc.txt";

class ListingDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::writeTextLines(folder.file(u"Morvanta.ini"),
                             {u"TEXT-EDITOR=editor.exe", u"HOST=HOSTA,192.0.2.1"});
    window = std::make_unique<MainWindow>(folder.path(), &desktop);
    window->show();
    QApplication::processEvents();
  }

  template <class T>
  T* widget(const char16_t* name, int index) {
    T* found = window->controls().find<T>(name, index);
    EXPECT_NE(found, nullptr) << platform::toUtf8(name) << " " << index;
    return found;
  }

  static QStringList rowsOf(const QAbstractItemView& list) {
    QStringList rows;
    const QAbstractItemModel& model = *list.model();
    for (int r = 0; r < model.rowCount(); ++r) rows << model.index(r, 0).data().toString();
    return rows;
  }

  // The events a drag from the file manager delivers to the list: enter,
  // move, drop. Returns whether the list accepted the drop.
  static bool dragAndDrop(ListWidget& list, const std::u16string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdU16String(path))});
    QWidget* target = list.viewport();
    const QPoint at(4, 4);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }

  testing::TempFolder folder;
  forms::RecordingDesktop desktop;
  std::unique_ptr<MainWindow> window;
};

TEST_F(ListingDropTest, SampleListingFillsThePaneItWasDroppedOn) {
  auto* target = widget<ListWidget>(u"List_2200file", 2);
  ASSERT_TRUE(dragAndDrop(*target, kSampleListing));

  EXPECT_TRUE(desktop.messages.empty()) << platform::toUtf8(desktop.messages.front());
  EXPECT_EQ(rowsOf(*target).value(0), QString::fromStdU16String(kSampleListing));
  EXPECT_EQ(rowsOf(*widget<ElementListView>(u"List_elt", 2)),
            (QStringList{"MAIN/R1", "MAIN/R2", "LOWER/V1", "INDENTED", "LIB", "LIB", "PROG(1)"}));
  EXPECT_EQ(widget<LineEdit>(u"Text_2200file", 2)->text(), QStringLiteral("PRJ*SRC"));
  // The other panes keep what they had.
  EXPECT_EQ(widget<ElementListView>(u"List_elt", 1)->model()->rowCount(), 0);
  EXPECT_TRUE(widget<LineEdit>(u"Text_2200file", 1)->text().isEmpty());
}

TEST_F(ListingDropTest, UnreadableDropIsToldAndKeepsThePanesElements) {
  window->form().List_elt[1]->addItem(u"OLD");
  // A folder dragged by mistake is a local "file" to the window system.
  auto* target = widget<ListWidget>(u"List_2200file", 1);
  dragAndDrop(*target, folder.path());
  ASSERT_FALSE(desktop.messages.empty());
  EXPECT_TRUE(desktop.messages.front().starts_with(u"ファイルを読めません: "))
      << platform::toUtf8(desktop.messages.front());
  EXPECT_EQ(rowsOf(*widget<ElementListView>(u"List_elt", 1)), QStringList{"OLD"});
}

}  // namespace
}  // namespace morvanta::gui
