#include "runner/LineEnds.h"

#include <gtest/gtest.h>

#include "runner/JobError.h"
#include "runner/LocalFile.h"
#include "runner/RunnerTestSupport.h"

namespace morvanta::runner {
namespace {

using test::TempFolder;

TEST(LineEnds, CrLfAndLf) {
  const struct {
    std::string in, crlf, lf;
  } cases[] = {
      {"", "", ""},
      {"a\nb\n", "a\r\nb\r\n", "a\nb\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n", "a\nb\n"},
      {"a\r\nb\nc", "a\r\nb\r\nc", "a\nb\nc"},
      {"\n\n", "\r\n\r\n", "\n\n"},
      {"a\rb\r", "a\rb\r", "a\rb\r"},  // a lone CR is data
      {"\x82\xa0\n", "\x82\xa0\r\n", "\x82\xa0\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(withCrLf(c.in), c.crlf);
    EXPECT_EQ(withLf(c.in), c.lf);
    EXPECT_EQ(withCrLf(withCrLf(c.in)), c.crlf);
  }
}

TEST(LocalFile, WriteReplacesWholeAndLeavesNoTemporary) {
  TempFolder folder;
  const auto path = folder / "MAIN\xEF\xBC\x8FR1.txt";  // MAIN／R1.txt
  writeLocalFile(path, "old old old\r\n");
  writeLocalFile(path, "new\r\n");
  EXPECT_EQ(readLocalFile(path), "new\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(LocalFile, FailuresNameTheFile) {
  TempFolder folder;
  EXPECT_THROW(writeLocalFile(folder / "no-such-folder/x.txt", "x"), JobError);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "no-such-folder"));
  try {
    readLocalFile(folder / "missing.txt");
    ADD_FAILURE();
  } catch (const JobError& error) {
    EXPECT_NE(std::string(error.what()).find("missing.txt: No such file or directory"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace morvanta::runner
