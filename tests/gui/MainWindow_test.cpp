// The real window on a fresh program folder: it loads, shows every control
// where it was designed, passes the user's actions to the form's handlers,
// shows what the handlers change, and renders Japanese text.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "app/ControlTable.h"
#include "gui/ControlWidgets.h"
#include "gui/ElementListView.h"
#include "gui/MainWindow.h"
#include "gui/QtControls.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "support/RecordingDesktop.h"

namespace morvanta::gui {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void open(const std::vector<std::u16string>& extraLines = {}) {
    std::vector<std::u16string> lines = {u"TEXT-EDITOR=editor.exe", u"FTP-USERID=USER1",
                                         u"FTP-PASSWORD=SECRET1", u"HOST=HOSTA,192.0.2.1",
                                         u"HOST=HOSTB,192.0.2.2"};
    lines.insert(lines.end(), extraLines.begin(), extraLines.end());
    platform::writeTextLines(folder.file(u"Morvanta.ini"), lines, platform::FileAccess::OwnerOnly);
    window = std::make_unique<MainWindow>(folder.path(), &desktop);
    window->show();
    QApplication::processEvents();
  }

  template <class T>
  T* widget(const char16_t* name, int index = -1) {
    T* found = window->controls().find<T>(name, index);
    EXPECT_NE(found, nullptr) << platform::toUtf8(name) << " " << index;
    return found;
  }

  MainForm& form() { return window->form(); }

  testing::TempFolder folder;
  forms::RecordingDesktop desktop;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, OpensLoadedWithTheDesignedCaptionAndSize) {
  open();
  EXPECT_EQ(window->windowTitle(), QString::fromStdU16String(app::kMainFormCaption));
  // The design size, and the job strip below it.
  EXPECT_EQ(window->size(), QSize(727, 644 + gui::JobBar::kHeightPixels));
  EXPECT_EQ(form().windowWidth, 10905);
  EXPECT_TRUE(desktop.messages.empty());

  auto* hosts = widget<QComboBox>(u"Combo_host", 2);
  ASSERT_EQ(hosts->count(), 2);
  EXPECT_EQ(hosts->itemText(1), QStringLiteral("HOSTB"));
  EXPECT_EQ(hosts->currentText(), QStringLiteral("Select HOST"));
  EXPECT_EQ(widget<QComboBox>(u"Combo_host_file_elt")->count(), 2);
  EXPECT_TRUE(widget<QCheckBox>(u"Check_mdir")->isChecked());
  EXPECT_FALSE(widget<QCheckBox>(u"Check_date", 0)->isChecked());
  EXPECT_TRUE(widget<QRadioButton>(u"Option_none")->isChecked());
  EXPECT_FALSE(widget<QRadioButton>(u"Option_START")->isChecked());
  // No DEBUG=FTP and no FTP-SEND=YES.
  EXPECT_FALSE(widget<ListWidget>(u"List_2200file", 0)->isVisible());
  EXPECT_TRUE(widget<ListWidget>(u"List_2200file", 1)->isVisible());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(widget<QGroupBox>(u"Frame_SEND", i)->isVisible());
}

TEST_F(MainWindowTest, SendFramesAndDebugListShowWhenConfigured) {
  open({u"FTP-SEND=YES", u"DEBUG=FTP"});
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(widget<QGroupBox>(u"Frame_SEND", i)->isVisible());
  EXPECT_TRUE(widget<ListWidget>(u"List_2200file", 0)->isVisible());
}

