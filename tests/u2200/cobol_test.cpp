#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "u2200/Class2200.h"
#include "u2200/scan_sample_support.h"

namespace morvanta {
namespace {

using Scanner = std::u16string (Class2200::*)(const std::u16string&, std::u16string&) const;

struct Case {
  std::u16string line, expected;
};

void expect_all(Scanner scanner, const std::vector<Case>& cases) {
  Class2200 cls;
  for (const auto& c : cases) {
    auto line = c.line;
    EXPECT_EQ((cls.*scanner)(u"make", line), c.expected) << std::string(line.begin(), line.end());
  }
}

TEST(CobolPerform, TargetName) {
  expect_all(&Class2200::CBL_get_PERFORM_name,
             {
                 {u"       PERFORM PARA-1.", u"PARA-1"},
                 {u"           perform para-2", u"PARA-2"},
                 {u"       PERFORM PARA-1 THRU PARA-9", u"PARA-1"},
                 {u"       PERFORM UNTIL X", u"UNTIL"},
                 {u"      *PERFORM PARA-1.", u""},
                 {u"PERFORM PARA-1.", u""},  // before area A
             });
}

TEST(CobolCall, CalledProgram) {
  expect_all(&Class2200::CBL_get_CALL_name, {
                                                {u"       CALL 'SUBPRG'.", u"SUBPRG"},
                                                {u"       CALL 'SUBPRG'", u"SUBPRG"},
                                                {u"       CALL \"SUB2\" USING A.", u"SUB2"},
                                                {u"       call ws-pgm.", u"WS-PGM"},
                                                {u"       DISPLAY 'CALL ME'", u""},
                                                {u"      *CALL 'SUBPRG'.", u""},
                                            });
}

TEST(CobolProgramId, NameAndShift) {
  Class2200 cls;
  std::u16string line = u"       program-id. prg001.";
  EXPECT_EQ(cls.CBL_get_PROGRAMID_name(u"make", line), u"PRG001");
  EXPECT_EQ(line, u"       PROGRAM-ID. PRG001.");
  EXPECT_EQ(cls.Adjust_POS, 0);

  line = u"            PROGRAM-ID. PRG001.";
  EXPECT_EQ(cls.CBL_get_PROGRAMID_name(u"make", line), u"PRG001");
  EXPECT_EQ(cls.Adjust_POS, 5);
  EXPECT_EQ(cls.CBL_comment_chk(u"           *"), 1);  // indicator now in column 12
  EXPECT_EQ(cls.CBL_comment_chk(u"      *"), 0);

  Class2200 other;
  line = u"       PROGRAM-ID. PRG001";
  EXPECT_EQ(other.CBL_get_PROGRAMID_name(u"make", line), u"");
  line = u"           *PROGRAM-ID. PRG001.";  // a comment still moves the shift
  EXPECT_EQ(other.CBL_get_PROGRAMID_name(u"make", line), u"");
  EXPECT_EQ(other.Adjust_POS, 5);
}

TEST(CobolParagraph, NameInAreaA) {
  struct Body {
    std::u16string line, name;
    std::int16_t section;
  };
  const Body cases[] = {
      {u"       MAIN-PARA.", u"MAIN-PARA", 0},
      {u"       init-sec section.", u"INIT-SEC", 1},
      {u"           MOVE A TO B.", u"", 0},
      {u"      ", u"", 0},
  };
  Class2200 cls;
  for (const auto& c : cases) {
    std::int16_t section = 9;
    EXPECT_EQ(cls.CBL_get_PERFORM_body(c.line, section), c.name);
    EXPECT_EQ(section, c.section);
  }
}

TEST(CobolProgramStart, ProcedureDivision) {
  const std::pair<std::u16string, std::int16_t> cases[] = {
      {u"       PROCEDURE DIVISION USING A.", 1},
      {u"       procedure division.", 1},
      {u"       PROCEDURE-X", 0},
      {u"       DATA DIVISION.", 0},
  };
  Class2200 cls;
  for (const auto& [line, start] : cases) {
    auto in = line;
    EXPECT_EQ(cls.CBL_get_prog_start(in), start);
  }
}

TEST(CobolColumns, ShiftBeyondSixteenBitsOverflows) {
  Class2200 cls;
  std::u16string line = u"       PERFORM X.";
  cls.Adjust_POS = 32759;
  EXPECT_EQ(cls.CBL_get_PERFORM_name(u"make", line), u"");
  cls.Adjust_POS = 32760;
  EXPECT_THROW(cls.CBL_get_PERFORM_name(u"make", line), std::overflow_error);
}

TEST(CobolSample, ListingWithLineNumbers) {
  const auto lines = test::read_sample("sample.cob");
  Class2200 cls;
  // First pass: the shift from PROGRAM-ID, then the paragraphs of the
  // procedure division.
  std::vector<std::u16string> paragraphs, sections;
  bool procedure = false;
  for (auto line : lines) {
    cls.CBL_get_PROGRAMID_name(u"make", line);
    if (!procedure) {
      procedure = cls.CBL_get_prog_start(line) == 1;
      continue;
    }
    std::int16_t section = 0;
    const auto name = cls.CBL_get_PERFORM_body(line, section);
    if (!name.empty()) (section == 1 ? sections : paragraphs).push_back(name);
  }
  EXPECT_EQ(cls.Adjust_POS, 5);
  EXPECT_EQ(sections, std::vector<std::u16string>{u"MAIN-SEC"});
  EXPECT_EQ(paragraphs,
            (std::vector<std::u16string>{u"MAIN-PARA", u"INIT-PARA", u"CALC-PARA", u"CALC-EXIT"}));
  // Marking pass: performed paragraphs and called programs.
  std::vector<std::pair<std::size_t, std::u16string>> marks;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto line = lines[i];
    if (auto name = cls.CBL_get_PERFORM_name(u"mark", line); !name.empty())
      marks.emplace_back(i + 1, u"PERFORM " + name);
    if (auto name = cls.CBL_get_CALL_name(u"mark", line); !name.empty())
      marks.emplace_back(i + 1, u"CALL " + name);
  }
  const std::vector<std::pair<std::size_t, std::u16string>> want = {
      {10, u"PERFORM INIT-PARA"},
      {11, u"PERFORM CALC-PARA"},
      {12, u"CALL SUBPRG1"},
      {13, u"CALL WS-PGM"},
  };
  EXPECT_EQ(marks, want);
}

}  // namespace
}  // namespace morvanta
