// The FTP password kept out of the configuration file: taken from the
// keyring (a map here, never the system's), else asked for once, and
// handed only to the job's script.

#include <gtest/gtest.h>

#include "app/JobValueCheck.h"
#include "app/LoginPassword.h"
#include "jobs/Job.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::app {
namespace {

using Lines = std::vector<std::u16string>;

constexpr char16_t kKeyA[] = u"192.0.2.1/USER1";
constexpr char16_t kKeyB[] = u"192.0.2.2/USER1";

class LoginPasswordTest : public testing::FormFixture {
 protected:
  void loadWithKeyring(const std::u16string& keyringValue = u"YES") {
    writeIni({u"TEXT-EDITOR=editor.exe", u"FTP-USERID=USER1",
              u"FTP-PASSWORD-KEYRING=" + keyringValue, u"HOST=HOSTA,192.0.2.1",
              u"HOST=HOSTB,192.0.2.2"});
    load();
  }
  // A TOC request of pane 0 on `host`; the script's password line, or
  // nothing when no script was written.
  std::optional<std::u16string> tocPassword(const std::u16string& host = u"HOSTA") {
    platform::deleteFile(workFile(u"TOC.TXT"));
    form->Text_2200file[0]->setText(u"PRJ*SRC");
    form->Combo_host[0]->setText(host);
    form->Command_toc_Click(0);
    if (!platform::fileExists(workFile(u"TOC.TXT"))) return std::nullopt;
    const Lines script = readLines(workFile(u"TOC.TXT"));
    if (script.size() < 3) return std::nullopt;
    return script[2];
  }
  void reply(const std::u16string& password, bool keep) {
    desktop.passwordReplies.push_back(forms::PasswordReply{password, keep});
  }
  void expectShownNowhere(const std::u16string& password) {
    for (const auto& text : desktop.messages) EXPECT_EQ(text.find(password), text.npos);
    for (const auto& text : desktop.notices) EXPECT_EQ(text.find(password), text.npos);
    for (const auto& text : desktop.startedBatches) EXPECT_EQ(text.find(password), text.npos);
  }
  // A job the host ended for `reason`.
  static jobs::Job failedJob(const std::u16string& reason) {
    jobs::Job job;
    job.state = jobs::JobState::Failed;
    job.reason = reason;
    return job;
  }
};

TEST_F(LoginPasswordTest, ConfiguredPasswordServesAsBeforeAndTheKeyringIsNotTouched) {
  loadWithDefaultIni();
  EXPECT_EQ(tocPassword(), u"SECRET1");
  // A keyring line other than YES leaves the configured password in charge.
  desktop.keyring.entries[kKeyA] = u"FROM-KEYRING";
  EXPECT_EQ(tocPassword(), u"SECRET1");
  EXPECT_TRUE(desktop.passwordRequests.empty());
  EXPECT_EQ(desktop.keyring.reads + desktop.keyring.writes, 0);
}

TEST_F(LoginPasswordTest, KeyringPasswordIsUsedWithoutAQuestionAndReadOnce) {
  loadWithKeyring(u"yes");  // the value's case does not matter
  desktop.keyring.entries[kKeyA] = u"kept-A";
  EXPECT_EQ(tocPassword(), u"kept-A");
  EXPECT_EQ(tocPassword(), u"kept-A");
  EXPECT_EQ(desktop.keyring.reads, 1);
  EXPECT_TRUE(desktop.passwordRequests.empty());
  expectShownNowhere(u"kept-A");
}

TEST_F(LoginPasswordTest, AskedOnceKeptOnRequestAndAskedPerHost) {
  loadWithKeyring();
  reply(u"typed-A", true);
  reply(u"typed-B", false);
  EXPECT_EQ(tocPassword(), u"typed-A");
  EXPECT_EQ(tocPassword(), u"typed-A");
  ASSERT_EQ(desktop.passwordRequests.size(), 1u);
  EXPECT_EQ(desktop.passwordRequests[0].host, u"192.0.2.1");
  EXPECT_EQ(desktop.passwordRequests[0].user, u"USER1");
  EXPECT_EQ(desktop.keyring.entries,
            (std::map<std::u16string, std::u16string>{{kKeyA, u"typed-A"}}));

  // Another host has its own password; not kept when the box was clear.
  EXPECT_EQ(tocPassword(u"HOSTB"), u"typed-B");
  EXPECT_EQ(tocPassword(u"HOSTB"), u"typed-B");
  EXPECT_EQ(desktop.passwordRequests.size(), 2u);
  EXPECT_FALSE(desktop.keyring.entries.contains(kKeyB));
  expectShownNowhere(u"typed-A");
  expectShownNowhere(u"typed-B");
}

TEST_F(LoginPasswordTest, CancelledOrUnusablePasswordWritesNothing) {
  loadWithKeyring();
  // Cancelled: no script, no job, no message.
  EXPECT_EQ(tocPassword(), std::nullopt);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.BAT")));
  EXPECT_TRUE(desktop.startedBatches.empty());

  // A password the system's FTP client would run as a command, or one
  // that would split the script, is refused and neither kept nor reused.
  for (const std::u16string bad : {u"!rm -rf x", u"a\nb"}) {
    desktop.messages.clear();
    reply(bad, true);
    EXPECT_EQ(tocPassword(), std::nullopt);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].starts_with(std::u16string(app::kUnsafeValueMessage) +
                                                u"FTP-PASSWORD"));
  }
  EXPECT_TRUE(desktop.keyring.entries.empty());
  reply(u"good", false);
  EXPECT_EQ(tocPassword(), u"good");
  EXPECT_EQ(desktop.passwordRequests.size(), 4u);
}

