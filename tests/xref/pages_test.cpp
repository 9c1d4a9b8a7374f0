// The pages of the PRJ*XREF sample project: where they lie, what they link
// and anchor, that source text is escaped, and that a validator accepts them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "platform/Platform.h"
#include "u2200/Class2200.h"
#include "xref/Html.h"
#include "xref/Scan.h"
#include "xref/XrefTestSupport.h"

namespace morvanta::xref {
namespace {

using test::u8;
using ::testing::HasSubstr;
using ::testing::Not;

class SamplePages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    project = new test::SampleProject;
    result = new XrefResult(project->runAll());
  }
  static void TearDownTestSuite() {
    delete result;
    delete project;
  }
  static std::string page(const std::u16string& relative) { return project->page(relative); }

  static test::SampleProject* project;
  static XrefResult* result;
};
test::SampleProject* SamplePages::project = nullptr;
XrefResult* SamplePages::result = nullptr;

// "../PRJ＊XREF/NAME.htm" as it stands in an href.
std::string pageHref(const std::string& name, const std::string& anchor = "") {
  std::string href = "../PRJ%EF%BC%8AXREF/" + name;
  if (!anchor.empty()) href += "#" + anchor;
  return href;
}

TEST_F(SamplePages, OnePagePerElementUnderThePcNames) {
  // Pages of elements handed over earlier are written again as the names
  // they call arrive, one element per run as the bulk job hands them over.
  EXPECT_EQ(std::set<std::u16string>(result->pages.begin(), result->pages.end()).size(), 6u);
  for (const char16_t* name :
       {u"ORDERS", u"ORDRPT", u"ORDMAIN", u"CHKSUM", u"ORDLIB", u"RPTFMT／R2"}) {
    const std::u16string relative = std::u16string(u"PRJ＊XREF/") + name + u".htm";
    EXPECT_THAT(page(relative), HasSubstr("<meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=utf-8\">"))
        << u8(relative);
  }
  EXPECT_FALSE(page(u"index.htm").empty());
}

TEST_F(SamplePages, RunstreamLinksElementsThroughItsUseNames) {
  const std::string orders = page(u"PRJ＊XREF/ORDERS.htm");
  EXPECT_THAT(orders, HasSubstr("@ADD,PL <A HREF=\"" + pageHref("ORDRPT.htm") + "\">X.ORDRPT</A>"));
  EXPECT_THAT(orders,
              HasSubstr("@ACOB,SI <A HREF=\"" + pageHref("ORDMAIN.htm") + "\">X.ORDMAIN</A>,"));
  EXPECT_THAT(orders,
              HasSubstr("@COPY,I <A HREF=\"" + pageHref("ORDMAIN.htm") + "\">X.ORDMAIN</A>,L."));
  // An element the project does not hold, and a file outside it: plain names.
  EXPECT_THAT(orders,
              HasSubstr("@START X.NOSUCH <font color=\"#008000\">. NOT YET WRITTEN</font>"));
  EXPECT_THAT(page(u"PRJ＊XREF/ORDRPT.htm"), HasSubstr("@XQT PRJ*LIB.ORDMAIN\n"));
  // A versioned element behind a @USE name.
  EXPECT_THAT(page(u"PRJ＊XREF/ORDRPT.htm"),
              HasSubstr("<A HREF=\"" + pageHref("RPTFMT%EF%BC%8FR2.htm") + "\">X.RPTFMT/R2</A>"));
}

TEST_F(SamplePages, CobolAnchorsParagraphsAndLinksPerformsAndCalls) {
  const std::string main = page(u"PRJ＊XREF/ORDMAIN.htm");
  EXPECT_THAT(main, HasSubstr("PROGRAM-ID. <a name=\"X-ORDMAIN\" id=\"X-ORDMAIN\">ORDMAIN</a>."));
  EXPECT_THAT(main, HasSubstr("<a name=\"X-SUM-PARA\" id=\"X-SUM-PARA\">SUM-PARA</a>."));
  EXPECT_THAT(main, HasSubstr("PERFORM <A HREF=\"#X-SUM-PARA\">SUM-PARA</A> UNTIL"));
  // CALLs reach the PLUS entry point and the MASM entry label.
  EXPECT_THAT(main, HasSubstr("CALL '<A HREF=\"" + pageHref("ORDLIB.htm", "X-ORDOPEN") +
                              "\">ORDLIB$OPEN</A>'."));
  EXPECT_THAT(
      main, HasSubstr("CALL '<A HREF=\"" + pageHref("CHKSUM.htm", "X-CHKSUM") + "\">CHKSUM</A>'."));
  EXPECT_THAT(main, HasSubstr("CALL 'NOSUCH$PGM'."));
  // The CP932 comment arrives as UTF-8, coloured and escaped.
  EXPECT_THAT(main, HasSubstr("<font color=\"#008000\">* 受注データの集計 (件数 &lt; 100 &amp; "
                              "金額 &gt; 0 のみ)</font>"));
}

