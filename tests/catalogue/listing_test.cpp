// Listing lines and what they give, for both listing shapes.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>

#include "catalogue/ListingFields.h"
#include "catalogue/TocListing.h"
#include "platform/Platform.h"
#include "text/TxtHdl.h"
#include "u2200/Class2200.h"

namespace morvanta::catalogue {
namespace {

struct Expected {
  std::u16string line;
  std::u16string display;
  std::u16string date;
  std::u16string phased;
};

class ListingLineTest : public ::testing::Test {
 protected:
  ListingLineParser parser(std::int16_t mdirMode, int year, int month) const {
    return ListingLineParser(cls2200, mdirMode, platform::DateTime{year, month, 15, 12, 0, 0});
  }

  void expectRows(const ListingLineParser& p, const std::vector<Expected>& table) const {
    for (const Expected& e : table) {
      ListingRow row;
      ASSERT_TRUE(p.parse(e.line, u"", row)) << platform::toUtf8(e.line);
      EXPECT_EQ(row.display, e.display) << platform::toUtf8(e.line);
      EXPECT_EQ(row.date, e.date) << platform::toUtf8(e.line);
      EXPECT_EQ(row.phased, e.phased) << platform::toUtf8(e.line);
    }
  }

  // The listing file's bytes read in place give exactly what the line
  // parser gives for the decoded lines: rows of both lists, phased lines and
  // the count of refused rows.
  // Returns how many rows were listed.
  std::size_t expectSameAsDecodedLines(const std::vector<std::string>& lines, std::int16_t mode,
                                       const std::u16string& filter) const {
    const ListingLineParser expecting = parser(mode, 2003, 3);
    std::string file;
    ListingResult expected;
    for (const std::string& line : lines) {
      file += line + "\r\n";
      ListingRow row;
      if (!expecting.parse(platform::fromCp932(line), filter, row)) continue;
      expected.names.append(row.display);
      if (mode == 1) expected.dates.append(row.date);
      expected.phased.append(platform::toCp932(row.phased) + "\r\n");
    }
    const ListingLineParser reading = parser(mode, 2003, 3);
    ListingResult got;
    reading.parseListing(file, filter, got);
    const std::string what =
        "mode " + std::to_string(mode) + ", filter " + platform::toUtf8(filter);
    EXPECT_EQ(got.names.size(), expected.names.size()) << what;
    EXPECT_EQ(got.dates.size(), expected.dates.size()) << what;
    if (got.names.size() != expected.names.size() || got.dates.size() != expected.dates.size()) {
      return 0;
    }
    for (std::size_t r = 0; r < got.names.size(); ++r) {
      EXPECT_EQ(got.names.at(r), expected.names.at(r)) << what << ", row " << r;
    }
    for (std::size_t r = 0; r < got.dates.size(); ++r) {
      EXPECT_EQ(got.dates.at(r), expected.dates.at(r)) << what << ", row " << r;
    }
    EXPECT_EQ(got.phased.view(), expected.phased.view()) << what;
    EXPECT_EQ(got.unwritable, "") << what;
    EXPECT_EQ(reading.refusedRows(), expecting.refusedRows()) << what;
    return got.names.size();
  }

