// Scripts a crash left behind are erased at the next start, unless their
// job still runs; the template configuration is written for its owner.

#include <gtest/gtest.h>

#include "app/Secrets.h"
#include "jobs/JobStatus.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta {
namespace {

using Lines = std::vector<std::u16string>;

class SecretsTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    desktop.messages.clear();
  }
  void leaveScript(const std::u16string& name) {
    platform::writeTextLines(workFile(name), {u"open 192.0.2.1", u"USER1", u"SECRET1"});
  }
  void leaveStatus(const std::u16string& batch, std::int64_t pid, bool ended) {
    jobs::StatusWriter status(jobs::statusPathFor(workFile(batch)));
    status.start(pid);
    if (ended) status.end(0, u"");
  }
};

TEST_F(SecretsTest, LeftoverScriptsAreErasedButNotTheOneOfARunningJob) {
  for (const char16_t* name : {u"TOC.TXT", u"RECV.TXT", u"SEND.TXT", u"RECVAUTO.TXT"}) {
    leaveScript(name);
  }
  platform::writeTextLines(workFile(u"0TOC-RSLT.TXT"), {u"listing"});
  // RECV's job still runs (this very process stands in for it); SEND's
  // ended; TOC's runner died without an end record.
  leaveStatus(u"RECV.BAT", platform::currentProcessId(), false);
  leaveStatus(u"SEND.BAT", platform::currentProcessId(), true);
  leaveStatus(u"TOC.BAT", std::int64_t{1} << 40, false);

  app::eraseLeftoverScripts(*form);
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT")));
  EXPECT_TRUE(platform::fileExists(workFile(u"RECV.TXT")));
  EXPECT_FALSE(platform::fileExists(workFile(u"SEND.TXT")));
  EXPECT_FALSE(platform::fileExists(workFile(u"RECVAUTO.TXT")));
  EXPECT_TRUE(platform::fileExists(workFile(u"0TOC-RSLT.TXT")));  // only scripts go
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SecretsTest, StartUpErasesTheScriptsOfEveryJobOfAnEarlierRun) {
  const std::vector<std::u16string> scripts = {u"RECVAUTO.TXT", u"CHECK.TXT", u"SENT.TXT",
                                               u"RESTORE.TXT"};
  for (const auto& name : scripts) leaveScript(name);
  load();
  for (const auto& name : scripts) {
    EXPECT_FALSE(platform::fileExists(workFile(name))) << platform::toUtf8(name);
  }
}

}  // namespace
}  // namespace morvanta
