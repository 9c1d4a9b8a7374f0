// Runs handed only some elements: the database carries the rest, the index
// is rewritten from it, and other pages are rewritten only when a name they
// link to appears or goes away.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "xref/ProjectDb.h"
#include "xref/XrefTestSupport.h"

namespace morvanta::xref {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using Pages = std::vector<std::u16string>;

class ProjectUpdate : public ::testing::Test {
 protected:
  void SetUp() override { project.runAll(); }

  std::string page(const std::u16string& relative) const { return project.page(relative); }
  std::u16string database() const { return project.outf() + u"/" + kDatabaseName; }

  test::SampleProject project;
};

TEST_F(ProjectUpdate, ChangedElementRewritesItsPageAndTheIndexOnly) {
  const std::string ordersBefore = page(u"PRJ＊XREF/ORDERS.htm");
  project.writePcCopy(
      u"ORDMAIN.txt",
      {u"       IDENTIFICATION DIVISION.", u"       PROGRAM-ID. ORDMAIN.",
       u"       PROCEDURE DIVISION.", u"       NEW-START.", u"           STOP RUN."});
  const XrefResult result = project.run({u"ORDMAIN.txt"});
  EXPECT_EQ(result.pages, Pages{u"PRJ＊XREF/ORDMAIN.htm"});
  EXPECT_TRUE(result.dependents.empty());
  EXPECT_THAT(page(u"PRJ＊XREF/ORDMAIN.htm"), HasSubstr("X-NEW-START"));
  EXPECT_EQ(page(u"PRJ＊XREF/ORDERS.htm"), ordersBefore);
  // The index still knows all six, and ORDMAIN no longer calls ORDLIB.
  const std::string index = page(u"index.htm");
  EXPECT_THAT(index, HasSubstr("エレメント数: 6"));
  EXPECT_THAT(index, Not(HasSubstr("PRJ*XREF.ORDMAIN</a> (CALL)")));
}

TEST_F(ProjectUpdate, RenamedEntryPointRewritesThePagesThatCallIt) {
  std::vector<std::u16string> lines = platform::readTextLines(project.pcFile(u"ORDLIB.txt"));
  for (auto& line : lines) {
    if (line.find(u"'ORDLIB$OPEN'") != std::u16string::npos) {
      line = u"PROCEDURE ORDOPEN EXPORTED 'ORDLIB$OPEN2';";
    }
  }
  project.writePcCopy(u"ORDLIB.txt", lines);
  const XrefResult result = project.run({u"ORDLIB.txt"});
  EXPECT_EQ(result.dependents, Pages{u"PRJ＊XREF/ORDMAIN.htm"});
  // The call of the old name is a plain name now.
  EXPECT_THAT(page(u"PRJ＊XREF/ORDMAIN.htm"), HasSubstr("CALL 'ORDLIB$OPEN'."));
}

TEST_F(ProjectUpdate, NewElementLinksFromTheRunstreamThatNamedIt) {
  EXPECT_THAT(page(u"PRJ＊XREF/ORDERS.htm"), HasSubstr("@START X.NOSUCH "));
  project.writePcCopy(u"NOSUCH.txt", {u"@RUN NOSUCH,ACCT01,PRJ", u"@FIN"});
  const XrefResult result = project.run({u"NOSUCH.txt"});
  EXPECT_EQ(result.dependents, Pages{u"PRJ＊XREF/ORDERS.htm"});
  EXPECT_THAT(page(u"PRJ＊XREF/ORDERS.htm"),
              HasSubstr("@START <A HREF=\"../PRJ%EF%BC%8AXREF/NOSUCH.htm\">X.NOSUCH</A>"));
  EXPECT_THAT(page(u"index.htm"), HasSubstr("エレメント数: 7"));
}

TEST_F(ProjectUpdate, ForeignOrDamagedDatabaseStopsTheRunAndStaysAsItWas) {
  platform::writeBinaryFile(database(), "{ not json");
  EXPECT_THROW(project.run({u"ORDERS.txt"}), XrefError);
  EXPECT_EQ(test::readBytes(database()), "{ not json");

  ProjectDb other;
  other.project = u"OTHER";
  other.save(database());
  EXPECT_THROW(project.run({u"ORDERS.txt"}), XrefError);
  EXPECT_EQ(ProjectDb::load(database()).project, u"OTHER");
}

TEST_F(ProjectUpdate, DatabaseKeepsWhatTheIndexNeeds) {
  const ProjectDb db = ProjectDb::load(database());
  ASSERT_EQ(db.elements.size(), 6u);
  const ElementRecord& orders = db.elements.at(u"PRJ*XREF.ORDERS");
  EXPECT_EQ(orders.kind, Kind::Runstream);
  EXPECT_EQ(orders.page, u"PRJ＊XREF/ORDERS.htm");
  EXPECT_THAT(orders.uses, ::testing::Contains(Use{u"@ADD", u"PRJ*XREF.ORDRPT", true}));
  const ElementRecord& lib = db.elements.at(u"PRJ*XREF.ORDLIB");
  EXPECT_THAT(lib.definitions, ::testing::Contains(Definition{u"ORDLIB$LOG", u"LOGLINE"}));
}

TEST(ElementFile, TheRowOfItsFolderNamesTheFile) {
  test::SampleProject project;
  // Another file of the same project, kept in another folder.
  std::filesystem::create_directories(std::filesystem::path(project.root()) / "jcl");
  const std::u16string jcl = project.root() + u"/jcl";
  platform::writeTextLines(
      project.programFolder() + u"/updatehtm.ini",
      {u"HTM-AUTO-MAKE,PRJ*XREF,RUNSTREAM,PJ01," + project.pcFolder() + u"," + project.outf(),
       u"HTM-AUTO-MAKE,PRJ*JCL,RUNSTREAM,PJ01," + jcl + u"," + project.outf()});
  platform::writeTextLines(jcl + u"/NIGHTLY.R1.txt", {u"@RUN NIGHTLY,ACCT01,PRJ", u"@FIN"});
  const XrefRequest request =
      parseBulkLine(u"FUNC:[RUNSTREAM] INF:[" + jcl + u"/NIGHTLY.R1.txt]\u3000 OUTF:[" +
                    project.outf() + u"] PROJECT:[PJ01]");
  EXPECT_EQ(runXref(request, project.programFolder()).pages, Pages{u"PRJ＊JCL/NIGHTLY／R1.htm"});

  // A folder no row of the project names.
  platform::writeTextLines(project.root() + u"/X.txt", {u"@FIN"});
  XrefRequest stray = request;
  stray.inputs = {project.root() + u"/X.txt"};
  EXPECT_THROW(runXref(stray, project.programFolder()), XrefError);
}

}  // namespace
}  // namespace morvanta::xref
