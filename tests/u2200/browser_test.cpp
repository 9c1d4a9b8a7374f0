#include <gtest/gtest.h>

#include <string>

#include "u2200/Class2200.h"

namespace morvanta {
namespace {

struct PathCase {
  std::u16string path;
  std::u16string kugiri;
  std::int16_t flg;
  std::u16string expected;
};

class BrowserPathTest : public ::testing::Test {
 protected:
  Class2200 c;
};

TEST_F(BrowserPathTest, PathsToTheirNames) {
  const PathCase cases[] = {
      {u"C:\\pub\\PRJ＊SRC\\MAIN／R1.htm", u"\\", 0, u"PRJ*SRC.MAIN/R1"},
      {u"C:\\pub\\PRJ＊SRC\\MAIN／R1.htm", u"\\", 1, u"PRJ*SRC"},
      {u"C:\\pub\\PRJ＊SRC\\MAIN／R1.htm", u"\\", 2, u"MAIN/R1"},
      {u"file:///C:/pub/PRJ＊SRC/MAIN.htm", u"/", 0, u"PRJ*SRC.MAIN"},
      {u"file:///C:/pub/PRJ＊SRC/MAIN.htm", u"/", 1, u"PRJ*SRC"},
      {u"http://host/src/PRJ＊SRC/MAIN.html", u"/", 0, u"PRJ*SRC.MAIN"},
      {u"http://host/src/PRJ＊SRC/MAIN.html", u"/", 7, u"PRJ*SRC.MAIN"},
      // The last full-width asterisk decides which component is the file.
      {u"C:\\A＊B\\PRJ＊SRC\\MAIN.txt", u"\\", 0, u"PRJ*SRC.MAIN"},
      {u"C:\\pub\\A＊B＊C\\E.txt", u"\\", 1, u"A*B*C"},
      {u"C:\\pub\\PRJ＊SRC\\.htm", u"\\", 0, u"PRJ*SRC."},
  };
  for (const auto& tc : cases) {
    EXPECT_EQ(c.htm_path_to_2200_file_elt(tc.path, tc.kugiri, tc.flg), tc.expected)
        << "flag " << tc.flg;
  }
}

TEST_F(BrowserPathTest, AnythingElseIsEmpty) {
  const PathCase cases[] = {
      {u"prj*src", u"\\", 1, u""},
      {u"FILE:///C:/pub/PRJ＊SRC/MAIN.htm", u"/", 0, u""},
      {u"https://host/PRJ＊SRC/MAIN.htm", u"/", 0, u""},
      {u"C:\\temp\\notes.txt", u"\\", 0, u""},         // no "＊"
      {u"C:\\pub\\PRJ＊SRC", u"\\", 1, u""},           // "＊" in the last component
      {u"C:\\pub\\PRJ＊SRC\\MAIN", u"\\", 0, u""},     // no "." at all
      {u"C:\\my.dir\\PRJ＊SRC\\MAIN", u"\\", 0, u""},  // last "." before the element
      {u"C:\\my.dir\\PRJ＊SRC\\MAIN", u"\\", 1, u""},
      {u"C:PRJ＊SRC\\MAIN.htm", u"\\", 0, u""},        // no separator before "＊"
      {u"C:\\pub\\PRJ＊SRC\\MAIN.htm", u"/", 0, u""},  // wrong separator
      {u"C:\\pub\\PRJ＊SRC\\MAIN.htm", u"", 0, u""},
      {u"", u"\\", 0, u""},
      {u"C", u"\\", 0, u""},
  };
  for (const auto& tc : cases) {
    EXPECT_EQ(c.htm_path_to_2200_file_elt(tc.path, tc.kugiri, tc.flg), tc.expected)
        << "flag " << tc.flg;
  }
}

}  // namespace
}  // namespace morvanta
