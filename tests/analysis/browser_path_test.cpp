#include <gtest/gtest.h>

#include "support/FormFixture.h"

namespace morvanta::analysis {
namespace {

class BrowserPathTest : public testing::FormFixture {
 protected:
  void SetUp() override { loadWithDefaultIni(); }
};

TEST_F(BrowserPathTest, TypedReceiveBoxTakesFileAndElement) {
  struct Case {
    std::u16string typed, shown;
  } cases[] = {
      {u"C:\\pub\\PRJ＊SRC\\MAIN／R1.htm", u"PRJ*SRC.MAIN/R1"},
      {u"file:///C:/pub/PRJ＊SRC/MAIN.htm", u"PRJ*SRC.MAIN"},
      {u"http://localhost/pub/PRJ＊SRC/MAIN.html", u"PRJ*SRC.MAIN"},
      {u"C:\\temp\\notes.txt", u""},  // a path of another shape empties the box
      {u"prj*src.main", u"prj*src.main"},
      {u"FILE:///C:/pub/PRJ＊SRC/MAIN.htm", u"FILE:///C:/pub/PRJ＊SRC/MAIN.htm"},
  };
  for (const Case& c : cases) {
    form->Text_file_elt->setText(c.typed);
    form->Text_file_elt_LostFocus();
    EXPECT_EQ(form->Text_file_elt->text(), c.shown);
  }
}

TEST_F(BrowserPathTest, PaneFileBoxTakesTheFileOnlyAndMovesTheCaret) {
  form->Text_2200file[1]->setText(u"prj*src");
  form->Text_2200file_LostFocus(1);
  EXPECT_EQ(form->Text_2200file[1]->text(), u"prj*src");
  EXPECT_EQ(form->Text_2200file[1]->selStart(), 1);

  form->Text_2200file[0]->setText(u"file:///C:/pub/PRJ＊LIB/X.htm");
  form->Text_2200file[1]->setText(u"file:///C:/pub/PRJ＊SRC/MAIN.htm");
  form->Text_2200file_LostFocus(1);
  EXPECT_EQ(form->Text_2200file[1]->text(), u"PRJ*SRC");
  EXPECT_EQ(form->Text_2200file[0]->text(), u"file:///C:/pub/PRJ＊LIB/X.htm");
}

}  // namespace
}  // namespace morvanta::analysis
