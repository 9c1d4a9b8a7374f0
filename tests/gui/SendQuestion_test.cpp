// The question before a send over a changed host element and the
// comparison window, as the user meets them (screenshots in artifacts/).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "GuiTest_support.h"
#include "gui/QtDesktop.h"
#include "gui/SendQuestion.h"

namespace morvanta::gui {
namespace {

using testing::whenModal;

const std::u16string kText =
    u"受信した後に、ホストのエレメントが変更されています。送信するとその変更は失われます。\n\n"
    u"エレメント: PRJ*SRC.MAIN/R1\n受信時のホストの日時: 2026/12/07  10:05\n"
    u"ホストの現在の日時: 2026/12/07  10:30";

QPushButton* buttonCaptioned(QMessageBox& box, const char16_t* caption) {
  for (QAbstractButton* button : box.buttons()) {
    if (button->text() == QString::fromStdU16String(caption)) {
      return qobject_cast<QPushButton*>(button);
    }
  }
  return nullptr;
}

TEST(SendQuestionTest, ThreeAnswersWithCancelAsTheSafeDefault) {
  QtDesktop desktop;
  struct Case {
    const char16_t* press;
    forms::SendChoice answer;
  };
  bool saved = false;
  for (const Case& c : {Case{kOverwriteButton, forms::SendChoice::Overwrite},
                        Case{kCompareButton, forms::SendChoice::Compare},
                        Case{kCancelSendButton, forms::SendChoice::Cancel}}) {
    whenModal<QMessageBox>([&](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), QStringLiteral("ホストのエレメントが変更されています"));
      EXPECT_TRUE(box.informativeText().contains(QStringLiteral("2026/12/07  10:05")));
      EXPECT_EQ(box.buttons().size(), 3);
      EXPECT_EQ(box.defaultButton(), buttonCaptioned(box, kCancelSendButton));
      if (!saved) {
        saved = box.grab().save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/send_question.png"));
      }
      QPushButton* button = buttonCaptioned(box, c.press);
      ASSERT_NE(button, nullptr);
      button->click();
    });
    EXPECT_EQ(desktop.askOverwrite(kText, u"ホストのエレメントが変更されています"), c.answer);
  }
  EXPECT_TRUE(saved);
}

TEST(SendQuestionTest, DiffWindowMarksEachSidesLinesAndIsReadOnly) {
  QtDesktop desktop;
  using Side = forms::DiffLine::Side;
  forms::DiffView view;
  view.title = u"PRJ*SRC.MAIN/R1";
  view.hostLabel = u"ホスト (Shift_JISに変換して比較): FTPWK/BACKUP/PRJ＊SRC/MAIN／R1.txt";
  view.pcLabel = u"PC: FTPRCV/PRJ＊SRC/MAIN／R1.txt";
  view.lines = {{Side::Both, u"@ASG,T X."},
                {Side::HostOnly, u"      * 同僚の変更"},
                {Side::PcOnly, u"      * 自分の変更"},
                {Side::Both, u"@XQT X.MAIN"}};
  bool seen = false;
  whenModal<DiffWindow>([&](DiffWindow& window) {
    seen = true;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ホストとPCの比較: PRJ*SRC.MAIN/R1"));
    EXPECT_EQ(window.plainText(), QStringLiteral("  @ASG,T X.\n-       * 同僚の変更\n+       * "
                                                 "自分の変更\n  @XQT X.MAIN"));
    EXPECT_TRUE(window.grab().save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/send_diff.png")));
    window.reject();
  });
  desktop.showDiff(view);
  EXPECT_TRUE(seen);
}

TEST(SendQuestionTest, NoticeActionRunsOnlyWhenChosen) {
  QtDesktop desktop;
  for (const bool take : {true, false}) {
    int runs = 0;
    whenModal<QMessageBox>([&](QMessageBox& box) {
      EXPECT_TRUE(box.text().contains(QStringLiteral("不完全")));
      if (take) {
        buttonCaptioned(box, u"送信前の内容を送り戻す")->click();
      } else {
        box.button(QMessageBox::Close)->click();
      }
    });
    desktop.notifyWithAction(
        u"送信できませんでした: X\nホストのエレメントが不完全な可能性があります。",
        u"送信前の内容を送り戻す", [&] { ++runs; });
    EXPECT_EQ(runs, take ? 1 : 0);
  }
}

}  // namespace
}  // namespace morvanta::gui
