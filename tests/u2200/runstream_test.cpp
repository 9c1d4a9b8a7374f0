#include <gtest/gtest.h>

#include <string>

#include "u2200/Class2200.h"

namespace morvanta {
namespace {

std::string narrow(const std::u16string& s) {
  return std::string(s.begin(), s.end());
}

class RunstreamTest : public ::testing::Test {
 protected:
  Class2200 c;
};

TEST_F(RunstreamTest, RunStatement) {
  const struct {
    std::u16string line;
    std::u16string runid;
    std::u16string proj;
  } cases[] = {
      {u"@RUN R1,ACC,PRJ ", u"R1", u"PRJ"},
      {u"@RUN R1,ACC,PRJ", u"R1", u""},  // no blank after the project id
      {u"@RUN R1,ACC,PROJ,50 ", u"R1", u"PROJ,50"},
      {u"@RUN  R1 ,ACC,PRJ 1,2", u"R1 ", u"PRJ"},  // run id untrimmed
      {u"@RUN", u"", u""},
  };
  for (const auto& tc : cases) {
    std::u16string runid = u"old", proj = u"old";
    EXPECT_EQ(c.TANKA_RUN_PHASE(tc.line, runid, proj), 0);
    EXPECT_EQ(runid, tc.runid) << narrow(tc.line);
    EXPECT_EQ(proj, tc.proj) << narrow(tc.line);
  }
}

TEST_F(RunstreamTest, QualStatement) {
  EXPECT_EQ(c.TANKA_QUAL_PHASE(u"@QUAL ABC"), u"ABC");
  EXPECT_EQ(c.TANKA_QUAL_PHASE(u"  @QUAL   XY  "), u"XY");
  EXPECT_EQ(c.TANKA_QUAL_PHASE(u"@QUAL"), u"");
  EXPECT_EQ(c.TANKA_QUAL_PHASE(u""), u"");
}

TEST_F(RunstreamTest, UseStatement) {
  const struct {
    std::u16string line;
    std::int16_t result;
    std::u16string left;
    std::u16string right;
  } cases[] = {
      {u"@USE A,QUAL*FILE.", 0, u"A", u"QUAL*FILE"},
      {u"@USE A,B.", 0, u"A", u"B"},
      {u"@USE  X ,YY. ", 0, u"X", u"YY"},
      {u"@USE AB.,CD", 0, u"AB", u"CD"},
      {u"@USE A", 1, u"old", u"old"},  // no comma: outputs untouched
      {u"@USE ,B.", 1, u"old", u"old"},
      {u"@USE A,", 1, u"old", u"old"},
      {u"@USE A,B", 1, u"old", u"old"},  // one-character last field
  };
  for (const auto& tc : cases) {
    std::u16string left = u"old", right = u"old";
    EXPECT_EQ(c.TANKA_USE_PHASE(tc.line, left, right), tc.result) << narrow(tc.line);
    EXPECT_EQ(left, tc.left) << narrow(tc.line);
    EXPECT_EQ(right, tc.right) << narrow(tc.line);
  }
}

TEST_F(RunstreamTest, CopyStatement) {
  const struct {
    std::u16string line;
    std::u16string lf, le, rf, re;
  } cases[] = {
      {u"@COPY Q*F.EL,G.", u"Q*F", u"EL", u"G.", u"EL"},
      {u"@COPY Q*F.EL", u"Q*F", u"EL", u"TPF$", u"EL"},
      {u"@COPY EL,FI.XY", u"TPF$", u"EL", u"FI", u"XY"},
      {u"@COPY,A Q*F.EL,G.NEW ", u"Q*F", u"EL", u"G", u"NEW"},
      {u"@COPY Q*F.EL,", u"Q*F", u"EL", u"TPF$", u"EL"},
      // A one-character element is kept on either side of the comma.
      {u"@COPY Q*F.E,G.", u"Q*F", u"E", u"G.", u"E"},
      {u"@COPY Q*F.E,G.X", u"Q*F", u"E", u"G", u"X"},
      {u"@COPY Q*F.E", u"Q*F", u"E", u"TPF$", u"E"},
      {u"@COPY ,X.Y", u",X", u"Y", u"TPF$", u"Y"},
  };
  for (const auto& tc : cases) {
    std::u16string lf = u"old", le = u"old", rf = u"old", re = u"old";
    EXPECT_EQ(c.TANKA_COPY_PHASE(tc.line, lf, le, rf, re), 0);
    EXPECT_EQ(lf, tc.lf) << narrow(tc.line);
    EXPECT_EQ(le, tc.le) << narrow(tc.line);
    EXPECT_EQ(rf, tc.rf) << narrow(tc.line);
    EXPECT_EQ(re, tc.re) << narrow(tc.line);
  }
}

TEST_F(RunstreamTest, FileNameSplit) {
  const struct {
    std::u16string in;
    std::u16string qual, pika, name;
  } cases[] = {
      {u"Q*F", u"Q", u"*", u"F"},      {u"F", u"", u"", u"F"},   {u" Q*F", u" Q", u"*", u"F"},
      {u"Q*F*G ", u"Q", u"*", u"F*G"}, {u"*F", u"", u"*", u"F"}, {u"", u"", u"", u""},
  };
  for (const auto& tc : cases) {
    std::u16string qual = u"old", pika = u"old", name = u"old";
    EXPECT_EQ(c.U2200_FILE_PHASE(tc.in, qual, pika, name), 0);
    EXPECT_EQ(qual, tc.qual) << narrow(tc.in);
    EXPECT_EQ(pika, tc.pika) << narrow(tc.in);
    EXPECT_EQ(name, tc.name) << narrow(tc.in);
  }
}

TEST_F(RunstreamTest, FileElementSplit) {
  const struct {
    std::u16string in;
    std::u16string file, elt;
  } cases[] = {
      {u"F.EL", u"F", u"EL"},        {u"F.E", u"F", u"E"},  // one-character element
      {u"Q*F.EL XY", u"Q*F", u"EL"}, {u"Q*F.E X", u"Q*F", u"E"}, {u"F.", u"F", u""},
      {u" F . EL", u" F ", u"EL"},   {u"EL", u"TPF$", u"EL"},    {u" EL ", u"TPF$", u"EL"},
      {u"E", u"TPF$", u"E"},         {u"", u"TPF$", u""},
  };
  for (const auto& tc : cases) {
    std::u16string file = u"old", elt = u"old";
    EXPECT_EQ(c.U2200_FILE_ELEMENT_PHASE(tc.in, file, elt), 0);
    EXPECT_EQ(file, tc.file) << narrow(tc.in);
    EXPECT_EQ(elt, tc.elt) << narrow(tc.in);
  }
}

TEST_F(RunstreamTest, SplittersReadTheirInputBeforeClearingOutputs) {
  std::u16string name = u"F.EL";
  std::u16string elt;
  c.U2200_FILE_ELEMENT_PHASE(name, name, elt);
  EXPECT_EQ(name, u"F");
  EXPECT_EQ(elt, u"EL");

  std::u16string file = u"Q*F";
  std::u16string pika, rest;
  c.U2200_FILE_PHASE(file, file, pika, rest);
  EXPECT_EQ(file, u"Q");
  EXPECT_EQ(rest, u"F");

  std::u16string line = u"@ADD Q*F.E";
  std::u16string qual, star, f;
  c.TANKA_ADD_START_PHASE(line, qual, star, f, line);
  EXPECT_EQ(f, u"F");
  EXPECT_EQ(line, u"E");
}

TEST_F(RunstreamTest, AddAndStartStatements) {
  const struct {
    std::u16string line;
    std::u16string qual, pika, file, elt;
  } cases[] = {
      {u"@ADD Q*F.E", u"Q", u"*", u"F", u"E"},
      {u"@ADD *F.E", u"", u"*", u"F", u"E"},
      {u"@START F.E", u"", u"", u"F", u"E"},
      {u"@ADD E", u"", u"", u"TPF$", u"E "},
      {u"@ADD Q*F", u"", u"", u"TPF$", u"Q*F "},
      {u"@START,X  PRJ*SRC.RUN/V1  PARAM", u"PRJ", u"*", u"SRC", u"RUN/V1"},
      {u"@ADD", u"", u"", u"", u""},
  };
  for (const auto& tc : cases) {
    std::u16string qual = u"old", pika = u"old", file = u"old", elt = u"old";
    EXPECT_EQ(c.TANKA_ADD_START_PHASE(tc.line, qual, pika, file, elt), 1);
    EXPECT_EQ(qual, tc.qual) << narrow(tc.line);
    EXPECT_EQ(pika, tc.pika) << narrow(tc.line);
    EXPECT_EQ(file, tc.file) << narrow(tc.line);
    EXPECT_EQ(elt, tc.elt) << narrow(tc.line);
  }
}

}  // namespace
}  // namespace morvanta
