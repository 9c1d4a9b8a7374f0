#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/TxtHdl.h"

namespace morvanta {
namespace {

TEST(CharChg, ReplacesSingleCharactersInPlace) {
  struct Case {
    std::u16string in;
    std::int16_t keycnt;
    std::u16string b1, a1, b2, a2, want;
    std::int16_t count;
  };
  const std::vector<Case> cases = {
      {u"a*b*c", 1, u"*", u"＊", u"", u"", u"a＊b＊c", 2},
      {u"a*b*c", 1, u"**", u"＊", u"", u"", u"a*b*c", 0},
      {u"PRJ＊SRC／R1", 1, u"＊", u"*", u"", u"", u"PRJ*SRC／R1", 1},
      // The second pair counts only with keycnt 2.
      {u"a*b/c", 1, u"*", u"+", u"/", u"-", u"a+b/c", 1},
      {u"a*b/c", 2, u"*", u"+", u"/", u"-", u"a+b-c", 2},
      // Only the first replacement character is used; an empty one keeps the
      // character but still counts.
      {u"x.y", 1, u".", u"__", u"", u"", u"x_y", 1},
      {u"x.y", 1, u".", u"", u"", u"", u"x.y", 1},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::u16string s = c.in;
    EXPECT_EQ(th.Char_chg(s, c.keycnt, c.b1, c.a1, c.b2, c.a2), c.count) << c.want.size();
    EXPECT_EQ(s, c.want);
  }
}

TEST(TextChg, ReplacesUpToThePassLimit) {
  struct Case {
    std::u16string in, bef, aft, want;
    std::int16_t count;
  };
  const std::vector<Case> cases = {
      {u"aXbXc", u"X", u"--", u"a--b--c", 2},
      // The replacement holds the key: the pass limit (2) ends it.
      {u"aa", u"a", u"aa", u"aaaa", 2},
      {u"ab", u"b", u"", u"a", 1},
      {u"abc", u"X", u"Y", u"abc", 0},
      {u"", u"a", u"b", u"", 0},
      // An empty key replaces nothing.
      {u"abc", u"", u"Z", u"abc", 0},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::u16string out = u"junk";
    EXPECT_EQ(th.Text_chg(c.in, out, c.bef, c.aft), c.count) << c.want.size();
    EXPECT_EQ(out, c.want);
  }
}

TEST(TextChg, SameVariableInAndOut) {
  TxtHdl th;
  std::u16string s = u"aa";
  EXPECT_EQ(th.Text_chg(s, s, u"a", u"aa"), 2);
  EXPECT_EQ(s, u"aaaa");
}

TEST(TextChg, OnePassVariant) {
  TxtHdl th;
  std::u16string out;
  EXPECT_EQ(th.Text_chg_1cnt(u"aXbX", out, u"X", u"-"), 1);
  EXPECT_EQ(out, u"a-bX");
  EXPECT_EQ(th.Text_chg_1cnt(u"ab", out, u"X", u"-"), 0);
  EXPECT_EQ(out, u"ab");
  EXPECT_EQ(th.Text_chg_1cnt(u"ab", out, u"", u"-"), 0);
  EXPECT_EQ(out, u"ab");
}

TEST(TextChg, LongTextOverflowsPassCount) {
  TxtHdl th;
  std::u16string out;
  EXPECT_THROW(th.Text_chg(std::u16string(32768, u'a'), out, u"b", u"c"), std::overflow_error);
}

TEST(PcFileCharChg, MapsFileNamePunctuationToFullWidth) {
  TxtHdl th;
  EXPECT_EQ(th.PC_file_Char_chg(u"PRJ*SRC/R1"), u"PRJ＊SRC／R1");
  EXPECT_EQ(th.PC_file_Char_chg(u"\\/:,;*?<>|"), u"￥／：，；＊？＜＞｜");
  EXPECT_EQ(th.PC_file_Char_chg(u"A.b c\"漢"), u"A.b c\"漢");
}

TEST(PhaseFileName, SplitsAtLastDot) {
  struct Case {
    std::u16string in, file, ext;
  };
  const std::vector<Case> cases = {
      {u"MAIN.R1.txt", u"MAIN.R1", u"txt"},
      {u"  NOEXT  ", u"NOEXT", u""},
      {u" A.b ", u"A", u"b"},
      {u".profile", u"", u"profile"},
      {u"A.", u"A", u""},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::u16string file = u"junk", ext = u"junk";
    EXPECT_EQ(th.Phase_file_name(c.in, file, ext), u"");
    EXPECT_EQ(file, c.file);
    EXPECT_EQ(ext, c.ext);
  }
}

TEST(PhasePath, SplitsFolderAndFile) {
  struct Case {
    std::u16string in, path, file;
  };
  const std::vector<Case> cases = {
      {u"C:\\work\\MAIN.txt", u"C:\\work", u"MAIN.txt"},
      {u"C:\\work\\RCV", u"C:\\work\\RCV", u""},
      // Only a dot in the last component makes it a file.
      {u"C:\\a.b\\RCV", u"C:\\a.b\\RCV", u""},
      {u"C:\\x\\LIB]", u"C:\\x", u"LIB]"},
      {u"C:\\x\\ M.txt ", u"C:\\x", u"M.txt"},
      // No folder separator: nothing is written.
      {u"MAIN.txt", u"old-path", u"old-file"},
      {u"", u"old-path", u"old-file"},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    std::u16string path = u"old-path", file = u"old-file";
    th.Phase_PATH(c.in, path, file);
    EXPECT_EQ(path, c.path) << c.path.size();
    EXPECT_EQ(file, c.file);
  }
}

TEST(Eisuji, AsciiLettersAndDigitsOnly) {
  TxtHdl th;
  for (const std::u16string yes : {u"a", u"Z9", u"5"}) EXPECT_TRUE(th.EISUJI_CHK(yes));
  for (const std::u16string no : {u"", u"-", u"Ａ", u"カ", u"_"}) EXPECT_FALSE(th.EISUJI_CHK(no));

  struct Case {
    std::u16string in;
    std::int16_t start, want;
  };
  const std::vector<Case> cases = {
      {u"AB12-X", 1, 4}, {u"AB12-X", 5, 4}, {u"ABC", 1, 3}, {u"-A", 1, 0},
      {u"ABC", 4, 3},    {u"ABC", 5, -1},   {u"", 1, 0},    {u"AＢ", 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(th.EISUJI_not_POS(c.in, c.start), c.want) << c.in.size() << "/" << c.start;
  }
  EXPECT_THROW(th.EISUJI_not_POS(u"AB", 0), std::invalid_argument);
}

TEST(CutCrLf, KeepsTextBeforeTheFirstBreak) {
  TxtHdl th;
  EXPECT_EQ(th.cut_CR_LF(u"ABC\r\n"), u"ABC");
  EXPECT_EQ(th.cut_CR_LF(u"A\rB\nC"), u"A");
  EXPECT_EQ(th.cut_CR_LF(u"A\nB\rC"), u"A");
  EXPECT_EQ(th.cut_CR_LF(u"AB\r"), u"AB");
  EXPECT_EQ(th.cut_CR_LF(u"ABC"), u"ABC");
  EXPECT_EQ(th.cut_CR_LF(u"\n"), u"");
}

}  // namespace
}  // namespace morvanta
