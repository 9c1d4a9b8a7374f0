// The TOC request, its poll and the element search, driven through the
// window's handlers.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/JobValueCheck.h"
#include "catalogue/ElementSearch.h"
#include "catalogue/TocListing.h"
#include "catalogue/TocRequest.h"
#include "jobs/JobQueue.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::catalogue {
namespace {

using Lines = std::vector<std::u16string>;

// Pane 1's listing as the host's FTP server writes it; the desktop clock
// stands on 2026/12/07.
const Lines kListing = {
    u"-rw-rw-r--   1 PRJ           120 Nov 30 09:07 MAIN.R1_SYM",
    u"-rw-rw-r--   1 PRJ            64 Dec  5  2001 LIB._REL",
    u"",
    u"-rw-rw-r--   1 PRJ           300 Dec  6 14:30 MAIN.R2_SYM",
};
const Lines kElements = {u"MAIN/R1", u"LIB(REL)", u"MAIN/R2"};
const Lines kDates = {u"2026/11/30  09:07 ", u"2001/12/05 ", u"2026/12/06  14:30 "};
const Lines kPhased = {u"MAIN.R1 MAIN/R1 2026/11/30  09:07  ", u"LIB LIB(REL) 2001/12/05  ",
                       u"MAIN.R2 MAIN/R2 2026/12/06  14:30  "};

Lines rows(const forms::ListBox& list) {
  Lines out;
  for (int r = 0; r < list.count(); ++r) out.push_back(list.item(r));
  return out;
}

class TocTest : public testing::FormFixture {
 protected:
  void SetUp() override { loadWithDefaultIni(); }

  void request(int i, const std::u16string& file, const std::u16string& host = u"HOSTA") {
    form->Text_2200file[i]->setText(file);
    form->Combo_host[i]->setText(host);
    form->Command_toc_Click(i);
  }

  void writeResult(int i, const Lines& lines = kListing) {
    platform::writeTextLines(workFile(std::u16string(1, u'0' + i) + u"TOC-RSLT.TXT"), lines);
  }

  bool pending(int i) const {
    return form->Timer1[i]->enabled() && !form->Command_toc[i]->enabled() &&
           !form->Command_SEL[i]->enabled();
  }
  bool idle(int i) const {
    return !form->Timer1[i]->enabled() && form->Command_toc[i]->enabled() &&
           form->Command_SEL[i]->enabled();
  }

  // Pane 1 holding the listing, as after a finished TOC request.
  void loadPaneOne() {
    request(1, u"prj*src");
    writeResult(1);
    form->Timer1_Timer(1);
  }

