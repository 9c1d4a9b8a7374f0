#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "u2200/Class2200.h"

namespace morvanta {
namespace {

TEST(TaskTypeSet, SignOnLineAfterControlStatementSetsKind) {
  struct Case {
    std::u16string line, previous, kind;
    std::int16_t found;
  };
  const Case cases[] = {
      {u"MASM 8R1", u"@MASM,S X", u"MASM", 1},
      {u"masm 8r1", u"@MASM,S X", u"MASM", 1},  // compared upper-cased
      {u"MAP 33R2", u"@MAP,S ABS", u"Collector", 1},
      {u"LINKER", u"@LINK", u"LINK", 1},
      {u"UPLS- 1R1", u"@UPLS", u"UPLS", 1},
      {u"UPLS 1R1", u"@UPLS", u"OLD", 0},  // needs the hyphen
      {u"PLS 7R1", u" @PLS", u"OLD", 0},   // previous line is no control statement
      {u"ED 1", u"@ED", u"OLD", 0},
  };
  for (const auto& c : cases) {
    Class2200 cls;
    cls.TASK_TYPE = u"OLD";
    std::int16_t found = 9;
    EXPECT_EQ(cls.TASK_TYPE_set(c.line, found, c.previous), c.kind);
    EXPECT_EQ(cls.TASK_TYPE, c.kind);
    EXPECT_EQ(found, c.found);
  }
}

TEST(StartColumn, FollowsListingKind) {
  const std::pair<std::u16string, std::int16_t> cases[] = {
      {u"PLS", 41}, {u"UPLS", 25}, {u"ELT", 25},      {u"MASM", 53},  {u"UCOB", 1},
      {u"LINK", 1}, {u"", 1},      {u"Collector", 1}, {u"FURPUR", 1},
  };
  Class2200 cls;
  for (const auto& [kind, column] : cases) {
    cls.TASK_TYPE = kind;
    EXPECT_EQ(cls.GET_Start_Column(), column) << std::string(kind.begin(), kind.end());
  }
}

TEST(LevelAndGenline, ReadByListingKind) {
  struct Case {
    std::u16string kind, line;
    std::int32_t level, genline;
  };
  const Case cases[] = {
      {u"PLS", u"  12  X  3  45 ", 3, 45},
      {u"PLS", u"  A  X  3  45 ", 0, 0},  // first field not a number
      {u"PLS", u"  12  X  Y  &O17 ", 0, 15},
      {u"UPLS", u"   123            07 REST", 7, 123},
      {u"UPLS", u"   ABC            07 REST", 0, 0},
      {u"ELT", u"  12. TEXT", 0, 12},
      {u"ELT", u"  12 TEXT", 0, 0},  // no period: not a line number
      {u"MASM", u"  12  X  3  45 ", 0, 0},
  };
  Class2200 cls;
  for (const auto& c : cases) {
    cls.TASK_TYPE = c.kind;
    std::int32_t level = -1, genline = -1;
    EXPECT_EQ(cls.GET_LEVEL_and_GENLINE(c.line, level, genline), 0);
    EXPECT_EQ(level, c.level);
    EXPECT_EQ(genline, c.genline);
  }
  cls.TASK_TYPE = u"PLS";
  std::int32_t level = 0, genline = 0;
  EXPECT_THROW(cls.GET_LEVEL_and_GENLINE(u"1 X 3000000000 4 ", level, genline),
               std::overflow_error);
}

TEST(ElementName, HeaderLineGivesNameAndType) {
  struct Case {
    std::u16string line, name, type;
  };
  const Case cases[] = {
      {u"ed,r prj*src.main/r1 .pls", u"MAIN_R1", u"PLS"},
      {u"ED,R PRJ*SRC.SUB .MSM", u"SUB", u"MASM"},
      {u"ED,R PRJ*SRC.SUB .COB", u"SUB", u"COB"},
      {u"ED,R PRJ*SRC.SUB", u"SUB", u"UNDEF"},
      {u"@ED PRJ*SRC.SUB", u" ", u"UNDEF"},
  };
  Class2200 cls;
  for (const auto& c : cases) {
    auto line = c.line;
    std::u16string type = u"?";
    EXPECT_EQ(cls.get_element_name(line, type), c.name);
    EXPECT_EQ(type, c.type);
  }
  std::u16string line = u"ed,r q*f.e";
  std::u16string type;
  cls.get_element_name(line, type);
  EXPECT_EQ(line, u"ED,R Q*F.E ");  // the caller's line, upper-cased and closed
}

TEST(LanguageFamilies, ExactNamesOnly) {
  Class2200 cls;
  EXPECT_EQ(cls.Elt_PLUS_chk(u"EMPLS"), 1);
  EXPECT_EQ(cls.Elt_PLUS_chk(u"pls"), 0);  // case matters
  EXPECT_EQ(cls.Elt_COB_chk(u"ACOB"), 1);
  EXPECT_EQ(cls.Elt_MASM_chk(u"MASM "), 0);
  EXPECT_EQ(cls.Elt_SKEL_chk(u"SKL"), 1);
}

TEST(KoumokuFind, ExtendsToIdentifierOfLanguage) {
  struct Case {
    std::u16string lang, line, word, expected;
  };
  const Case cases[] = {
      {u"COB", u"MOVE WS-REC TO X", u"WS", u"WS-REC"},
      {u"PLS", u"MOVE WS-REC TO X", u"WS", u"WS"},
      {u"PLS", u"CALL CALC_SUM(X)", u"CALC", u"CALC_SUM"},
      {u"SKEL", u"CALL CALC_SUM(X)", u"CALC", u"CALC_SUM"},
      {u"VB", u"CALL CALC_SUM(X)", u"CALC", u"CALC_SUM"},
      {u"COB", u"CALL CALC_SUM(X)", u"CALC", u"CALC"},
      {u"MASM", u"LA A0,OM$X1 . C", u"OM", u"OM$X1"},
      {u"PLS", u"AB漢字", u"A", u"AB"},
      {u"PLS", u"X = ABC", u"ABC", u"ABC"},  // word ends the line
      {u"PLS", u"X = ABC", u"ZZ", u"ZZ"},    // word absent
  };
  Class2200 cls;
  for (const auto& c : cases) EXPECT_EQ(cls.koumoku_find(c.lang, c.line, c.word), c.expected);
}

TEST(DoubleByteChecks, HexadecimalRangesComparedAsText) {
  const std::pair<std::u16string, std::int16_t> sjis[] = {
      {u"82A0", 1}, {u"E040", 1}, {u"EF9F", 1}, {u"8140FF", 1}, {u"82", 0},
      {u"A0A0", 0}, {u"82a0", 0}, {u"F040", 0}, {u"817F", 0},
  };
  const std::pair<std::u16string, std::int16_t> letsj[] = {
      {u"A1A1", 1}, {u"31FE", 1}, {u"F4FE", 1}, {u"A9A1", 0}, {u"B0A0", 0}, {u"A1", 0},
  };
  Class2200 cls;
  for (const auto& [in, out] : sjis) EXPECT_EQ(cls.SJIS_CHK(in), out) << in.size();
  for (const auto& [in, out] : letsj) EXPECT_EQ(cls.LETSJ_CHK(in), out) << in.size();
}

}  // namespace
}  // namespace morvanta
