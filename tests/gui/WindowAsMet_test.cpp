// The window as a new user meets it, in a Japanese locale: the first-start
// message, the send question, Qt's own buttons in Japanese, captions that
// fit their controls at the window's font, the drop box and a click on no
// element. Pictures of the boxes and the window are kept as test artefacts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QUrl>
#include <memory>

#include "GuiTest_support.h"
#include "app/ControlTable.h"
#include "app/Startup.h"
#include "gui/ControlWidgets.h"
#include "gui/ElementListView.h"
#include "gui/MainWindow.h"
#include "gui/QtControls.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "support/RecordingDesktop.h"
#include "transfer/Baseline.h"

namespace morvanta::gui {
namespace {

using testing::whenModal;

const std::vector<std::u16string> kIni = {u"TEXT-EDITOR=editor.exe", u"FTP-USERID=USER1",
                                          u"FTP-PASSWORD=SECRET1", u"HOST=HOSTA,192.0.2.1",
                                          u"FTP-SEND=YES"};

void savePicture(QWidget& widget, const char* name) {
  const QString file = QStringLiteral(MORVANTA_GUI_ARTIFACTS "/") + QString::fromUtf8(name);
  EXPECT_TRUE(widget.grab().save(file, "PNG")) << name;
}

QStringList buttonTexts(QMessageBox& box) {
  QStringList texts;
  // Without the mnemonic: "いいえ(&N)" is "いいえ".
  const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)$|&"));
  for (QAbstractButton* button : box.buttons()) texts << button->text().remove(mnemonic);
  texts.sort();
  return texts;
}

TEST(WindowAsMetTest, FirstStartNamesTheFileAndAsksInJapanese) {
  ::morvanta::testing::TempFolder folder;
  const std::u16string ini = folder.file(u"Morvanta.ini");
  bool asked = false;
  whenModal<QMessageBox>([&](QMessageBox& box) {
    asked = true;
    EXPECT_EQ(box.text(), toQString(app::firstStartMessage(ini)));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("設定ファイルを作成しました"));
    EXPECT_EQ(buttonTexts(box), (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
    savePicture(box, "first-start.png");
    box.button(QMessageBox::Cancel)->click();
  });
  MainWindow window(folder.path());
  window.show();
  EXPECT_TRUE(asked);
  EXPECT_TRUE(platform::fileExists(ini));
}

TEST(WindowAsMetTest, StandardButtonsFollowTheJapaneseLocale) {
  QtDesktop desktop;
  whenModal<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(buttonTexts(box), (QStringList{QStringLiteral("いいえ"), QStringLiteral("はい"),
                                             QStringLiteral("キャンセル")}));
    savePicture(box, "yes-no-cancel.png");
    box.button(QMessageBox::Cancel)->click();
  });
  EXPECT_EQ(desktop.yesNoCancel(u"BATファイルを実行しますか？"), forms::Answer::Cancel);
}

