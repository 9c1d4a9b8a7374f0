#include "jobs/JobQueue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/Platform.h"

namespace morvanta::jobs {
namespace {

namespace fs = std::filesystem;
using platform::BatchProcess;

// Starts nothing: each start gets an id that runs until the test ends it.
class FakeHost : public JobHost {
 public:
  BatchProcess start(const std::u16string& batchPath) override {
    if (refuseStart) throw platform::FileError("no runner");
    started.push_back(batchPath);
    // What the job's files said when it started.
    startedWith.push_back(readOrEmpty(batchPath));
    BatchProcess process;
    process.pid = nextPid++;
    process.reportsStatus = reportsStatus;
    running_[process.pid] = true;
    return process;
  }
  bool running(BatchProcess& process) override { return running_[process.pid]; }
  // A job that honours the stop ends with it; one that ignores it runs on.
  void stop(BatchProcess& process) override {
    stopped.push_back(process.pid);
    if (!ignoreStop) running_[process.pid] = false;
  }
  void cancel(BatchProcess& process) override {
    cancelled.push_back(process.pid);
    running_[process.pid] = false;
  }
  void release(BatchProcess&) override {}
  platform::DateTime now() override { return clock; }

  void endProcess(std::int64_t pid) { running_[pid] = false; }

  static std::string readOrEmpty(const std::u16string& path) {
    std::ifstream in(fs::path(platform::toUtf8(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  bool refuseStart = false;
  bool reportsStatus = true;
  bool ignoreStop = false;
  std::vector<std::int64_t> stopped;
  std::int64_t nextPid = 100;
  std::vector<std::u16string> started;
  std::vector<std::string> startedWith;
  std::vector<std::int64_t> cancelled;
  platform::DateTime clock{2026, 12, 7, 10, 0, 0};

 private:
  std::map<std::int64_t, bool> running_;
};

class JobQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("morvanta-queue-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::u16string path(const std::string& name) const {
    return platform::fromUtf8((folder_ / name).string());
  }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  bool exists(const std::string& name) const { return fs::exists(folder_ / name); }

  // A TOC-like request whose pair is written when its turn comes.
  JobRequest request(const std::string& batch, const std::string& script, int pane,
                     const std::u16string& scriptLine) {
    JobRequest r;
    r.kind = JobKind::Toc;
    r.pane = pane;
    r.subject = u"PRJ*SRC";
    r.batchPath = path(batch);
    r.scriptPath = path(script);
    r.files = {{r.scriptPath, {scriptLine}}, {r.batchPath, {u"ftp -s:" + r.scriptPath}}};
    return r;
  }

  void endWith(const std::string& batch, const std::string& lastLine, std::int64_t pid) {
    write(batch + ".status", "{\"event\":\"start\",\"pid\":1}\n" + lastLine);
    host.endProcess(pid);
  }

  fs::path folder_;
  FakeHost host;
  JobQueue queue{host};
};

TEST_F(JobQueueTest, JobsSharingFileNamesRunOneAfterTheOtherWithTheirOwnFiles) {
  const int first = queue.submit(request("TOC.BAT", "TOC.TXT", 0, u"mls PRJ*SRC"));
  const int second = queue.submit(request("TOC.BAT", "TOC.TXT", 1, u"mls PRJ*JCL"));
  const int other = queue.submit(request("RECV.BAT", "RECV.TXT", -1, u"get X"));

  EXPECT_EQ(queue.find(first)->state, JobState::Running);
  EXPECT_EQ(queue.find(second)->state, JobState::Queued);
  EXPECT_EQ(queue.find(other)->state, JobState::Running) << "other names do not wait";
  EXPECT_TRUE(queue.holds(path("TOC.TXT")));
  EXPECT_EQ(FakeHost::readOrEmpty(path("TOC.TXT")), "mls PRJ*SRC\r\n")
      << "the waiting job must not overwrite the running job's script";

  // Still running: nothing moves.
  EXPECT_TRUE(queue.poll().empty());
  EXPECT_EQ(queue.find(second)->state, JobState::Queued);

  endWith("TOC.BAT", "{\"event\":\"end\",\"exit\":0,\"reason\":\"\"}\n", 100);
  EXPECT_EQ(queue.poll(), std::vector<int>{first});
  EXPECT_EQ(queue.find(first)->state, JobState::Succeeded);
  EXPECT_EQ(queue.find(second)->state, JobState::Running);
  EXPECT_EQ(FakeHost::readOrEmpty(path("TOC.TXT")), "mls PRJ*JCL\r\n");
  EXPECT_FALSE(exists("TOC.BAT.status")) << "the first run's status must not end the second";
  ASSERT_EQ(host.started.size(), 3u);
  EXPECT_EQ(host.started[2], path("TOC.BAT"));
  EXPECT_TRUE(queue.find(second)->files.empty()) << "lines (and the password) are not kept";
}

TEST_F(JobQueueTest, OutcomeComesFromTheStatusFileAndTheProcess) {
  // Succeeded, failed with the runner's reason, failed with only an exit
  // code, ended without a word, and a client that never tells.
  const int ok = queue.submit(request("A.BAT", "A.TXT", 0, u"a"));
  const int bad = queue.submit(request("B.BAT", "B.TXT", 0, u"b"));
  const int bare = queue.submit(request("C.BAT", "C.TXT", 0, u"c"));
  const int silent = queue.submit(request("D.BAT", "D.TXT", 0, u"d"));
  host.reportsStatus = false;
  const int unknown = queue.submit(request("E.BAT", "E.TXT", 0, u"e"));

  write("A.BAT.status",
        "{\"event\":\"start\",\"pid\":1}\n"
        "{\"event\":\"step\",\"done\":1,\"total\":1,\"element\":\"X\"}\n");
  EXPECT_TRUE(queue.poll().empty());
  EXPECT_EQ(queue.find(ok)->status.done, 1) << "progress is read while it runs";

  endWith("A.BAT", "{\"event\":\"end\",\"exit\":0,\"reason\":\"\"}\n", 100);
  endWith("B.BAT", "{\"event\":\"end\",\"exit\":1,\"reason\":\"element missing (550)\"}\n", 101);
  endWith("C.BAT", "{\"event\":\"end\",\"exit\":3,\"reason\":\"\"}\n", 102);
  host.endProcess(103);
  host.endProcess(104);
  EXPECT_EQ(queue.poll().size(), 5u);

  EXPECT_EQ(queue.find(ok)->state, JobState::Succeeded);
  EXPECT_EQ(queue.find(ok)->reason, u"");
  EXPECT_EQ(queue.find(bad)->state, JobState::Failed);
  EXPECT_EQ(queue.find(bad)->reason, u"element missing (550)");
  EXPECT_EQ(queue.find(bare)->reason, u"exit 3");
  EXPECT_EQ(queue.find(silent)->state, JobState::Failed) << "a runner killed mid-way";
  EXPECT_EQ(queue.find(silent)->reason, kNoOutcomeReason);
  EXPECT_EQ(queue.find(unknown)->state, JobState::Finished);
  EXPECT_FALSE(queue.anyUnfinished());
  EXPECT_TRUE(queue.poll().empty()) << "each end is reported once";
}

TEST_F(JobQueueTest, JobsThatCannotStartFailWithTheReasonAndFreeTheirNames) {
  host.refuseStart = true;
  const int refused = queue.submit(request("TOC.BAT", "TOC.TXT", 0, u"x"));
  EXPECT_EQ(queue.find(refused)->state, JobState::Failed);
  EXPECT_EQ(queue.find(refused)->reason, std::u16string(kCannotStartReason) + u"no runner");
  EXPECT_FALSE(queue.holds(path("TOC.BAT")));

  host.refuseStart = false;
  JobRequest unwritable = request("TOC.BAT", "TOC.TXT", 0, u"x");
  unwritable.files[0].path = path("missing/TOC.TXT");
  const int noFolder = queue.submit(unwritable);
  EXPECT_EQ(queue.find(noFolder)->state, JobState::Failed);
  EXPECT_TRUE(queue.find(noFolder)->reason.starts_with(kCannotWriteReason));
  EXPECT_EQ(queue.poll(), (std::vector<int>{refused, noFolder}));
  EXPECT_EQ(host.started.size(), 0u);
}

TEST_F(JobQueueTest, CancelAsksTheJobToStopAndClearsHalfWrittenFilesAndItsScript) {
  JobRequest bulk = request("RECVAUTO.BAT", "RECVAUTO.TXT", 0, u"get");
  bulk.kind = JobKind::Bulk;
  bulk.outputFolders = {path("")};
  const int running = queue.submit(bulk);
  const int waiting = queue.submit(request("RECVAUTO.BAT", "RECVAUTO.TXT", 1, u"second"));
  write("MAIN.txt", "complete");
  write("CALC.txt.0123456789abcdef.tmp", "half");
  write("notes.tmp", "the user's own");

  EXPECT_TRUE(queue.cancel(waiting));
  EXPECT_EQ(queue.find(waiting)->state, JobState::Cancelled);
  EXPECT_TRUE(queue.cancel(running));
  EXPECT_EQ(queue.find(running)->state, JobState::Cancelled);
  EXPECT_EQ(host.stopped, std::vector<std::int64_t>{100});
  EXPECT_TRUE(host.cancelled.empty()) << "a job that stops by itself is not killed";
  EXPECT_FALSE(exists("CALC.txt.0123456789abcdef.tmp"));
  EXPECT_FALSE(exists("RECVAUTO.TXT")) << "the script holds the password";
  EXPECT_TRUE(exists("MAIN.txt"));
  EXPECT_TRUE(exists("notes.tmp"));
  EXPECT_FALSE(queue.cancel(running)) << "already over";

  EXPECT_EQ(queue.poll(), (std::vector<int>{waiting, running}));
  EXPECT_EQ(host.started.size(), 1u) << "the cancelled waiting job never starts";
}

TEST_F(JobQueueTest, AJobThatIgnoresTheStopKeepsItsNamesUntilItIsKilledAfterTheGrace) {
  host.ignoreStop = true;
  JobRequest toc = request("TOC.BAT", "TOC.TXT", 0, u"mls PRJ*SRC");
  toc.outputFolders = {path("")};
  const int first = queue.submit(toc);
  write("0TOC-RSLT.TXT.0123456789abcdef.tmp", "half");
  ASSERT_TRUE(queue.cancel(first));
  EXPECT_EQ(queue.find(first)->state, JobState::Cancelled) << "told at once";
  EXPECT_EQ(queue.unfinished(JobKind::Toc, 0), nullptr);

  const int second = queue.submit(request("TOC.BAT", "TOC.TXT", 0, u"mls PRJ*JCL"));
  EXPECT_TRUE(queue.holds(path("TOC.TXT")));
  host.clock.second += 1;
  queue.poll();
  EXPECT_TRUE(host.cancelled.empty()) << "still within the grace";
  EXPECT_EQ(queue.find(second)->state, JobState::Queued) << "the stopping job still reads TOC.TXT";
  EXPECT_TRUE(exists("0TOC-RSLT.TXT.0123456789abcdef.tmp"));

  host.clock.second += 1;
  queue.poll();
  EXPECT_EQ(host.cancelled, std::vector<std::int64_t>{100});
  EXPECT_FALSE(exists("0TOC-RSLT.TXT.0123456789abcdef.tmp"));
  EXPECT_EQ(queue.find(second)->state, JobState::Running);
  EXPECT_EQ(FakeHost::readOrEmpty(path("TOC.TXT")), "mls PRJ*JCL\r\n")
      << "the next job's script is written after the killed job's is erased";
}

TEST_F(JobQueueTest, AWatchedJobsScriptIsErasedHoweverItEnds) {
  const int ok = queue.submit(request("TOC.BAT", "TOC.TXT", 0, u"mls PRJ*SRC"));
  const int broken = queue.submit(request("RECV.BAT", "RECV.TXT", 0, u"get"));
  endWith("TOC.BAT", "{\"event\":\"end\",\"exit\":0,\"reason\":\"\"}\n", 100);
  host.endProcess(101);  // died without a word
  queue.poll();
  EXPECT_EQ(queue.find(ok)->state, JobState::Succeeded);
  EXPECT_EQ(queue.find(broken)->state, JobState::Failed);
  EXPECT_FALSE(exists("TOC.TXT"));
  EXPECT_FALSE(exists("RECV.TXT"));
}

TEST_F(JobQueueTest, ElapsedTimeAndTheUnfinishedJobOfAPane) {
  const int id = queue.submit(request("TOC.BAT", "TOC.TXT", 2, u"x"));
  host.clock = {2026, 12, 8, 0, 0, 5};  // past midnight
  const Job* job = queue.unfinished(JobKind::Toc, 2);
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(job->id, id);
  EXPECT_EQ(queue.unfinished(JobKind::Toc, 1), nullptr);
  EXPECT_EQ(queue.elapsedSeconds(*job), 14 * 3600 + 5);

  queue.cancel(id);
  host.clock = {2026, 12, 9, 0, 0, 0};
  EXPECT_EQ(queue.elapsedSeconds(*queue.find(id)), 14 * 3600 + 5) << "stops at the end";
  EXPECT_EQ(queue.unfinished(JobKind::Toc, 2), nullptr);
}

TEST_F(JobQueueTest, KeepsOnlyTheNewestFinishedJobs) {
  host.refuseStart = true;
  for (std::size_t n = 0; n < JobQueue::kKeptFinished + 5; ++n) {
    queue.submit(request("TOC.BAT", "TOC.TXT", 0, u"x"));
  }
  queue.poll();
  queue.submit(request("TOC.BAT", "TOC.TXT", 0, u"x"));
  EXPECT_EQ(queue.jobs().size(), JobQueue::kKeptFinished);
  EXPECT_EQ(queue.latest()->id, static_cast<int>(JobQueue::kKeptFinished) + 6);
}

TEST(JobTime, SecondsBetweenDatesAcrossMonthsAndYears) {
  EXPECT_EQ(secondsBetween({2026, 12, 31, 23, 59, 59}, {2027, 1, 1, 0, 0, 1}), 2);
  EXPECT_EQ(secondsBetween({2028, 2, 28, 12, 0, 0}, {2028, 3, 1, 12, 0, 0}), 2 * 86400)
      << "leap day";
  EXPECT_EQ(secondsBetween({2026, 1, 1, 0, 0, 10}, {2026, 1, 1, 0, 0, 0}), 0);
  EXPECT_EQ(secondsBetween({}, {2026, 1, 1, 0, 0, 0}), 0) << "no start yet";
}

}  // namespace
}  // namespace morvanta::jobs