  Class2200 cls2200;
};

TEST_F(ListingLineTest, DetailedListingInMarch) {
  expectRows(
      parser(1, 2003, 3),
      {
          {u"f1 f2 f3 f4 Jan 5 9:07 main.r1_sym", u"MAIN/R1", u"2003/01/05  09:07 ",
           u"MAIN.R1 MAIN/R1 2003/01/05  09:07  "},
          {u"f1 f2 f3 f4 Dec 24 2001 lib._rel", u"LIB(REL)", u"2001/12/24 ",
           u"LIB LIB(REL) 2001/12/24  "},
          {u"-rw-rw-r--   1 PRJ        812 Mar 10 10:30 MAIN.R2_ABS", u"MAIN/R2(ABS)",
           u"2003/03/10  10:30 ", u"MAIN.R2 MAIN/R2(ABS) 2003/03/10  10:30  "},
          {u"  a b c d Oct 31 23:59 X.2_OMN  ", u"X/2(OMN)", u"2002/10/31  23:59 ",
           u"X.2 X/2(OMN) 2002/10/31  23:59  "},
          {u"a b c d Apr 1 00:00 BUILD._SYM", u"BUILD", u"2002/04/01  00:00 ",
           u"BUILD BUILD 2002/04/01  00:00  "},
          // A one-character name at the end of the line is still read.
          {u"a b c d FEB 28 1:05 A", u"A", u"2003/02/28  01:05 ", u"A A 2003/02/28  01:05  "},
          // Summary lines are not recognised: they give an empty row.
          {u"TOTAL 12", u"", u"/00/ ", u"  /00/  "},
      });
}

TEST_F(ListingLineTest, YearRuleAtTheTurnOfTheYear) {
  struct Case {
    int month;
    std::u16string line;
    std::u16string date;
  };
  const Case cases[] = {
      {1, u"a b c d Dec 31 23:59 E._SYM", u"2025/12/31  23:59 "},
      {1, u"a b c d Jan 1 0:00 E._SYM", u"2026/01/01  00:00 "},
      {12, u"a b c d Dec 31 23:59 E._SYM", u"2026/12/31  23:59 "},
      {11, u"a b c d Dec 1 8:00 E._SYM", u"2025/12/01  08:00 "},
      // An unknown month never counts as last year.
      {1, u"a b c d Foo 3 7:00 E._SYM", u"2026/00/03  07:00 "},
  };
  for (const Case& c : cases) {
    ListingRow row;
    ASSERT_TRUE(parser(1, 2026, c.month).parse(c.line, u"", row));
    EXPECT_EQ(row.date, c.date) << platform::toUtf8(c.line) << " in month " << c.month;
  }
}

TEST_F(ListingLineTest, NameListing) {
  expectRows(parser(0, 2026, 12), {
                                      {u"  main.r1_sym  ", u"MAIN/R1", u"", u"MAIN.R1 MAIN/R1"},
                                      {u"LIB._REL", u"LIB(REL)", u"", u"LIB LIB(REL)"},
                                      {u"NOTYPE.V", u"NOTYPE/V", u"", u"NOTYPE.V NOTYPE/V"},
                                  });
}

// Read as a name listing, a whole detailed line is one name: no 2200 name,
// so the row is skipped and counted.
TEST_F(ListingLineTest, DetailedLineReadAsNameListingIsNoElementName) {
  ListingRow row;
  const ListingLineParser names = parser(0, 2026, 12);
  EXPECT_FALSE(names.parse(u"f1 f2 f3 f4 Jan 5 9:07 main.r1_sym", u"", row));
  EXPECT_EQ(names.refusedRows(), 1u);
}

// Names that are no 2200 element name, or whose PC file would not be one
// safe name in its folder, never become rows; blank and filtered lines are
// not counted as refused.
TEST_F(ListingLineTest, HostileNamesAreSkippedAndCounted) {
  const ListingLineParser detailed = parser(1, 2026, 12);
  ListingRow row;
  const std::u16string hostile[] = {u"/./X.",
                                    u"/./../../X.",
                                    u"..\\..\\X",
                                    u"A\tB._SYM",
                                    std::u16string(u"A\0B", 3),
                                    u"CON._SYM",
                                    u"con.r1_sym",
                                    u"NUL.R1_SYM",
                                    u"ABCDEFGHIJKLM._SYM",
                                    u"MAIN.ABCDEFGHIJKLM_SYM",
                                    u"A.B.C_OMN",
                                    u"_SYM",
                                    u"\x1A._SYM"};
  for (const auto& name : hostile) {
    EXPECT_FALSE(detailed.parse(u"-rw-rw-r-- 1 PRJ 1 Nov 30 09:07 " + name, u"", row))
        << platform::toUtf8(name);
  }
  EXPECT_EQ(detailed.refusedRows(), std::size(hostile));
  EXPECT_FALSE(detailed.parse(u"   ", u"", row));
  EXPECT_FALSE(detailed.parse(u"-rw-rw-r-- 1 PRJ 1 Nov 30 09:07 MAIN._SYM", u"OTHER", row));
  EXPECT_EQ(detailed.refusedRows(), std::size(hostile));
  ASSERT_TRUE(
      detailed.parse(u"-rw-rw-r-- 1 PRJ 1 Nov 30 09:07 ABCDEFGHIJKL.ABCDEFGHIJKL_SYM", u"", row));
  EXPECT_EQ(row.display, u"ABCDEFGHIJKL/ABCDEFGHIJKL");
}

TEST_F(ListingLineTest, BlankLinesGiveNothing) {
  ListingRow row;
  for (std::int16_t mode : {0, 1}) {
    EXPECT_FALSE(parser(mode, 2026, 12).parse(u"", u"", row));
    EXPECT_FALSE(parser(mode, 2026, 12).parse(u"     ", u"", row));
  }
}

TEST_F(ListingLineTest, FilterIsAPlainSubstringOfTheNameWithoutItsType) {
  struct Case {
    std::u16string filter;
    std::u16string line;
    bool taken;
  };
  const Case cases[] = {
      {u"R1", u"a b c d Jan 5 9:07 MAIN.R1_SYM", true},
      {u"R1", u"a b c d Jan 5 9:07 MAIN.R2_SYM", false},
      {u"REL", u"a b c d Jan 5 9:07 LIB._REL", false},
      {u"REL", u"a b c d Jan 5 9:07 RELX._REL", true},
      {u"*", u"a b c d Jan 5 9:07 LIB._REL", true},
      {u"", u"a b c d Jan 5 9:07 LIB._REL", true},
      {u"MA*", u"a b c d Jan 5 9:07 MAIN.R1_SYM", false},
      {u"r1", u"a b c d Jan 5 9:07 MAIN.R1_SYM", false},  // the window upper-cases first
      {u"N/R", u"a b c d Jan 5 9:07 MAIN.R1_SYM", true},
  };
  for (const Case& c : cases) {
    ListingRow row;
    EXPECT_EQ(parser(1, 2026, 12).parse(c.line, c.filter, row), c.taken)
        << platform::toUtf8(c.filter) << " on " << platform::toUtf8(c.line);
  }
}

TEST(ListingFields, ReadExactlyAsTheTextToolkitReadsThem) {
  const std::u16string longGap(101, u' ');
  const std::u16string lines[] = {
      u"A B C D JAN 5 9:07 MAIN.R1_SYM ",
      u"   -RW-RW-R--   1 PRJ      1234 DEC  5  2001 LIB._REL ",
      u"A ",
      u"AB",
      u"A B",
      u" ",
      u"",
      u"X" + longGap + u"Y Z ",
      u"X" + std::u16string(100, u' ') + u"Y Z ",
      u"ONE  TWO" + std::u16string(99, u' ') + u"THREE ",
  };
  TxtHdl txtHdl;
  for (const std::u16string& line : lines) {
    std::int16_t pos = 1;
    std::size_t at = 0;
    for (int n = 0; n < 10; ++n) {
      const std::u16string expected = txtHdl.Field_get(line, pos);
      EXPECT_EQ(std::u16string(nextField(line, at)), expected)
          << "field " << n << " of \"" << platform::toUtf8(line) << "\"";
      EXPECT_EQ(at + 1, static_cast<std::size_t>(pos)) << "after field " << n;
    }
  }
}

// Fields 5 to 8 read from a line's bytes are those the field reader gives
// for the line and one blank: lines around the length where long blank runs
// become possible, runs of 100 and 101 blanks, few fields, many fields.
TEST(ListingFields, ReadFromBytesAsTheFieldReaderReadsThem) {
  std::vector<std::string> lines = {"a", "a b c d e f g h", "a b c d e f g", "a b c d e",
                                    "-rw-rw-r--   1 PRJ        812 Mar 10 10:30 MAIN.R2_ABS"};
  for (const std::size_t gap : {99, 100, 101, 102}) {
    lines.push_back("a b c d e" + std::string(gap, ' ') + "f g h");
    lines.push_back("a" + std::string(gap, ' ') + "b c d e f g h i");
  }
  std::mt19937 random(2200);
  for (int n = 0; n < 5000; ++n) {
    std::string line;
    const std::size_t length = random() % 300;
    const bool longGaps = random() % 4 == 0;
    while (line.size() < length) {
      if (random() % 3 == 0) {
        line.append(longGaps ? 1 + random() % 120 : 1 + random() % 4, ' ');
      } else {
        line.append(1 + random() % 12, static_cast<char>('A' + random() % 26));
      }
    }
    lines.push_back(line);
  }
  for (const std::string& raw : lines) {
    const auto first = raw.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    const std::string line = raw.substr(first, raw.find_last_not_of(' ') - first + 1);
    const std::string padded = line + " ";
    std::size_t pos = 0;
    std::string_view expected[8];
    for (auto& field : expected) field = nextField(std::string_view(padded), pos);
    std::string_view got[4];
    listedFields(line, line.data() + line.size(), got);
    for (int f = 0; f < 4; ++f) {
      EXPECT_EQ(got[f], expected[4 + f]) << "field " << 5 + f << " of \"" << line << "\"";
    }
    // With the next line's bytes readable after it, none of them counts.
    const std::string followed = line + "X YY ZZZ " + std::string(64, 'W');
    listedFields(std::string_view(followed).substr(0, line.size()),
                 followed.data() + followed.size(), got);
    for (int f = 0; f < 4; ++f) {
      EXPECT_EQ(got[f], expected[4 + f]) << "field " << 5 + f << " of \"" << line << "\"";
    }
  }
}

TEST_F(ListingLineTest, TextNameIsTheConversionsTxtForm) {
  const std::u16string names[] = {u"MAIN.R1_SYM", u"LIB._REL", u"LIB.",
                                  u"NOVER",       u"X/Y",      u"E.V_ABS"};
  for (const std::u16string& name : names) {
    std::u16string type;
    const std::u16string txt = cls2200.U2200ElementName_to_PcName(u"TXT.", name, type);
    ListingRow row;
    ASSERT_TRUE(parser(0, 2026, 12).parse(name, u"", row));
    EXPECT_EQ(row.phased, txt + u" " + row.display) << platform::toUtf8(name);
  }
}

TEST_F(ListingLineTest, OverlongLineIsSkipped) {
  ListingRow row;
  const std::u16string line = u"a b c d Jan 5 9:07 " + std::u16string(40000, u'X');
  EXPECT_FALSE(parser(1, 2026, 12).parse(line, u"", row));
  EXPECT_FALSE(parser(0, 2026, 12).parse(line, u"", row));
}

// The listing file's bytes read in place give exactly what the line parser
// gives for the decoded lines: rows of both lists and the phased lines.
TEST_F(ListingLineTest, BytesReadInPlaceGiveWhatDecodedLinesGive) {
  const std::vector<std::string> lines = {
      "-rw-rw-r--   1 PRJ  812 Mar 10 10:30 MAIN.R2_ABS",
      "a b c d jan 5 9:07 main.r1_sym",
      "  a b c d Oct 31 23:59 X.2_OMN  ",
      "a b c d Dec 24 2001 lib._rel",
      "a b c d FEB 28 1:05 A",
      "a b c d Foo 3 7:00 E._SYM",
      "a b c d Jan 5 :07 ODD.V_SYM",
      "a b c d Jan 5 123:4 ODD.V_SYM",
      "TOTAL 12",
      "a b c d Jan 5 9:07 A_SYMB._SYM",
      "a b c d Jan 5 9:07 _SYMX._ABS",
      "a b c d Jan 5 9:07 NOTYPE.V",
      "a b c d Jan 5 9:07 X/Y.Z_REL",
      "a b c d Jan 5 9:07 ._SYM",
      "a b c d Jan 5 9:07 E._XYZ",
      "a b c d Jan 5 9:07 E.V_SYM_REL",
      "a b c d Jan 5 9:07 \x8a\xbf\x8e\x9a.R1_SYM",  // kanji (CP932)
      "    ",
      "",
      "x" + std::string(100, ' ') + "y",
      "a b c d Jan 5 9:07 " + std::string(40000, 'X'),
      "a b c d Jan 5 9:07 LONE\rCR_SYM",
  };
  for (const std::int16_t mode : {0, 1}) {
    for (const std::u16string filter : {u"", u"*", u"R1", u"E", u"漢", u"(REL)"}) {
      expectSameAsDecodedLines(lines, mode, filter);
    }
  }
}

// A listing large enough to be read by two threads: rows of every kind on
// both sides of the split, in order, refused rows counted once.
TEST_F(ListingLineTest, LargeListingGivesWhatItsLinesGiveOneByOne) {
  const std::vector<std::string> kinds = {
      "-rw-rw-r--   1 PRJ  812 Mar 10 10:30 MAIN.R2_ABS",
      "a b c d jan 5 9:07 main.r1_sym",
      "a b c d Dec 24 2001 lib._rel",
      "a b c d Jan 5 9:07 X/Y.Z_REL",
      "a b c d Jan 5 9:07 \x8a\xbf\x8e\x9a.R1_SYM",
      "",
      "a b c d Jan 5 9:07 LONE\rCR_SYM",
  };
  std::vector<std::string> lines;
  std::vector<std::string> names;  // the same as an "mls" listing
  for (int n = 0; lines.size() < 12000; ++n) {
    lines.insert(lines.end(), kinds.begin(), kinds.end());
    lines.push_back("a b c d Feb 3 1999 E" + std::to_string(n) + ".V_SYM");
  }
  for (const std::string& line : lines) names.push_back(line.substr(line.rfind(' ') + 1));
  for (const std::int16_t mode : {0, 1}) {
    const auto& listing = mode == 1 ? lines : names;
    EXPECT_GT(expectSameAsDecodedLines(listing, mode, u""), 5000u);
    expectSameAsDecodedLines(listing, mode, u"R1");
  }
}

// Lines near the usual shape, with every kind of small fault: the quick
// way for usual rows and the general way must never disagree.
TEST_F(ListingLineTest, NearlyUsualLinesGiveWhatDecodedLinesGive) {
  std::mt19937 random(2200);
  const auto pick = [&random](std::string_view from) { return from[random() % from.size()]; };
  const auto word = [&](std::string_view from, std::size_t most) {
    std::string text(random() % (most + 1), ' ');
    for (char& c : text) c = pick(from);
    return text;
  };
  static const char* const kMonths[] = {"Jan", "FEB", "mar", "Apr", "Xyz", "Ja", "DECX", "Oct"};
  static const char* const kTypes[] = {"_SYM", "_sym", "_ABS", "_Rel", "_OMN", "_XYZ", "", "_SY"};
  std::vector<std::string> names;
  std::vector<std::string> lines;
  for (int n = 0; n < 3000; ++n) {
    std::string name = word("ABCXYZ019$-ab", 13) + (random() % 4 != 0 ? "." : "") +
                       word("AZ09a", 13) + kTypes[random() % 8];
    if (!name.empty() && random() % 4 == 0) name[random() % name.size()] = pick("._/ \t\x7F");
    const std::string day = word("0123456789aZ", 3);
    const std::string time = random() % 3 == 0
                                 ? word("0123456789", 5)
                                 : word("0123456789", 3) + ":" + word("0123456789", 3);
    names.push_back(name);
    lines.push_back("-rw-r--r-- 1 PRJ 812 " + std::string(kMonths[random() % 8]) + " " + day + " " +
                    time + " " + name);
  }
  for (const std::int16_t mode : {0, 1}) {
    const auto& listing = mode == 1 ? lines : names;
    // Enough of them are usual rows to try the quick way well.
    EXPECT_GT(expectSameAsDecodedLines(listing, mode, u""), 300u);
    for (const std::u16string filter : {u"A", u"/", u"(ABS)"}) {
      expectSameAsDecodedLines(listing, mode, filter);
    }
  }
}

TEST_F(ListingLineTest, LineEndsAsTheTextFileReaderSplitsThem) {
  const ListingLineParser p = parser(0, 2026, 12);
  ListingResult got;
  p.parseListing("A._SYM\nB._SYM\r\n\r\nC.V\r", u"", got);
  // A CR without its LF at the very end belongs to the line, and a name
  // with a control character is never listed.
  ASSERT_EQ(got.names.size(), 2u);
  EXPECT_EQ(got.names.at(1), u"B");
  EXPECT_EQ(p.refusedRows(), 1u);
}

TEST_F(ListingLineTest, NameThatCp932CannotHoldIsReported) {
  ListingResult got;
  parser(1, 2026, 12)
      .parseListing("a b c d Jan 5 9:07 BAD\x81\x7F.R1_SYM\r\nOK._SYM\r\n", u"", got);
  // A byte CP932 cannot read makes no 2200 name: the row is skipped, so
  // nothing unwritable reaches the phased file.
  EXPECT_EQ(got.names.size(), 1u);
  EXPECT_EQ(got.unwritable, "");
}

// Names of the usual shape and names just beside it read in place give
// what the general conversion gives.
TEST_F(ListingLineTest, QuickDisplayNameAgreesWithTheGeneralConversion) {
  const std::vector<std::string> names = {"MAIN.R1_SYM", "LIB._REL",    "X.2_OMN",  "E.V_ABS",
                                          "A.B.C_SYM",   "NOVER_SYM",   "._SYM",    "A ._SYM",
                                          "X/Y.Z_REL",   "A_SYMB._SYM", "_SYM",     "NOTYPE.V",
                                          "E._XYZ",      "E.V_SYM_REL", "E.V_SYMX", "",
                                          "MAIN.R1_sym", "main.r1_Sym"};
  for (const std::u16string filter : {u"", u"R1"}) {
    EXPECT_GT(expectSameAsDecodedLines(names, 0, filter), 0u);
  }
}

}  // namespace
}  // namespace morvanta::catalogue
