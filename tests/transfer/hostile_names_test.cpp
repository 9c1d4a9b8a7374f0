// Names a host lists or a user types that would aim a PC file outside its
// folder: skipped in listings, refused in receives and sends, and stopped by
// the job writers' own check as a last guard. Nothing is written for them.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/BulkTable.h"
#include "app/JobValueCheck.h"
#include "catalogue/TocListing.h"
#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "transfer/BulkReceive.h"
#include "transfer/PcNameCheck.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;
using Lines = std::vector<std::u16string>;

std::u16string listed(const std::u16string& name) {
  return u"-rw-rw-r--   1 PRJ           120 Nov 30 09:07 " + name;
}

// One good row among the names a hostile host could list.
const std::u16string kHostileNames[] = {
    u"/./X.",
    u"/./../../X.",
    u"..\\..\\X",
    u"A\tB._SYM",
    std::u16string(u"A\0B._SYM", 8),
    u"CON._SYM",
    u"NUL.R1_SYM",
    u"ABCDEFGHIJKLM._SYM",
};

Lines hostileListing() {
  Lines lines{listed(u"MAIN.R1_SYM")};
  for (const auto& name : kHostileNames) lines.push_back(listed(name));
  return lines;
}

Lines rows(const forms::ListBox& list) {
  Lines out;
  for (int r = 0; r < list.count(); ++r) out.push_back(list.item(r));
  return out;
}

class HostileNamesTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni({u"COBPLUSEDIT-PATH=tool.exe"});
    pc = joinPath(folder.path(), u"RUN");
    ASSERT_TRUE(platform::createFolder(pc));
    platform::writeTextLines(folder.file(u"updatehtm.ini"),
                             {u"HTM-AUTO-MAKE,PRJ*RUN,RUNSTREAM,PJ01," + pc + u",HTMOUT"});
    app::loadBulkTable(*form);
    form->Combo_host[0]->setText(u"HOSTA");
  }

  // A TOC of `file` in pane 0 whose result is `listing`.
  void tocWith(const std::u16string& file, const Lines& listing) {
    form->Text_2200file[0]->setText(file);
    form->Command_toc_Click(0);
    platform::writeTextLines(workFile(u"0TOC-RSLT.TXT"), listing);
    form->Timer1_Timer(0);
  }

  std::u16string rcv() const { return joinPath(folder.path(), u"FTPRCV"); }

  // Every local path in a receive or bulk script line lies in `inside`.
  void expectScriptPathsIn(const std::u16string& script, const std::u16string& inside) {
    for (const auto& line : readLines(workFile(script))) {
      if (!line.starts_with(u"RECV ")) continue;
      const std::u16string local = line.substr(line.rfind(u' ') + 1);
      EXPECT_EQ(local.rfind(joinPath(inside, u""), 0), 0u) << platform::toUtf8(line);
      EXPECT_EQ(local.find(u".."), std::u16string::npos) << platform::toUtf8(line);
    }
  }

  void expectNoReceiveJob() {
    EXPECT_FALSE(platform::fileExists(workFile(u"RECV.BAT")));
    EXPECT_FALSE(platform::fileExists(workFile(u"RECV.TXT")));
    EXPECT_TRUE(desktop.startedBatches.empty());
  }

  std::u16string pc;
};

TEST_F(HostileNamesTest, ListingRowsWithHostileNamesAreSkippedAndCountedInOneMessage) {
  tocWith(u"PRJ*SRC", hostileListing());
  EXPECT_EQ(rows(*form->List_elt[0]), Lines{u"MAIN/R1"});
  EXPECT_EQ(readLines(form->pub.phasedTocPath), Lines{u"MAIN.R1 MAIN/R1 2026/11/30  09:07  "});
  EXPECT_EQ(desktop.messages, Lines{catalogue::kUnsafeListingRowsMessage + std::u16string(u"8")});
}

TEST_F(HostileNamesTest, TocThenBulkReceiveNamesOnlyFilesInTheBulkFolder) {
  tocWith(u"PRJ*RUN", hostileListing());
  desktop.messages.clear();
  desktop.yesNoCancelAnswers.push_back(forms::Answer::Cancel);
  form->Command_AUTO_recv_Click(0);
  EXPECT_EQ(desktop.messages, Lines{kRunBatchQuestion});  // asked, nothing refused
  const Lines script = readLines(workFile(u"RECVAUTO.TXT"));
  ASSERT_EQ(script.size(), 5u);
  EXPECT_EQ(script[3], u"RECV PRJ*RUN.MAIN/R1 " + joinPath(pc, u"MAIN.R1.txt"));
  expectScriptPathsIn(u"RECVAUTO.TXT", pc);
}

// Rows that reach the list by other ways (a dropped listing, an older
// phased file, a hand-made row) are refused when received.
TEST_F(HostileNamesTest, ReceiveRefusesAnElementThatIsNoSafePcName) {
  struct Case {
    std::u16string row, shown;
  } cases[] = {
      {u"..\\..\\X", u"／.\\..\\X.txt"},  // the first "." became "／"
      {u"../../X", u"／./../X.txt"},
      {u"A\tB", u"A<U+0009>B.txt"},
      {std::u16string(u"A\0B", 3), u"A<U+0000>B.txt"},
      {u"CON", u"CON.txt"},
      {u"NUL", u"NUL.txt"},
  };
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  for (const Case& c : cases) {
    desktop.messages.clear();
    form->List_elt[0]->clear();
    form->List_elt[0]->addItem(c.row);
    form->List_elt[0]->setListIndex(0);
    form->List_elt_DblClick(0);
    EXPECT_EQ(desktop.messages, Lines{kUnsafePcNameMessage + c.shown}) << platform::toUtf8(c.shown);
    expectNoReceiveJob();
    EXPECT_TRUE(form->pub.lastReceivedFolder.empty());
  }
}

