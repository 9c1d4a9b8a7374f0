#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ListingDrop.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"
#include "text/TxtHdl.h"

namespace morvanta::analysis {
namespace {

using Lines = std::vector<std::u16string>;

std::u16string sampleListing() {
  return platform::joinPath(platform::joinPath(platform::fromUtf8(MORVANTA_TEST_DATA), u"listings"),
                            u"printed_toc.txt");
}

TEST(PrintedListingTest, HeaderLinesNameTheFile) {
  const TxtHdl txtHdl;
  struct Case {
    std::u16string header, qualFile, message;
  } cases[] = {
      {u"@PRT,T PRJ*SRC.", u"PRJ*SRC", u""},
      {u"@PRT,TB PRJ*SRC.", u"PRJ*SRC", u""},
      {u"  @prt,t prj*src.  ", u"PRJ*SRC", u""},
      {u"@PRT,T PRJ*SRC.MAIN", u"PRJ*SRC", u""},
      {u"@PRT,TX PRJ*SRC.", u"", u""},  // not a header
      {u"@PRT PRJ*SRC.", u"", u""},
      {u"@PRT,T PRJ*SRC", u"", kBadQualFileMessage},
      {u"@PRT,T .", u"", kBadQualFileMessage},
      {u"@PRT,T", u"", kBadQualFileMessage},
  };
  for (const Case& c : cases) {
    const PrintedListing listing = readPrintedListing(txtHdl, {c.header, u"SYM    MAIN"});
    EXPECT_EQ(listing.qualFile, c.qualFile) << platform::toUtf8(c.header);
    EXPECT_EQ(listing.message, c.message) << platform::toUtf8(c.header);
    EXPECT_EQ(listing.elements.size(), c.qualFile.empty() ? 0u : 1u) << platform::toUtf8(c.header);
  }
}

TEST(PrintedListingTest, ElementLinesNeedBlanksInColumnsFiveToSeven) {
  const TxtHdl txtHdl;
  struct Case {
    std::u16string line, element;  // "" = ignored
  } cases[] = {
      {u"SYM    MAIN/R1", u"MAIN/R1"},
      {u"SYM    main/r1  12 NOV 08", u"MAIN/R1"},
      {u"OMN    LIB(0)  ENTRY", u"LIB"},
      {u"OMN    (0)", u""},          // "0)" is no element name
      {u"S(0    NAME(0)", u"NAME"},  // only a "(0" from column 8 on is cut
      {u"ABS    PROG(1)", u"PROG(1)"},
      {u"SYM    X", u"X"},  // nine characters with the added blank
      {u"SYM   X", u""},    // column 7 is not blank
      {u"SYM    ", u""},    // too short once trimmed
      {u"PRJ*SRC(1)", u""},
      {u"TEXT  CREATED 08 NOV 08", u""},
      {u"ＳＹＭ    KANJI", u"KANJI"},  // columns count characters, not bytes
      {u"SYM    漢字", u""},           // no 2200 name
      {u"SYM    ..\\..\\X", u""},
      {u"SYM    CON", u""},
      {u"SYM    A(B)", u""},
      {u"SYM    ABCDEFGHIJKLM", u""},
  };
  for (const Case& c : cases) {
    const PrintedListing listing = readPrintedListing(txtHdl, {u"@PRT,T PRJ*SRC.", c.line});
    const Lines expected = c.element.empty() ? Lines{} : Lines{c.element};
    EXPECT_EQ(listing.elements, expected) << platform::toUtf8(c.line);
  }
}

TEST(PrintedListingTest, LaterHeadersReplaceTheFileAndAddToTheSameList) {
  const TxtHdl txtHdl;
  const PrintedListing listing = readPrintedListing(
      txtHdl, {u"SYM    BEFORE", u"@PRT,T A*ONE.", u"SYM    FIRST", u"@PRT,TB B*TWO.",
               u"SYM    SECOND", u"@PRT,T C*BAD", u"SYM    AFTER"});
  EXPECT_EQ(listing.elements, (Lines{u"FIRST", u"SECOND"}));
  EXPECT_EQ(listing.message, kBadQualFileMessage);
  EXPECT_EQ(listing.qualFile, u"");
}

TEST(PrintedListingTest, OverlongLinesAreSkippedAndCountedTheRestKept) {
  const TxtHdl txtHdl;
  const std::u16string atLimit = u"SYM    " + std::u16string(kLongestListingLine - 7, u'X');
  const std::u16string belowLimit = u"SYM    " + std::u16string(kLongestListingLine - 8, u'X');
  // Trailing blanks are trimmed before the length counts.
  const std::u16string padded = u"SYM    NEXT" + std::u16string(50000, u' ');
  const PrintedListing listing = readPrintedListing(
      txtHdl, {u"@PRT,T PRJ*SRC.", u"SYM    MAIN", atLimit, belowLimit, padded,
               u"@PRT,T " + std::u16string(kLongestListingLine, u'Q') + u".", u"SYM    LAST"});
  EXPECT_EQ(listing.tooLong, 2u);
  EXPECT_EQ(listing.refused, 1u);  // the line below the limit is read: no 2200 name
  EXPECT_EQ(listing.elements, (Lines{u"MAIN", u"NEXT", u"LAST"}));
  EXPECT_EQ(listing.qualFile, u"PRJ*SRC");
  EXPECT_EQ(listing.message, u"");
}

class ListingDropTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    form->Text_2200file[1]->setText(u"OLD*FILE");
    form->List_elt[1]->addItem(u"OLD");
  }
  Lines rows(const forms::ListBox& list) const {
    Lines out;
    for (int r = 0; r < list.count(); ++r) out.push_back(list.item(r));
    return out;
  }
};