class ShownWindowTest : public ::testing::Test {
 protected:
  // With no desktop given the window uses its own, the one the user sees.
  void open(forms::Desktop* desktop = nullptr) {
    platform::writeTextLines(folder.file(u"Morvanta.ini"), kIni, platform::FileAccess::OwnerOnly);
    window = std::make_unique<MainWindow>(folder.path(), desktop);
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

  ::morvanta::testing::TempFolder folder;
  std::unique_ptr<MainWindow> window;
};

// The window's own desktop, except that the send check is played here
// (the host still holds what was received) and nothing reaches a network.
class CheckPlayingDesktop : public QtDesktop {
 public:
  platform::BatchProcess startWatchedBatch(const std::u16string& batchPath) override {
    if (!batchPath.ends_with(u"CHECK.BAT")) return {};
    const std::u16string script = batchPath.substr(0, batchPath.size() - 4) + u".TXT";
    for (const std::u16string& line : platform::readTextLines(script)) {
      const std::size_t last = line.rfind(u' ');
      if (line.starts_with(u"mdir ")) {
        platform::writeTextLines(line.substr(last + 1),
                                 {u"-rw-rw-r--   1 PRJ      11 Dec  7 10:30 MAIN.R1_SYM"});
      } else if (line.starts_with(u"RECV ")) {
        platform::writeBinaryFile(line.substr(last + 1), "@ASG,T X.\r\n");
      }
    }
    platform::writeBinaryFile(batchPath + u".status",
                              "{\"event\":\"start\",\"pid\":1}\n"
                              "{\"event\":\"end\",\"exit\":0,\"reason\":\"\"}\n");
    return {};
  }
};

TEST_F(ShownWindowTest, SendQuestionStandsInTheBodyAboveTheSendLine) {
  CheckPlayingDesktop desktop;
  open(&desktop);
  desktop.setOwner(window.get());
  const std::u16string rcv = platform::joinPath(folder.file(u"FTPRCV"), u"PRJ＊SRC");
  ASSERT_TRUE(platform::createFolder(rcv));
  platform::writeTextLines(platform::joinPath(rcv, u"MAIN／R1.txt"), {u"@ASG,T X."});
  transfer::BaselineStore received(rcv);
  received.put(u"MAIN／R1.txt", {u"", -1, transfer::contentHash("@ASG,T X.\n"), u""});
  received.save();
  form().Text_2200file[0]->setText(u"PRJ*SRC");
  form().Combo_host[0]->setText(u"HOSTA");
  form().List_send[0]->addItem(u"MAIN/R1");
  auto* list = widget<ListWidget>(u"List_send", 0);
  list->setCurrentRow(0);

  const QString question = QStringLiteral("以下のFTPのSENDを実行してもよいですか？");
  bool asked = false;
  whenModal<QMessageBox>([&](QMessageBox& box) {
    asked = true;
    EXPECT_EQ(box.windowTitle(), question);
    const QStringList lines = box.text().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.front(), question);
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("SEND "))) << lines.back().toStdString();
    EXPECT_TRUE(lines.back().endsWith(QStringLiteral(" PRJ*SRC.MAIN/R1")));
    // The label showing the body is wide enough for the question.
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(question));
    savePicture(box, "send-question.png");
    box.button(QMessageBox::Cancel)->click();
  });
  form().List_send_DblClick(0);
  EXPECT_TRUE(asked);
  window.reset();  // before the desktop it uses
}

// What a caption needs against the room its control gives it, measured
// with the control's own font and style.
struct Room {
  int needed;
  int given;
};

Room roomOf(QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<QCheckBox*>(button) != nullptr) contents = QStyle::SE_CheckBoxContents;
  if (qobject_cast<QRadioButton*>(button) != nullptr) contents = QStyle::SE_RadioButtonContents;
  const QRect rect = button->style()->subElementRect(contents, &option, button);
  return {button->fontMetrics().horizontalAdvance(button->text()), rect.width()};
}

Room roomOf(QComboBox* combo) {
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = combo->isEditable();
  option.currentText = combo->currentText();
  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, combo);
  // The editor inside the field keeps a few pixels of its own.
  constexpr int kEditorMargins = 4;
  return {combo->fontMetrics().horizontalAdvance(combo->currentText()) + kEditorMargins,
          field.width()};
}

TEST_F(ShownWindowTest, EveryCaptionFitsItsControlAtTheWindowFont) {
  forms::RecordingDesktop desktop;
  open(&desktop);
  auto expectFits = [](QWidget* widget, Room room) {
    EXPECT_LE(room.needed, room.given)
        << widget->objectName().toStdString() << " cuts its caption: needs " << room.needed
        << " px, has " << room.given;
  };
  int checked = 0;
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (button->text().isEmpty()) continue;
    expectFits(button, roomOf(button));
    EXPECT_LE(button->fontMetrics().height(), button->height())
        << button->objectName().toStdString();
    ++checked;
  }
  for (QComboBox* combo : window->findChildren<QComboBox*>()) {
    expectFits(combo, roomOf(combo));
    ++checked;
  }
  for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
    constexpr int kTitleIndent = 12;
    expectFits(frame, {frame->fontMetrics().horizontalAdvance(frame->title()) + kTitleIndent,
                       frame->width()});
  }
  auto* account = widget<QLineEdit>(u"Text_AC_USR");
  constexpr int kLineEditMargins = 8;
  expectFits(account, {account->fontMetrics().horizontalAdvance(account->text()) + kLineEditMargins,
                       account->width()});
  // 3 panes x 7 buttons and boxes, 5 options, 3 shared, 4 combos at least.
  EXPECT_GE(checked, 30);
  savePicture(*window, "window-captions.png");
}