  void search(int i, std::optional<std::u16string> answer) {
    desktop.searchAnswers.push_back(std::move(answer));
    form->Command_SEL_Click(i);
  }
};

TEST_F(TocTest, RequestTrimsTheNameWritesTheJobAndWaits) {
  writeResult(1, {u"old listing"});
  form->List_elt[1]->addItem(u"OLD/ELT");
  form->List_send[1]->addItem(u"OLD/ELT");
  form->List_date[1]->addItem(u"2001/01/01 ");

  request(1, u"  prj*src  ");

  EXPECT_EQ(form->Text_2200file[1]->text(), u"prj*src");
  EXPECT_EQ(readLines(workFile(u"TOC.TXT")),
            (Lines{u"open 192.0.2.1", u"USER1", u"SECRET1",
                   u"mdir prj*src " + workFile(u"1TOC-RSLT.TXT"), u"y", u"bye"}));
  EXPECT_FALSE(platform::fileExists(workFile(u"1TOC-RSLT.TXT")));
  EXPECT_EQ(desktop.startedBatches, Lines{workFile(u"TOC.BAT")});
  EXPECT_EQ(form->List_elt[1]->count(), 0);
  EXPECT_EQ(form->List_send[1]->count(), 0);
  EXPECT_EQ(form->List_date[1]->count(), 1);  // replaced only when the listing is read
  EXPECT_TRUE(pending(1));
  EXPECT_EQ(form->Timer1[1]->interval(), 1000);
  EXPECT_EQ(form->Command_toc[1]->caption(), u"TOC取得");
  EXPECT_EQ(form->Command_SEL[1]->caption(), u"LC");
  EXPECT_TRUE(idle(0));
  EXPECT_TRUE(idle(2));
  EXPECT_EQ(form->pollTicks, 0);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(TocTest, NameListingWhenDatesAreNotWanted) {
  form->Check_mdir->setChecked(false);
  form->Check_mdir_Click();
  request(2, u"prj*src", u"HOSTB");
  const Lines script = readLines(workFile(u"TOC.TXT"));
  ASSERT_EQ(script.size(), 6u);
  EXPECT_EQ(script[0], u"open 192.0.2.2");
  EXPECT_EQ(script[3], u"mls prj*src " + workFile(u"2TOC-RSLT.TXT"));
}

TEST_F(TocTest, RefusedRequestChangesNothingButTheTrimmedText) {
  struct Case {
    std::u16string file;
    std::u16string host;
    std::u16string message;
    std::u16string shown;
  };
  const Case cases[] = {
      {u"", u"HOSTA", kNoFileMessage, u""},
      {u"    ", u"HOSTA", u"2200ファイル指定がありません", u""},
      {u" prjsrc ", u"HOSTA", u"2200ファイル形式不正（*なし）", u"prjsrc"},
      {u"prj*src.elt", u"HOSTA", u"2200ファイル形式不正（ピリオド不要）", u"prj*src.elt"},
      {u"prj*src.", u"HOSTA", kPeriodMessage, u"prj*src."},
      {u"prj*src", u"Select HOST", u"該当HOSTがみつかりません", u"prj*src"},
      {u"prj*src", u"hosta", kNoHostMessage, u"prj*src"},
  };
  form->List_elt[0]->addItem(u"KEEP");
  form->List_send[0]->addItem(u"KEEP");
  for (const Case& c : cases) {
    desktop.messages.clear();
    request(0, c.file, c.host);
    EXPECT_EQ(desktop.messages, Lines{c.message}) << platform::toUtf8(c.file);
    EXPECT_EQ(form->Text_2200file[0]->text(), c.shown);
    EXPECT_TRUE(idle(0));
    EXPECT_EQ(form->List_elt[0]->count(), 1);
    EXPECT_EQ(form->List_send[0]->count(), 1);
  }
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT")));
  EXPECT_TRUE(desktop.startedBatches.empty());
}

TEST_F(TocTest, RequestKilledAfterItsCancelLeavesNoPartialListingNorScript) {
  desktop.holdBatches = true;
  desktop.heldBatchesIgnoreStop = true;
  request(1, u"PRJ*SRC");
  const std::u16string partial = workFile(u"1TOC-RSLT.TXT.0123456789abcdef.tmp");
  platform::writeTextLines(partial, {u"-rw-rw-r--"});
  form->Command_toc_Click(1);  // 取得中止
  EXPECT_TRUE(desktop.cancelledBatches.empty()) << "asked to stop first";
  desktop.clock.second += jobs::JobQueue::kStopGraceSeconds;
  form->Jobs_Tick();
  EXPECT_EQ(desktop.cancelledBatches.size(), 1u) << "killed after the grace";
  EXPECT_FALSE(platform::fileExists(partial));
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT")));
}

TEST_F(TocTest, ListingPresentAtTheFirstTickIsLoaded) {
  form->pub.listingQualFile = u"OLD*LISTING";
  request(1, u"  prj*src  ");
  writeResult(1);
  form->Timer1_Timer(1);

  EXPECT_TRUE(idle(1));
  EXPECT_EQ(desktop.pauses, 1);
  EXPECT_EQ(form->pollTicks, 1);
  EXPECT_EQ(rows(*form->List_elt[1]), kElements);
  EXPECT_EQ(rows(*form->List_date[1]), kDates);
  EXPECT_EQ(form->pub.phasedTocPath, workFile(u"1phased-TOC.TXT"));
  EXPECT_EQ(readLines(form->pub.phasedTocPath), kPhased);
  EXPECT_EQ(form->pub.listingQualFile, u"");
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(form->List_elt[0]->count(), 0);
}

// A listing that is there but cannot be read (here a folder of its name)
// is told once the ticks run out, and the pane is released empty.
TEST_F(TocTest, ListingThatCannotBeReadReleasesThePaneAndTells) {
  // What an earlier request of the pane left for a bulk receive.
  platform::writeTextLines(workFile(u"1phased-TOC.TXT"), kPhased);
  request(1, u"prj*src");
  ASSERT_TRUE(platform::createFolder(workFile(u"1TOC-RSLT.TXT")));
  for (int tick = 0; tick < 10; ++tick) form->Timer1_Timer(1);

  EXPECT_TRUE(idle(1));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].rfind(u"TOC情報が得られません", 0), 0u)
      << platform::toUtf8(desktop.messages[0]);
  EXPECT_EQ(form->List_elt[1]->count(), 0);
  EXPECT_EQ(form->List_date[1]->count(), 0);
  EXPECT_FALSE(platform::fileExists(workFile(u"1phased-TOC.TXT")));
}

