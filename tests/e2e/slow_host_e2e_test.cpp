// Jobs against hosts that take their time: a listing that takes longer
// than the pane's tick limit, and a bulk receive that is cancelled while an
// element trickles in.

#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/JobOutcome.h"
#include "catalogue/TocRequest.h"
#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::u16string>;

// The *.tmp files of a folder.
Lines temporaryFilesIn(const std::u16string& folder) {
  Lines found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(platform::toUtf8(folder), error), end;
       !error && it != end; it.increment(error)) {
    if (it->path().extension() == ".tmp") found.push_back(platform::fromUtf8(it->path().string()));
  }
  return found;
}

class SlowListingE2eTest : public E2eFixture {
 protected:
  // Past ten ticks of the pane's 1 s timer, and past the runner's wait for
  // one reply of the host, but the data keeps coming.
  SlowListingE2eTest() : E2eFixture({.slowListingSeconds = 10.5}) {}
  std::u16string workFile(const std::u16string& name) { return form->FOLDER_NAME(u"WK", name); }
};

TEST_F(SlowListingE2eTest, CancelledTocLeavesNoScriptNoPartialListingAndSaysSo) {
  loadAgainstHost();
  form->Combo_host[0]->setText(kHostName);
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  form->Command_toc_Click(0);
  const jobs::Job* job = form->jobs.latest();
  ASSERT_NE(job, nullptr);
  const int id = job->id;
  ASSERT_TRUE(waitUntil([&] {
    form->Jobs_Tick();
    return !temporaryFilesIn(workFile(u"")).empty() || form->jobs.find(id)->over();
  })) << "the listing never began";
  ASSERT_EQ(form->jobs.find(id)->state, jobs::JobState::Running);
  form->Command_toc_Click(0);  // 取得中止
  EXPECT_EQ(form->jobs.find(id)->state, jobs::JobState::Cancelled);

  ASSERT_TRUE(waitUntil([&] {
    form->Jobs_Tick();
    return !form->jobs.holds(workFile(u"TOC.TXT"));
  }));
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT"))) << "the password is left behind";
  EXPECT_EQ(temporaryFilesIn(workFile(u"")), Lines{});
  const jobs::JobStatus status = jobs::readStatusFile(workFile(u"TOC.BAT.status"));
  EXPECT_TRUE(status.ended) << "no end record";
  EXPECT_EQ(status.exitCode, 143);
}

TEST_F(SlowListingE2eTest, ListingSlowerThanTheTickLimitLoadsWhenComplete) {
  loadAgainstHost();
  form->Combo_host[0]->setText(kHostName);
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  form->Command_toc_Click(0);
  ASSERT_TRUE(form->Timer1[0]->enabled());

  // More ticks than the limit while the listing is still on its way: the
  // wait goes on, as the job has not ended.
  for (int tick = 0; tick <= catalogue::kPollTickLimit; ++tick) form->Timer1_Timer(0);
  ASSERT_NE(form->jobs.unfinished(jobs::JobKind::Toc, 0), nullptr);
  EXPECT_TRUE(form->Timer1[0]->enabled()) << "the pane gave up on a running job";
  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());

  // Then the window's timers as they run: a tick a second, the jobs often.
  auto nextTick = std::chrono::steady_clock::now() + 1s;
  ASSERT_TRUE(waitUntil([&] {
    if (std::chrono::steady_clock::now() >= nextTick) {
      form->Timer1_Timer(0);
      nextTick += 1s;
    }
    form->Jobs_Tick();
    return !form->Timer1[0]->enabled();
  })) << "the listing never loaded";

  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());
  EXPECT_EQ(form->jobs.latest()->state, jobs::JobState::Succeeded)
      << u8(form->jobs.latest()->reason);
  EXPECT_EQ(rows(*form->List_elt[0]).size(), 7u);
  EXPECT_EQ(form->Command_toc[0]->caption(), catalogue::kTocCaption);
}

class TricklingHostE2eTest : public E2eFixture {
 protected:
  // An element of a few hundred bytes takes many seconds to arrive.
  TricklingHostE2eTest() : E2eFixture({.trickleSeconds = 0.05}) {}
  std::u16string workFile(const std::u16string& name) { return form->FOLDER_NAME(u"WK", name); }
};

TEST_F(TricklingHostE2eTest, CancelledBulkJobLeavesNoPartialFileAndSaysSo) {
  const std::u16string pcFolder = folder.file(u"runstreams");
  ASSERT_TRUE(platform::createFolder(pcFolder));
  loadAgainstHost({.bulkRows = {u"HTM-AUTO-MAKE,PRJ*JCL,RUNSTREAM,PJ01," + pcFolder + u",NONE"}});
  // Listings do not trickle; BUILD and NIGHTLY/R1 have no PC copy (DAILY is
  // dated by its year only and never taken).
  ASSERT_TRUE(fetchToc(0, u"PRJ*JCL").ok);
  desktop.yesNoCancelAnswers.push_back(forms::Answer::Yes);
  form->Text_2200file[0]->setText(u"PRJ*JCL");
  form->Command_AUTO_recv_Click(0);
  const jobs::Job* job = form->jobs.latest();
  ASSERT_NE(job, nullptr);
  ASSERT_EQ(job->kind, jobs::JobKind::Bulk);
  const int id = job->id;

  // Cancelled once the first element's bytes are arriving.
  ASSERT_TRUE(waitUntil([&] {
    form->Jobs_Tick();
    return form->jobs.find(id)->status.bytesDone > 0 || form->jobs.find(id)->over();
  }));
  ASSERT_EQ(form->jobs.find(id)->state, jobs::JobState::Running) << u8(job->reason);
  const auto runnerPid = static_cast<pid_t>(form->jobs.find(id)->status.pid);
  ASSERT_GT(runnerPid, 0);
  EXPECT_FALSE(filesIn(pcFolder).empty()) << "the element is written under a temporary name";
  form->Job_Cancel(id);

  job = form->jobs.find(id);
  EXPECT_EQ(job->state, jobs::JobState::Cancelled);
  // The runner was asked to stop, so it cleans up and says so itself.
  ASSERT_TRUE(waitUntil([&] {
    form->Jobs_Tick();
    return ::kill(runnerPid, 0) == -1 && !form->jobs.holds(workFile(u"RECVAUTO.TXT"));
  })) << "the runner still runs";
  EXPECT_EQ(filesIn(pcFolder), Lines{}) << "a partial file is left: " << u8(filesIn(pcFolder)[0]);
  EXPECT_FALSE(platform::fileExists(workFile(u"RECVAUTO.TXT"))) << "the password is left behind";
  EXPECT_EQ(temporaryFilesIn(workFile(u"")), Lines{});
  const jobs::JobStatus status = jobs::readStatusFile(workFile(u"RECVAUTO.BAT.status"));
  EXPECT_TRUE(status.ended);
  EXPECT_EQ(status.exitCode, 143);
  EXPECT_EQ(desktop.notices,
            Lines{app::kBulkCancelledMessage + std::u16string(u"PRJ*JCL (0/2件受信)")});
  // Nothing more comes of it on later ticks.
  form->Jobs_Tick();
  EXPECT_EQ(desktop.notices.size(), 1u);
  EXPECT_EQ(filesIn(pcFolder), Lines{});
}

}  // namespace
}  // namespace morvanta::testing