TEST_F(ShownWindowTest, ControlsStayInsideTheirFramesAndClearOfEachOther) {
  forms::RecordingDesktop desktop;
  open(&desktop);
  for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isWindow() || child->objectName().isEmpty()) continue;
      EXPECT_TRUE(frame->rect().contains(child->geometry()))
          << child->objectName().toStdString() << " leaves " << frame->objectName().toStdString();
    }
  }
  for (int i = 0; i < 3; ++i) {
    const QRect drop = widget<QWidget>(u"List_2200file", i)->geometry();
    EXPECT_FALSE(drop.intersects(widget<QWidget>(u"Command_SEL", i)->geometry())) << i;
    EXPECT_FALSE(drop.intersects(widget<QWidget>(u"Command_AUTO_recv", i)->geometry())) << i;
  }
  const QRect files = widget<QWidget>(u"Fileselect")->geometry();
  EXPECT_FALSE(files.intersects(widget<QWidget>(u"Check_mdir")->geometry()));
  EXPECT_FALSE(files.intersects(widget<QWidget>(u"Command_jcl_phase")->geometry()));
}

QMimeData* fileDrop(const std::u16string& path) {
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile(toQString(path))});
  return data;
}

bool dropAt(QAbstractItemView* list, QMimeData* data, QPoint at) {
  QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &enter);
  QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &dropped);
  return dropped.isAccepted();
}

TEST_F(ShownWindowTest, DropBoxShowsItsHintAndTakesADropAnywhere) {
  forms::RecordingDesktop desktop;
  open(&desktop);
  const std::u16string listing = folder.file(u"a rather long name of a printed listing.txt");
  platform::writeTextLines(listing, {u"@PRT,T PRJ*SRC.", u"SYM    MAIN"});
  for (int i = 1; i < 3; ++i) {
    auto* box = widget<ListWidget>(u"List_2200file", i);
    EXPECT_EQ(box->toolTip(), toQString(app::kDropBoxHint));
    auto* hint = box->viewport()->findChild<QLabel*>(QStringLiteral("DropHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), toQString(app::kDropBoxShortHint));
    // The hint is read whole in the box, measured at its font.
    const QStringList lines = hint->text().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
      EXPECT_LE(hint->fontMetrics().horizontalAdvance(line), hint->contentsRect().width())
          << line.toStdString();
    }
    EXPECT_LE(hint->fontMetrics().lineSpacing() * lines.size(), hint->contentsRect().height());

    std::unique_ptr<QMimeData> data(fileDrop(listing));
    ASSERT_TRUE(dropAt(box, data.get(), {4, 4}));
    EXPECT_FALSE(hint->isVisible()) << "the dropped path stands there now";
    // A long path takes no room away from the next drop, low in the box.
    EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
    const QRect inside = box->viewport()->rect();
    EXPECT_GE(inside.height(), box->height() - 2 * box->frameWidth() - 2);
    EXPECT_TRUE(dropAt(box, data.get(), {inside.width() / 2, inside.height() - 3}));
    EXPECT_EQ(form().Text_2200file[i]->text(), u"PRJ*SRC");
  }
  EXPECT_EQ(widget<ListWidget>(u"List_2200file", 0)->toolTip(),
            QStringLiteral("デバック: ") + toQString(app::kDropBoxHint));
}

TEST_F(ShownWindowTest, ClickOnNoElementEmptiesTheClipboard) {
  forms::RecordingDesktop desktop;
  open(&desktop);
  auto* list = widget<ElementListView>(u"List_elt", 0);
  const QPoint low(10, list->viewport()->height() - 5);

  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, low);  // empty list
  EXPECT_EQ(desktop.clipboardClears, 1);
  EXPECT_TRUE(desktop.messages.empty());

  form().Text_2200file[0]->setText(u"PRJ*SRC");
  form().List_elt[0]->addItem(u"MAIN/R1");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualRect(list->model()->index(0, 0)).center());
  EXPECT_EQ(desktop.clipboard, u"PRJ*SRC.MAIN/R1");
  const int clears = desktop.clipboardClears;

  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, low);  // below the row
  EXPECT_EQ(desktop.clipboardClears, clears + 1);
  EXPECT_TRUE(desktop.messages.empty());
  // A right click is no click on the list.
  QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier, low);
  EXPECT_EQ(desktop.clipboardClears, clears + 1);
}

}  // namespace
}  // namespace morvanta::gui
