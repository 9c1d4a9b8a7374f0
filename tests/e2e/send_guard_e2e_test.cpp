// A send never loses anyone's work: against the simulated host with the
// real job runner, the check before a send, the question, the comparison,
// the kept host copy and putting it back.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"
#include "transfer/SendGuard.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;
namespace fs = std::filesystem;

class SendGuardE2eTest : public E2eFixture {
 protected:
  // The element as it stood on the host before the user received it.
  static constexpr char kBefore[] = "@ASG,T X.\n      * before\n@XQT X.MAIN\n";

  void SetUp() override {
    loadAgainstHost({.send = true});
    // Dated three hours back, so the colleague's change shows a later time.
    host.putElement("PRJ*SRC", "MAIN.R1_SYM", kBefore);
    host.setElementTime("PRJ*SRC", "MAIN.R1_SYM", localTime(std::time(nullptr) - 3 * 3600));
    ASSERT_TRUE(fetchToc(0, u"PRJ*SRC").ok);
    const Lines entries = rows(*form->List_elt[0]);
    const auto at = std::find(entries.begin(), entries.end(), u"MAIN/R1");
    ASSERT_NE(at, entries.end());
    const int row = static_cast<int>(at - entries.begin());
    receivedTime = form->List_date[0]->item(row);
    form->List_elt[0]->setListIndex(row);
    forgetJobLog(u"RECV.BAT");
    form->List_elt_DblClick(0);
    ASSERT_TRUE(waitForJob(u"RECV.BAT").ok);
    pcFile = platform::joinPath(receiveFolder(u"PRJ*SRC"), u"MAIN／R1.txt");
  }

  void editOnPc(const std::u16string& line) {
    Lines lines = platform::readTextLines(pcFile);
    lines.insert(lines.begin() + 1, line);
    platform::writeTextLines(pcFile, lines);
  }

  // Double-clicks the send list and waits for the check to end (the
  // answers were scripted before).
  void sendAndCheck() {
    form->List_send[0]->setListIndex(0);
    forgetJobLog(u"CHECK.BAT");
    forgetJobLog(u"SEND.BAT");
    form->List_send_DblClick(0);
    waitForJob(u"CHECK.BAT");
  }

  std::string onHost() const { return host.readElement("PRJ*SRC", "MAIN.R1_SYM"); }
  std::u16string backups() const {
    return platform::joinPath(platform::joinPath(form->FOLDER_NAME(u"WK", u""), u"BACKUP"),
                              u"PRJ＊SRC");
  }

  std::u16string receivedTime;
  std::u16string pcFile;
};

TEST_F(SendGuardE2eTest, ChangeBehindTheWindowsBackIsAskedAboutComparedAndKept) {
  const std::string colleague = "@ASG,T X.\n      * colleague\n@XQT X.MAIN\n";
  host.putElement("PRJ*SRC", "MAIN.R1_SYM", colleague);
  editOnPc(u"      * mine");

  // Compare, then cancel: both changes shown, the host untouched.
  desktop.overwriteAnswers = {forms::SendChoice::Compare, forms::SendChoice::Cancel};
  sendAndCheck();
  ASSERT_EQ(desktop.overwriteQuestions.size(), 2u)
      << u8(desktop.messages.empty() ? u"" : desktop.messages.back());
  const std::u16string& question = desktop.overwriteQuestions[0];
  EXPECT_NE(question.find(u"受信時のホストの日時: " + receivedTime), std::u16string::npos)
      << u8(question);
  EXPECT_EQ(question.find(u"ホストの現在の日時: " + receivedTime), std::u16string::npos)
      << "the host's time is the colleague's: " << u8(question);
  EXPECT_EQ(question.find(transfer::kUnknownTime), std::u16string::npos) << u8(question);
  ASSERT_EQ(desktop.diffs.size(), 1u);
  Lines hostOnly;
  Lines pcOnly;
  for (const forms::DiffLine& line : desktop.diffs[0].lines) {
    if (line.side == forms::DiffLine::Side::HostOnly) hostOnly.push_back(line.text);
    if (line.side == forms::DiffLine::Side::PcOnly) pcOnly.push_back(line.text);
  }
  // The colleague replaced "before"; the user added "mine" above it.
  EXPECT_EQ(hostOnly, Lines{u"      * colleague"});
  EXPECT_EQ(pcOnly, (Lines{u"      * mine", u"      * before"}));
  EXPECT_EQ(onHost(), colleague);

  // Overwrite: the PC's text goes up, the colleague's stays in BACKUP.
  desktop.overwriteAnswers = {forms::SendChoice::Overwrite};
  sendAndCheck();
  ASSERT_TRUE(waitForJob(u"SEND.BAT").ok);
  EXPECT_NE(onHost().find("* mine"), std::string::npos) << onHost();
  const Lines kept = filesIn(backups());
  ASSERT_FALSE(kept.empty());
  EXPECT_EQ(withCrLf(colleague), readBytes(platform::joinPath(backups(), kept.back())));
}

TEST_F(SendGuardE2eTest, LineEndRoundTripOnTheHostIsNoChange) {
  // Someone fetched it and put it back with CR LF and trailing blanks.
  host.putElement("PRJ*SRC", "MAIN.R1_SYM", "@ASG,T X.  \r\n      * before\r\n@XQT X.MAIN   \r\n");
  desktop.okCancelAnswers = {true};
  sendAndCheck();
  EXPECT_TRUE(desktop.overwriteQuestions.empty());
  EXPECT_EQ(desktop.titles, Lines{u"以下のFTPのSENDを実行してもよいですか？"});
  EXPECT_TRUE(waitForJob(u"SEND.BAT").ok);
}

TEST_F(SendGuardE2eTest, FailedSendNamesTheKeptCopyAndRestoringPutsTheOldTextBack) {
  editOnPc(u"      * mine");
  const fs::path element = host.elementPath("PRJ*SRC", "MAIN.R1_SYM");
  // While the user confirms, the element becomes something the host cannot
  // write over, so the upload fails.
  desktop.onQuestion = [&](const std::u16string&) {
    fs::remove(element);
    fs::create_directory(element);
  };
  desktop.okCancelAnswers = {true};
  sendAndCheck();
  EXPECT_FALSE(waitForJob(u"SEND.BAT").ok);
  ASSERT_EQ(desktop.actionNotices.size(), 1u)
      << (desktop.notices.empty() ? "" : u8(desktop.notices.back()));
  const auto& notice = desktop.actionNotices[0];
  EXPECT_NE(notice.text.find(transfer::kMayBeIncompleteNote + backups()), std::u16string::npos)
      << u8(notice.text);

  // What an interrupted upload leaves: the element cut short.
  fs::remove(element);
  host.putElement("PRJ*SRC", "MAIN.R1_SYM", "@ASG,T");
  forgetJobLog(u"RESTORE.BAT");
  notice.action();
  ASSERT_TRUE(waitForJob(u"RESTORE.BAT").ok);
  EXPECT_EQ(onHost(), kBefore);
}

}  // namespace
}  // namespace morvanta::testing
