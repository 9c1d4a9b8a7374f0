// How each job's end reaches the user: failures with the runner's reason,
// TOC requests that end with their job, and jobs that share file names.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"
#include "transfer/SendGuard.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;

class JobsE2eTest : public E2eFixture {
 protected:
  // Ticks the form's jobs until none is left running (bounded).
  void settleJobs() {
    EXPECT_TRUE(waitUntil([&] {
      form->Jobs_Tick();
      return !form->jobs.anyUnfinished();
    })) << "a job did not end";
  }

  void selectElement(int i, const std::u16string& element) {
    forms::ListBox& list = *form->List_elt[static_cast<std::size_t>(i)];
    const Lines entries = rows(list);
    const auto at = std::find(entries.begin(), entries.end(), element);
    ASSERT_NE(at, entries.end()) << u8(element) << " is not listed";
    list.setListIndex(static_cast<int>(at - entries.begin()));
  }
};

TEST_F(JobsE2eTest, ReceiveOfAMissingElementIsAnnouncedWithTheReason) {
  loadAgainstHost();
  ASSERT_TRUE(fetchToc(0, u"PRJ*SRC").ok);
  // Gone from the host between the listing and the double-click.
  std::filesystem::remove(host.elementPath("PRJ*SRC", "MAIN.R1_SYM"));
  selectElement(0, u"MAIN/R1");
  form->List_elt_DblClick(0);
  settleJobs();

  ASSERT_EQ(desktop.notices.size(), 1u);
  const std::string notice = u8(desktop.notices[0]);
  EXPECT_TRUE(notice.starts_with("受信できませんでした: PRJ*SRC.MAIN/R1 (")) << notice;
  EXPECT_NE(notice.find("550"), std::string::npos) << notice;
  EXPECT_TRUE(desktop.messages.empty()) << "a failure needs no modal box";
  const jobs::Job* job = form->jobs.latest();
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(job->state, jobs::JobState::Failed);
  EXPECT_TRUE(editorRuns().empty()) << "the editor opened on a file that never came";
}

TEST_F(JobsE2eTest, ReceiveWhoseEditorCannotStartSaysTheElementArrived) {
  loadAgainstHost();
  ASSERT_TRUE(fetchToc(0, u"PRJ*SRC").ok);
  std::filesystem::remove(std::filesystem::path(editorProgram()));
  selectElement(0, u"MAIN/R1");
  form->List_elt_DblClick(0);
  settleJobs();

  ASSERT_EQ(desktop.notices.size(), 1u);
  const std::string notice = u8(desktop.notices[0]);
  EXPECT_TRUE(notice.starts_with("受信しましたが、その後の処理に失敗しました: PRJ*SRC.MAIN/R1 ("))
      << notice;
  EXPECT_TRUE(platform::fileExists(platform::joinPath(receiveFolder(u"PRJ*SRC"), u"MAIN／R1.txt")));
}

TEST_F(JobsE2eTest, SendToAStoppedHostNeverLooksLikeSuccess) {
  loadAgainstHost({.send = true});
  ASSERT_TRUE(fetchToc(0, u"PRJ*SRC").ok);
  selectElement(0, u"MAIN/R1");
  form->List_elt_DblClick(0);
  settleJobs();
  ASSERT_TRUE(desktop.notices.empty());

  host.stop();
  form->List_send[0]->setListIndex(0);
  desktop.okCancelAnswers.push_back(true);
  form->List_send_DblClick(0);
  settleJobs();

  // The check before the send cannot reach the host: nothing is sent, and
  // the user is told why.
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::string message = u8(desktop.messages[0]);
  EXPECT_TRUE(message.starts_with(u8(transfer::kCheckFailedMessage) + "PRJ*SRC.MAIN/R1 ("))
      << message;
  EXPECT_NE(message.find("host unreachable"), std::string::npos) << message;
  EXPECT_TRUE(desktop.titles.empty()) << "no send was offered";
  EXPECT_EQ(form->jobs.latest()->kind, jobs::JobKind::SendCheck);
  EXPECT_EQ(form->jobs.latest()->state, jobs::JobState::Failed);
}

TEST_F(JobsE2eTest, WrongPasswordTocEndsWithTheReasonAndNoTickLimit) {
  loadAgainstHost();
  form->pub.ftpPassword = u"not-the-password";
  form->Combo_host[2]->setText(kHostName);
  form->Text_2200file[2]->setText(u"PRJ*SRC");
  form->Command_toc_Click(2);
  EXPECT_EQ(form->Command_toc[2]->caption(), u"取得中止") << "the button offers to cancel";
  // No Timer1 tick at all: the job's end alone ends the wait.
  settleJobs();

  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::string message = u8(desktop.messages[0]);
  EXPECT_TRUE(message.starts_with("TOC情報が得られません (")) << message;
  EXPECT_EQ(message.find("not-the-password"), std::string::npos);
  EXPECT_FALSE(form->Timer1[2]->enabled());
  EXPECT_EQ(form->Command_toc[2]->caption(), u"TOC取得");
  EXPECT_TRUE(form->Command_toc[2]->enabled());
  const std::string status = readBytes(workFile(u"TOC.BAT.status"));
  EXPECT_EQ(status.find("not-the-password"), std::string::npos) << status;
}

TEST_F(JobsE2eTest, TwoPanesRequestingBackToBackEachGetTheirOwnListing) {
  loadAgainstHost();
  form->Check_mdir->setChecked(false);
  form->Check_mdir_Click();
  form->Combo_host[0]->setText(kHostName);
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  form->Combo_host[1]->setText(kHostName);
  form->Text_2200file[1]->setText(u"PRJ*JCL");
  form->Command_toc_Click(0);
  form->Command_toc_Click(1);
  EXPECT_EQ(form->jobs.unfinished(jobs::JobKind::Toc, 1)->state, jobs::JobState::Queued)
      << "pane 1's job would overwrite TOC.TXT under pane 0's";
  settleJobs();

  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());
  EXPECT_EQ(rows(*form->List_elt[0]).size(), 7u);
  EXPECT_EQ(rows(*form->List_elt[1]), (Lines{u"BUILD", u"DAILY", u"NIGHTLY/R1"}));
  EXPECT_FALSE(form->Timer1[0]->enabled());
  EXPECT_FALSE(form->Timer1[1]->enabled());
}

}  // namespace
}  // namespace morvanta::testing