// Controls the layout never moves stand at their design place (15 twips a
// pixel), inside their own frame.
TEST_F(MainWindowTest, ControlsStandAtTheirDesignPlaces) {
  open();
  struct Case {
    const char16_t* name;
    int index;
    const char* parent;
    QRect at;
  };
  const Case cases[] = {
      {u"Frame_file_elt", -1, "MainForm", {8, 8, 481, 57}},
      {u"Text_file_elt", -1, "Frame_file_elt", {104, 16, 277, 18}},
      {u"Command_file_elt", -1, "Frame_file_elt", {388, 8, 85, 41}},
      {u"Frame_ACTION", -1, "MainForm", {8, 72, 577, 41}},
      {u"Text_AC_USR", -1, "Frame_ACTION", {352, 8, 217, 25}},
      {u"Command_jcl_phase", -1, "MainForm", {496, 16, 73, 49}},
      {u"Check_mdir", -1, "MainForm", {568, 48, 57, 23}},
      {u"Fileselect", -1, "MainForm", {632, 8, 87, 105}},
      {u"Combo_host", 1, "Frame_cmd_1", {8, 16, 102, 20}},
      {u"Command_toc", 1, "Frame_cmd_1", {8, 48, 65, 25}},
      {u"Command_SEL", 2, "Frame_cmd_2", {116, 24, 41, 25}},
      {u"Check_date", 0, "Frame_cmd_0", {80, 56, 73, 17}},
      {u"Command_AUTO_recv", 0, "Frame_cmd_0", {104, 80, 65, 41}},
      {u"List_send", 1, "Frame_SEND_1", {8, 16, 113, 16}},
  };
  for (const Case& c : cases) {
    QWidget* w = widget<QWidget>(c.name, c.index);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), c.at) << platform::toUtf8(c.name) << c.index;
    EXPECT_EQ(w->parentWidget()->objectName().toStdString(), c.parent)
        << platform::toUtf8(c.name) << c.index;
  }
  EXPECT_EQ(widget<QPushButton>(u"Command_toc", 0)->text(), QStringLiteral("TOC取得"));
  EXPECT_EQ(widget<QPushButton>(u"Command_toc", 0)->toolTip(),
            QStringLiteral("エレメント一覧取得（シンボリックのみ）"));
}

TEST_F(MainWindowTest, CheckMdirClickSetsTheListingMode) {
  open();
  auto* mdir = widget<QCheckBox>(u"Check_mdir");
  ASSERT_EQ(form().mdirMode, 1);
  QTest::mouseClick(mdir, Qt::LeftButton);
  EXPECT_FALSE(mdir->isChecked());
  EXPECT_EQ(form().mdirMode, 0);
  QTest::mouseClick(mdir, Qt::LeftButton);
  EXPECT_EQ(form().mdirMode, 1);
}

TEST_F(MainWindowTest, CheckDateClickLaysOutEveryPaneAgain) {
  open();
  const int paneTwoBefore = form().List_elt[2]->left();
  QTest::mouseClick(widget<QCheckBox>(u"Check_date", 1), Qt::LeftButton);
  EXPECT_TRUE(form().Check_date[1]->checked());
  EXPECT_TRUE(widget<ElementListView>(u"List_date", 1)->isVisible());
  EXPECT_FALSE(widget<ElementListView>(u"List_date", 0)->isVisible());
  EXPECT_NE(form().List_elt[2]->left(), paneTwoBefore);
  // The widgets follow what the layout set.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(widget<ElementListView>(u"List_elt", i)->x(),
              twipsToPixels(form().List_elt[i]->left()));
    EXPECT_EQ(widget<QGroupBox>(u"Frame_cmd", i)->width(),
              twipsToPixels(form().Frame_cmd[i]->width()));
  }
}

TEST_F(MainWindowTest, ResizeHandsTheClientWidthToTheLayout) {
  open();
  window->resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(form().windowWidth, 9000);
  // The job strip along the bottom is not the form's.
  EXPECT_EQ(form().windowHeight, (500 - JobBar::kHeightPixels) * 15);
  // 9000 twips, no dates: panes 2700 wide.
  EXPECT_EQ(form().List_elt[1]->left(), 2700);
  EXPECT_EQ(widget<LineEdit>(u"Text_2200file", 2)->x(), 360);
}

TEST_F(MainWindowTest, HandlerChangesReachTheWidgets) {
  open();
  form().List_elt[0]->addItem(u"MAIN/R1");
  form().List_elt[0]->setListIndex(0);
  form().Text_2200file[1]->setText(u"PRJ*SRC");
  form().Command_SEL[2]->setEnabled(false);
  form().selectOption(*form().Option_START);

  auto* elements = widget<ElementListView>(u"List_elt", 0);
  ASSERT_EQ(elements->model()->rowCount(), 1);
  const QModelIndex first = elements->model()->index(0, 0);
  EXPECT_EQ(first.data().toString(), QStringLiteral("MAIN/R1"));
  EXPECT_TRUE(elements->selectionModel()->isSelected(first));
  EXPECT_EQ(widget<LineEdit>(u"Text_2200file", 1)->text(), QStringLiteral("PRJ*SRC"));
  EXPECT_FALSE(widget<QPushButton>(u"Command_SEL", 2)->isEnabled());
  EXPECT_TRUE(widget<QRadioButton>(u"Option_START")->isChecked());
  EXPECT_FALSE(widget<QRadioButton>(u"Option_none")->isChecked());
}

