// The bulk question with its details: the elements Yes will receive, with
// the host's and the PC's times, under the unchanged text and buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include "GuiTest_support.h"
#include "gui/DetailsQuestion.h"
#include "gui/QtDesktop.h"
#include "transfer/BulkReceive.h"

namespace morvanta::gui {
namespace {

using testing::whenModal;

forms::DetailsTable bulkDetails() {
  return {{transfer::kDetailsElementHeader, transfer::kDetailsHostTimeHeader,
           transfer::kDetailsPcTimeHeader},
          {{u"BUILD", u"2026/12/06 18:18", u"2026/12/05 09:12:44"},
           {u"NIGHTLY/R1", u"2026/12/07 13:18", transfer::kDetailsNoPcCopy},
           {u"WEEKLY", u"2026/12/07 16:02", u"2026/12/01 08:00:00"}}};
}

QStringList rowOf(const QTreeWidgetItem& item) {
  QStringList cells;
  for (int column = 0; column < item.columnCount(); ++column) cells << item.text(column);
  return cells;
}

TEST(DetailsQuestionTest, ShowsTheQuestionItsButtonsAndTheElementsToReceive) {
  QtDesktop desktop;
  bool seen = false;
  whenModal<DetailsQuestion>([&](DetailsQuestion& shown) {
    seen = true;
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("Morvanta"));
    EXPECT_EQ(shown.question->text(), QStringLiteral("BATファイルを実行しますか？"));
    QList<QDialogButtonBox::StandardButton> buttons;
    for (QAbstractButton* button : shown.buttons->buttons()) {
      buttons << shown.buttons->standardButton(button);
    }
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (QList<QDialogButtonBox::StandardButton>{
                           QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Cancel}));
    EXPECT_TRUE(shown.buttons->button(QDialogButtonBox::Yes)->isDefault());

    const QTreeWidget& list = *shown.details;
    EXPECT_EQ(rowOf(*list.headerItem()),
              (QStringList{QStringLiteral("エレメント"), QStringLiteral("ホスト日時"),
                           QStringLiteral("PC日時")}));
    ASSERT_EQ(list.topLevelItemCount(), 3);
    EXPECT_EQ(rowOf(*list.topLevelItem(1)),
              (QStringList{QStringLiteral("NIGHTLY/R1"), QStringLiteral("2026/12/07 13:18"),
                           QStringLiteral("（なし）")}));
    // Every column is wide enough for its widest text.
    for (int column = 0; column < list.columnCount(); ++column) {
      EXPECT_GE(list.columnWidth(column),
                list.fontMetrics().horizontalAdvance(list.topLevelItem(0)->text(column)))
          << column;
    }
    const QPixmap shot = shown.grab();
    EXPECT_TRUE(shot.save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/bulk-question.png")));
    shown.buttons->button(QDialogButtonBox::No)->click();
  });
  EXPECT_EQ(desktop.yesNoCancelWithDetails(transfer::kRunBatchQuestion, bulkDetails()),
            forms::Answer::No);
  EXPECT_TRUE(seen);
}

TEST(DetailsQuestionTest, EachButtonGivesItsAnswerAndClosingGivesCancel) {
  QtDesktop desktop;
  struct Case {
    QDialogButtonBox::StandardButton press;
    forms::Answer answer;
  };
  for (const Case& c : {Case{QDialogButtonBox::Yes, forms::Answer::Yes},
                        Case{QDialogButtonBox::Cancel, forms::Answer::Cancel}}) {
    whenModal<DetailsQuestion>(
        [&](DetailsQuestion& shown) { shown.buttons->button(c.press)->click(); });
    EXPECT_EQ(desktop.yesNoCancelWithDetails(u"run?", bulkDetails()), c.answer);
  }
  whenModal<DetailsQuestion>([](DetailsQuestion& shown) { shown.reject(); });
  EXPECT_EQ(desktop.yesNoCancelWithDetails(u"run?", bulkDetails()), forms::Answer::Cancel);
}

TEST(DetailsQuestionTest, UnattendedPrintsTheDetailsAndTakesCancel) {
  QtDesktop desktop;
  desktop.setUnattended(true);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(desktop.yesNoCancelWithDetails(u"run?", bulkDetails()), forms::Answer::Cancel);
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("NIGHTLY/R1  2026/12/07 13:18  （なし）"), std::string::npos) << out;
}

}  // namespace
}  // namespace morvanta::gui
