#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/TxtHdl.h"

namespace morvanta {
namespace {

TEST(LiteralGet, ReadsUpToTheLastQuote) {
  struct Case {
    std::u16string in;
    std::int16_t pos;
    std::u16string want;
  };
  const std::vector<Case> cases = {
      {u"'AB'", 1, u"AB"},
      {u"' AB '", 1, u"AB"},
      {u"'A'", 1, u"A"},
      {u"''", 1, u""},
      {u"' '", 1, u""},
      {u"'AB", 1, u""},
      {u"no quote", 1, u""},
      // The closing quote is the last one of the text.
      {u"X='AB' Y='CD'", 1, u"AB' Y='CD"},
      {u"X='AB' Y='CD'", 8, u"CD"},
      {u"X='AB'", 7, u""},
      {u"X='漢字' ", 1, u"漢字"},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    EXPECT_EQ(th.Literal_get(c.in, c.pos), c.want) << c.in.size() << "/" << c.pos;
    std::u16string dq = c.in;
    for (auto& ch : dq) {
      if (ch == u'\'') ch = u'"';
    }
    std::u16string want = c.want;
    for (auto& ch : want) {
      if (ch == u'\'') ch = u'"';
    }
    EXPECT_EQ(th.Double_quotation_get(dq, c.pos), want);
  }
  EXPECT_THROW(th.Literal_get(u"'AB'", 0), std::invalid_argument);
  EXPECT_EQ(th.Double_quotation_get(u"'AB'", 1), u"");
}

TEST(DoubleQuotationGet, TracesOnlyWhenTheTraceIsOn) {
  TxtHdl th;
  std::vector<std::u16string> lines;
  th.txthdllog_out = [&lines](const std::u16string& line) { lines.push_back(line); };
  EXPECT_EQ(th.Double_quotation_get(u"\"AB\"", 1), u"AB");
  EXPECT_TRUE(lines.empty());

  th.txthdllog_fno = 1;
  EXPECT_EQ(th.Double_quotation_get(u"x \"AB\" ", 1), u"AB");
  EXPECT_EQ(th.Double_quotation_get(u"\"AB", 1), u"");
  EXPECT_EQ(th.Literal_get(u"'AB'", 1), u"AB");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], u"txtdl:  AB\"i=3");

  th.txthdllog_out = nullptr;
  EXPECT_EQ(th.Double_quotation_get(u"\"AB\"", 1), u"AB");
}

struct FillCase {
  std::u16string in;
  std::int32_t width;
  std::u16string side, want;
};

TEST(AddSpaceToStr, BlanksCountedByCharacter) {
  const std::vector<FillCase> cases = {
      {u"AB", 5, u"bef", u"   AB"},   {u"AB", 5, u"Before", u"   AB"},
      {u"AB", 5, u"AFT", u"AB   "},   {u"AB", 5, u"", u"AB   "},
      {u"AB", 5, u"BEFOR", u"AB   "}, {u"ABCDEF", 4, u"BEF", u"ABCDEF"},
      {u"漢字", 3, u"BEF", u" 漢字"}, {u"AB", -3, u"BEF", u"AB"},
  };
  TxtHdl th;
  for (const auto& c : cases) EXPECT_EQ(th.ADD_SPACE_to_STR(c.in, c.width, c.side), c.want);
}

TEST(AddSpaceToStr, ByteVariantCountsTwoColumnsPerCharacter) {
  const std::vector<FillCase> cases = {
      {u"AB", 10, u"", u"AB      "}, {u"AB", 10, u"bef", u"      AB"}, {u"漢", 3, u"", u"漢 "},
      {u"AB", 4, u"", u"AB"},        {u"AB", 3, u"", u"AB"},
  };
  TxtHdl th;
  for (const auto& c : cases) EXPECT_EQ(th.ADD_SPACE_to_STR_byte(c.in, c.width, c.side), c.want);
}

TEST(AddSpaceToStr, FullWidthVariants) {
  TxtHdl th;
  EXPECT_EQ(th.ADD_SPACE_to_STR_zen(u"AB", 4, u"BEF"), u"　　AB");
  EXPECT_EQ(th.ADD_SPACE_to_STR_zen(u"AB", 4, u"BEFORE"), u"　　AB");
  // Only the upper-case words fill before.
  EXPECT_EQ(th.ADD_SPACE_to_STR_zen(u"AB", 4, u"bef"), u"AB　　");
  EXPECT_EQ(th.ADD_SPACE_to_STR_zen(u"ABCDEF", 4, u"BEF"), u"ABCDEF");

  const std::vector<FillCase> cut = {
      {u"ABCDEF", 4, u"", u"ABCD"},    {u"ABCDEF", 4, u"BEF", u"CDEF"},
      {u"ABCDEF", 4, u"bef", u"ABCD"}, {u"AB", 3, u"BEFORE", u"　AB"},
      {u"AB", 3, u"AFT", u"AB　"},     {u"ABCD", 4, u"BEF", u"ABCD"},
      {u"ABCD", 0, u"BEF", u""},
  };
  for (const auto& c : cut) EXPECT_EQ(th.ADD_SPACE_to_STR_zen2(c.in, c.width, c.side), c.want);
  EXPECT_THROW(th.ADD_SPACE_to_STR_zen2(u"AB", -1, u""), std::invalid_argument);
}

}  // namespace
}  // namespace morvanta
