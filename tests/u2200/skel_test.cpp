#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "u2200/Class2200.h"
#include "u2200/scan_sample_support.h"

namespace morvanta {
namespace {

TEST(SkelDefine, ProcedureNamesStoredInFirstPassOnly) {
  Class2200 cls;
  std::u16string line = u"*define build";
  EXPECT_EQ(cls.SKEL_get_DEFINE_name(u"make", line), u"BUILD");
  EXPECT_EQ(line, u"*DEFINE BUILD");
  line = u"*DEFINE CLEAN";
  EXPECT_EQ(cls.SKEL_get_DEFINE_name(u"mark", line), u"CLEAN");
  line = u"*DEFINE";
  EXPECT_EQ(cls.SKEL_get_DEFINE_name(u"make", line), u"");
  EXPECT_EQ(cls.root_SKEL_procedure_cnt, 1);

  std::int16_t found = 0;
  EXPECT_EQ(cls.SKEL_get_call_DEFINE_name(u"*PROCESS   BUILD", found), u"BUILD");
  EXPECT_EQ(found, 1);
  found = 7;
  EXPECT_EQ(cls.SKEL_get_call_DEFINE_name(u"*PROCESS CLEAN", found), u"");
  EXPECT_EQ(cls.SKEL_get_call_DEFINE_name(u"*PROCESSBUILD X", found), u"");
  EXPECT_EQ(cls.SKEL_get_call_DEFINE_name(u"*process build", found), u"");
  EXPECT_EQ(found, 7);
}

TEST(SkelDefine, KeywordPastLastColumnOverflows) {
  Class2200 cls;
  std::u16string line = u"*DEFINE BUILD";
  cls.SKEL_get_DEFINE_name(u"make", line);
  std::int16_t found = 0;
  EXPECT_THROW(
      cls.SKEL_get_call_DEFINE_name(std::u16string(33000, u' ') + u"*PROCESS BUILD", found),
      std::overflow_error);
  EXPECT_EQ(found, 0);
  std::int16_t pending = 0;
  std::u16string name, value;
  EXPECT_THROW(cls.DEFINE_GET(u"DEFINE A " + std::u16string(33000, u' ') + u"= 1;", found, pending,
                              name, value),
               std::overflow_error);
}

TEST(SkelDefine, StartColumnOfListing) {
  Class2200 cls;
  cls.TASK_TYPE = u"PLS";
  std::u16string line = u"*DEFINE NOTME" + std::u16string(27, u' ') + u"*DEFINE REAL";
  EXPECT_EQ(cls.SKEL_get_DEFINE_name(u"make", line), u"REAL");
}

TEST(SkelDefine, FullListRefusesMoreWithoutCounting) {
  Class2200 cls;
  cls.root_SKEL_procedure_cnt = 1000;
  std::u16string line = u"*DEFINE LAST";
  EXPECT_EQ(cls.SKEL_get_DEFINE_name(u"make", line), u"LAST");
  EXPECT_EQ(cls.root_SKEL_procedure_cnt, 1001);
  line = u"*DEFINE MORE";
  EXPECT_THROW(cls.SKEL_get_DEFINE_name(u"make", line), std::out_of_range);
  EXPECT_EQ(cls.root_SKEL_procedure_cnt, 1001);
  std::int16_t found = 0;
  EXPECT_EQ(cls.SKEL_get_call_DEFINE_name(u"*PROCESS LAST", found), u"LAST");
}

TEST(SkelDefineStatement, LinesAndContinuations) {
  struct Case {
    std::u16string line;
    std::int16_t pending_in, found, pending;
    std::u16string name, value;
  };
  const Case cases[] = {
      {u"DEFINE A = 10;", 0, 1, 0, u"A", u"10"},
      {u"DEFINE A = 10,", 0, 1, 1, u"A", u"10"},
      {u"B = 20;", 1, 1, 0, u"B", u"20"},
      {u"DEFINE A= 10;", 0, 1, 0, u"A", u"10"},
      {u"DEFINE A=10;", 0, 1, 0, u"A=10;", u"10"},
      {u"DEFINE A = 10 , B = 2;", 0, 1, 1, u"A", u"10"},
      {u"X = 1;", 0, 0, 0, u"old", u"old"},  // not a DEFINE: outputs kept
      {u"DEFINE A 10;", 0, 0, 0, u"A", u"old"},
      {u"", 1, 0, 1, u"old", u"old"},
  };
  Class2200 cls;
  for (const auto& c : cases) {
    std::int16_t found = 9, pending = c.pending_in;
    std::u16string name = u"old", value = u"old";
    cls.DEFINE_GET(c.line, found, pending, name, value);
    EXPECT_EQ(found, c.found) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(pending, c.pending);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(value, c.value);
  }
}

TEST(SkelJoin, ThreeWaysOfJoining) {
  Class2200 cls;
  const std::u16string a = u"  A  B ", b = u" C ";
  EXPECT_EQ(cls.LINE_Renketu(a, b, 0, 1), u" A B  C");
  EXPECT_EQ(cls.LINE_Renketu(a, b, 1, 0), u"A  B C ");
  EXPECT_EQ(cls.LINE_Renketu(a, b, 0, 0), u"A  BC ");
  EXPECT_EQ(cls.LINE_Renketu(a, b, 2, 0), u"");

  std::u16string many, thirty;
  for (int i = 0; i < 31; ++i) {
    const std::u16string f = u"F" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    many += f + u"  ";
    if (i < 30) thirty += u" " + f;
  }
  EXPECT_EQ(cls.LINE_Renketu(many, u"", 0, 1), thirty + u" ");
  // A field followed by a very long blank run is still taken once.
  EXPECT_EQ(cls.LINE_Renketu(u"A" + std::u16string(150, u' ') + u"B", u"C", 0, 1), u" A B  C");
}

TEST(SkelSample, TwoPassesFindCallsAndDefines) {
  const auto lines = test::read_sample("sample.skel");
  Class2200 cls;
  for (auto line : lines) cls.SKEL_get_DEFINE_name(u"make", line);
  EXPECT_EQ(cls.root_SKEL_procedure_cnt, 2);

  std::vector<std::pair<std::size_t, std::u16string>> calls, defines;
  std::int16_t pending = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::int16_t found = 0;
    if (auto name = cls.SKEL_get_call_DEFINE_name(lines[i], found); !name.empty())
      calls.emplace_back(i + 1, name);
    std::u16string name, value;
    cls.DEFINE_GET(lines[i], found, pending, name, value);
    if (found == 1) defines.emplace_back(i + 1, name + u"=" + value);
  }
  const std::vector<std::pair<std::size_t, std::u16string>> want_calls = {{7, u"BUILD"},
                                                                          {8, u"CLEAN"}};
  const std::vector<std::pair<std::size_t, std::u16string>> want_defines = {
      {2, u"OPT='A'"}, {3, u"LIST='L'"}, {11, u"NAME=X"}};
  EXPECT_EQ(calls, want_calls);
  EXPECT_EQ(defines, want_defines);
}

}  // namespace
}  // namespace morvanta
