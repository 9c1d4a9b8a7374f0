// A host whose listing holds names that would aim files outside their
// folder: the TOC skips them with one message, and a bulk receive through
// the real job runner writes nothing outside the bulk folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "catalogue/TocListing.h"
#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::u16string>;

// Every ordinary file below `root`, as paths relative to it.
std::set<std::string> treeOf(const std::u16string& root) {
  std::set<std::string> files;
  const fs::path base(platform::toUtf8(root));
  for (const auto& entry : fs::recursive_directory_iterator(base)) {
    if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), base).string());
  }
  return files;
}

class HostileE2eTest : public E2eFixture {};

TEST_F(HostileE2eTest, BulkReceiveFromAHostileListingStaysInTheBulkFolder) {
  const std::u16string pcFolder = folder.file(u"runstreams");
  ASSERT_TRUE(platform::createFolder(pcFolder));
  loadAgainstHost(
      {.bulkRows = {u"HTM-AUTO-MAKE,HOSTILE*RUN,RUNSTREAM,PJ01," + pcFolder + u",NONE"}});

  ASSERT_TRUE(fetchToc(0, u"HOSTILE*RUN").ok);
  EXPECT_EQ(desktop.messages, Lines{catalogue::kUnsafeListingRowsMessage + std::u16string(u"9")});
  ASSERT_EQ(form->List_elt[0]->count(), 1);
  EXPECT_EQ(form->List_elt[0]->item(0), u"GOOD");

  const std::set<std::string> before = treeOf(folder.path());
  desktop.messages.clear();
  desktop.yesNoCancelAnswers.push_back(forms::Answer::Yes);
  forgetJobLog(u"RECVAUTO.BAT");
  form->Text_2200file[0]->setText(u"HOSTILE*RUN");
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(desktop.messages, Lines{u"BATファイルを実行しますか？"});
  const JobEnd end = waitForJob(u"RECVAUTO.BAT");
  ASSERT_TRUE(end.ok) << end.log;

  EXPECT_EQ(filesIn(pcFolder), Lines{u"GOOD.txt"});
  // Outside the bulk folder only the work folder's files and the bulk
  // receive's own empty log are new.
  std::set<std::string> added;
  for (const std::string& file : treeOf(folder.path())) {
    if (before.contains(file) || file == "testlog.txt") continue;
    if (!file.starts_with("runstreams/") && !file.starts_with("FTPWK/")) added.insert(file);
  }
  EXPECT_TRUE(added.empty()) << *added.begin();
  for (const char* escaped : {"ESC1.txt", "ESC2.txt", "ESC3.txt"}) {
    const fs::path base(u8(folder.path()));
    EXPECT_FALSE(fs::exists(base / escaped)) << escaped;
    EXPECT_FALSE(fs::exists(base.parent_path() / escaped)) << escaped;
    EXPECT_FALSE(fs::exists(fs::path("/") / escaped)) << escaped;
  }
}

}  // namespace
}  // namespace morvanta::testing
