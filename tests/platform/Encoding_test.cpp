#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(SettingsText, PicksUtf8WhenItHoldsKanaOrKanjiOrCp932CannotBeMeant) {
  struct Case {
    const char* what;
    std::string bytes;
    bool utf8;
    std::vector<std::u16string> lines;
    std::vector<std::size_t> bad;
  };
  const Case cases[] = {
      {"ascii", "A=1\r\nB=2", false, {u"A=1", u"B=2"}, {}},
      {"cp932", "H=\x96\x7B\x94\xD4\r\n", false, {u"H=本番"}, {}},
      {"utf-8", "H=\xE9\x96\x8B\xE7\x99\xBA\xE6\xA9\x9F\n", true, {u"H=開発機"}, {}},
      // Kanji whose UTF-8 bytes also read as CP932 kanji ("髢狗匱").
      {"utf-8 that cp932 reads too",
       "E=/home/\xE9\x96\x8B\xE7\x99\xBA\n",
       true,
       {u"E=/home/開発"},
       {}},
      {"utf-8 with mark", "\xEF\xBB\xBFH=\xE6\x9C\xAC\r\nX", true, {u"H=本", u"X"}, {}},
      {"mark alone", "\xEF\xBB\xBF", true, {}, {}},
      // Bytes both read (half-width kana in CP932, an accented letter in
      // UTF-8) stay CP932, as the system has always read them.
      {"both", "\xC3\xA9", false, {u"ﾃｩ"}, {}},
      {"broken cp932",
       "ok\r\nH=\x96\x7B\xFF\r\n\r\nP=\x81",
       false,
       {u"ok", u"H=本\uFFFD", u"", u"P=\uFFFD"},
       {2, 4}},
      {"broken after a mark", "\xEF\xBB\xBFok\n\xE6\x9C\n", true, {u"ok", u"\uFFFD"}, {2}},
  };
  for (const Case& c : cases) {
    const SettingsText got = decodeSettingsText(c.bytes);
    EXPECT_EQ(got.utf8, c.utf8) << c.what;
    EXPECT_EQ(got.lines, c.lines) << c.what;
    EXPECT_EQ(got.undecodableLines, c.bad) << c.what;
  }
}

}  // namespace
}  // namespace morvanta::platform
