#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "text/TxtHdl.h"

namespace morvanta {
namespace {

TEST(HtmTagFontColorAdd, WrapsUnlessColourIsEmpty) {
  TxtHdl th;
  EXPECT_EQ(th.HTM_Tag_font_color_add(u"abc", u"red"), u"<font color=\"red\">abc</font>");
  EXPECT_EQ(th.HTM_Tag_font_color_add(u"", u"red"), u"<font color=\"red\"></font>");
  EXPECT_EQ(th.HTM_Tag_font_color_add(u"abc", u""), u"abc");
}

TEST(HtmTagAhref, LinksFirstOccurrenceFromStart) {
  TxtHdl th;
  EXPECT_EQ(th.HTM_Tag_Ahref(1, u"CALL SUB1", u"s.htm", u"SUB1"),
            u"CALL <A HREF=\"s.htm\">SUB1</A>");
  EXPECT_EQ(th.HTM_Tag_Ahref(1, u"CALL SUB1", u"s.htm", u"XYZ"), u"");
  EXPECT_EQ(th.HTM_Tag_Ahref(2, u"A B A", u"a.htm#L1", u"A"), u"A B <A HREF=\"a.htm#L1\">A</A>");
  EXPECT_THROW(th.HTM_Tag_Ahref(0, u"A", u"x", u"A"), std::invalid_argument);
}

TEST(HtmTagFontColor, ColoursOccurrencesOneCallAtATime) {
  TxtHdl th;
  std::int16_t pos = 1;
  std::u16string line = th.HTM_Tag_FONT_COLOR(pos, u"A B A", u"red", u"", u"A");
  EXPECT_EQ(line, u"<font color=\"red\">A</font> B A");
  EXPECT_EQ(pos, 27);
  line = th.HTM_Tag_FONT_COLOR(pos, line, u"red", u"", u"A");
  EXPECT_EQ(line, u"<font color=\"red\">A</font> B <font color=\"red\">A</font>");
  EXPECT_EQ(pos, 56);
  // Nothing left from pos: text and position stay.
  EXPECT_EQ(th.HTM_Tag_FONT_COLOR(pos, line, u"red", u"", u"A"), line);
  EXPECT_EQ(pos, 56);
}

TEST(HtmTagFontColor, ExceptColourWrapsTheRest) {
  TxtHdl th;
  std::int16_t pos = 1;
  EXPECT_EQ(th.HTM_Tag_FONT_COLOR(pos, u"A B", u"red", u"gray", u"A"),
            u"<font color=\"gray\"></font><font color=\"red\">A</font>"
            u"<font color=\"gray\"> B</font>");
  EXPECT_EQ(pos, 53);

  pos = 5;
  EXPECT_EQ(th.HTM_Tag_FONT_COLOR(pos, u"x = y", u"red", u"gray", u""),
            u"<font color=\"gray\">x = y</font>");
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(th.HTM_Tag_FONT_COLOR(pos, u"x = y", u"red", u"", u""), u"x = y");

  pos = 0;
  EXPECT_THROW(th.HTM_Tag_FONT_COLOR(pos, u"A", u"red", u"", u"A"), std::invalid_argument);
}

}  // namespace
}  // namespace morvanta
