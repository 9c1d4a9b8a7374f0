#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/TestFiles.h"

namespace morvanta::platform {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::waitForContent;
using testing::writeBytes;

namespace fs = std::filesystem;
using Words = std::vector<std::u16string>;

TEST(SplitCommandLine, BlanksSeparateQuotesGroup) {
  struct Case {
    std::u16string line;
    Words words;
  };
  const Case cases[] = {
      {u"", {}},
      {u"   ", {}},
      {u"notepad", {u"notepad"}},
      {u"  edit   a.txt\tb.txt ", {u"edit", u"a.txt", u"b.txt"}},
      {u"\"C:\\Program Files\\ed.exe\" \"my file.txt\"",
       {u"C:\\Program Files\\ed.exe", u"my file.txt"}},
      {u"tool \"\" x", {u"tool", u"", u"x"}},  // an empty quoted word counts
      {u"a\"b c\"d", {u"ab cd"}},              // quotes inside a word
      {u"tool \"unclosed arg", {u"tool", u"unclosed arg"}},
      {u"ＰＲＪ＊ＳＲＣ　x", {u"ＰＲＪ＊ＳＲＣ　x"}},  // an ideographic space is no blank
  };
  for (const auto& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.words) << toUtf8(c.line);
}

// A one-line shell script in the folder; returns its path.
std::u16string writeScript(const TempFolder& folder, const std::string& name,
                           const std::string& body, mode_t mode = 0755) {
  const auto path = folder.file(name);
  writeBytes(path, "#!/bin/sh\n" + body + "\n");
  ::chmod(toUtf8(path).c_str(), mode);
  return path;
}

// Restores PATH when the test ends.
class PathGuard {
 public:
  explicit PathGuard(const std::string& value) {
    const char* old = std::getenv("PATH");
    had_ = old != nullptr;
    if (had_) old_ = old;
    ::setenv("PATH", value.c_str(), 1);
  }
  ~PathGuard() {
    if (had_) {
      ::setenv("PATH", old_.c_str(), 1);
    } else {
      ::unsetenv("PATH");
    }
  }

 private:
  bool had_ = false;
  std::string old_;
};

TEST(RunAndWait, ReturnsTheExitStatusAfterTheProgramEnded) {
  TempFolder folder;
  const std::u16string marker = folder.file("done");
  EXPECT_EQ(runAndWait(u"sh", {u"-c", u"echo x > \"$0\"; exit 3", marker}), 3);
  EXPECT_EQ(readBytes(marker), "x\n");  // written before runAndWait returned
  EXPECT_EQ(runAndWait(u"true", {}), 0);
}

TEST(RunAndWait, MissingProgramIsAFileError) {
  EXPECT_FALSE(programExists(u"no-such-program-here"));
  EXPECT_FALSE(programExists(u""));
  EXPECT_TRUE(programExists(u"sh"));
  EXPECT_THROW(runAndWait(u"no-such-program-here", {}), FileError);
}

TEST(StartDetached, ProgramRunsAndOutputIsAppendedToLog) {
  TempFolder folder;
  const auto log = folder.file("job.log");
  writeBytes(log, "earlier\n");
  startDetached(u"/bin/sh", {u"-c", u"echo \"$0\" out; echo err >&2", u"漢 字"}, log);
  EXPECT_EQ(waitForContent(log, "earlier\n漢 字 out\nerr\n"), "earlier\n漢 字 out\nerr\n");
}

TEST(StartDetached, FindsProgramOnPath) {
  TempFolder folder;
  const auto marker = folder.file("ran");
  startDetached(u"sh", {u"-c", u"echo ok > \"$0\"", marker});
  EXPECT_EQ(waitForContent(marker, "ok\n"), "ok\n");
}

TEST(StartDetached, ScriptWithoutInterpreterLineStillRuns) {
  TempFolder folder;
  const auto script = folder.file("plain.sh");
  writeBytes(script, "echo plain\n");
  ::chmod(toUtf8(script).c_str(), 0755);
  const auto log = folder.file("log");
  startDetached(script, {}, log);
  EXPECT_EQ(waitForContent(log, "plain\n"), "plain\n");
}

TEST(StartDetached, FailuresAreFileErrorsNamingTheProgram) {
  TempFolder folder;
  const auto notExecutable = writeScript(folder, "locked.sh", "echo no", 0644);
  const std::u16string programs[] = {u"morvanta-no-such-program", folder.file("absent"),
                                     notExecutable};
  for (const auto& program : programs) {
    try {
      startDetached(program, {});
      ADD_FAILURE() << "started " << toUtf8(program);
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(toUtf8(program)), std::string::npos) << e.what();
    }
  }
}

