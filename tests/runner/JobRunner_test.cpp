// Batch files run without a network: built-in commands, programs, and the
// stop at the first failing line.

#include "runner/JobRunner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/TestFiles.h"

namespace morvanta::runner {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::u8;
using testing::writeBytes;
using testing::writeJobFile;

class JobRunnerTest : public ::testing::Test {
 protected:
  // Runs the lines as a batch file; returns the exit code.
  int run(const std::vector<std::string>& lines) {
    const auto batch = folder / "JOB.BAT";
    writeJobFile(batch, lines);
    output.str("");
    JobRunner runner(output);
    return runner.runBatchFile(batch);
  }
  std::string p(const std::string& name) const { return u8(folder / name); }
  bool exists(const std::string& name) const {
    return std::filesystem::exists(std::filesystem::path(folder / name));
  }

  TempFolder folder;
  std::ostringstream output;
};

TEST_F(JobRunnerTest, LinesThatDoNothingAndEcho) {
  EXPECT_EQ(run({"@echo off", "", "REM a comment", ":: another", "echo hello"}), 0);
  EXPECT_NE(output.str().find("hello\n"), std::string::npos);
  EXPECT_EQ(output.str().find("comment"), std::string::npos);
}

TEST_F(JobRunnerTest, XcopyReplacesAndEraseDeletes) {
  // The receive job's conversion tail, with the system's own file names.
  writeBytes(folder / "O$U$TMAIN\xEF\xBC\x8FR1.txt", "converted\r\n");
  writeBytes(folder / "MAIN\xEF\xBC\x8FR1.txt", "received\r\n");
  EXPECT_EQ(run({"XCOPY /Y " + p("O$U$TMAIN\xEF\xBC\x8FR1.txt") + " " + p("MAIN\xEF\xBC\x8FR1.txt"),
                 "ERASE " + p("O$U$TMAIN\xEF\xBC\x8FR1.txt")}),
            0)
      << output.str();
  EXPECT_EQ(readBytes(folder / "MAIN\xEF\xBC\x8FR1.txt"), "converted\r\n");
  EXPECT_FALSE(exists("O$U$TMAIN\xEF\xBC\x8FR1.txt"));
}

TEST_F(JobRunnerTest, XcopyIntoAFolderAndWithoutReplace) {
  writeBytes(folder / "a.txt", "A");
  std::filesystem::create_directory(std::filesystem::path(folder / "sub"));
  EXPECT_EQ(run({"XCOPY /Y " + p("a.txt") + " " + p("sub")}), 0) << output.str();
  EXPECT_EQ(readBytes(folder / "sub/a.txt"), "A");

  writeBytes(folder / "b.txt", "B");
  EXPECT_EQ(run({"XCOPY " + p("a.txt") + " " + p("b.txt")}), 1);
  EXPECT_NE(output.str().find("without /Y"), std::string::npos);
  EXPECT_EQ(readBytes(folder / "b.txt"), "B");
}

TEST_F(JobRunnerTest, XcopyOfAMissingFileFails) {
  EXPECT_EQ(run({"XCOPY /Y " + p("none.txt") + " " + p("b.txt")}), 1);
  EXPECT_NE(output.str().find("file not found"), std::string::npos);
  EXPECT_EQ(run({"XCOPY /Y " + p("none.txt")}), 1);
}

TEST_F(JobRunnerTest, UnquotedPathsWithBlanks) {
  std::filesystem::create_directory(std::filesystem::path(folder / "My Work"));
  writeBytes(folder / "My Work/O$U$TA.txt", "new");
  writeBytes(folder / "My Work/A.txt", "old");
  EXPECT_EQ(run({"XCOPY /Y " + p("My Work/O$U$TA.txt") + " " + p("My Work/A.txt"),
                 "ERASE " + p("My Work/O$U$TA.txt")}),
            0)
      << output.str();
  EXPECT_EQ(readBytes(folder / "My Work/A.txt"), "new");
  EXPECT_FALSE(exists("My Work/O$U$TA.txt"));
}

TEST_F(JobRunnerTest, EraseOfAFileAlreadyGoneIsNoFailure) {
  EXPECT_EQ(run({"ERASE " + p("gone.txt"), "echo after"}), 0);
  EXPECT_NE(output.str().find("Could not find"), std::string::npos);
  EXPECT_NE(output.str().find("after"), std::string::npos);
}

TEST_F(JobRunnerTest, ProgramsGetTheirArgumentsGroupedByQuotes) {
  writeBytes(folder / "in put.txt", "data");
  EXPECT_EQ(run({"cp \"" + p("in put.txt") + "\"  " + p("out.txt")}), 0) << output.str();
  EXPECT_EQ(readBytes(folder / "out.txt"), "data");
}

TEST_F(JobRunnerTest, StopsAtTheFirstFailingLine) {
  writeBytes(folder / "a.txt", "A");
  EXPECT_EQ(run({"true", "false", "XCOPY /Y " + p("a.txt") + " " + p("b.txt")}), 1);
  EXPECT_NE(output.str().find("JOB.BAT line 2 failed: false"), std::string::npos) << output.str();
  EXPECT_NE(output.str().find("false ended with exit status 1"), std::string::npos);
  EXPECT_FALSE(exists("b.txt"));
}

TEST_F(JobRunnerTest, MissingProgramsAreReported) {
  for (const std::string& line :
       {std::string("no-such-converter-xyz a b"), std::string("START no-such-editor-xyz a.txt"),
        "START " + p("no-such-editor")}) {
    EXPECT_EQ(run({line, "echo never"}), 1) << line;
    EXPECT_NE(output.str().find("program not found"), std::string::npos) << output.str();
    EXPECT_EQ(output.str().find("never\n"), std::string::npos);
  }
}

TEST_F(JobRunnerTest, StartDoesNotWaitButStartWaitChecksTheStatus) {
  EXPECT_EQ(run({"START true", "START \"\" /WAIT true"}), 0) << output.str();
  EXPECT_EQ(run({"START /WAIT false"}), 1);
}

TEST_F(JobRunnerTest, UnusableLinesAndFiles) {
  EXPECT_EQ(run({"ftp 127.0.0.1"}), 1);
  EXPECT_NE(output.str().find("-s:SCRIPT"), std::string::npos);
  EXPECT_EQ(run({"ftp -s:" + p("NONE.TXT")}), 1);
  EXPECT_NE(output.str().find("cannot read the FTP script"), std::string::npos);

  JobRunner runner(output);
  EXPECT_EQ(runner.runBatchFile(folder / "NONE.BAT"), 2);
}

}  // namespace
}  // namespace morvanta::runner