TEST_F(LoginPasswordTest, UnreachableKeyringStillLetsTheUserWorkAndSaysWhy) {
  loadWithKeyring();
  desktop.keyring.failure = "no keyring service";
  reply(u"typed", true);
  EXPECT_EQ(tocPassword(), u"typed");
  EXPECT_EQ(desktop.notices,
            Lines{std::u16string(kKeyringWriteFailedMessage) + u"no keyring service"});
  EXPECT_EQ(tocPassword(), u"typed");  // remembered for the run
  EXPECT_EQ(desktop.passwordRequests.size(), 1u);

  // A desktop with no keyring at all asks, and says it could not keep it.
  desktop.notices.clear();
  desktop.noKeyring = true;
  form->sessionPasswords = {};
  reply(u"again", true);
  EXPECT_EQ(tocPassword(u"HOSTB"), u"again");
  ASSERT_EQ(desktop.notices.size(), 1u);
  EXPECT_TRUE(desktop.notices[0].starts_with(kKeyringWriteFailedMessage));
}

TEST_F(LoginPasswordTest, RefusedLoginAsksAgainAndTheNewAnswerReplacesTheKeptOne) {
  loadWithKeyring();
  desktop.keyring.entries[kKeyA] = u"stale";
  EXPECT_EQ(tocPassword(), u"stale");

  // Other failures keep the password.
  forgetRefusedPasswords(*form, failedJob(u"TOC.TXT line 4: mdir: host unreachable"));
  EXPECT_EQ(tocPassword(), u"stale");

  forgetRefusedPasswords(*form, failedJob(u"TOC.TXT line 3: (password)\nlogin refused (530)"));
  reply(u"fresh", true);
  EXPECT_EQ(tocPassword(), u"fresh");  // the keyring's stale copy is not read again
  EXPECT_EQ(desktop.keyring.entries[kKeyA], u"fresh");
  EXPECT_EQ(tocPassword(), u"fresh");
  EXPECT_EQ(desktop.passwordRequests.size(), 1u);
}

TEST_F(LoginPasswordTest, RefusedLoginWithAConfiguredPasswordChangesNothing) {
  loadWithDefaultIni();
  forgetRefusedPasswords(*form, failedJob(u"login refused"));
  EXPECT_EQ(tocPassword(), u"SECRET1");
  EXPECT_TRUE(desktop.passwordRequests.empty());
}

}  // namespace
}  // namespace morvanta::app