TEST_F(TocTest, NoListingAfterTenTicksReleasesThePaneAndTells) {
  request(1, u"prj*src");
  for (int tick = 1; tick <= 9; ++tick) {
    form->Timer1_Timer(1);
    ASSERT_TRUE(pending(1)) << "tick " << tick;
  }
  EXPECT_TRUE(desktop.messages.empty());
  form->Timer1_Timer(1);
  EXPECT_TRUE(idle(1));
  EXPECT_EQ(desktop.pauses, 10);
  EXPECT_EQ(desktop.messages, Lines{u"TOC情報が得られません"});
  EXPECT_EQ(form->List_elt[1]->count(), 0);
  EXPECT_FALSE(platform::fileExists(workFile(u"1phased-TOC.TXT")));
}

TEST_F(TocTest, EveryPaneCountsOnTheOneTickCounter) {
  request(0, u"a*b");
  for (int tick = 0; tick < 5; ++tick) form->Timer1_Timer(0);
  EXPECT_EQ(form->pollTicks, 5);
  request(1, u"c*d");
  EXPECT_EQ(form->pollTicks, 0);
  for (int tick = 0; tick < 9; ++tick) form->Timer1_Timer(tick % 2);
  EXPECT_TRUE(pending(0));
  EXPECT_TRUE(pending(1));
  form->Timer1_Timer(0);  // the tenth tick since pane 1's request
  EXPECT_TRUE(idle(0));
  EXPECT_TRUE(pending(1));
  form->Timer1_Timer(1);
  EXPECT_TRUE(idle(1));
  EXPECT_EQ(desktop.messages, (Lines{kNoTocMessage, kNoTocMessage}));
}

TEST_F(TocTest, ListingReadAgainLeavesOneRowPerElement) {
  loadPaneOne();
  EXPECT_EQ(load_toc_result(*form, 1, u""), 0);
  search(1, u"*");
  EXPECT_EQ(rows(*form->List_elt[1]), kElements);
  EXPECT_EQ(rows(*form->List_date[1]), kDates);
  EXPECT_EQ(readLines(workFile(u"1phased-TOC.TXT")), kPhased);
}

TEST_F(TocTest, ShapeIsTakenWhenTheListingIsRead) {
  loadPaneOne();
  form->Check_mdir->setChecked(false);
  form->Check_mdir_Click();
  desktop.messages.clear();
  search(1, u"");
  // Read as a name listing, each detailed line is one name, and no 2200
  // element name: every row is skipped and the count told once.
  EXPECT_EQ(form->List_elt[1]->count(), 0);
  EXPECT_EQ(form->List_date[1]->count(), 0);
  EXPECT_EQ(readBytes(workFile(u"1phased-TOC.TXT")), "");
  EXPECT_EQ(desktop.messages.back(), kUnsafeListingRowsMessage + std::u16string(u"3"));
}

