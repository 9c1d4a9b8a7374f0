// Bulk receive with morvanta-xref as the tool of COBPLUSEDIT-PATH: the job
// fetches the project's elements from the simulated host and the tool makes
// their pages and the index; a second bulk receive after one element
// changed on the host rewrites that page and the index, nothing else.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const char* const kElements[] = {"ORDERS._SYM", "ORDRPT._SYM", "ORDMAIN._SYM",
                                 "CHKSUM._SYM", "ORDLIB._SYM", "RPTFMT.R2_SYM"};

class XrefE2eTest : public E2eFixture {
 protected:
  void SetUp() override {
    pcFolder = folder.file(u"xref-pc");
    outf = folder.file(u"htm");
    ASSERT_TRUE(platform::createFolder(pcFolder));
    // The tool finds updatehtm.ini as the window does: here through the
    // variable the job runner passes on to it.
    ::setenv("MORVANTA_FOLDER", u8(folder.path()).c_str(), 1);
  }
  void TearDown() override { ::unsetenv("MORVANTA_FOLDER"); }

  void bulkReceive() {
    ASSERT_TRUE(fetchToc(0, u"PRJ*XREF").ok);
    desktop.yesNoCancelAnswers.push_back(forms::Answer::Yes);
    forgetJobLog(u"RECVAUTO.BAT");
    form->Command_AUTO_recv_Click(0);
    const JobEnd end = waitForJob(u"RECVAUTO.BAT");
    ASSERT_TRUE(end.ok) << end.log;
  }

  // Every file under OUTF with its last write time.
  std::map<fs::path, fs::file_time_type> outputTimes() const {
    std::map<fs::path, fs::file_time_type> times;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(outf))) {
      if (entry.is_regular_file())
        times[fs::relative(entry.path(), fs::path(outf))] = entry.last_write_time();
    }
    return times;
  }

  std::string page(const std::u16string& relative) const {
    return readBytes(outf + u"/" + relative);
  }

  std::u16string pcFolder;
  std::u16string outf;
};

TEST_F(XrefE2eTest, BulkReceiveMakesPagesAndTheSecondOneOnlyWhatChanged) {
  const std::time_t now = std::time(nullptr);
  for (const char* name : kElements)
    host.setElementTime("PRJ*XREF", name, localTime(now - 3 * 3600));
  // OUTF ends at the first "/" of the row: a relative folder, under the
  // program folder.
  loadAgainstHost({.bulkRows = {u"HTM-AUTO-MAKE,PRJ*XREF,RUNSTREAM,PJ01," + pcFolder + u",htm"}});
  form->pub.cobPlusEditPath = u16(MORVANTA_BIN_DIR "/morvanta-xref");

  bulkReceive();
  for (const char16_t* name :
       {u"ORDERS", u"ORDRPT", u"ORDMAIN", u"CHKSUM", u"ORDLIB", u"RPTFMT／R2"}) {
    EXPECT_THAT(page(std::u16string(u"PRJ＊XREF/") + name + u".htm"), HasSubstr("<h1>PRJ*XREF."))
        << u8(name);
  }
  EXPECT_THAT(page(u"index.htm"), HasSubstr("エレメント数: 6"));
  EXPECT_THAT(page(u"PRJ＊XREF/ORDMAIN.htm"),
              HasSubstr("CALL '<A HREF=\"../PRJ%EF%BC%8AXREF/"
                        "ORDLIB.htm#X-ORDOPEN\">ORDLIB$OPEN</A>'."));
  EXPECT_THAT(page(u"PRJ＊XREF/ORDMAIN.htm"), HasSubstr("受注データの集計"));

  // ORDRPT changes on the host; every PC copy is newer than the rest.
  host.putElement("PRJ*XREF", "ORDRPT._SYM",
                  "@RUN ORDRPT,ACCT01,PRJ\n@. CHANGED ON THE HOST\n@USE X,PRJ*XREF.\n"
                  "@SKEL,I X.RPTFMT/R2,X.ORDERS\n@FIN\n");
  // The PC copy dates from before the change (the listing dates only the past).
  ASSERT_TRUE(platform::setModifiedTime(pcFolder + u"/ORDRPT.txt", localTime(now - 2 * 3600)));
  host.setElementTime("PRJ*XREF", "ORDRPT._SYM", localTime(now - 3600));
  const auto before = outputTimes();
  const std::string ordersPage = page(u"PRJ＊XREF/ORDERS.htm");
  const std::size_t hostLogBefore = host.log().size();
  bulkReceive();
  const auto after = outputTimes();

  // The script held the password and is gone; the host saw what it fetched.
  const std::string secondJob = host.log().substr(hostLogBefore);
  std::vector<std::string> fetched;
  for (auto at = secondJob.find("<- RETR "); at != std::string::npos;
       at = secondJob.find("<- RETR ", at + 1)) {
    fetched.push_back(secondJob.substr(at + 8, secondJob.find('\n', at) - at - 8));
  }
  EXPECT_EQ(fetched, std::vector<std::string>{"PRJ*XREF.ORDRPT"});
  std::vector<fs::path> rewritten;
  for (const auto& [path, time] : after) {
    if (!before.contains(path) || before.at(path) != time) rewritten.push_back(path);
  }
  std::sort(rewritten.begin(), rewritten.end());
  EXPECT_EQ(rewritten, (std::vector<fs::path>{fs::path(u"PRJ＊XREF/ORDRPT.htm"), "index.htm",
                                              "xref-project.json"}));
  EXPECT_THAT(page(u"PRJ＊XREF/ORDRPT.htm"), HasSubstr("CHANGED ON THE HOST"));
  EXPECT_EQ(page(u"PRJ＊XREF/ORDERS.htm"), ordersPage);
}

}  // namespace
}  // namespace morvanta::testing