TEST(StartDetached, LogInMissingFolderIsAFileError) {
  TempFolder folder;
  EXPECT_THROW(startDetached(u"/bin/true", {}, folder.file("no/such/log")), FileError);
}

TEST(StartDetached, LeavesNoChildToReap) {
  TempFolder folder;
  const auto marker = folder.file("done");
  startDetached(u"/bin/sh", {u"-c", u"echo x > \"$0\"", marker});
  EXPECT_EQ(waitForContent(marker, "x\n"), "x\n");
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(StartCommandLine, SplitsThenStarts) {
  TempFolder folder;
  const auto marker = folder.file("started");
  startCommandLine(u"/bin/sh -c \"echo started > $0\" " + marker);
  EXPECT_EQ(waitForContent(marker, "started\n"), "started\n");
  EXPECT_THROW(startCommandLine(u"   "), FileError);
}

// Points MORVANTA_RUNNER at a runner of the test's own while it lives.
class RunnerGuard {
 public:
  explicit RunnerGuard(const std::u16string& runner) {
    ::setenv("MORVANTA_RUNNER", toUtf8(runner).c_str(), 1);
  }
  ~RunnerGuard() { ::unsetenv("MORVANTA_RUNNER"); }
  RunnerGuard(const RunnerGuard&) = delete;
  RunnerGuard& operator=(const RunnerGuard&) = delete;
};

TEST(StartBatchFile, RunsTheJobRunnerWithALogBesideTheBatch) {
  TempFolder folder;
  RunnerGuard runner(writeScript(folder, "fake-run", "echo \"runner $1\""));
  const auto batch = folder.file("TOC.BAT");
  writeBytes(batch, "ftp -s:TOC.TXT\r\n");
  startBatchFile(batch);
  const std::string expected = "runner " + toUtf8(batch) + "\n";
  EXPECT_EQ(waitForContent(batch + u".log", expected), expected);
}

TEST(StartBatchFile, MissingJobRunnerIsAClearFileError) {
  TempFolder folder;
  RunnerGuard runner(folder.file("no-such-runner"));
  const auto batch = folder.file("TOC.BAT");
  writeBytes(batch, "ftp -s:TOC.TXT\r\n");
  for (const bool watched : {false, true}) {
    try {
      if (watched) {
        startWatchedBatch(batch);
      } else {
        startBatchFile(batch);
      }
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find("job runner morvanta-run was not found"),
                std::string::npos)
          << e.what();
    }
  }
  EXPECT_FALSE(fileExists(batch + u".log"));
}

