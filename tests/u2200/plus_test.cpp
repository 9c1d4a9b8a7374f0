#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "u2200/Class2200.h"
#include "u2200/scan_sample_support.h"

namespace morvanta {
namespace {

TEST(PlusComment, QuotesAndMarks) {
  Class2200 cls;
  EXPECT_EQ(cls.comment_chk(u"X := 1;", 1), 0);
  EXPECT_EQ(cls.comment_chk(u"A \"B", 1), 3);
  EXPECT_EQ(cls.comment_chk(u"A \"B", 4), 0);
  EXPECT_THROW(cls.comment_chk(u"A \"B", 0), std::invalid_argument);
  EXPECT_EQ(cls.TOP_img_comment_chk(u"   \" TEXT", 1), 1);
  EXPECT_EQ(cls.TOP_img_comment_chk(u"   X \" TEXT", 1), 0);
  EXPECT_EQ(cls.comment_cut(u"\"* TEXT *"), u"   TEXT  ");
  EXPECT_EQ(cls.comment_cut(u"A * B + C"), u"A * B + C");
}

TEST(PlusComment, QuotePastLastColumnOverflows) {
  Class2200 cls;
  EXPECT_EQ(cls.comment_chk(std::u16string(32766, u' ') + u"\"", 1), 32767);
  const auto far = std::u16string(40000, u' ') + u"\" X";
  EXPECT_THROW(cls.comment_chk(far, 1), std::overflow_error);
  std::u16string text, kinou;
  EXPECT_THROW(cls.keep_comment(far, text, kinou, 1), std::overflow_error);
  EXPECT_EQ(text, u"");
}

TEST(PlusComment, KeepCommentCollectsText) {
  Class2200 cls;
  std::u16string text = u"<", kinou = u"-";
  EXPECT_EQ(cls.keep_comment(u"X := 1;", text, kinou, 1), 0);
  EXPECT_EQ(cls.keep_comment(u"\"**********\"", text, kinou, 1), 1);
  EXPECT_EQ(text, u"<");
  EXPECT_EQ(cls.keep_comment(u"\"* 機能 SUM *\"", text, kinou, 1), 1);
  EXPECT_EQ(kinou, u"機能 SUM");
  EXPECT_EQ(cls.keep_comment(u"1234\" ｷﾉｳ: INIT \"", text, kinou, 5), 1);
  EXPECT_EQ(kinou, u"\" ｷﾉｳ: INIT");
  EXPECT_EQ(cls.keep_comment(u"\" MORE \"", text, kinou, 1), 1);
  EXPECT_EQ(text, u"<機能 SUM\" ｷﾉｳ: INIT\" MORE");
  EXPECT_EQ(kinou, u"\" ｷﾉｳ: INIT");
}

TEST(PlusProcedure, DeclaredName) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"PROCEDURE CALC_SUM (X);", u"CALC_SUM"},
      {u"PROCEDURE INIT;", u"INIT"},
      {u"procedure calc(x);", u"CALC"},
      {u"PROCEDURE IMPORTED(X);", u""},
      {u"\" PROCEDURE P;", u""},
      {u"PROCEDURE P; \" COMMENT", u"P"},
      {u"X := 1;", u""},
  };
  Class2200 cls;
  for (const auto& [line, name] : cases) {
    auto in = line;
    EXPECT_EQ(cls.get_procedure_Name(u"make", in), name);
  }
  EXPECT_EQ(cls.root_PLUS_procedure_cnt, 4);
  std::u16string line = u"PROCEDURE OTHER;";
  EXPECT_EQ(cls.get_procedure_Name(u"mark", line), u"OTHER");
  EXPECT_EQ(cls.root_PLUS_procedure_cnt, 4);
  line = u"PROCEDURE ;";  // an empty name is never stored: it would match everywhere
  cls.get_procedure_Name(u"make", line);
  EXPECT_EQ(cls.root_PLUS_procedure_cnt, 4);
}

TEST(PlusProcedure, TypeAndExternalName) {
  struct Case {
    std::u16string line, type, name;
    std::int16_t repeat;
  };
  const Case cases[] = {
      {u"PROCEDURE P EXPORTED 'EXTNAME';", u"EXPORTED", u"EXTNAME", 0},
      {u"PROCEDURE P EXPORTED;", u"EXPORTED", u"kept", 0},
      {u"PROCEDURE P IMPORTED ' x ';", u"IMPORTED", u"X", 0},
      {u"PROCEDURE P;", u"INTERNAL", u"kept", 0},
      {u"PROCEDURE P (A,", u"", u"kept", 1},
  };
  Class2200 cls;
  for (const auto& c : cases) {
    std::u16string name = u"kept";
    std::int16_t repeat = 9;
    EXPECT_EQ(cls.get_procedure_type(c.line, name, repeat), c.type);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(repeat, c.repeat);
  }
}

