#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/TxtHdl.h"

namespace morvanta {
namespace {

std::u16string blanks(std::size_t n) {
  return std::u16string(n, u' ');
}

struct PickCase {
  std::u16string in, key;
  std::int16_t pos;
  std::u16string want;
  std::int16_t want_pos;
  std::u16string want_key;
};

TEST(TextPick, PicksUpToKeyAndAdvancesByTrimmedKeyLength) {
  const std::vector<PickCase> cases = {
      {u"KEY=VAL .", u"=", 1, u"KEY", 5, u"="},
      // The advance uses the trimmed key: the position lands on the ".".
      {u"KEY=VAL .", u" .", 5, u"VAL", 9, u" ."},
      {u"A,B", u",", 1, u"A", 3, u","},
      // The text after the last key is never returned.
      {u"A,B", u",", 3, u"", 3, u","},
      {u",A", u",", 1, u"", 2, u","},
      {u"AB", u",", 5, u"", 5, u","},
      {u"a , b", u" , ", 1, u"a", 3, u" , "},
      {u"  X Y", u"", 1, u"", 2, u" "},
      {u"A B", u"   ", 1, u"A", 3, u" "},
      {u"漢字,カナ,", u",", 4, u"カナ", 7, u","},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::u16string key = c.key;
    std::int16_t pos = c.pos;
    EXPECT_EQ(th.Text_pick(c.in, key, pos), c.want) << "in=" << c.in.size() << " pos=" << c.pos;
    EXPECT_EQ(pos, c.want_pos);
    EXPECT_EQ(key, c.want_key);
  }
}

TEST(TextPick, LiteralKeyWorksWithoutAVariable) {
  TxtHdl th;
  std::int16_t pos = 1;
  EXPECT_EQ(th.Text_pick(u"A B", u"", pos), u"A");
  EXPECT_EQ(pos, 3);
}

TEST(TextPick, InvalidStartThrowsAfterBlankKeyWasSettled) {
  TxtHdl th;
  std::u16string key;
  std::int16_t pos = 0;
  EXPECT_THROW(th.Text_pick(u"A B", key, pos), std::invalid_argument);
  EXPECT_EQ(key, u" ");
  EXPECT_EQ(pos, 0);
}

TEST(TextPick, PositionPast32767Overflows) {
  TxtHdl th;
  const std::u16string line = std::u16string(32766, u'a') + u",";
  std::int16_t pos = 1;
  EXPECT_THROW(th.Text_pick(line, u",", pos), std::overflow_error);
  EXPECT_EQ(pos, 1);
}

TEST(TextPickWithStopper, FallsBackToStopperAndTrims) {
  TxtHdl th;
  std::int16_t pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(u"  AB , CD", u",", pos, u";"), u"AB");
  EXPECT_EQ(pos, 7);
  pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(u"  AB ; CD", u",", pos, u";"), u"AB");
  EXPECT_EQ(pos, 7);
  // The advance is the key's length even when the stopper matched.
  pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(u"X;Y", u"END", pos, u";"), u"X");
  EXPECT_EQ(pos, 5);
  // Neither found: the position keeps the blank skip.
  pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(u"   AB", u",", pos, u";"), u"");
  EXPECT_EQ(pos, 4);
  std::u16string key = u"  ";
  pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(u"A B", key, pos, u";"), u"A");
  EXPECT_EQ(key, u" ");
}

TEST(TextPickWithStopper, BlankSkipStopsAtColumn200) {
  TxtHdl th;
  std::int16_t pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(blanks(250) + u"A", u",", pos, u";"), u"");
  EXPECT_EQ(pos, 201);
  pos = 1;
  EXPECT_EQ(th.Text_Pick_With_Stopper(blanks(250) + u"A,", u",", pos, u";"), u"A");
  EXPECT_EQ(pos, 253);
  pos = 210;
  EXPECT_EQ(th.Text_Pick_With_Stopper(blanks(250) + u"A", u",", pos, u";"), u"");
  EXPECT_EQ(pos, 210);
}