TEST_F(HostileNamesTest, TypedQualifierOrElementThatClimbsOutIsRefused) {
  struct Case {
    std::u16string typed, shown;
  } cases[] = {
      // The file part ends at the first "." and is empty here.
      {u"../../../tmp/x*F.E", u"../../../TMP/X*F.E"},
      {u"Q/X*F.E", u"Q/X＊F"},
      {u"Q*F.\\..\\X", u"\\／.\\X.txt"},
      {u"Q*F.CON", u"CON.txt"},
  };
  form->Combo_host_file_elt->setText(u"HOSTA");
  for (const Case& c : cases) {
    desktop.messages.clear();
    form->Text_file_elt->setText(c.typed);
    form->Command_file_elt_Click();
    EXPECT_EQ(desktop.messages, Lines{kUnsafePcNameMessage + c.shown}) << platform::toUtf8(c.typed);
    expectNoReceiveJob();
  }
  EXPECT_FALSE(platform::folderExists(joinPath(folder.path(), u"tmp")));
}

TEST_F(HostileNamesTest, SendRefusesBeforeTheUploadCopyIsMade) {
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  form->List_send[0]->clear();
  form->List_send[0]->addItem(u"..\\..\\X");
  form->List_send[0]->setListIndex(0);
  form->List_send_DblClick(0);
  EXPECT_EQ(desktop.messages, Lines{kUnsafePcNameMessage + std::u16string(u"／.\\..\\X.txt")});
  EXPECT_FALSE(platform::fileExists(workFile(u"SEND.TXT")));
  EXPECT_TRUE(desktop.titles.empty());
}

// The writers' own check holds even when a caller hands them a bad path.
TEST_F(HostileNamesTest, JobWritersRefusePathsOutsideTheirFolder) {
  const std::u16string inRcv = joinPath(rcv(), u"PRJ＊SRC");
  struct Case {
    const char* what;
    std::function<bool()> write;
    std::u16string outside;
  };
  const Case cases[] = {
      {"receive folder above FTPRCV",
       [&] {
         return jobfiles::writeReceiveJob(*form, {u"192.0.2.1", u"P*F.E", folder.path(), u"E.txt"});
       },
       folder.path()},
      {"receive file climbing out",
       [&] {
         return jobfiles::writeReceiveJob(*form, {u"192.0.2.1", u"P*F.E", inRcv, u"../E.txt"});
       },
       joinPath(inRcv, u"../E.txt")},
      {"upload name climbing out",
       [&] {
         return jobfiles::writeSendJob(*form,
                                       {u"192.0.2.1", inRcv, u"E.txt", u"../../E._SYM", u"P*F.E"});
       },
       joinPath(inRcv, u"../../E._SYM")},
      {"bulk name climbing out",
       [&] {
         jobfiles::BulkJob job{u"192.0.2.1", u"PRJ*RUN", {u"MAIN.R1", u"../ESC1"}, {}};
         job.row = {u"PRJ*RUN", u"RUNSTREAM", u"PJ01", pc, u"NONE"};
         return jobfiles::writeBulkJob(*form, job);
       },
       joinPath(pc, u"../ESC1.txt")},
  };
  for (const Case& c : cases) {
    desktop.messages.clear();
    EXPECT_FALSE(c.write()) << c.what;
    EXPECT_EQ(desktop.messages, Lines{app::kPathOutsideFolderMessage + c.outside}) << c.what;
    for (const char16_t* name : {u"RECV.TXT", u"SEND.TXT", u"RECVAUTO.TXT"}) {
      EXPECT_FALSE(platform::fileExists(workFile(name))) << c.what;
    }
  }
}

TEST_F(HostileNamesTest, LoginValuesTheFtpClientWouldRunAsACommandAreRefused) {
  for (const char16_t* user : {u"!del *.*", u"  !cmd"}) {
    desktop.messages.clear();
    form->pub.ftpUserId = user;
    EXPECT_FALSE(jobfiles::writeTocJob(*form, {0, u"192.0.2.1", u"A*B", 1}));
    EXPECT_EQ(desktop.messages,
              Lines{app::kUnsafeValueMessage + std::u16string(u"FTP-USERID (!)")});
  }
  form->pub.ftpUserId = u"user";
  form->pub.ftpPassword = u"!secret";
  desktop.messages.clear();
  EXPECT_FALSE(jobfiles::writeTocJob(*form, {0, u"192.0.2.1", u"A*B", 1}));
  // The message names the key, never the password.
  EXPECT_EQ(desktop.messages,
            Lines{app::kUnsafeValueMessage + std::u16string(u"FTP-PASSWORD (!)")});
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT")));
  // Inside the value it is an ordinary character.
  form->pub.ftpPassword = u"se!cret";
  EXPECT_TRUE(jobfiles::writeTocJob(*form, {0, u"192.0.2.1", u"A*B", 1}));
}

}  // namespace
}  // namespace morvanta::transfer
