#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "u2200/Class2200.h"

namespace morvanta {
namespace {

struct CodeCase {
  std::u16string codes;
  std::int16_t count;
  std::u16string expected;
};

class FieldataTest : public ::testing::Test {
 protected:
  Class2200 c;
};

TEST_F(FieldataTest, FieldataCodesToCharacters) {
  const CodeCase cases[] = {
      {u"060710", 3, u"ABC"},
      {u"6005", 2, u"0 "},
      {u"04", 1, std::u16string(1, u'\0')},      // no row
      {u"06", 2, std::u16string(u"A") + u'\0'},  // count past the codes given
      {u"52", 1, u"\""},
      {u"37", 1, u"Z"},
      {u"71", 1, u"9"},
      {u"00", 1, u"@"},
      {u"7475", 2, u"/."},
      {u"6", 1, std::u16string(1, u'\0')},  // "6" is not "06"
      {u"060710", 0, u""},
      {u"060710", -5, u""},
  };
  for (const auto& tc : cases) {
    EXPECT_EQ(c.FD_TO_ASC(tc.codes, tc.count), tc.expected)
        << std::string(tc.codes.begin(), tc.codes.end()) << " / " << tc.count;
  }
}

TEST_F(FieldataTest, AsciiCodesToFieldataCodes) {
  const CodeCase cases[] = {
      {u"101040060", 3, u"060560"},
      {u"141", 1, u"00"},  // lower-case "a" has no row
      {u"042", 1, u"52"},
      {u"132071", 2, u"3771"},
      {u"056057073", 3, u"757473"},
      {u"101", 2, u"0600"},  // past the codes given
      {u"101", 0, u""},
      {u"101", -1, u""},
  };
  for (const auto& tc : cases) {
    EXPECT_EQ(c.ASC_TO_FDcode(tc.codes, tc.count), tc.expected)
        << std::string(tc.codes.begin(), tc.codes.end()) << " / " << tc.count;
  }
}

TEST_F(FieldataTest, EveryTableCharacterRoundTrips) {
  // The 59 characters with a Fieldata code, as three-digit octal ASCII codes.
  const std::u16string chars = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 @[]#)-+<=>&$*(\":?!,;/.";
  ASSERT_EQ(chars.size(), 59u);
  std::u16string ascii_codes;
  for (char16_t ch : chars) {
    const int v = ch;
    ascii_codes += static_cast<char16_t>(u'0' + v / 64);
    ascii_codes += static_cast<char16_t>(u'0' + v / 8 % 8);
    ascii_codes += static_cast<char16_t>(u'0' + v % 8);
  }
  const std::u16string fd = c.ASC_TO_FDcode(ascii_codes, 59);
  ASSERT_EQ(fd.size(), 118u);
  EXPECT_EQ(fd.substr(0, 6), u"060710");
  EXPECT_EQ(fd.substr(72, 4), u"0500");  // blank, "@"
  EXPECT_EQ(fd.substr(112), u"737475");  // ";", "/", "."
  EXPECT_EQ(c.FD_TO_ASC(fd, 59), chars);
}

TEST_F(FieldataTest, ReadPositionOverflowGivesNoResult) {
  const std::u16string many(40000, u'6');
  EXPECT_EQ(c.FD_TO_ASC(many, 16383).size(), 16383u);
  EXPECT_THROW(c.FD_TO_ASC(many, 16384), std::overflow_error);
  EXPECT_THROW(c.FD_TO_ASC(u"06", 32767), std::overflow_error);
  EXPECT_EQ(c.ASC_TO_FDcode(many, 10922).size(), 2u * 10922u);
  EXPECT_THROW(c.ASC_TO_FDcode(many, 10923), std::overflow_error);
}

TEST_F(FieldataTest, CreationSetsTheValuesThatDifferFromTheirNames) {
  EXPECT_EQ(c.DF_Task_MAP, u"Collector");
  EXPECT_EQ(c.MASM_SKIP_POS, 52);
  EXPECT_EQ(c.PLS_SKIP_POS, 40);
}

}  // namespace
}  // namespace morvanta
