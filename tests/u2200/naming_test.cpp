#include <gtest/gtest.h>

#include <string>

#include "u2200/Class2200.h"

namespace morvanta {
namespace {

struct NameCase {
  std::u16string in;
  std::u16string expected;
};

class NamingTest : public ::testing::Test {
 protected:
  Class2200 c;
};

TEST_F(NamingTest, FileNamesToPcAndBack) {
  const NameCase to_pc[] = {
      {u"PRJ*SRC", u"PRJ＊SRC"},     {u"A*B*C", u"A＊B*C"},  // only the first
      {u"  PRJ*SRC  ", u"PRJ＊SRC"}, {u"NOQUAL", u"NOQUAL"}, {u"", u""},
  };
  for (const auto& tc : to_pc) EXPECT_EQ(c.U2200FileName_to_PcName(tc.in), tc.expected);

  const NameCase to_2200[] = {
      {u"PRJ＊SRC", u"PRJ*SRC"},
      {u"A＊B＊C", u"A*B＊C"},
      {u" PRJ＊SRC ", u"PRJ*SRC"},
  };
  for (const auto& tc : to_2200) EXPECT_EQ(c.PcName_to_U2200FileName(tc.in), tc.expected);
}

TEST_F(NamingTest, ElementNameToPcForms) {
  struct Case {
    std::u16string form;
    std::u16string in;
    std::u16string expected;
    std::u16string typ;
  };
  const Case cases[] = {
      {u"DSP", u"MAIN.R1_SYM", u"MAIN/R1", u"SYM"},
      {u"TXT", u"MAIN.R1_SYM", u"MAIN／R1", u"SYM"},
      {u"TXT.", u"MAIN.R1_SYM", u"MAIN.R1", u"SYM"},
      {u"DSP", u"LIB._REL", u"LIB", u"REL"},
      {u"TXT", u"LIB._REL", u"LIB", u"REL"},
      {u"DSP", u"MAIN._OMN", u"MAIN", u"OMN"},
      {u"DSP", u"PROG.V2_ABS", u"PROG/V2", u"ABS"},
      {u"DSP", u"MAIN/R1", u"MAIN/R1", u"SYM"},
      {u"TXT", u"MAIN/R1", u"MAIN／R1", u"SYM"},
      // The first occurrence of a suffix wins, even inside the name.
      {u"DSP", u"A_SYMB._SYM", u"A", u"SYM"},
      // A suffix at the start picks nothing; the search goes on.
      {u"DSP", u"_SYMX._REL", u"_SYMX", u"REL"},
      {u"DSP", u"_SYMX", u"_SYMX", u"SYM"},
      {u"txt", u"MAIN.R1_SYM", u"MAIN/R1", u"SYM"},  // forms compare exactly
  };
  for (const auto& tc : cases) {
    std::u16string typ = u"old";
    EXPECT_EQ(c.U2200ElementName_to_PcName(tc.form, tc.in, typ), tc.expected)
        << std::string(tc.in.begin(), tc.in.end());
    EXPECT_EQ(typ, tc.typ) << std::string(tc.in.begin(), tc.in.end());
  }
}

TEST_F(NamingTest, PcNameToDisplayElementName) {
  const NameCase cases[] = {
      {u"main／r1.txt", u"MAIN/R1"}, {u"prog.txt", u"PROG"},
      {u"main.r1.txt", u"MAIN/R1"},  {u"MAIN", u"MAIN"},
      {u" main／r1 ", u"MAIN/R1"},
  };
  for (const auto& tc : cases) EXPECT_EQ(c.PcName_to_U2200ElementName(tc.in), tc.expected);
}

TEST_F(NamingTest, FtpElementNames) {
  struct Case {
    std::u16string in;
    std::u16string typ;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"MAIN/R1", u"SYM", u"MAIN.R1_SYM"},      {u"MAIN", u"SYM", u"MAIN._SYM"},
      {u"main／r1", u"REL", u"MAIN.R1_REL"},     {u"main.txt", u"SYM", u"MAIN._SYM"},
      {u"main／r1.txt", u"SYM", u"MAIN.R1_SYM"}, {u"A/B/C", u"OMN", u"A.B/C_OMN"},
  };
  for (const auto& tc : cases) {
    EXPECT_EQ(c.PcName_to_U2200ElementName_FTP(tc.in, tc.typ), tc.expected);
  }
}

TEST_F(NamingTest, ListedNameSurvivesTheRoundTripThroughThePc) {
  std::u16string typ;
  const std::u16string pc = c.U2200ElementName_to_PcName(u"TXT", u"MAIN.R1_REL", typ);
  EXPECT_EQ(c.PcName_to_U2200ElementName_FTP(pc + u".txt", typ), u"MAIN.R1_REL");
  EXPECT_EQ(c.PcName_to_U2200ElementName(pc + u".txt"), u"MAIN/R1");
}

TEST_F(NamingTest, MonthNames) {
  const NameCase cases[] = {
      {u"JAN", u"01"}, {u"jan", u"01"},     {u"Sep", u"09"}, {u"DEC", u"12"},
      {u"OCT", u"10"}, {u"JANUARY", u"00"}, {u"", u"00"},    {u" JAN", u"00"},
  };
  for (const auto& tc : cases) EXPECT_EQ(c.month_string_edit(tc.in), tc.expected);
}

}  // namespace
}  // namespace morvanta
