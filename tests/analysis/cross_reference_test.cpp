// "Open cross-reference" on a pane's element list.

#include <gtest/gtest.h>

#include "analysis/CrossReference.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;

class CrossReferenceTest : public FormFixture {
 protected:
  void loadWithRows(const Lines& rows) {
    platform::writeTextLines(folder.file(u"updatehtm.ini"), rows);
    loadWithDefaultIni();
  }
  void select(int i, const std::u16string& file, const std::u16string& element) {
    const auto pane = static_cast<std::size_t>(i);
    form->Text_2200file[pane]->setText(file);
    form->List_elt[pane]->addItem(element);
    form->List_elt[pane]->setListIndex(form->List_elt[pane]->count() - 1);
  }
  // The page morvanta-xref writes for PRJ*SRC.MAIN/R1 under OUTF "htm".
  std::u16string page() const {
    return platform::joinPath(platform::joinPath(folder.file(u"htm"), u"PRJ＊SRC"),
                              u"MAIN／R1.htm");
  }
  void makePage() {
    ASSERT_TRUE(platform::createFolder(folder.file(u"htm")));
    ASSERT_TRUE(platform::createFolder(platform::joinPath(folder.file(u"htm"), u"PRJ＊SRC")));
    platform::writeTextLines(page(), {u"<html></html>"});
  }
};

TEST_F(CrossReferenceTest, OpensThePageOfTheSelectedElement) {
  loadWithRows({u"HTM-AUTO-MAKE,PRJ*SRC,MASM,PJ00,/pc/other,elsewhere",
                u"HTM-AUTO-MAKE,PRJ*SRC,RUNSTREAM,PJ01,/pc/src,htm"});
  makePage();
  select(2, u" prj*src ", u"MAIN/R1");
  form->List_elt_OpenCrossReference(2);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.openedPages, Lines{page()});
}

TEST_F(CrossReferenceTest, TellsWhyNothingOpens) {
  loadWithRows({u"HTM-AUTO-MAKE,PRJ*SRC,RUNSTREAM,PJ01,/pc/src,htm",
                u"HTM-AUTO-MAKE,PRJ*JCL,RUNSTREAM,PJ01,/pc/jcl,NONE"});
  form->Text_2200file[0]->setText(u"PRJ*SRC");
  form->List_elt_OpenCrossReference(0);  // nothing selected
  select(0, u"PRJ*SRC", u"MAIN/R1");
  form->List_elt_OpenCrossReference(0);  // no page made yet
  select(1, u"PRJ*JCL", u"BUILD");
  form->List_elt_OpenCrossReference(1);  // no pages for this file
  select(1, u"PRJ*LIB", u"X");
  form->List_elt_OpenCrossReference(1);  // no row at all
  EXPECT_EQ(desktop.messages,
            (Lines{u"elementが選択されていません", analysis::kNoCrossReferencePageMessage + page(),
                   analysis::kNoCrossReferenceFolderMessage + std::u16string(u"PRJ*JCL"),
                   analysis::kNoCrossReferenceFolderMessage + std::u16string(u"PRJ*LIB")}));
  EXPECT_TRUE(desktop.openedPages.empty());
}

}  // namespace
}  // namespace morvanta::testing
