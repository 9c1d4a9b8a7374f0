// The job strip and the job list follow a job from running to failed and
// show its reason; the screenshots are kept as test artefacts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <fstream>
#include <memory>

#include "gui/MainWindow.h"
#include "gui/QtControls.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "support/RecordingDesktop.h"

namespace morvanta::gui {
namespace {

class JobBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::writeTextLines(folder.file(u"Morvanta.ini"),
                             {u"TEXT-EDITOR=editor.exe", u"FTP-USERID=USER1",
                              u"FTP-PASSWORD=SECRET1", u"HOST=HOSTA,192.0.2.1"},
                             platform::FileAccess::OwnerOnly);
    desktop.holdBatches = true;
    window = std::make_unique<MainWindow>(folder.path(), &desktop);
    window->show();
    QApplication::processEvents();
  }

  QString latest() { return window->findChild<QLabel*>(QStringLiteral("JobBarLatest"))->text(); }
  QTableWidget* table() {
    return window->jobBar().jobList()->findChild<QTableWidget*>(QStringLiteral("JobTable"));
  }
  void tick() {
    window->form().Jobs_Tick();
    window->jobBar().refresh();
    QApplication::processEvents();
  }

  testing::TempFolder folder;
  forms::RecordingDesktop desktop;
  std::unique_ptr<MainWindow> window;
};

TEST_F(JobBarTest, StripAndListGoFromRunningToFailedWithTheReason) {
  MainForm& form = window->form();
  form.Combo_host[0]->setText(u"HOSTA");
  form.Text_2200file[0]->setText(u"PRJ*SRC");
  form.Command_toc_Click(0);
  tick();
  EXPECT_TRUE(latest().contains(QStringLiteral("TOC取得 PRJ*SRC: 実行中")))
      << latest().toStdString();
  window->jobBar().openJobList();
  ASSERT_EQ(table()->rowCount(), 1);
  EXPECT_EQ(table()->item(0, 2)->text(), QStringLiteral("実行中"));

  // The runner says why it stopped, then ends.
  const auto status = platform::toUtf8(form.FOLDER_NAME(u"WK", u"TOC.BAT.status"));
  std::ofstream(status, std::ios::binary)
      << "{\"event\":\"start\",\"pid\":1}\n"
         "{\"event\":\"end\",\"exit\":1,\"reason\":\"login refused (530)\"}\n";
  desktop.endHeldBatches();
  tick();

  EXPECT_TRUE(latest().contains(QStringLiteral("失敗"))) << latest().toStdString();
  EXPECT_TRUE(latest().contains(QStringLiteral("(login refused (530))")));
  EXPECT_EQ(table()->item(0, 2)->text(), QStringLiteral("失敗"));
  EXPECT_EQ(table()->item(0, 4)->text(), QStringLiteral("login refused (530)"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], u"TOC情報が得られません (login refused (530))");
  EXPECT_EQ(form.Command_toc[0]->caption(), u"TOC取得");

  window->jobBar().showNotice(u"受信できませんでした: PRJ*SRC.MAIN/R1 (element missing (550))");
  QApplication::processEvents();
  EXPECT_TRUE(window->grab().save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/job-bar.png"), "PNG"));
  EXPECT_TRUE(window->jobBar().jobList()->grab().save(
      QStringLiteral(MORVANTA_GUI_ARTIFACTS "/job-list.png"), "PNG"));
}

}  // namespace
}  // namespace morvanta::gui
