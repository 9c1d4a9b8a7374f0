// The desktop services as the user meets them: the message boxes, the
// clipboard and the search window Form_lc.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "GuiTest_support.h"
#include "gui/QtDesktop.h"
#include "gui/SearchWindow.h"

namespace morvanta::gui {
namespace {

using testing::whenModal;

std::vector<QMessageBox::StandardButton> buttonsOf(QMessageBox& box) {
  std::vector<QMessageBox::StandardButton> found;
  for (QAbstractButton* button : box.buttons()) found.push_back(box.standardButton(button));
  return found;
}

TEST(QtDesktopTest, MessageHasOkOnlyNoIconAndTheProgramTitle) {
  QtDesktop desktop;
  bool seen = false;
  whenModal<QMessageBox>([&](QMessageBox& box) {
    seen = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Morvanta"));
    EXPECT_EQ(box.text(), QStringLiteral("2200ファイル指定がありません"));
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(buttonsOf(box), std::vector{QMessageBox::Ok});
    box.button(QMessageBox::Ok)->click();
  });
  desktop.msgBox(u"2200ファイル指定がありません");
  EXPECT_TRUE(seen);
}

TEST(QtDesktopTest, QuestionsReturnTheButtonPressed) {
  QtDesktop desktop;
  const std::u16string title = u"以下のFTPのSENDを実行してもよいですか？";
  struct Case {
    QMessageBox::StandardButton press;
    bool ok;
  };
  for (const Case& c : {Case{QMessageBox::Ok, true}, Case{QMessageBox::Cancel, false}}) {
    whenModal<QMessageBox>([&](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), QString::fromStdU16String(title));
      EXPECT_EQ(box.text(), QStringLiteral("SEND a b"));
      box.button(c.press)->click();
    });
    EXPECT_EQ(desktop.okCancel(u"SEND a b", title), c.ok);
  }

  struct Choice {
    QMessageBox::StandardButton press;
    forms::Answer answer;
  };
  for (const Choice& c :
       {Choice{QMessageBox::Yes, forms::Answer::Yes}, Choice{QMessageBox::No, forms::Answer::No},
        Choice{QMessageBox::Cancel, forms::Answer::Cancel}}) {
    whenModal<QMessageBox>([&](QMessageBox& box) {
      EXPECT_EQ(buttonsOf(box).size(), 3u);
      EXPECT_EQ(box.windowTitle(), QStringLiteral("Morvanta"));
      box.button(c.press)->click();
    });
    EXPECT_EQ(desktop.yesNoCancel(u"BATファイルを実行しますか？"), c.answer);
  }
}

// Nobody is there to press a button: questions take Cancel, nothing waits.
TEST(QtDesktopTest, UnattendedNeverWaits) {
  QtDesktop desktop;
  desktop.setUnattended(true);
  ::testing::internal::CaptureStdout();
  desktop.msgBox(u"TOC情報が得られません");
  EXPECT_FALSE(desktop.okCancel(u"SEND", u"title"));
  EXPECT_EQ(desktop.yesNoCancel(u"run?"), forms::Answer::Cancel);
  EXPECT_FALSE(desktop.showSearchWindow(u"").has_value());
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("message: TOC情報が得られません"), std::string::npos) << out;
}

TEST(SearchWindowTest, EnterConfirmsTheTextAsTyped) {
  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    SearchWindow window;
    whenModal<SearchWindow>([key](SearchWindow& shown) {
      QTest::keyClicks(shown.Text_LC, QStringLiteral(" r1 "));
      QTest::keyClick(shown.Text_LC, key);
    });
    EXPECT_EQ(window.ask(), std::optional<std::u16string>(u" r1 "));
  }
}

TEST(SearchWindowTest, EscapeIsIgnoredAndTheCloseBoxGivesNothing) {
  SearchWindow window;
  bool stillOpen = false;
  whenModal<SearchWindow>([&](SearchWindow& shown) {
    QTest::keyClicks(shown.Text_LC, QStringLiteral("MAIN"));
    QTest::keyClick(shown.Text_LC, Qt::Key_Escape);
    QTest::keyClick(&shown, Qt::Key_Escape);
    stillOpen = shown.isVisible();
    shown.close();
  });
  EXPECT_EQ(window.ask(), std::nullopt);
  EXPECT_TRUE(stillOpen);
}

TEST(SearchWindowTest, DesktopOpensItWithTheTextGiven) {
  QtDesktop desktop;
  whenModal<SearchWindow>([](SearchWindow& shown) {
    EXPECT_EQ(shown.Text_LC->text(), QStringLiteral("MA"));
    QTest::keyClick(shown.Text_LC, Qt::Key_Return);
  });
  EXPECT_EQ(desktop.showSearchWindow(u"MA"), std::optional<std::u16string>(u"MA"));
}

}  // namespace
}  // namespace morvanta::gui
