// The input decoding the harnesses share; scripts/fuzz-seeds writes the same
// encoding, so a drift here would start every fuzzer from garbage.

#include "FuzzInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvanta::fuzz {
namespace {

std::u16string decodeBytes(const std::vector<std::uint8_t>& bytes) {
  return decode(bytes.data(), bytes.size());
}

TEST(FuzzInput, DecodesEveryUnitTheSeedsWrite) {
  EXPECT_EQ(decodeBytes({'A', 0x00, 0x7F}), (std::u16string{u'A', u'\0', u'\x7F'}));
  // 0x80..0xFE: the next byte is the low half of a unit up to U+7EFF.
  EXPECT_EQ(decodeBytes({0xB0, 0x42, 0x80, 0x80}), u"\u3042\u0080");
  EXPECT_EQ(decodeBytes({0xFE, 0xFF}), u"\u7EFF");
  // 0xFF: any unit, the full-width asterisk and a lone surrogate among them.
  EXPECT_EQ(decodeBytes({0xFF, 0xFF, 0x0A, 0xFF, 0xD8, 0x00}),
            (std::u16string{u'\uFF0A', static_cast<char16_t>(0xD800)}));
  // Cut short at the end: the missing bytes read as 0.
  EXPECT_EQ(decodeBytes({0xB0}), u"\u3000");
  EXPECT_EQ(decodeBytes({0xFF, 0x30}), u"\u3000");
  EXPECT_EQ(decodeBytes({}), u"");
}

TEST(FuzzInput, SplitsLinesAsTheFileReaderDoes) {
  using Lines = std::vector<std::u16string>;
  EXPECT_EQ(splitLines(u""), Lines{});
  EXPECT_EQ(splitLines(u"a\r\nb\nc"), (Lines{u"a", u"b", u"c"}));
  EXPECT_EQ(splitLines(u"a\r\n\r\n"), (Lines{u"a", u""}));
  // A CR not before LF stays in the line.
  EXPECT_EQ(splitLines(u"a\rb\r"), (Lines{u"a\rb\r"}));
  EXPECT_EQ(splitLines(u"\n"), (Lines{u""}));
}

TEST(FuzzInput, ArgumentsComeInOrderAndReadAsEmptyWhenUsedUp) {
  const std::vector<std::uint8_t> bytes = {7, 0x12, 0x34, 'a', 'b', '\n', 'c', '\n', 'd', 'e'};
  Arguments in(bytes.data(), bytes.size());
  EXPECT_EQ(in.byte(), 7);
  EXPECT_EQ(in.int16(), 0x1234);
  EXPECT_EQ(in.text(), u"ab");
  EXPECT_EQ(in.text(), u"c");
  EXPECT_EQ(in.rest(), u"de");
  EXPECT_EQ(in.text(), u"");
  EXPECT_EQ(in.byte(), 0);
  EXPECT_EQ(in.int16(), 0);
}

TEST(FuzzInput, PositionsStayInsideTheTextButNowAndThenAreAnything) {
  const std::u16string text(10, u'x');
  for (int raw = 0; raw < 0x10000; raw += 7) {
    const std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(raw >> 8),
                                             static_cast<std::uint8_t>(raw & 0xFF)};
    Arguments in(bytes.data(), bytes.size());
    const std::int16_t pos = in.position(text);
    if ((raw & 0x7000) == 0x7000) {
      EXPECT_EQ(static_cast<std::uint16_t>(pos), raw);
    } else {
      EXPECT_GE(pos, 1);
      EXPECT_LE(pos, 12);
    }
  }
}

}  // namespace
}  // namespace morvanta::fuzz
