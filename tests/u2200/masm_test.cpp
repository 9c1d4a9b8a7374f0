#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "u2200/Class2200.h"
#include "u2200/scan_sample_support.h"

namespace morvanta {
namespace {

struct Label {
  std::int16_t end;
  std::u16string typ;
};

Label label(Class2200& cls, const std::u16string& fnc, const std::u16string& line) {
  Label out{-1, u"?"};
  cls.MSM_phase_label(fnc, line, out.end, out.typ);
  return out;
}

struct Jump {
  std::int16_t st, end;
  std::u16string typ;
  bool operator==(const Jump&) const = default;
};

Jump jump(Class2200& cls, const std::u16string& fnc, const std::u16string& line) {
  Jump out{-1, -1, u"?"};
  cls.MSM_phase_instruction(fnc, line, out.st, out.end, out.typ);
  return out;
}

TEST(MasmLabel, FirstPassCollectsCodeLabelsOnly) {
  struct Case {
    std::u16string line;
    std::int16_t end;
    std::u16string typ;
    std::int32_t labels, stars;
  };
  const Case cases[] = {
      {u"LOOP     J     LOOP", 4, u"", 1, 0}, {u"LAB*  LMJ X11,SUB", 3, u"*", 1, 1},
      {u"         LA    A0,X", 0, u"", 0, 0}, {u"$IF      X", 0, u"", 0, 0},
      {u". COMMENT", 0, u"", 0, 0},           {u"/PAGE", 0, u"", 0, 0},
      {u"BUF      RES   10", 0, u"", 0, 0},   {u"K        EQU   5", 0, u"", 0, 0},
      {u"K*       $EQU  5", 0, u"*", 0, 0},   {u"ONE      +1", 0, u"", 0, 0},
  };
  for (const auto& c : cases) {
    Class2200 cls;
    const auto got = label(cls, u"make", c.line);
    EXPECT_EQ(got.end, c.end) << c.line.size();
    EXPECT_EQ(got.typ, c.typ);
    EXPECT_EQ(cls.root_MASM_procedure_cnt, c.labels);
    EXPECT_EQ(cls.root_MASM_PIKA_procedure_cnt, c.stars);
  }
}

TEST(MasmLabel, ImportPairIsStoredAndFound) {
  Class2200 cls;
  const auto got = label(cls, u"make", u"EXT  $IMPORT  OM$CODE_REF  'EXTNAME'");
  EXPECT_EQ(got.typ, u"$IMPORT");
  EXPECT_EQ(got.end, 3);
  EXPECT_EQ(cls.root_MASM_import_name_cnt, 1);
  EXPECT_EQ(cls.MSM_import_SRCH(u"EXT"), u"EXTNAME");
  EXPECT_EQ(cls.MSM_import_SRCH(u"EXTNAME"), u"");
}

TEST(MasmLabel, StartColumnFollowsListingKindButNotPlus) {
  Class2200 cls;
  cls.TASK_TYPE = u"MASM";
  const std::u16string prefix(52, u'9');
  EXPECT_EQ(label(cls, u"make", prefix + u"LOOP  J LOOP").end, 56);
  cls.TASK_TYPE = u"ELT";
  EXPECT_EQ(label(cls, u"make", std::u16string(24, u' ') + u"LOOP  J LOOP").end, 28);
  cls.TASK_TYPE = u"PLS";  // assembler lines never carry a PLUS listing prefix
  EXPECT_EQ(label(cls, u"make", u"LOOP  J LOOP").end, 4);
}

TEST(MasmInstruction, TargetColumns) {
  const std::pair<std::u16string, Jump> cases[] = {
      {u"         LMJ   X11,SUBR", {20, 23, u"MAYOUTSIDE"}},
      {u"         J     LOOP", {16, 19, u""}},
      {u"         JZ    A0,DONE", {19, 22, u""}},
      {u"         JNZ   DONE", {16, 19, u""}},
      {u"         OM$CALL  EXT", {19, 21, u"MAYOUTSIDE"}},
      {u"L        J     LOOP", {16, 19, u""}},  // a one-character label lets the operation through
      {u"LOOP     J     LOOP", {0, 0, u""}},    // a longer one does not
      {u"         JZ    A0,L1,X", {0, 0, u""}},
      {u"         J     *ADDR", {0, 0, u""}},
      {u"         J     L1,X", {0, 0, u""}},
      {u"         LMJ   X11,", {0, 0, u"MAYOUTSIDE"}},
      {u"         J     ", {0, 0, u""}},  // no operand, no target
      {u"         LA    A0,X", {0, 0, u""}},
      {u".        J     LOOP", {0, 0, u""}},
  };
  for (const auto& [line, expected] : cases) {
    Class2200 cls;
    EXPECT_EQ(jump(cls, u"mark", line), expected) << line.size();
  }
}

TEST(MasmInstruction, EndAndRepeatedTargets) {
  Class2200 cls;
  jump(cls, u"make", u"         J     LOOP");
  jump(cls, u"make", u"         JZ    A0,LOOP");
  jump(cls, u"make", u"         J     OTHER");
  EXPECT_EQ(cls.root_MASM_jump_cnt, 2);
  EXPECT_EQ(cls.MASM_CODE_END, 0);
  jump(cls, u"make", u"         $END");
  EXPECT_EQ(cls.MASM_CODE_END, 1);
}

TEST(MasmExport, DollarExportName) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"         $export  'name',om$entry", u"NAME"}, {u"         $EXPORT  'NAME'", u""},
      {u"         $EXPORT  NAME,OM$ENTRY", u""},       {u"         $EXPORT  '',OM$ENTRY", u""},
      {u"       . $EXPORT  'NAME',OM$ENTRY", u""},
  };
  Class2200 cls;
  for (const auto& [line, name] : cases) {
    auto in = line;
    EXPECT_EQ(cls.MSM_get_DOLLexport_name(in), name);
    EXPECT_EQ(in.find(u'e'), std::u16string::npos);  // upper-cased for the caller
  }
}