TEST(TextFind, ReturnsColumnAndMovesPastMatchOrToPercent) {
  struct Case {
    std::u16string in, key;
    std::int16_t pos, want, want_pos;
  };
  const std::vector<Case> cases = {
      {u"ABCDE", u"CD", 1, 3, 5}, {u"ABC%E", u"C%", 1, 3, 4}, {u"ab%c%d", u"%c%", 1, 3, 3},
      {u"ABCABC", u"B", 3, 5, 6}, {u"ABCDE", u"X", 2, 0, 2},  {u"ABC", u"C", 9, 0, 9},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::int16_t pos = c.pos;
    EXPECT_EQ(th.Text_find(c.in, c.key, pos), c.want) << "key size " << c.key.size();
    EXPECT_EQ(pos, c.want_pos);
  }
  std::int16_t zero = 0;
  EXPECT_THROW(th.Text_find(u"ABC", u"B", zero), std::invalid_argument);
}

TEST(FieldGet, ReadsFieldsLeftToRight) {
  struct Case {
    std::u16string in;
    std::int16_t pos;
    std::u16string want;
    std::int16_t want_pos;
  };
  const std::vector<Case> cases = {
      {u"", 1, u"", 1},
      {u"    ", 1, u"", 5},
      {u"A B", 1, u"A", 3},
      // A one-character field ending the text is not returned.
      {u"A B", 3, u"", 3},
      {u"AB C", 3, u"", 4},
      {u"A BC", 3, u"BC", 6},
      {u"  @USE  A,B  ", 1, u"@USE", 9},
      {u"  @USE  A,B  ", 9, u"A,B", 14},
      {u"  @USE  A,B  ", 14, u"", 14},
      {u"漢字 カナ ", 1, u"漢字", 4},
      // 100 blanks after a field are still skipped...
      {u"AB" + blanks(100) + u"CD", 1, u"AB", 103},
      // ...101 are not: the position stays on the field just read.
      {u"  AB" + blanks(101) + u"CD", 1, u"AB", 3},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::int16_t pos = c.pos;
    EXPECT_EQ(th.Field_get(c.in, pos), c.want) << "size " << c.in.size() << " pos " << c.pos;
    EXPECT_EQ(pos, c.want_pos);
  }
}

TEST(FieldGet, MixesWithTextPickOnOnePosition) {
  TxtHdl th;
  const std::u16string line = u"@USE X,Q*F. ";
  std::int16_t pos = 1;
  EXPECT_EQ(th.Field_get(line, pos), u"@USE");
  EXPECT_EQ(th.Text_pick(line, u",", pos), u"X");
  EXPECT_EQ(th.Field_get(line, pos), u"Q*F.");
}

TEST(FieldGet, BadPositionsThrow) {
  TxtHdl th;
  std::int16_t pos = 0;
  EXPECT_THROW(th.Field_get(u"", pos), std::invalid_argument);
  pos = 1;
  EXPECT_THROW(th.Field_get(blanks(40000) + u"AB", pos), std::overflow_error);
  EXPECT_EQ(pos, 32767);
}

TEST(FieldKugiriGet, SplitsAtSeparatorWithStatus) {
  TxtHdl th;
  std::int16_t pos = 1, sts = 9;
  EXPECT_EQ(th.Field_KUGIRI_get(u"A, B", pos, u",", sts), u"A");
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(sts, 0);
  EXPECT_EQ(th.Field_KUGIRI_get(u"A, B", pos, u",", sts), u"B");
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(sts, -1);
  EXPECT_EQ(th.Field_KUGIRI_get(u"A, B", pos, u",", sts), u"");
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(sts, -1);
  pos = 1;
  EXPECT_EQ(th.Field_KUGIRI_get(u",X", pos, u",", sts), u"");
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(sts, 0);
  for (const std::u16string bad : {u"", u",,"}) {
    pos = 0;
    EXPECT_EQ(th.Field_KUGIRI_get(u"A, B", pos, bad, sts), u"");
    EXPECT_EQ(sts, 1);
    EXPECT_EQ(pos, 0);
  }
  sts = 9;
  EXPECT_THROW(th.Field_KUGIRI_get(u"A, B", pos, u",", sts), std::invalid_argument);
  EXPECT_EQ(sts, 0);
}