TEST_F(ListingDropTest, SampleListingFillsThePane) {
  form->List_2200file_OLEDragDrop(1, {sampleListing(), folder.file(u"second.txt")});
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(rows(*form->List_elt[1]),
            (Lines{u"MAIN/R1", u"MAIN/R2", u"LOWER/V1", u"INDENTED", u"LIB", u"LIB", u"PROG(1)"}));
  EXPECT_EQ(form->Text_2200file[1]->text(), u"PRJ*SRC");
  EXPECT_EQ(form->pub.listingQualFile, u"PRJ*SRC");
  EXPECT_EQ(rows(*form->List_2200file[1]), Lines{sampleListing()});
  EXPECT_EQ(rows(*form->List_elt[0]), Lines{});  // other panes untouched
}

TEST_F(ListingDropTest, DroppedPathReplacesOnlyTheFirstRow) {
  form->List_2200file[2]->addItem(u"first");
  form->List_2200file[2]->addItem(u"kept");
  form->List_2200file_OLEDragDrop(2, {sampleListing()});
  EXPECT_EQ(rows(*form->List_2200file[2]), (Lines{sampleListing(), u"kept"}));
}

TEST_F(ListingDropTest, BadHeaderIsToldWithInstructionsAndKeepsTheFileBox) {
  const std::u16string path = folder.file(u"bad.txt");
  platform::writeTextLines(
      path, {u"@PRT,T GOOD*ONE.", u"SYM    MAIN", u"@PRT,T PRJ*SRC", u"SYM    LATER"});
  form->List_2200file_OLEDragDrop(1, {path});
  EXPECT_EQ(desktop.messages, (Lines{kBadQualFileMessage, kListingHowToMessage}));
  EXPECT_EQ(desktop.messages[1],
            u"ファイルは、次のような手順で作成してください。@@PRNT -> @PRT,T qual*file. -> @@NOPR");
  EXPECT_EQ(rows(*form->List_elt[1]), Lines{u"MAIN"});
  EXPECT_EQ(form->Text_2200file[1]->text(), u"OLD*FILE");
}

TEST_F(ListingDropTest, ListingWithoutHeaderEmptiesListAndFileBox) {
  const std::u16string path = folder.file(u"plain.txt");
  platform::writeTextLines(path, {u"SYM    MAIN", u"some text"});
  form->List_2200file_OLEDragDrop(1, {path});
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(rows(*form->List_elt[1]), Lines{});
  EXPECT_EQ(form->Text_2200file[1]->text(), u"");
}

TEST_F(ListingDropTest, UnreadableDropLeavesThePaneAsItWas) {
  for (const std::u16string& path : {folder.file(u"missing.txt"), folder.path()}) {
    desktop.messages.clear();
    form->List_2200file_OLEDragDrop(1, {path});
    EXPECT_EQ(desktop.messages, (Lines{kListingUnreadableMessage + path, kListingHowToMessage}));
    EXPECT_EQ(rows(*form->List_elt[1]), Lines{u"OLD"});
    EXPECT_EQ(form->Text_2200file[1]->text(), u"OLD*FILE");
  }
}

TEST_F(ListingDropTest, OverlongLinesAreSkippedAndToldWithTheOthers) {
  const std::u16string path = folder.file(u"long.txt");
  platform::writeTextLines(
      path, {u"@PRT,T " + std::u16string(40000, u'Q') + u".", u"@PRT,T A*B.", u"SYM    MAIN",
             u"SYM    " + std::u16string(40000, u'X'), u"SYM    A/./B", u"SYM    LAST"});
  form->List_2200file_OLEDragDrop(1, {path});
  EXPECT_EQ(desktop.messages, Lines{std::u16string(kUnsafeDroppedRowsMessage) + u"1\n" +
                                    kLongDroppedRowsMessage + u"2"});
  EXPECT_EQ(rows(*form->List_elt[1]), (Lines{u"MAIN", u"LAST"}));
  EXPECT_EQ(form->Text_2200file[1]->text(), u"A*B");
}

TEST_F(ListingDropTest, EmptyDropDoesNothing) {
  form->List_2200file_OLEDragDrop(1, {});
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(rows(*form->List_2200file[1]), Lines{});
  EXPECT_EQ(rows(*form->List_elt[1]), Lines{u"OLD"});
}

}  // namespace
}  // namespace morvanta::analysis