TEST(MasmExport, StarLabel) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"NAME*  LA A0,X", u"NAME"}, {u"name*. COMMENT", u"NAME"},
      {u"NAME* PROC", u""},         {u"NAME* $EQU 1", u""},
      {u". NAME* x", u""},          {u"  NAME* LA", u""},
      {u"NAME*X LA", u""},          {u"'A'* LA", u""},
      {u"LA   A0,X", u""},
  };
  Class2200 cls;
  for (const auto& [line, name] : cases) EXPECT_EQ(cls.MSM_get_export_LABEL(line), name);
}

TEST(MasmExtend, KeywordOutsideComment) {
  const std::pair<std::u16string, std::int16_t> cases[] = {
      {u"         $EXTEND", 1},           {u"         $extend", 1}, {u"       . $EXTEND", 0},
      {u"         LA A0,X . $EXTEND", 0}, {u"         LA A0,X", 0},
  };
  Class2200 cls;
  for (const auto& [line, found] : cases) {
    auto in = line;
    EXPECT_EQ(cls.MSM_get_DOLL_EXTEND(in), found);
  }
  cls.TASK_TYPE = u"MASM";
  std::u16string in = u"$EXTEND" + std::u16string(50, u' ') + u"LA A0,X";
  EXPECT_EQ(cls.MSM_get_DOLL_EXTEND(in), 0);  // only in the listing columns
}