TEST(LabelGet, ProbesTheLabelColumn) {
  TxtHdl th;
  EXPECT_EQ(th.Label_get(blanks(24) + u"LABEL  X"), u"30");
  EXPECT_EQ(th.Label_get(blanks(24) + u"LABEL"), u"0");
  EXPECT_EQ(th.Label_get(blanks(24) + u" X"), u"");
  EXPECT_EQ(th.Label_get(u"ABC"), u"");
  th.Adjust_POS = 0;
  EXPECT_EQ(th.Label_get(u"AB CD"), u"3");
}

TEST(BInstr, SearchesBackwardForWholeMatches) {
  TxtHdl th;
  EXPECT_EQ(th.B_Instr(u"a.b.c", u"."), 4);
  EXPECT_EQ(th.B_Instr(u"ab", u"abc"), 0);
  EXPECT_EQ(th.B_Instr(u"abc", u""), 3);
  EXPECT_EQ(th.B_Instr(u"", u""), 0);
  EXPECT_EQ(th.B_Instr(u"Ｐ＊Ｓ＊Ｔ", u"＊"), 4);
  EXPECT_EQ(th.B_Instr_with_start_pos(3, u"a.b.c", u"."), 2);
  EXPECT_EQ(th.B_Instr_with_start_pos(4, u"a.b.c", u"."), 4);
  EXPECT_EQ(th.B_Instr_with_start_pos(1, u"a.b.c", u"."), 0);
  EXPECT_EQ(th.B_Instr_with_start_pos(0, u"a.b.c", u"."), 0);
  EXPECT_EQ(th.B_Instr_with_start_pos(100, u"a.b.c", u"."), 4);
  EXPECT_EQ(th.B_Instr_with_start_pos(4, u"abab", u"ab"), 3);
  EXPECT_THROW(th.B_Instr(std::u16string(32768, u'x'), u"x"), std::overflow_error);
}

TEST(SetStrByPos, OverwritesWithoutChangingLength) {
  TxtHdl th;
  std::u16string s = u"ABCDE";
  th.SET_STR_by_pos(s, u"xyz", 4);
  EXPECT_EQ(s, u"ABCxy");
  th.SET_STR_by_pos(s, u"Z", 5);
  EXPECT_EQ(s, u"ABCxZ");
  th.SET_STR_by_pos(s, s, 2);
  EXPECT_EQ(s, u"AABCx");
  for (std::int32_t bad : {0, -1, 6}) {
    EXPECT_THROW(th.SET_STR_by_pos(s, u"q", bad), std::invalid_argument) << bad;
  }
  std::u16string empty;
  EXPECT_THROW(th.SET_STR_by_pos(empty, u"q", 1), std::invalid_argument);
  EXPECT_EQ(s, u"AABCx");
}

TEST(To1Space, CollapsesBlankRuns) {
  TxtHdl th;
  EXPECT_EQ(th.To_1_space(u"  A   BC  D2"), u" A BC D2");
  EXPECT_EQ(th.To_1_space(u""), u"");
  EXPECT_EQ(th.To_1_space(u"A B"), u" A");
  // A run longer than Field_get looks ahead must not repeat the field.
  EXPECT_EQ(th.To_1_space(u"A" + blanks(150) + u"BC" + blanks(300) + u"DE"), u" A BC DE");
}

}  // namespace
}  // namespace morvanta
