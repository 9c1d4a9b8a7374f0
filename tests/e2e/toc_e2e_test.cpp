// TOC requests through the real job runner against the simulated host: the
// pane's lists come from the host's own listing, and a host that has gone
// away ends the wait with the usual message and a log that says why.

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;

// PRJ*SRC of the sample program files, in the host's listing order.
const Lines kSrcElements = {u"CALC",         u"LIB(REL)", u"MAIN/R1", u"MAIN/R2",
                            u"MAINABS(ABS)", u"RPTSKEL",  u"UTIL"};

class TocE2eTest : public E2eFixture {
 protected:
  void SetUp() override { loadAgainstHost(); }

  // "yyyy/mm/dd hh:mm:ss" of an element file on the host.
  std::u16string hostTime(const std::string& ftpName) const {
    return platform::modifiedTime(u16(host.elementPath("PRJ*SRC", ftpName).string()));
  }
};

TEST_F(TocE2eTest, WithDatesFillsTheListsFromTheHostsListing) {
  // One element of today and one of long ago: the listing gives a time of
  // day for the first and only a year for the second.
  const std::time_t now = std::time(nullptr);
  host.setElementTime("PRJ*SRC", "MAIN.R2_SYM", localTime(now - 3 * 3600));
  host.setElementTime("PRJ*SRC", "MAIN.R1_SYM", localTime(now - 400 * 86400));

  const JobEnd end = fetchToc(1, u"  PRJ*SRC  ");
  ASSERT_TRUE(end.ok) << end.log;
  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());
  EXPECT_EQ(rows(*form->List_elt[1]), kSrcElements);
  EXPECT_EQ(form->List_elt[0]->count(), 0);
  EXPECT_TRUE(form->Command_toc[1]->enabled());

  const Lines dates = rows(*form->List_date[1]);
  ASSERT_EQ(dates.size(), kSrcElements.size());
  const std::u16string r2 = hostTime("MAIN.R2_SYM");  // yyyy/mm/dd hh:mm:ss
  EXPECT_EQ(dates[3], r2.substr(0, 10) + u"  " + r2.substr(11, 5) + u" ");
  const std::u16string r1 = hostTime("MAIN.R1_SYM");
  EXPECT_EQ(dates[2], r1.substr(0, 10) + u" ");

  // The bulk receive reads the pane's phased TOC file.
  const Lines phased = readLines(workFile(u"1phased-TOC.TXT"));
  ASSERT_EQ(phased.size(), kSrcElements.size());
  EXPECT_EQ(phased[3], u"MAIN.R2 MAIN/R2 " + dates[3] + u" ");
}

TEST_F(TocE2eTest, WithoutDatesListsTheNamesOnly) {
  const JobEnd end = fetchToc(2, u"PRJ*SRC", false);
  ASSERT_TRUE(end.ok) << end.log;
  EXPECT_NE(end.log.find("ftp> mls PRJ*SRC "), std::string::npos) << end.log;
  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());
  EXPECT_EQ(rows(*form->List_elt[2]), kSrcElements);
  for (const auto& date : rows(*form->List_date[2])) {
    EXPECT_EQ(date.find(u'/'), std::u16string::npos) << u8(date);
  }
}

TEST_F(TocE2eTest, ListsWhatTheHostHoldsNow) {
  host.putElement("PRJ*SRC", "ZNEW._SYM", "NEW\n");
  const JobEnd end = fetchToc(0, u"PRJ*SRC");
  ASSERT_TRUE(end.ok) << end.log;
  Lines expected = kSrcElements;
  expected.push_back(u"ZNEW");
  EXPECT_EQ(rows(*form->List_elt[0]), expected);
}

TEST_F(TocE2eTest, StoppedHostEndsWithTheMessageAndALogThatSaysWhy) {
  form->List_send[0]->addItem(u"MAIN/R1");
  host.stop();
  const JobEnd end = fetchToc(0, u"PRJ*SRC");
  ASSERT_TRUE(end.finished);
  EXPECT_FALSE(end.ok);
  EXPECT_NE(end.log.find("line 1 failed: ftp -s:"), std::string::npos) << end.log;
  EXPECT_NE(end.log.find("host unreachable"), std::string::npos) << end.log;
  EXPECT_EQ(end.log.find(host.password()), std::string::npos) << "the log shows the password";

  // The reason follows the message as soon as the job has failed.
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(u"TOC情報が得られません ("))
      << u8(desktop.messages[0]);
  EXPECT_NE(u8(desktop.messages[0]).find("host unreachable"), std::string::npos);
  EXPECT_EQ(form->List_elt[0]->count(), 0);
  EXPECT_EQ(form->List_send[0]->count(), 0);
  EXPECT_TRUE(form->Command_toc[0]->enabled());
  EXPECT_TRUE(form->Command_SEL[0]->enabled());
  EXPECT_FALSE(platform::fileExists(workFile(u"0TOC-RSLT.TXT")));
}

TEST_F(TocE2eTest, MissingProgramFileLeavesNoListing) {
  const JobEnd end = fetchToc(1, u"PRJ*NONE");
  ASSERT_TRUE(end.finished);
  EXPECT_FALSE(end.ok) << end.log;
  ASSERT_EQ(desktop.messages.size(), 1u);
  // The host's own reply follows the code.
  EXPECT_TRUE(
      u8(desktop.messages[0]).starts_with("TOC情報が得られません (file PRJ*NONE missing (550 "))
      << u8(desktop.messages[0]);
  EXPECT_EQ(form->List_elt[1]->count(), 0);
}

}  // namespace
}  // namespace morvanta::testing
