// The FTP script holds the password: only its owner may read it, from the
// moment it exists. POSIX only (modes).

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;

mode_t modeOf(const std::u16string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(platform::toUtf8(path).c_str(), &info), 0);
  return info.st_mode & 07777;
}

class ScriptModeTest : public testing::FormFixture {
 protected:
  void SetUp() override { loadWithDefaultIni(); }
};

TEST_F(ScriptModeTest, EveryScriptIsTheOwnersAloneEvenOverAnOlderReadableOne) {
  const std::u16string rcv = joinPath(form->FOLDER_NAME(u"RCV", u""), u"PRJ＊SRC");
  ::chmod(platform::toUtf8(form->FOLDER_NAME(u"WK", u"")).c_str(), 0755);
  platform::writeTextLines(workFile(u"RECV.TXT"), {u"old"});
  ::chmod(platform::toUtf8(workFile(u"RECV.TXT")).c_str(), 0644);

  ASSERT_TRUE(jobfiles::writeTocJob(*form, {0, u"192.0.2.1", u"PRJ*SRC", 1}));
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, {u"192.0.2.1", u"PRJ*SRC.MAIN", rcv, u"MAIN.txt"}));
  ASSERT_TRUE(jobfiles::writeSendJob(
      *form, {u"192.0.2.1", rcv, u"MAIN.txt", u"MAIN._SYM", u"PRJ*SRC.MAIN"}));
  jobfiles::BulkJob bulk{u"192.0.2.1", u"PRJ*SRC", {u"MAIN"}, {}};
  bulk.row = {u"PRJ*SRC", u"RUNSTREAM", u"P", folder.path(), u"NONE"};
  ASSERT_TRUE(jobfiles::writeBulkJob(*form, bulk));

  for (const char16_t* script : {u"TOC.TXT", u"RECV.TXT", u"SEND.TXT", u"RECVAUTO.TXT"}) {
    EXPECT_EQ(modeOf(workFile(script)), 0600u) << platform::toUtf8(script);
    EXPECT_FALSE(platform::readableByOthers(workFile(script)));
  }
}

}  // namespace
}  // namespace morvanta::transfer