TEST_F(SamplePages, MasmLabelsJumpsAndImports) {
  const std::string masm = page(u"PRJ＊XREF/CHKSUM.htm");
  EXPECT_THAT(masm, HasSubstr("<a name=\"X-CHKSUM\" id=\"X-CHKSUM\">CHKSUM</a>*   LA"));
  EXPECT_THAT(masm, HasSubstr("LMJ       X11,<A HREF=\"#X-ADDUP\">ADDUP</A>"));
  EXPECT_THAT(masm, HasSubstr("J         <A HREF=\"#X-DONE\">DONE</A>"));
  // The $IMPORT label stands for the PLUS procedure exported as ORDLIB$LOG.
  EXPECT_THAT(masm,
              HasSubstr("X11,<A HREF=\"" + pageHref("ORDLIB.htm", "X-LOGLINE") + "\">LOGIT</A>"));
  EXPECT_THAT(masm, HasSubstr("<font color=\"#008000\">. ADD THE SECOND WORD</font>"));
}

TEST_F(SamplePages, PlusAndSkelProcedures) {
  const std::string plus = page(u"PRJ＊XREF/ORDLIB.htm");
  EXPECT_THAT(plus, HasSubstr("PROCEDURE <a name=\"X-LOGLINE\" id=\"X-LOGLINE\">LOGLINE</a> (N)"));
  EXPECT_THAT(plus, HasSubstr("  <A HREF=\"#X-CLEARAREA\">CLEARAREA</A>;"));
  EXPECT_THAT(plus, HasSubstr("<font color=\"#008000\">&quot; WRITES ONE LOG LINE IF N &gt; 0 "
                              "&amp; N &lt; 10</font>"));
  const std::string skel = page(u"PRJ＊XREF/RPTFMT／R2.htm");
  EXPECT_THAT(skel, HasSubstr("*DEFINE <a name=\"X-TOTALS\" id=\"X-TOTALS\">TOTALS</a>"));
  EXPECT_THAT(skel, HasSubstr("*PROCESS <A HREF=\"#X-TOTALS\">TOTALS</A>"));
  EXPECT_THAT(skel, HasSubstr("DEFINE TITLE = 'ORDERS &lt;DAILY&gt;'"));
}

TEST_F(SamplePages, IndexListsEveryElementWithItsUsers) {
  const std::string index = page(u"index.htm");
  EXPECT_THAT(index, HasSubstr("エレメント数: 6"));
  EXPECT_THAT(index, HasSubstr("<td><a href=\"PRJ%EF%BC%8AXREF/ORDLIB.htm\">ORDLIB</a></td>"
                               "<td>PLUS</td>"));
  // ORDLIB is compiled by ORDERS and called by ORDMAIN.
  EXPECT_THAT(index, HasSubstr("PRJ*XREF.ORDERS</a> (@PLUS)<br><a href=\"PRJ%EF%BC%8AXREF/"
                               "ORDMAIN.htm\">PRJ*XREF.ORDMAIN</a> (CALL)"));
  EXPECT_THAT(index, HasSubstr("PRJ*XREF.ORDERS</a> (@ADD)"));
  EXPECT_THAT(index, HasSubstr("PRJ*XREF.ORDRPT</a> (@SKEL)"));
}