TEST(MasmLists, FullListsRefuseMoreWithoutCounting) {
  Class2200 cls;
  cls.root_MASM_procedure_cnt = 5000;
  cls.root_MASM_PIKA_procedure_cnt = 1000;
  EXPECT_EQ(label(cls, u"make", u"LAST*  LA A0,X").end, 4);
  EXPECT_EQ(cls.root_MASM_procedure_cnt, 5001);
  EXPECT_EQ(cls.root_MASM_PIKA_procedure_cnt, 1001);
  EXPECT_THROW(label(cls, u"make", u"MORE  LA A0,X"), std::out_of_range);
  EXPECT_EQ(cls.root_MASM_procedure_cnt, 5001);
  EXPECT_EQ(label(cls, u"mark", u"LAST  LA A0,X").end, 4);  // look-ups stay inside
  EXPECT_EQ(label(cls, u"mark", u"MORE  LA A0,X").end, 0);

  cls.root_MASM_jump_cnt = 5000;
  jump(cls, u"make", u"         J     LAST");
  jump(cls, u"make", u"         J     LAST");  // already there: no store, no error
  EXPECT_THROW(jump(cls, u"make", u"         J     MORE"), std::out_of_range);
  EXPECT_EQ(cls.root_MASM_jump_cnt, 5001);

  Class2200 stars;  // room for the label but not for its "*" entry
  stars.root_MASM_PIKA_procedure_cnt = 1001;
  EXPECT_THROW(label(stars, u"make", u"PUB*  LA A0,X"), std::out_of_range);
  EXPECT_EQ(stars.root_MASM_procedure_cnt, 0);

  Class2200 imports;
  imports.root_MASM_import_name_cnt = 100;
  label(imports, u"make", u"EXT $IMPORT OM$CODE_REF 'X1'");
  EXPECT_THROW(label(imports, u"make", u"EXU $IMPORT OM$CODE_REF 'X2'"), std::out_of_range);
  EXPECT_EQ(imports.root_MASM_import_name_cnt, 101);
  EXPECT_EQ(imports.root_MASM_procedure_cnt, 1);  // the refused line stored nothing
  EXPECT_EQ(imports.MSM_import_SRCH(u"EXT"), u"X1");
  EXPECT_EQ(imports.MSM_import_SRCH(u"EXU"), u"");
}

TEST(MasmLists, ResetCountersForgetEarlierSource) {
  Class2200 cls;
  label(cls, u"make", u"OLD   J OLD");
  cls.root_MASM_procedure_cnt = 0;
  EXPECT_EQ(label(cls, u"mark", u"OLD   J OLD").end, 0);
}

TEST(MasmSample, TwoPassesMarkKeptLabelsAndTargets) {
  const auto lines = test::read_sample("sample.masm");
  Class2200 cls;
  for (const auto& line : lines) {
    label(cls, u"make", line);
    jump(cls, u"make", line);
  }
  cls.MSM_label_jump_reset();
  std::vector<std::pair<std::size_t, std::int16_t>> labels;
  std::vector<std::pair<std::size_t, Jump>> jumps;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto l = label(cls, u"mark", lines[i]); l.end != 0) labels.emplace_back(i + 1, l.end);
    if (const auto j = jump(cls, u"mark", lines[i]); j.st != 0) jumps.emplace_back(i + 1, j);
  }
  // UNUSED is neither jumped to nor visible outside; COUNT and ONE are data.
  const std::vector<std::pair<std::size_t, std::int16_t>> want_labels = {
      {3, 5}, {4, 4}, {8, 4}, {11, 3}, {13, 4}};
  const std::vector<std::pair<std::size_t, Jump>> want_jumps = {
      {5, {19, 22, u""}},
      {6, {20, 23, u"MAYOUTSIDE"}},
      {7, {16, 19, u""}},
      {12, {19, 21, u"MAYOUTSIDE"}},
  };
  EXPECT_EQ(labels, want_labels);
  EXPECT_EQ(jumps, want_jumps);
  EXPECT_EQ(cls.MASM_CODE_END, 1);
  EXPECT_EQ(cls.MSM_import_SRCH(u"EXT"), u"EXTFUNC");
  auto extend = lines[1];
  EXPECT_EQ(cls.MSM_get_DOLL_EXTEND(extend), 1);
}

}  // namespace
}  // namespace morvanta
