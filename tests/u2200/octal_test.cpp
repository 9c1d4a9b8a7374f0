#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "u2200/Class2200.h"

namespace morvanta {
namespace {

// The message texts, exactly as the caller shows them.
const std::u16string kNoValue = u"値が指定されていません";
const std::u16string kNotNumeric = u"数値ではありません";
const std::u16string kSevenDigits = u"７桁以上は変換しません";
const std::u16string kNotOctalInput = u"入力はオクタル数値ではありません";
const std::u16string kTwelveDigits = u"12桁で入力してください";
const std::u16string kNotOctal = u"８進ではありません";
const std::u16string kBadDay = u"正しいtdate$の時間ではありません（日）";
const std::u16string kBadMonth = u"正しいtdate$の時間ではありません（月）";
const std::u16string kTooLarge = u"大きすぎる数値が指定されています";

std::string narrow(const std::u16string& s) {
  return std::string(s.begin(), s.end());
}

class OctalTest : public ::testing::Test {
 protected:
  Class2200 c;
};

TEST(NumericChk, AcceptsTheNumberFormsAndNothingElse) {
  const std::u16string numeric[] = {
      u"0",    u"  12  ",  u"-5",   u"+5",   u"1.5",  u".5",   u"5.",    u"1E3",
      u"1e-3", u"2.5E+10", u"&O17", u"&o17", u"&H1F", u"&hff", u" &O7 ",
  };
  for (const auto& s : numeric) EXPECT_TRUE(Class2200::Numeric_chk(s)) << narrow(s);
  const std::u16string not_numeric[] = {
      u"",   u"   ",  u"abc", u"1 2", u"1,000", u"--1", u"+",  u".",   u"1E", u"E3",  u"1E+",
      u"&O", u"&O18", u"&H",  u"&HG", u"-&O7",  u"&17", u"1-", u"(1)", u"$1", u"\t1", u"１２",
  };
  for (const auto& s : not_numeric) EXPECT_FALSE(Class2200::Numeric_chk(s)) << narrow(s);
}

TEST_F(OctalTest, DecimalToOctal) {
  const struct {
    std::u16string in;
    std::u16string oct;
  } cases[] = {
      {u"5", u"005"},    {u"8", u"010"},           {u"0", u"000"},    {u"63", u"077"},
      {u"64", u"0100"},  {u"999999", u"03641077"}, {u" 12 ", u"014"}, {u"&O17", u"017"},
      {u"&H1F", u"037"}, {u"2.5", u"002"},         {u"3.5", u"004"},  {u"1E3", u"01750"},
      {u"-12", u"-014"}, {u"-0", u"000"},
  };
  for (const auto& tc : cases) {
    std::u16string out = u"old";
    EXPECT_EQ(c.DEC_TO_OCT(tc.in, out), u"") << narrow(tc.in);
    EXPECT_EQ(out, tc.oct) << narrow(tc.in);
  }
}

TEST_F(OctalTest, DecimalToOctalMessagesLeaveTheOutputAlone) {
  const struct {
    std::u16string in;
    std::u16string message;
  } cases[] = {
      {u"", kNoValue},       {u"   ", kNoValue},         {u"abc", kNotNumeric},
      {u"1 2", kNotNumeric}, {u"1234567", kSevenDigits}, {u" 123456 ", u""},
      {u"1.5E+3", u""},
  };
  for (const auto& tc : cases) {
    std::u16string out = u"old";
    EXPECT_EQ(c.DEC_TO_OCT(tc.in, out), tc.message) << narrow(tc.in);
    if (!tc.message.empty()) {
      EXPECT_EQ(out, u"old");
    }
  }
  std::u16string out = u"old";
  EXPECT_THROW(c.DEC_TO_OCT(u"9E+99", out), std::overflow_error);
  EXPECT_THROW(c.DEC_TO_OCT(u"3E+9", out), std::overflow_error);
  EXPECT_EQ(out, u"old");
}

TEST_F(OctalTest, OctalCheck) {
  EXPECT_EQ(c.OCT_chk(u"1777"), 0);
  EXPECT_EQ(c.OCT_chk(u"0"), 0);
  EXPECT_EQ(c.OCT_chk(u"18"), -1);
  EXPECT_EQ(c.OCT_chk(u"9"), -1);
  EXPECT_EQ(c.OCT_chk(u""), -1);
  EXPECT_EQ(c.OCT_chk(u"abc"), -1);
  EXPECT_EQ(c.OCT_chk(u"18 "), -1);  // stops at "8" before the blank
  // A numeric text with a character that is no digit is a type mismatch.
  for (const std::u16string s : {u" 17", u"17 ", u"-1", u"1.5", u"1E3", u"&O17"}) {
    EXPECT_THROW(c.OCT_chk(s), std::invalid_argument) << narrow(s);
  }
}

TEST_F(OctalTest, OctalToDecimal) {
  const struct {
    std::u16string in;
    std::u16string message;
    std::u16string dec;
  } cases[] = {
      {u"777", u"", u"511"},
      {u"0", u"", u"0"},
      {u" 17 ", u"", u"15"},
      {u"17777777777", u"", u"2147483647"},
      {u"78", kNotOctalInput, u"old"},
      {u"1E3", kNotOctalInput, u"old"},
      {u"&O17", kNotOctalInput, u"old"},
      {u"-17", kNotOctalInput, u"old"},
      {u"1.5", kNotOctalInput, u"old"},
      {u"", kNoValue, u"old"},
      {u"xyz", kNotNumeric, u"old"},
  };
  for (const auto& tc : cases) {
    std::u16string out = u"old";
    EXPECT_EQ(c.OCT_TO_DEC(tc.in, out), tc.message) << narrow(tc.in);
    EXPECT_EQ(out, tc.dec) << narrow(tc.in);
  }
  std::u16string out = u"old";
  EXPECT_THROW(c.OCT_TO_DEC(u"20000000000", out), std::overflow_error);
  EXPECT_THROW(c.OCT_TO_DEC(u"777777777777", out), std::overflow_error);
  EXPECT_EQ(out, u"old");
}

TEST_F(OctalTest, WordToDouble) {
  const struct {
    std::u16string in;
    double value;
  } cases[] = {
      {u"777777777777", 68719476735.0},
      {u"0777777777777", 68719476735.0},
      {u"&o1", 1.0},
      {u"&O 777", 511.0},
      {u"1", 1.0},
      {u"000001000000", 262144.0},
      {u"1000000000000", 8589934592.0},  // the thirteenth digit is ignored
  };
  for (const auto& tc : cases) {
    double out = -1;
    EXPECT_EQ(c.OCT_TO_DBL(tc.in, out), u"") << narrow(tc.in);
    EXPECT_DOUBLE_EQ(out, tc.value) << narrow(tc.in);
  }
}

TEST_F(OctalTest, WordToDoubleFailures) {
  double out = -1;
  EXPECT_EQ(c.OCT_TO_DBL(u"xyz", out), kNotNumeric);
  EXPECT_EQ(c.OCT_TO_DBL(u"", out), kNotNumeric);
  EXPECT_EQ(c.OCT_TO_DBL(u"9", out), kNotOctal);
  EXPECT_EQ(c.OCT_TO_DBL(u"1E5", out), kNotOctal);
  EXPECT_EQ(c.OCT_TO_DBL(u"1 ", out), kNotOctal);
  EXPECT_EQ(out, -1);
  for (const std::u16string s : {u"-1", u".5", u" 1", u"&H1F"}) {
    EXPECT_THROW(c.OCT_TO_DBL(s, out), std::invalid_argument) << narrow(s);
  }
  EXPECT_EQ(out, -1);
}

TEST_F(OctalTest, WordParts) {
  const struct {
    std::u16string part;
    std::u16string word;
    std::u16string dec;
    std::u16string hex;
  } cases[] = {
      {u"H1", u"000001000002", u"1", u"01"},
      {u"H2", u"000001000002", u"2", u"02"},
      {u"Q4", u"000000000777", u"511", u"1FF"},
      {u"Q1", u"000000000000", u"0", u"00"},
      {u"Q2", u"000123000000", u"83", u"53"},
      {u"Q3", u"000000017000", u"15", u"0F"},
      {u"H2", u"000000001750", u"1000", u"64"},  // only "100" is converted
      {u"H1", u"777777000000", u"262143", u"106"},
      {u"H2", u"0000001", u"1", u"01"},  // fewer where the word is short
      {u"H2", u"000000", u"", u""},      // nothing there
      {u"X1", u"000001000002", u"", u""},
      {u"h1", u"000001000002", u"", u""},
      {u"Q1", u"8 1000000000", u"", u""},
      {u"H1", u"", u" ", u" "},
  };
  for (const auto& tc : cases) {
    EXPECT_EQ(c.ONE_WORD_TO_DEC_with_part(tc.part, tc.word), tc.dec)
        << narrow(tc.part) << " " << narrow(tc.word);
    EXPECT_EQ(c.ONE_WORD_TO_HEX_with_part(tc.part, tc.word), tc.hex)
        << narrow(tc.part) << " " << narrow(tc.word);
  }
}

TEST_F(OctalTest, ZeroFill) {
  EXPECT_EQ(c.ADD_ZERO_to_STR(u"1", 12), u"000000000001");
  EXPECT_EQ(c.ADD_ZERO_to_STR(u"123", 3), u"123");
  EXPECT_EQ(c.ADD_ZERO_to_STR(u"12345", 3), u"12345");
  EXPECT_EQ(c.ADD_ZERO_to_STR(u"", 2), u"00");
  EXPECT_EQ(c.ADD_ZERO_to_STR(u"1", -4), u"1");
}

struct Tdate {
  std::int32_t yyyy = -1;
  std::int16_t month = -1, dd = -1, hh = -1, mm = -1, ss = -1;
};

TEST_F(OctalTest, TdateWords) {
  const struct {
    std::u16string word;
    std::int32_t yyyy;
    std::int16_t month, dd, hh, mm, ss;
  } cases[] = {
      {u"111503000000", 1967, 9, 13, 0, 0, 0},
      {u"301111000000", 1988, 9, 9, 0, 0, 0},  // first field 24: year first
      {u"010203000075", 1967, 1, 2, 0, 1, 1},
      {u"000000000000", 1964, 0, 0, 0, 0, 0},  // month and day 0 pass
      {u"111503777777", 1967, 9, 13, 72, 49, 3},
      {u"141503250577", 1967, 12, 13, 23, 59, 59},  // 86399 s
      {u"150303000000", 1977, 3, 3, 0, 0, 0},       // 13: year, month, day
      {u"013703000000", 1967, 1, 31, 0, 0, 0},
  };
  for (const auto& tc : cases) {
    Tdate t;
    EXPECT_EQ(c.tdate_edit(tc.word, t.yyyy, t.month, t.dd, t.hh, t.mm, t.ss), u"")
        << narrow(tc.word);
    EXPECT_EQ(t.yyyy, tc.yyyy) << narrow(tc.word);
    EXPECT_EQ(t.month, tc.month) << narrow(tc.word);
    EXPECT_EQ(t.dd, tc.dd) << narrow(tc.word);
    EXPECT_EQ(t.hh, tc.hh) << narrow(tc.word);
    EXPECT_EQ(t.mm, tc.mm) << narrow(tc.word);
    EXPECT_EQ(t.ss, tc.ss) << narrow(tc.word);
  }
}

TEST_F(OctalTest, TdateMessagesLeaveTheOutputsAlone) {
  const struct {
    std::u16string word;
    std::u16string message;
  } cases[] = {
      {u"114003000000", kBadDay},    // day field 32
      {u"301503000000", kBadMonth},  // year first, month 13
      {u"300740000000", kBadDay},    // year first, day 32
      {u"abc", kNotNumeric},
      {u"", kNotNumeric},
      {u"11150300000", kTwelveDigits},  // eleven digits
      {u"1115030000000", kTwelveDigits},
      {u"111503000008", kNotOctal},
      {u"1.1503000000", kNotOctal},
      {u"+11503000000", kNotOctal},
      {u" 11503000000", kNotOctal},
      {u"&O1503000000", kNotOctal},
  };
  for (const auto& tc : cases) {
    Tdate t;
    EXPECT_EQ(c.tdate_edit(tc.word, t.yyyy, t.month, t.dd, t.hh, t.mm, t.ss), tc.message)
        << narrow(tc.word);
    EXPECT_EQ(t.yyyy, -1);
    EXPECT_EQ(t.month, -1);
    EXPECT_EQ(t.ss, -1);
  }
}

TEST_F(OctalTest, TimeWords) {
  const struct {
    std::u16string word;
    std::u16string message;
    std::int16_t hh, mm, ss, msec;
  } cases[] = {
      {u"000511455777", u"", 23, 59, 59, 999},
      {u"000000001750", u"", 0, 0, 1, 0},
      {u"000000000000", u"", 0, 0, 0, 0},
      {u"000000000001", u"", 0, 0, 0, 1},
      {u"000511456000", kTooLarge, -1, -1, -1, -1},
      {u"777777777777", kTooLarge, -1, -1, -1, -1},
      {u"00051145577", kTwelveDigits, -1, -1, -1, -1},
      {u"000511455778", kNotOctal, -1, -1, -1, -1},
      {u"-00511455777", kNotOctal, -1, -1, -1, -1},
      {u"x", kNotNumeric, -1, -1, -1, -1},
  };
  for (const auto& tc : cases) {
    std::int16_t hh = -1, mm = -1, ss = -1, msec = -1;
    EXPECT_EQ(c.time_edit(tc.word, hh, mm, ss, msec), tc.message) << narrow(tc.word);
    EXPECT_EQ(hh, tc.hh) << narrow(tc.word);
    EXPECT_EQ(mm, tc.mm) << narrow(tc.word);
    EXPECT_EQ(ss, tc.ss) << narrow(tc.word);
    EXPECT_EQ(msec, tc.msec) << narrow(tc.word);
  }
}

}  // namespace
}  // namespace morvanta