TEST_F(TocTest, EmptyListingLeavesEmptyListsAndPhasedFile) {
  request(0, u"a*b");
  writeResult(0, {u"", u"   "});
  form->Timer1_Timer(0);
  EXPECT_EQ(form->List_elt[0]->count(), 0);
  EXPECT_EQ(form->List_date[0]->count(), 0);
  EXPECT_EQ(readBytes(workFile(u"0phased-TOC.TXT")), "");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(TocTest, UnwritableNameInTheListingIsSkippedAndThePhasedFileEmptied) {
  loadPaneOne();
  // A lead byte without a valid trail byte is no CP932 character on any
  // system; it arrives as U+FFFD, which is no 2200 name either.
  std::ofstream(std::filesystem::path(workFile(u"1TOC-RSLT.TXT")), std::ios::binary)
      << "a b c d Jan 5 9:07 BAD\x81\x7F.R1_SYM\r\n";
  EXPECT_EQ(load_toc_result(*form, 1, u""), 0);
  EXPECT_EQ(form->List_elt[1]->count(), 0);
  EXPECT_EQ(desktop.messages, Lines{kUnsafeListingRowsMessage + std::u16string(u"1")});
  EXPECT_EQ(readBytes(workFile(u"1phased-TOC.TXT")), "");
}

// A listing of several read pieces, with lines that straddle them (and one
// longer than a piece), gives what its bytes read at once give.
TEST_F(TocTest, LargeListingReadInPiecesGivesWhatItsWholeBytesGive) {
  std::string bytes;
  for (int n = 0; bytes.size() < 3'500'000; ++n) {
    bytes += "-rw-rw-r--   1 PRJ  " + std::to_string(n) + " Nov 30 09:07 E" + std::to_string(n) +
             ".V" + std::to_string(n % 9) + (n % 3 == 0 ? "_ABS" : "_SYM") + "\r\n";
    if (n == 20'000) bytes += "a b c d Jan 5 9:07 " + std::string(1'500'000, 'X') + "\r\n";
  }
  bytes += "a b c d Dec 1 2001 LAST._REL";  // no line feed at the very end
  loadPaneOne();
  std::ofstream(std::filesystem::path(workFile(u"1TOC-RSLT.TXT")), std::ios::binary) << bytes;
  EXPECT_EQ(load_toc_result(*form, 1, u""), 0);

  ListingResult whole;
  const ListingLineParser parser(form->cls2200, 1, desktop.now());
  parser.parseListing(bytes, u"", whole);
  ASSERT_EQ(form->List_elt[1]->count(), static_cast<int>(whole.names.size()));
  ASSERT_EQ(form->List_date[1]->count(), static_cast<int>(whole.dates.size()));
  for (const std::size_t r : {std::size_t{0}, whole.names.size() / 2, whole.names.size() - 1}) {
    EXPECT_EQ(form->List_elt[1]->item(static_cast<int>(r)), whole.names.at(r)) << r;
    EXPECT_EQ(form->List_date[1]->item(static_cast<int>(r)), whole.dates.at(r)) << r;
  }
  EXPECT_EQ(form->List_elt[1]->item(form->List_elt[1]->count() - 1), u"LAST(REL)");
  EXPECT_EQ(readBytes(workFile(u"1phased-TOC.TXT")), whole.phased.view());
  EXPECT_TRUE(desktop.messages.empty());
}

// The lists are filled even when the phased TOC cannot be put in place;
// the user is told why, and no temporary file is left behind.
TEST_F(TocTest, PhasedTocThatCannotBeWrittenIsToldAndTheListsStay) {
  request(1, u"prj*src");
  writeResult(1);
  std::filesystem::create_directory(std::filesystem::path(workFile(u"1phased-TOC.TXT")));
  const auto before =
      std::distance(std::filesystem::directory_iterator(std::filesystem::path(workFile(u""))),
                    std::filesystem::directory_iterator());
  form->Timer1_Timer(1);
  EXPECT_EQ(rows(*form->List_elt[1]), kElements);
  EXPECT_EQ(rows(*form->List_date[1]), kDates);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].rfind(kPhasedTocWriteFailedMessage, 0), 0u)
      << platform::toUtf8(desktop.messages[0]);
  EXPECT_NE(desktop.messages[0].find(u"1phased-TOC.TXT"), std::u16string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(workFile(u""))),
                          std::filesystem::directory_iterator()),
            before);
}

