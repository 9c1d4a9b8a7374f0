// What a receive or bulk receive reports when it ends: the counts come from
// the runner's step records as the status file holds them.

#include "app/JobOutcome.h"

#include <gtest/gtest.h>

#include <string>

#include "jobs/JobStatus.h"

namespace morvanta::app {
namespace {

constexpr char kStart[] = "{\"event\":\"start\",\"pid\":77}\n";

std::string step(int done, int total, const std::string& element) {
  return "{\"event\":\"step\",\"done\":" + std::to_string(done) +
         ",\"total\":" + std::to_string(total) + ",\"element\":\"" + element + "\"}\n";
}

std::string end(int exitCode, const std::string& reason) {
  return "{\"event\":\"end\",\"exit\":" + std::to_string(exitCode) + ",\"reason\":\"" + reason +
         "\"}\n";
}

// A bulk job of PRJ*JCL for `asked` elements, ended in `state` after the
// runner wrote `status`.
jobs::Job bulkJob(jobs::JobState state, int asked, const std::string& status,
                  const std::u16string& reason = u"") {
  jobs::Job job;
  job.kind = jobs::JobKind::Bulk;
  job.subject = u"PRJ*JCL";
  job.elementCount = asked;
  job.state = state;
  job.reason = reason;
  job.status = jobs::parseStatus(status);
  return job;
}

TEST(BulkNoticeTest, CountsAreTheRunnersSteps) {
  using jobs::JobState;
  const std::string three =
      step(1, 3, "PRJ*JCL.A") + step(2, 3, "PRJ*JCL.B") + step(3, 3, "PRJ*JCL.C");
  EXPECT_EQ(jobEndNotice(bulkJob(JobState::Succeeded, 3, kStart + three + end(0, ""))),
            u"一括受信しました: PRJ*JCL (3件)");

  // Stopped at the second element: one arrived, and the reason names the
  // element that failed.
  const std::u16string missing = u"RETR PRJ*JCL.B: element missing (550)";
  EXPECT_EQ(jobEndNotice(bulkJob(JobState::Failed, 3,
                                 kStart + step(1, 3, "PRJ*JCL.A") + end(2, "x"), missing)),
            u"一括受信できませんでした: PRJ*JCL (1/3件受信; " + missing + u")");

  // Refused before any element: the command's count stands for the total.
  EXPECT_EQ(jobEndNotice(bulkJob(JobState::Failed, 3, kStart + end(3, "x"), u"login refused")),
            u"一括受信できませんでした: PRJ*JCL (0/3件受信; login refused)");

  // Cancelled after two: the user learns which part is on the PC.
  EXPECT_EQ(jobEndNotice(bulkJob(JobState::Cancelled, 3,
                                 kStart + step(1, 3, "PRJ*JCL.A") + step(2, 3, "PRJ*JCL.B"),
                                 u"中止しました")),
            u"一括受信を中止しました: PRJ*JCL (2/3件受信)");
}

TEST(BulkNoticeTest, WithoutStepRecordsTheCommandsCountStands) {
  // A status that told no steps (a runner that counts nothing) still names
  // how many were asked for rather than "0件".
  EXPECT_EQ(jobEndNotice(bulkJob(jobs::JobState::Succeeded, 2, kStart + end(0, ""))),
            u"一括受信しました: PRJ*JCL (2件)");
  // Nothing is known of a job whose outcome cannot be told.
  EXPECT_EQ(jobEndNotice(bulkJob(jobs::JobState::Finished, 2, "")), u"");
}

// A receive that failed before its element arrived says it was not
// received; one whose element arrived and whose editor or code conversion
// then failed must not: the file is on the PC.
TEST(ReceiveNoticeTest, AFailureAfterTheTransferSaysTheElementArrived) {
  jobs::Job job;
  job.kind = jobs::JobKind::Receive;
  job.subject = u"PRJ*SRC.CALC";
  job.state = jobs::JobState::Failed;
  job.reason = u"program not found: /opt/editor";
  job.status = jobs::parseStatus(kStart + step(1, 1, "PRJ*SRC.CALC") + end(1, "x"));
  EXPECT_EQ(jobEndNotice(job),
            u"受信しましたが、その後の処理に失敗しました: PRJ*SRC.CALC (program not found: "
            u"/opt/editor)");

  job.kind = jobs::JobKind::TypedReceive;
  job.reason = u"element PRJ*SRC.CALC missing (550)";
  job.status = jobs::parseStatus(kStart + end(2, "x"));
  EXPECT_EQ(jobEndNotice(job),
            u"受信できませんでした: PRJ*SRC.CALC (element PRJ*SRC.CALC missing (550))");
}

}  // namespace
}  // namespace morvanta::app
