// The element list's context menu opens the selected element's
// cross-reference page through the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <memory>

#include "gui/ControlWidgets.h"
#include "gui/ElementListView.h"
#include "gui/MainWindow.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "support/RecordingDesktop.h"

namespace morvanta::gui {
namespace {

TEST(CrossReferenceMenu, OpensThePageOfTheRowUnderTheCursor) {
  testing::TempFolder folder;
  forms::RecordingDesktop desktop;
  platform::writeTextLines(folder.file(u"Morvanta.ini"),
                           {u"TEXT-EDITOR=editor.exe", u"HOST=HOSTA,192.0.2.1"});
  platform::writeTextLines(folder.file(u"updatehtm.ini"),
                           {u"HTM-AUTO-MAKE,PRJ*SRC,RUNSTREAM,PJ01,/pc/src,htm"});
  const std::u16string pages = platform::joinPath(folder.file(u"htm"), u"PRJ＊SRC");
  ASSERT_TRUE(platform::createFolder(folder.file(u"htm")));
  ASSERT_TRUE(platform::createFolder(pages));
  const std::u16string page = platform::joinPath(pages, u"CALC.htm");
  platform::writeTextLines(page, {u"<html></html>"});

  auto window = std::make_unique<MainWindow>(folder.path(), &desktop);
  window->show();
  QApplication::processEvents();
  window->form().Text_2200file[1]->setText(u"PRJ*SRC");
  window->form().List_elt[1]->addItem(u"MAIN/R1");
  window->form().List_elt[1]->addItem(u"CALC");
  auto* list = window->controls().find<ElementListView>(u"List_elt", 1);
  ASSERT_NE(list, nullptr);

  // The menu is modal: pick its one entry once it is up, and keep a picture.
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    menu->grab().save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/cross-reference-menu.png"));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("クロスリファレンスを開く"));
    menu->actions().front()->trigger();
    menu->close();
  });
  const QPoint onCalc = list->visualRect(list->model()->index(1, 0)).center();
  emit list->customContextMenuRequested(onCalc);

  EXPECT_EQ(list->currentIndex().row(), 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.openedPages, std::vector<std::u16string>{page});
}

}  // namespace
}  // namespace morvanta::gui
