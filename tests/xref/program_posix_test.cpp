// The morvanta-xref program: what it answers and how it ends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "xref/XrefTestSupport.h"

namespace morvanta::xref {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Outcome {
  int status = -1;
  std::string output;  // standard output and error together
};

Outcome run(const std::string& arguments) {
  const std::string command =
      std::string("'") + MORVANTA_BIN_DIR + "/morvanta-xref' " + arguments + " 2>&1 </dev/null";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) outcome.output += buffer;
  const int status = pclose(pipe);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(XrefProgram, HelpVersionAndRefusals) {
  const Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.output, StartsWith("usage: morvanta-xref"));
  const Outcome version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_THAT(version.output, StartsWith("morvanta-xref "));

  // A usage mistake: one reason line first, then the usage, and status 2.
  const Outcome mistake = run("'FUNC:[RUNSTREAM]' 'INF:[/x/A.txt]' 'OUTF:[o]' 'PROJECT:[P]'");
  EXPECT_EQ(mistake.status, 2);
  EXPECT_THAT(mistake.output, StartsWith("morvanta-xref: the bulk-job line has no OUTF:["));
  EXPECT_THAT(mistake.output, HasSubstr("\nusage: "));
}

TEST(XrefProgram, BulkLineAsTheRunnerHandsItOver) {
  test::SampleProject project;
  const std::string line = "'FUNC:[RUNSTREAM]' 'INF:[" + test::u8(project.pcFile(u"ORDERS.txt")) +
                           "]\xE3\x80\x80' 'OUTF:[" + test::u8(project.outf()) +
                           "]' 'PROJECT:[PJ01]' --folder '" + test::u8(project.programFolder()) +
                           "'";
  // --folder is not part of the job's line.
  EXPECT_EQ(run(line).status, 2);
  const std::string inFolder = "MORVANTA_FOLDER='" + test::u8(project.programFolder()) + "' ";
  const std::string command = "cd / && " + inFolder + "'" + MORVANTA_BIN_DIR + "/morvanta-xref'";
  const std::string jobLine = line.substr(0, line.find(" --folder"));
  FILE* pipe = popen((command + " " + jobLine + " 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 0) << output;
  EXPECT_THAT(project.page(u"PRJ＊XREF/ORDERS.htm"), HasSubstr("<h1>PRJ*XREF.ORDERS</h1>"));

  // An element file that is not there: status 1 and the reason.
  const Outcome missing = run("--project PJ01 --out /tmp --file 'PRJ*XREF' /nonexistent/X.txt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.output, HasSubstr("no such element file: /nonexistent/X.txt"));
}

}  // namespace
}  // namespace morvanta::xref