// --- The element search ----------------------------------------------------

TEST_F(TocTest, SearchInLowerCaseFindsTheElement) {
  loadPaneOne();
  search(1, u"  r1 ");
  EXPECT_EQ(form->pub.searchText, u"R1");
  EXPECT_EQ(rows(*form->List_elt[1]), Lines{u"MAIN/R1"});
  EXPECT_EQ(rows(*form->List_date[1]), Lines{u"2026/11/30  09:07 "});
  EXPECT_EQ(readLines(workFile(u"1phased-TOC.TXT")), Lines{kPhased[0]});
  EXPECT_EQ(desktop.messages, Lines{u"[LC] "});  // the window opens empty
}

TEST_F(TocTest, SearchTextsAndTheCloseBox) {
  loadPaneOne();
  struct Step {
    std::optional<std::u16string> answer;
    Lines expected;
  };
  const Step steps[] = {
      {u"main", {u"MAIN/R1", u"MAIN/R2"}},
      {std::nullopt, {u"MAIN/R1", u"MAIN/R2"}},  // closed: the previous text again
      {u"", kElements},
      {u"MA*", {}},
      {u"REL", {}},  // the type suffix is not part of the name searched
      {u"*", kElements},
  };
  for (const Step& s : steps) {
    search(1, s.answer);
    EXPECT_EQ(rows(*form->List_elt[1]), s.expected)
        << (s.answer ? platform::toUtf8(*s.answer) : std::string("closed"));
  }
}

TEST_F(TocTest, SearchAfterTypingAnotherFileFiltersTheEarlierListing) {
  loadPaneOne();
  form->Text_2200file[1]->setText(u"other*file");
  search(1, u"R2");
  EXPECT_EQ(rows(*form->List_elt[1]), Lines{u"MAIN/R2"});
  EXPECT_EQ(desktop.startedBatches.size(), 1u);  // no new TOC job
}

TEST_F(TocTest, SearchNeedsAFileNameAndAListing) {
  loadPaneOne();
  form->Text_2200file[1]->setText(u"   ");
  search(1, u"R1");
  EXPECT_EQ(desktop.messages, Lines{kNoFileMessage});
  EXPECT_EQ(form->Text_2200file[1]->text(), u"   ");
  EXPECT_EQ(form->List_elt[1]->count(), 3);

  desktop.messages.clear();
  desktop.searchAnswers.clear();
  form->Text_2200file[2]->setText(u"x*y");
  form->List_elt[2]->addItem(u"KEEP");
  search(2, u"R1");
  EXPECT_EQ(desktop.messages, (Lines{u"[LC] ", kNoTocMessage}));
  EXPECT_EQ(rows(*form->List_elt[2]), Lines{u"KEEP"});
}

TEST_F(TocTest, RefusedJobValueLeavesThePaneIdle) {
  form->pub.ftpPassword = u"SECRET1\nbye";
  request(1, u"prj*src");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].rfind(app::kUnsafeValueMessage, 0), 0u);
  EXPECT_TRUE(idle(1));
  EXPECT_TRUE(desktop.startedBatches.empty());
  EXPECT_FALSE(platform::fileExists(workFile(u"TOC.TXT")));
}

}  // namespace
}  // namespace morvanta::catalogue
