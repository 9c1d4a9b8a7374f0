// The two command lines of morvanta-xref: the bulk job's, as a job runner
// hands it over cut at blanks, and the options people type.

#include <gtest/gtest.h>

#include "xref/XrefCommandLine.h"
#include "xref/XrefTestSupport.h"

namespace morvanta::xref {
namespace {

using Args = std::vector<std::u16string>;

TEST(BulkLine, WordsAsTheRunnerHandsThemOver) {
  // "TOOL  FUNC:[RUNSTREAM] INF:[/pc/run/MAIN.R1.txt]　 OUTF:[HTMOUT] PROJECT:[PJ01]"
  const XrefRequest request =
      parseXrefArguments({u"FUNC:[RUNSTREAM]", u"INF:[/pc/run/MAIN.R1.txt]\u3000", u"OUTF:[HTMOUT]",
                          u"PROJECT:[PJ01]"});
  EXPECT_TRUE(request.fromBulkJob);
  EXPECT_EQ(request.action, Action::Build);
  EXPECT_EQ(request.func, u"RUNSTREAM");
  EXPECT_EQ(request.inputs, Args{u"/pc/run/MAIN.R1.txt"});
  EXPECT_EQ(request.outf, u"HTMOUT");
  EXPECT_EQ(request.project, u"PJ01");
}

TEST(BulkLine, BracketedValuesKeepTheirBlanks) {
  // A folder with blanks reaches the tool as several words.
  const XrefRequest request =
      parseXrefArguments({u"FUNC:[RUNSTREAM]", u"INF:[C:\\My", u"Projects\\run\\BUILD.txt]\u3000",
                          u"OUTF:[C:\\My", u"Pages]", u"PROJECT:[PJ", u"01]"});
  EXPECT_EQ(request.inputs, Args{u"C:\\My Projects\\run\\BUILD.txt"});
  EXPECT_EQ(request.outf, u"C:\\My Pages");
  EXPECT_EQ(request.project, u"PJ 01");
}

TEST(BulkLine, WholeLineWithTheTwoBlanksBeforeFunc) {
  const XrefRequest request =
      parseBulkLine(u"  FUNC:[RUNSTREAM] INF:[/pc/A B/X.txt]\u3000 OUTF:[/out] PROJECT:[P]\r");
  EXPECT_EQ(request.inputs, Args{u"/pc/A B/X.txt"});
  EXPECT_EQ(request.outf, u"/out");
  EXPECT_EQ(request.project, u"P");
}

TEST(BulkLine, AnythingElseIsRefused) {
  const std::u16string good = u"FUNC:[RUNSTREAM] INF:[/a/X.txt]\u3000 OUTF:[/o] PROJECT:[P]";
  ASSERT_NO_THROW(parseBulkLine(good));
  const std::u16string bad[] = {
      u"FUNC:[RUNSTREAM] INF:[/a/X.txt] OUTF:[/o] PROJECT:[P]",          // no ideographic space
      u"FUNC:[RUNSTREAM] INF:[/a/X.txt]\u3000OUTF:[/o] PROJECT:[P]",     // no blank after it
      u"FUNC:[RUNSTREAM] OUTF:[/o] INF:[/a/X.txt]\u3000 PROJECT:[P]",    // out of order
      u"FUNC:[RUNSTREAM] INF:[/a/X.txt]\u3000 OUTF:[/o] PROJECT:[P] X",  // text after it
      u"FUNC:[RUNSTREAM] INF:[/a/X.txt]\u3000 OUTF:[/o] PROJECT:[P]]",   // bracket in project
      u"FUNC:[PASCAL] INF:[/a/X.txt]\u3000 OUTF:[/o] PROJECT:[P]",       // unknown function
      u"FUNC:[RUNSTREAM] INF:[ ]\u3000 OUTF:[/o] PROJECT:[P]",           // no element file
      u"FUNC:[RUNSTREAM] INF:[/a/X.txt]\u3000 OUTF:[/o] PROJECT:[]",     // no project
      u"FUNC:[RUNSTREAM] INF:[/a/X.txt]\u3000 OUTF:[] PROJECT:[P]",      // no output folder
      u"func:[RUNSTREAM] INF:[/a/X.txt]\u3000 OUTF:[/o] PROJECT:[P]",    // keys are upper case
  };
  for (const auto& line : bad) {
    EXPECT_THROW(parseBulkLine(line), UsageError) << test::u8(line);
  }
}

TEST(Options, FriendlyForm) {
  const XrefRequest request =
      parseXrefArguments({u"--project", u"PJ01", u"--out", u"pages", u"--func", u"cobol", u"--file",
                          u"prj*src", u"A.txt", u"B.R1.txt"});
  EXPECT_FALSE(request.fromBulkJob);
  EXPECT_EQ(request.func, u"COBOL");
  EXPECT_EQ(request.file, u"PRJ*SRC");
  EXPECT_EQ(request.inputs, (Args{u"A.txt", u"B.R1.txt"}));
  EXPECT_EQ(parseXrefArguments({u"--project", u"P", u"--out", u"o", u"X.txt"}).func, u"AUTO");
  EXPECT_EQ(parseXrefArguments({u"--help"}).action, Action::Help);
  EXPECT_EQ(parseXrefArguments({u"--version"}).action, Action::Version);
}

TEST(Options, MistakesAreRefusedWithAReason) {
  const Args bad[] = {
      {},
      {u"--out", u"o", u"X.txt"},                                        // no project
      {u"--project", u"P", u"X.txt"},                                    // no output folder
      {u"--project", u"P", u"--out", u"o"},                              // no file
      {u"--project", u"P", u"--out"},                                    // value missing
      {u"--project", u"P", u"--out", u"o", u"--func", u"PASCAL", u"X"},  // unknown function
      {u"--project", u"P", u"--out", u"o", u"--file", u"PRJSRC", u"X"},  // not QUAL*FILE
      {u"--project", u"P", u"--out", u"o", u"--colour", u"X"},           // unknown option
  };
  for (const auto& args : bad) {
    EXPECT_THROW(parseXrefArguments(args), UsageError);
  }
}

}  // namespace
}  // namespace morvanta::xref