TEST(PlusProcedure, ExportAndImportStatus) {
  struct Case {
    std::u16string line, exported, imported;
    std::int16_t sts;
  };
  const Case cases[] = {
      {u"PROCEDURE P;", u" ", u"", 0},
      {u"P; \" EXPORTED 'X' IMPORTED 'X'", u" ", u"", 0},
      {u"EXPORTED; IMPORTED;", u" ", u"", 1},
      {u"EXPORTED ''; IMPORTED '';", u" ", u"", 1},
      {u"exported 'ab'; imported 'ab';", u"AB", u"AB", 2},
  };
  Class2200 cls;
  for (const auto& c : cases) {
    auto in = c.line;
    std::int16_t sts = 9;
    EXPECT_EQ(cls.get_export_name(in, sts), c.exported);
    EXPECT_EQ(sts, c.sts);
    in = c.line;
    sts = 9;
    EXPECT_EQ(cls.get_import_name(in, sts), c.imported);
    EXPECT_EQ(sts, c.sts);
  }
}

TEST(PlusCalls, CollectedProcedureInLine) {
  Class2200 cls;
  for (std::u16string line : {u"PROCEDURE CALC_SUM;", u"PROCEDURE A_P;", u"PROCEDURE B_P;"})
    cls.get_procedure_Name(u"make", line);
  const std::pair<std::u16string, std::int16_t> found[] = {
      {u"   CALC_SUM(A,B);", 4},
      {u"   CALC_SUMX; CALC_SUM (1);", 15},
      {u"CALC_SUM;", 1},
      {u"B_P(1); A_P(2);", 9},  // the list's order decides, not the column
  };
  for (const auto& [line, pos] : found) {
    std::int16_t out = -1;
    EXPECT_NE(cls.get_sub_procedure_name(line, out), u"");
    EXPECT_EQ(out, pos);
  }
  const std::u16string none[] = {
      u"   X := CALC_SUMX;",
      u"   X := CALC_SUM",
      u"   F(CALC_SUM, 1);",
      u"PROCEDURE CALC_SUM (X);",
      u"   \" CALC_SUM (",
      u"   X := CALC_SUMX; \" CALC_SUM (",  // a later occurrence in a comment
  };
  for (const auto& line : none) {
    std::int16_t out = -1;
    EXPECT_EQ(cls.get_sub_procedure_name(line, out), u"");
    EXPECT_EQ(out, -1);
  }
  std::int16_t pos = 1;
  std::u16string sts;
  EXPECT_THROW(cls.get_sub_procedure_name_SUB(u"X", pos, 1001, 0, sts), std::out_of_range);
}

TEST(PlusCalls, FullListRefusesMoreWithoutCounting) {
  Class2200 cls;
  cls.root_PLUS_procedure_cnt = 1000;
  std::u16string line = u"PROCEDURE LAST;";
  cls.get_procedure_Name(u"make", line);
  EXPECT_EQ(cls.root_PLUS_procedure_cnt, 1001);
  line = u"PROCEDURE MORE;";
  EXPECT_THROW(cls.get_procedure_Name(u"make", line), std::out_of_range);
  EXPECT_EQ(cls.root_PLUS_procedure_cnt, 1001);
  std::int16_t pos = 0;
  EXPECT_EQ(cls.get_sub_procedure_name(u"  LAST;", pos), u"LAST");
}

TEST(PlusSample, TwoPassesMarkCalls) {
  const auto lines = test::read_sample("sample.pls");
  Class2200 cls;
  std::vector<std::u16string> types;
  std::u16string comments, kinou;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto line = lines[i];
    cls.keep_comment(line, comments, kinou, 1);
    if (cls.get_procedure_Name(u"make", line).empty()) continue;
    std::u16string external;
    std::int16_t repeat = 0;
    auto type = cls.get_procedure_type(line, external, repeat);
    if (repeat == 1)
      type = cls.get_procedure_type(cls.LINE_Renketu(line, lines[i + 1], 1, 0), external, repeat);
    types.push_back(type + u" " + external);
  }
  EXPECT_EQ(cls.root_PLUS_procedure_cnt, 4);
  EXPECT_EQ(types, (std::vector<std::u16string>{u"EXPORTED CALCSUM", u"INTERNAL ",
                                                u"IMPORTED EXTRN$", u"EXPORTED MAINENT"}));
  EXPECT_EQ(kinou, u"機能: SUM OF TWO NUMBERS");

  std::vector<std::pair<std::size_t, std::u16string>> calls;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::int16_t pos = 0;
    if (auto name = cls.get_sub_procedure_name(lines[i], pos); !name.empty())
      calls.emplace_back(i + 1, name + u"@" + std::u16string(1, static_cast<char16_t>(u'0' + pos)));
  }
  const std::vector<std::pair<std::size_t, std::u16string>> want = {
      {13, u"INIT@3"}, {14, u"CALC_SUM@8"}, {16, u"EXTRN@3"}};
  EXPECT_EQ(calls, want);
}

}  // namespace
}  // namespace morvanta