TEST(StartWatchedBatch, RunsUntilItEndsAndCancelEndsTheWholeGroup) {
  TempFolder folder;
  // The runner starts a program of its own that would outlive it.
  RunnerGuard runner(
      writeScript(folder, "fake-run", "echo started; sleep 30 & echo $! > \"$1.child\"; wait"));
  const auto batch = folder.file("RECV.BAT");
  writeBytes(batch, "ftp -s:RECV.TXT\r\n");
  BatchProcess job = startWatchedBatch(batch);
  EXPECT_TRUE(job.reportsStatus);
  EXPECT_TRUE(batchRunning(job));
  EXPECT_EQ(waitForContent(batch + u".log", "started\n"), "started\n");
  std::string childText;
  for (int tries = 0; tries < 1000 && !childText.ends_with('\n'); ++tries) {
    sleepMilliseconds(10);
    childText = readBytes(batch + u".child");
  }
  ASSERT_TRUE(childText.ends_with('\n'));

  cancelBatch(job);
  EXPECT_FALSE(batchRunning(job));
  const pid_t child = static_cast<pid_t>(std::stol(childText));
  // The grandchild got the same signal; once reaped by the system it is gone.
  bool gone = false;
  for (int tries = 0; tries < 200 && !gone; ++tries) {
    gone = ::kill(child, 0) != 0;
    if (!gone) sleepMilliseconds(10);
  }
  EXPECT_TRUE(gone) << "a program the runner started survived the cancel";
}

TEST(TrimLog, KeepsTheLastWholeLinesOfALongLog) {
  TempFolder folder;
  const auto log = folder.file("TOC.BAT.log");
  std::string text;
  for (int run = 0; run < 100; ++run) text += "run " + std::to_string(run) + " ended\n";
  writeBytes(log, text);
  trimLog(log, text.size(), 40);
  EXPECT_EQ(readBytes(log), text) << "not over the limit";
  trimLog(log, 100, 40);
  const std::string kept = readBytes(log);
  EXPECT_EQ(kept, "run 97 ended\nrun 98 ended\nrun 99 ended\n");
  trimLog(folder.file("absent.log"));  // nothing to trim, nothing thrown
}

TEST(RemoveTemporaryFiles, RemovesOnlyHalfWrittenFiles) {
  TempFolder folder;
  writeBytes(folder.file("MAIN.txt"), "x");
  writeBytes(folder.file("MAIN.txt.00112233aabbccdd.tmp"), "x");
  writeBytes(folder.file("notes.tmp"), "x");
  writeBytes(folder.file("a.0011223344556677X.tmp"), "x");
  EXPECT_EQ(removeTemporaryFiles(folder.fsPath().u16string()), 1);
  EXPECT_EQ(listFiles(folder.fsPath().u16string()),
            (std::vector<std::u16string>{u"MAIN.txt", u"a.0011223344556677X.tmp", u"notes.tmp"}));
  EXPECT_EQ(removeTemporaryFiles(folder.file("absent")), 0);

  // One file's temporaries only: another job's in the same folder stay.
  writeBytes(folder.file("0TOC-RSLT.TXT.00112233aabbccdd.tmp"), "x");
  writeBytes(folder.file("1TOC-RSLT.TXT.00112233aabbccdd.tmp"), "x");
  writeBytes(folder.file("X0TOC-RSLT.TXT.00112233aabbccdd.tmp"), "x");
  EXPECT_EQ(removeTemporaryFilesOf(folder.file("0TOC-RSLT.TXT")), 1);
  EXPECT_EQ(removeTemporaryFiles(folder.fsPath().u16string()), 2);
}

TEST(StartBatchFile, MissingBatchFileIsAFileError) {
  TempFolder folder;
  EXPECT_THROW(startBatchFile(folder.file("absent.BAT")), FileError);
}

TEST(Environment, ReadsVariablesAndFolders) {
  ::setenv("MORVANTA_PLATFORM_TEST", "\xE6\xBC\xA2", 1);
  EXPECT_EQ(environment(u"MORVANTA_PLATFORM_TEST"), u"漢");
  ::unsetenv("MORVANTA_PLATFORM_TEST");
  EXPECT_EQ(environment(u"MORVANTA_PLATFORM_TEST"), u"");
  EXPECT_EQ(executableFolder(), fromUtf8(MORVANTA_BIN_DIR));
  EXPECT_EQ(currentFolder(), fromUtf8(fs::current_path().string()));
}

}  // namespace
}  // namespace morvanta::platform