// A TOC request with no file named is refused with a message, and the
// pane's timer stays off.
TEST_F(MainWindowTest, ButtonClickReachesItsCommand) {
  open();
  QTest::mouseClick(widget<QPushButton>(u"Command_toc", 0), Qt::LeftButton);
  ASSERT_FALSE(desktop.messages.empty());
  EXPECT_FALSE(form().Timer1[0]->enabled());
}

QMimeData* filesData(const QStringList& urls) {
  auto* data = new QMimeData;
  QList<QUrl> list;
  for (const QString& url : urls) list << QUrl(url);
  data->setUrls(list);
  return data;
}

void drop(QWidget* list, QMimeData* data) {
  QWidget* target = qobject_cast<QAbstractItemView*>(list)->viewport();
  const QPointF at(5, 5);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
}

void clickRow(QAbstractItemView* list, int row) {
  const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// What the window system delivers for a double click: press, release,
// double click, release.
void doubleClickRow(QAbstractItemView* list, int row) {
  const QPointF at = list->visualRect(list->model()->index(row, 0)).center();
  const QPointF global = list->viewport()->mapToGlobal(at);
  for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
}

TEST_F(MainWindowTest, FileDropsReachOnlyTheDropLists) {
  open();
  auto* target = widget<ListWidget>(u"List_2200file", 1);
  EXPECT_TRUE(target->acceptDrops());
  EXPECT_FALSE(widget<ElementListView>(u"List_elt", 1)->acceptDrops());

  QSignalSpy dropped(target, &ListWidget::filesDropped);
  std::unique_ptr<QMimeData> web(filesData({QStringLiteral("https://example.invalid/x.txt")}));
  drop(target, web.get());
  EXPECT_EQ(dropped.count(), 0) << "a web address is not a file";

  // A printed TOC listing from the file manager, with a blank in its name.
  const std::u16string listing = folder.file(u"toc list.txt");
  platform::writeTextLines(listing, {u"@PRT,T PRJ*SRC.", u"SYM    MAIN"});
  const QString file = QString::fromStdU16String(listing);
  std::unique_ptr<QMimeData> files(filesData(
      {QUrl::fromLocalFile(file).toString(), QStringLiteral("https://example.invalid/y")}));
  drop(target, files.get());
  ASSERT_EQ(dropped.count(), 1);
  EXPECT_EQ(dropped.at(0).at(0).toStringList(), QStringList{file});
  ASSERT_GT(form().List_2200file[1]->count(), 0);
  EXPECT_EQ(form().List_2200file[1]->item(0), listing);
  EXPECT_EQ(widget<ElementListView>(u"List_elt", 1)->model()->rowCount(), 1);
}

// The prefix option the user clicked and the file typed reach the
// clipboard command through the widgets.
TEST_F(MainWindowTest, ListClickPutsTheElementCommandOnTheClipboard) {
  open();
  QTest::keyClicks(widget<LineEdit>(u"Text_2200file", 0), QStringLiteral("PRJ*SRC"));
  QTest::mouseClick(widget<QRadioButton>(u"Option_OLD"), Qt::LeftButton);
  form().List_elt[0]->addItem(u"MAIN/R1");
  form().List_elt[0]->addItem(u"LIB/R2");
  clickRow(widget<ElementListView>(u"List_elt", 0), 1);
  EXPECT_EQ(form().List_elt[0]->listIndex(), 1);
  EXPECT_EQ(desktop.clipboard, u"OLD PRJ*SRC.LIB/R2");
}

TEST_F(MainWindowTest, DoubleClickOnAnElementStartsItsReceiveJob) {
  open();
  widget<QComboBox>(u"Combo_host", 0)->setCurrentIndex(1);
  QTest::keyClicks(widget<LineEdit>(u"Text_2200file", 0), QStringLiteral("PRJ*SRC"));
  form().List_elt[0]->addItem(u"MAIN/R1");
  doubleClickRow(widget<ElementListView>(u"List_elt", 0), 0);
  EXPECT_TRUE(desktop.messages.empty()) << platform::toUtf8(desktop.messages.front());
  EXPECT_EQ(form().List_send[0]->count(), 1);
  ASSERT_EQ(desktop.startedBatches.size(), 1u);
  EXPECT_TRUE(desktop.startedBatches[0].ends_with(u"RECV.BAT"));
}

// Leaving a file box for another control converts a browser path typed
// there; a 2200 name stays as typed.
TEST_F(MainWindowTest, LeavingAFileBoxReachesItsLostFocusHandler) {
  open();
  window->activateWindow();
  QApplication::processEvents();
  auto* first = widget<LineEdit>(u"Text_2200file", 0);
  auto* second = widget<LineEdit>(u"Text_2200file", 1);
  first->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(first, QStringLiteral("C:\\temp\\notes.txt"));
  second->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(first->text().isEmpty()) << first->text().toStdString();

  QTest::keyClicks(second, QStringLiteral("prj*src"));
  widget<LineEdit>(u"Text_file_elt")->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(second->text(), QStringLiteral("prj*src"));
}

TEST(LineEditTest, OnlyAMoveToAnotherControlIsALostFocus) {
  LineEdit edit;
  QSignalSpy lost(&edit, &LineEdit::lostFocus);
  for (auto reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(&edit, &event);
  }
  EXPECT_EQ(lost.count(), 0);
  for (auto reason : {Qt::MouseFocusReason, Qt::TabFocusReason, Qt::OtherFocusReason}) {
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(&edit, &event);
  }
  EXPECT_EQ(lost.count(), 3);
}

// A row too long for the text routines makes the receive fail; the user
// is told and the window stays.
TEST_F(MainWindowTest, AFailingHandlerIsToldNotFatal) {
  open();
  widget<QComboBox>(u"Combo_host", 0)->setCurrentIndex(0);
  form().Text_2200file[0]->setText(u"PRJ*SRC");
  form().List_elt[0]->addItem(std::u16string(40000, u'A'));
  doubleClickRow(widget<ElementListView>(u"List_elt", 0), 0);
  // The click before the double click fails the same way.
  ASSERT_EQ(desktop.messages.size(), 2u);
  for (const auto& message : desktop.messages) {
    EXPECT_TRUE(message.starts_with(u"処理を続けられません: ")) << platform::toUtf8(message);
  }
  EXPECT_TRUE(desktop.startedBatches.empty());
  EXPECT_TRUE(window->isVisible());
}

// A zero interval ticks at the next pass of the event loop, so no clock is
// waited for.
TEST_F(MainWindowTest, EachPaneTimerTickReachesThePoll) {
  open();
  for (int i = 0; i < 3; ++i) {
    auto* timer = widget<QTimer>(u"Timer1", i);
    EXPECT_FALSE(timer->isActive()) << i;
    const auto ticksBefore = form().pollTicks;
    timer->start(0);
    for (int pass = 0; pass < 100 && form().pollTicks == ticksBefore; ++pass) {
      QApplication::processEvents();
    }
    timer->stop();
    EXPECT_GT(form().pollTicks, ticksBefore) << i;
  }
  EXPECT_GT(desktop.pauses, 0);
}

// The element lists must show kanji, not empty boxes: their font has the
// glyphs, and two different kanji draw differently.
TEST_F(MainWindowTest, ElementListsUseAJapaneseGothic) {
  open();
  const QFont font = widget<ElementListView>(u"List_elt", 0)->font();
  const QString family = QFontInfo(font).family();
  EXPECT_TRUE(family == QStringLiteral("IPAPGothic") || family == QStringLiteral("MS PGothic"))
      << family.toStdString();
  const QFontMetrics metrics(font);
  for (char16_t kanji : {u'取', u'得', u'受', u'信'}) EXPECT_TRUE(metrics.inFont(QChar(kanji)));

  auto draw = [&font](const QString& text) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
  };
  EXPECT_NE(draw(QStringLiteral("取")), draw(QStringLiteral("得")));
}

TEST_F(MainWindowTest, ScreenshotIsSaved) {
  open({u"FTP-SEND=YES"});
  form().Text_2200file[0]->setText(u"PRJ*SRC");
  for (auto name : {u"MAIN/R1", u"取得テスト/R2"}) form().List_elt[0]->addItem(name);
  QApplication::processEvents();
  const QString file = QStringLiteral(MORVANTA_GUI_ARTIFACTS "/main-window.png");
  QFile::remove(file);
  const QImage shot = window->grab().toImage();
  ASSERT_TRUE(shot.save(file, "PNG"));
  EXPECT_EQ(shot.size(), QSize(727, 644 + gui::JobBar::kHeightPixels));
  EXPECT_TRUE(QFile::exists(file));
}

}  // namespace
}  // namespace morvanta::gui
