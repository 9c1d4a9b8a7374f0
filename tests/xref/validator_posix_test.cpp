// The pages of the sample project through an HTML validator (Debian tidy).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/Platform.h"
#include "xref/XrefTestSupport.h"

namespace morvanta::xref {
namespace {

using test::u8;
using ::testing::HasSubstr;
using ::testing::Not;

// tidy's warnings and errors for a page, one per line.
std::string tidyReport(const std::u16string& path) {
  const std::string command = "tidy -q -e '" + u8(path) + "' 2>&1";
  std::string report;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) report += buffer;
    pclose(pipe);
  }
  return report;
}

TEST(SamplePagesValidator, FindsNothingToWarnAbout) {
  if (!platform::programExists(u"tidy")) GTEST_SKIP() << "tidy is not installed";
  const test::SampleProject project;
  std::vector<std::u16string> pages = project.runAll().pages;
  pages.push_back(u"index.htm");
  for (const auto& relative : pages) {
    const std::string report = tidyReport(project.outf() + u"/" + relative);
    int warnings = 0;
    for (std::size_t at = report.find("Warning"); at != std::string::npos;
         at = report.find("Warning", at + 1)) {
      ++warnings;
    }
    EXPECT_EQ(warnings, 0) << u8(relative) << "\n" << report;
    EXPECT_THAT(report, Not(HasSubstr("Error"))) << u8(relative);
  }
}

}  // namespace
}  // namespace morvanta::xref