TEST_F(SamplePages, NoRawSourceCharacterLeaksIntoTheMarkup) {
  for (const auto& relative : result->pages) {
    const std::string html = page(relative);
    EXPECT_THAT(html, Not(HasSubstr("&lt;DAILY>"))) << u8(relative);
    EXPECT_THAT(html, Not(HasSubstr("< 100"))) << u8(relative);
    EXPECT_THAT(html, Not(HasSubstr(" & "))) << u8(relative);
  }
}

// A page's path, its file:/// URL and its http:// URL all name the element again.
TEST_F(SamplePages, PagePathsTurnBackIntoTheElement) {
  const Class2200 cls;
  for (const auto& relative : result->pages) {
    const std::u16string element =
        std::u16string(u"PRJ*XREF.") +
        cls.PcName_to_U2200ElementName(std::filesystem::path(relative).stem().u16string());
    std::u16string windows = u"C:\\pub\\htm\\" + relative;
    std::replace(windows.begin(), windows.end(), u'/', u'\\');
    const std::u16string file = u"file://" + project->outf() + u"/" + relative;
    const std::u16string http = u"http://intranet.example/pj01/" + relative;
    EXPECT_EQ(cls.htm_path_to_2200_file_elt(windows, u"\\", 0), element) << u8(windows);
    EXPECT_EQ(cls.htm_path_to_2200_file_elt(file, u"/", 0), element) << u8(file);
    EXPECT_EQ(cls.htm_path_to_2200_file_elt(http, u"/", 0), element) << u8(http);
    EXPECT_EQ(cls.htm_path_to_2200_file_elt(http, u"/", 1), u"PRJ*XREF");
  }
}

TEST(Kinds, FuncOrHeaderOrText) {
  using Lines = std::vector<std::u16string>;
  EXPECT_EQ(detectKind(u"MASM", Lines{u"@RUN X"}), Kind::Masm);
  EXPECT_EQ(detectKind(u"RUNSTREAM", Lines{u"  ", u"@RUN X,Y,Z", u"IN L.MAIN"}), Kind::Runstream);
  EXPECT_EQ(detectKind(u"RUNSTREAM", Lines{u"ED,R PRJ*SRC.X .PLS", u"X := 1;"}), Kind::Plus);
  EXPECT_EQ(detectKind(u"AUTO", Lines{u"       PROGRAM-ID. A."}), Kind::Cobol);
  EXPECT_EQ(detectKind(u"AUTO", Lines{u"*DEFINE HEADER"}), Kind::Skel);
  EXPECT_EQ(detectKind(u"AUTO", Lines{u"UTIL : PROCEDURE EXPORTED 'U$I';", u"END UTIL;"}),
            Kind::Plus);
  EXPECT_EQ(detectKind(u"AUTO", Lines{u"          $ASCII", u"          END  X"}), Kind::Masm);
  // Nothing to tell by: a runstream for the bulk job, plain text otherwise.
  EXPECT_EQ(detectKind(u"RUNSTREAM", Lines{u"HELLO"}), Kind::Runstream);
  EXPECT_EQ(detectKind(u"AUTO", Lines{u"HELLO"}), Kind::Text);
}

TEST(Html, EscapesWhatMarkupWouldTake) {
  EXPECT_EQ(escapeHtml(u"IF A < B & C > D \"X\""), u"IF A &lt; B &amp; C &gt; D &quot;X&quot;");
  EXPECT_EQ(escapeHtml(u"受注 'OK'"), u"受注 'OK'");
}

TEST(Html, LinkTargetsAndAnchorNames) {
  EXPECT_EQ(hrefOf(u"../PRJ＊SRC/MAIN／R1.htm", u"X-A"),
            u"../PRJ%EF%BC%8ASRC/MAIN%EF%BC%8FR1.htm#X-A");
  EXPECT_EQ(hrefOf(u"A B#C.htm"), u"A%20B%23C.htm");
  EXPECT_EQ(anchorName(u"SUM-PARA"), u"X-SUM-PARA");
  // Names that differ only in a character an anchor cannot hold stay apart.
  EXPECT_NE(anchorName(u"A$B"), anchorName(u"A@B"));
  EXPECT_NE(anchorName(u"A$B"), anchorName(u"A_24B"));
  EXPECT_EQ(anchorName(u"UTIL$INIT"), u"X-UTIL_24INIT");
}

}  // namespace
}  // namespace morvanta::xref
