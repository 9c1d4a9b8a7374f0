#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"

namespace morvanta::platform {
namespace {

struct Cp932Case {
  std::u16string text;
  std::string bytes;
};

TEST(Cp932, RoundTripsJapaneseAndAscii) {
  const Cp932Case cases[] = {
      {u"＊", "\x81\x96"},
      {u"／", "\x81\x5E"},
      {u"￥", "\x81\x8F"},
      {u"　", "\x81\x40"},
      {u"ＰＲＪ＊ＳＲＣ", "\x82\x6F\x82\x71\x82\x69\x81\x96\x82\x72\x82\x71\x82\x62"},
      {u"受信できません。", "\x8E\xF3\x90\x4D\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x42"},
      {u"ｱｲｳ", "\xB1\xB2\xB3"},  // half-width kana are single bytes
      {u"PRJ*SRC.MAIN/R1 \\", "PRJ*SRC.MAIN/R1 \\"},
      {u"①ⅰ～", "\x87\x40\xFA\x40\x81\x60"},  // vendor extensions
      {u"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toCp932(c.text), c.bytes) << toUtf8(c.text);
    EXPECT_EQ(fromCp932(c.bytes), c.text) << toUtf8(c.text);
  }
}

TEST(Cp932, RefusesCharactersItCannotHoldExactly) {
  // "¥" and the wave dash have look-alikes in CP932; taking those would
  // change the text without a word, so they are refused like the rest.
  const std::u16string refused[] = {u"€", u"ĉ", u"😀", u"\xD800", u"¥", u"〜"};
  for (const auto& text : refused) {
    EXPECT_THROW(toCp932(u"abc" + text + u"def"), EncodingError) << toUtf8(text);
  }
}

TEST(Cp932, EncodingErrorNamesTheCharacter) {
  try {
    toCp932(u"価格€100");
    FAIL() << "no EncodingError";
  } catch (const EncodingError& e) {
    EXPECT_NE(std::string(e.what()).find("U+20AC"), std::string::npos) << e.what();
  }
}

TEST(Cp932, BadBytesBecomeOneReplacementEach) {
  const Cp932Case cases[] = {
      {u"A\uFFFDB", "A\x85\x40\x42"},     // lead and trail, but no character there
      {u"A\uFFFD", "A\x81"},              // lead byte cut off at the end
      {u"\uFFFD\n漢", "\x81\n\x8A\xBF"},  // a line end is never swallowed
      {u"\uFFFD x", "\xFD x"},            // byte that starts nothing
      {u"\uFFFD!", "\x81!"},              // "!" cannot follow a lead byte
      {u"、", "\x81\x41"},                // while "A" can
  };
  for (const auto& c : cases) EXPECT_EQ(fromCp932(c.bytes), c.text) << c.bytes;
}

TEST(Cp932, OnlyTheBadLineIsTouched) {
  std::string bytes = "\x8A\xBF\r\n\x85\x40\r\n\x8E\x9A\r\n";
  EXPECT_EQ(fromCp932(bytes), u"漢\r\n\uFFFD\r\n字\r\n");
}

TEST(Utf8, RoundTripsEveryPlane) {
  const std::u16string texts[] = {u"", u"plain", u"ＰＲＪ＊ＳＲＣ／漢字", u"é€", u"😀x"};
  for (const auto& text : texts) EXPECT_EQ(fromUtf8(toUtf8(text)), text);
  EXPECT_EQ(toUtf8(u"😀"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(toUtf8(u"\x00E9"), "\xC3\xA9");
}

TEST(Utf8, MalformedInputBecomesReplacement) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       u"a\uFFFD"
       u"b"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xE6\xBC"
       "x",
       u"\uFFFD"
       u"x"},                                             // cut short, next byte kept
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(fromUtf8(c.bytes), c.text) << c.bytes;
  EXPECT_EQ(toUtf8(std::u16string(u"a") + char16_t(0xDC00)), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace morvanta::platform
