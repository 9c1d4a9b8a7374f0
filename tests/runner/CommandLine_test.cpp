#include "runner/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace morvanta::runner {
namespace {

struct SplitCase {
  std::u16string line;
  std::vector<std::u16string> words;
};

TEST(SplitWords, BlanksSeparateAndQuotesGroup) {
  const SplitCase cases[] = {
      {u"", {}},
      {u"   ", {}},
      {u"conv a b", {u"conv", u"a", u"b"}},
      {u"  conv\ta   b  ", {u"conv", u"a", u"b"}},
      {u"conv \"C:\\My Work\\A.txt\"  out", {u"conv", u"C:\\My Work\\A.txt", u"out"}},
      {u"a\"b c\"d", {u"ab cd"}},
      {u"\"\" prog", {u"", u"prog"}},
      {u"tool  FUNC:[RUNSTREAM] INF:[C:\\S\\M.txt]\u3000 OUTF:[X]",
       {u"tool", u"FUNC:[RUNSTREAM]", u"INF:[C:\\S\\M.txt]\u3000", u"OUTF:[X]"}},
      {u"\"unclosed quote", {u"unclosed quote"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wordTexts(splitWords(c.line)), c.words);
  }
}

TEST(SplitWords, RecordsQuotingAndRawSpan) {
  const auto words = splitWords(u"START \"title\" prog");
  ASSERT_EQ(words.size(), 3u);
  EXPECT_FALSE(words[0].quoted);
  EXPECT_TRUE(words[1].quoted);
  EXPECT_EQ(words[1].begin, 6u);
  EXPECT_EQ(words[1].end, 13u);
}

class PathsOnDisk : public ::testing::Test {
 protected:
  std::set<std::u16string> files{u"/w/My Work/A.txt", u"/w/B.txt", u"/w/O$U$T A.txt"};
  std::function<bool(const std::u16string&)> exists = [this](const std::u16string& p) {
    return files.count(p) > 0;
  };
};

TEST_F(PathsOnDisk, WholeTextThatNamesAFileIsOnePath) {
  EXPECT_EQ(pathsOf(u"/w/My Work/A.txt", exists), std::vector<std::u16string>{u"/w/My Work/A.txt"});
  EXPECT_EQ(pathsOf(u"/w/B.txt /w/C.txt", exists),
            (std::vector<std::u16string>{u"/w/B.txt", u"/w/C.txt"}));
  EXPECT_EQ(pathsOf(u"\"/w/My Work/A.txt\"", exists),
            std::vector<std::u16string>{u"/w/My Work/A.txt"});
}

TEST_F(PathsOnDisk, SourceAndTargetSplitWhereTheSourceExists) {
  EXPECT_EQ(sourceAndTarget(u"/w/B.txt /w/C.txt", exists),
            (std::vector<std::u16string>{u"/w/B.txt", u"/w/C.txt"}));
  EXPECT_EQ(sourceAndTarget(u"/w/O$U$T A.txt /w/My Work/A.txt", exists),
            (std::vector<std::u16string>{u"/w/O$U$T A.txt", u"/w/My Work/A.txt"}));
  EXPECT_EQ(sourceAndTarget(u"\"/w/My Work/A.txt\" \"/x/y z\"", exists),
            (std::vector<std::u16string>{u"/w/My Work/A.txt", u"/x/y z"}));
  // Nothing on the left exists: no guess is made.
  EXPECT_TRUE(sourceAndTarget(u"/n o/p q/r", exists).empty());
  EXPECT_TRUE(sourceAndTarget(u"/w/B.txt", exists).empty());
}

}  // namespace
}  // namespace morvanta::runner
