// The password kept out of Morvanta.ini, against the simulated host: the
// jobs log in with what the desktop's keyring (a map here) holds, a refused
// login makes the next job ask, and no file keeps the password afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;

class KeyringE2eTest : public E2eFixture {
 protected:
  void SetUp() override {
    loadAgainstHost({.keyring = true});
    key = form->get_host_address(kHostName) + u"/" + u16(host.user());
  }

  JobEnd receive(const std::u16string& element) {
    forms::ListBox& list = *form->List_elt[0];
    const Lines entries = rows(list);
    const auto at = std::find(entries.begin(), entries.end(), element);
    EXPECT_NE(at, entries.end()) << u8(element) << " is not listed";
    list.setListIndex(static_cast<int>(at - entries.begin()));
    forgetJobLog(u"RECV.BAT");
    form->List_elt_DblClick(0);
    return waitForJob(u"RECV.BAT");
  }

  // No file of the program folder, the work folder or the receive folders
  // holds the password once the jobs have ended.
  void expectPasswordNowhere(const std::string& password) {
    for (const std::u16string& dir :
         {folder.path(), form->FOLDER_NAME(u"WK", u""), receiveFolder(u"PRJ*SRC")}) {
      for (const std::u16string& name : filesIn(dir)) {
        const std::string bytes = readBytes(platform::joinPath(dir, name));
        EXPECT_EQ(bytes.find(password), std::string::npos) << u8(name);
      }
    }
  }

  std::u16string key;
};

TEST_F(KeyringE2eTest, JobsLogInWithTheKeptPasswordAndTheIniHoldsNone) {
  desktop.keyring.entries[key] = u16(host.password());
  const JobEnd toc = fetchToc(0, u"PRJ*SRC");
  ASSERT_TRUE(toc.ok) << toc.log;
  EXPECT_FALSE(rows(*form->List_elt[0]).empty());
  const JobEnd received = receive(u"MAIN/R1");
  ASSERT_TRUE(received.ok) << received.log;
  EXPECT_EQ(readBytes(platform::joinPath(receiveFolder(u"PRJ*SRC"), u"MAIN／R1.txt")),
            hostTextForPc("PRJ*SRC", "MAIN.R1_SYM"));

  EXPECT_TRUE(desktop.passwordRequests.empty());
  EXPECT_EQ(desktop.keyring.reads, 1);  // once for the run
  expectPasswordNowhere(host.password());
}

TEST_F(KeyringE2eTest, RefusedLoginAsksAgainAndKeepsTheNewAnswer) {
  desktop.keyring.entries[key] = u"an-old-password";
  const JobEnd refused = fetchToc(0, u"PRJ*SRC");
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.log.find("login refused"), std::string::npos) << refused.log;
  EXPECT_TRUE(desktop.passwordRequests.empty());

  desktop.passwordReplies.push_back(forms::PasswordReply{u16(host.password()), true});
  const JobEnd toc = fetchToc(0, u"PRJ*SRC");
  ASSERT_TRUE(toc.ok) << toc.log;
  ASSERT_EQ(desktop.passwordRequests.size(), 1u);
  EXPECT_EQ(desktop.passwordRequests[0].host, form->get_host_address(kHostName));
  EXPECT_EQ(desktop.keyring.entries[key], u16(host.password()));
  EXPECT_EQ(desktop.keyring.reads, 1);  // the refused copy was not read again
  expectPasswordNowhere(host.password());
  expectPasswordNowhere("an-old-password");
}

TEST_F(KeyringE2eTest, CancelledQuestionStartsNoJob) {
  form->Combo_host[0]->setText(kHostName);
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  form->Command_toc_Click(0);
  EXPECT_EQ(desktop.passwordRequests.size(), 1u);
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT")));
  EXPECT_FALSE(platform::fileExists(jobLog(u"TOC.BAT")));
  EXPECT_FALSE(form->Timer1[0]->enabled());
  EXPECT_TRUE(form->Command_toc[0]->enabled());
}

}  // namespace
}  // namespace morvanta::testing
