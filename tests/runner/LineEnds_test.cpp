#include "runner/LineEnds.h"

#include <gtest/gtest.h>

#include "runner/JobError.h"
#include "runner/LocalFile.h"
#include "support/TestFiles.h"

namespace morvanta::runner {
namespace {

using testing::TempFolder;

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

// A line end split over two chunks is still one line end, wherever the
// transfer happens to cut the stream.
TEST(LineEnds, StreamsGiveTheSameResultWhereverTheChunksEnd) {
  const std::string text = "A\r\nB\nC\rD\r\r\n\n\rE\r";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    for (std::size_t cut2 = cut; cut2 <= text.size(); ++cut2) {
      const std::string_view parts[] = {std::string_view(text).substr(0, cut),
                                        std::string_view(text).substr(cut, cut2 - cut),
                                        std::string_view(text).substr(cut2)};
      CrLfStream crLf;
      LfStream lf;
      std::string toCrLf, toLf;
      for (const auto part : parts) {
        crLf.convert(part, toCrLf);
        lf.convert(part, toLf);
      }
      crLf.finish(toCrLf);
      lf.finish(toLf);
      EXPECT_EQ(toCrLf, "A\r\nB\r\nC\rD\r\r\n\r\n\rE\r") << cut << " " << cut2;
      EXPECT_EQ(toLf, "A\nB\nC\rD\r\n\n\rE\r") << cut << " " << cut2;
    }
  }
}

TEST(LocalFile, IncomingFileAppearsOnlyWhenCommitted) {
  TempFolder folder;
  const auto path = folder / "A.txt";
  testing::writeBytes(path, "old\r\n");
  {
    IncomingFile file(path, true);
    file.write("new\n", 4);
    file.write("line", 4);
    EXPECT_EQ(readLocalFile(path), "old\r\n");  // not yet
  }
  // Never committed (the transfer failed): the old file stays, nothing else.
  EXPECT_EQ(readLocalFile(path), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
  IncomingFile file(path, true);
  file.write("new\r", 4);
  file.write("\nline\n", 6);
  EXPECT_EQ(file.received(), 10);
  file.commit();
  EXPECT_EQ(readLocalFile(path), "new\r\nline\r\n");
}

TEST(LocalFile, OutgoingFileReadsInSmallPiecesWithLineEnds) {
  TempFolder folder;
  const auto path = folder / "S.txt";
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "LINE " + std::to_string(i) + "\r\n";
  testing::writeBytes(path, text);
  OutgoingFile file(path, true);
  EXPECT_EQ(file.size(), static_cast<std::int64_t>(text.size()));
  std::string sent;
  char buffer[7];
  for (std::size_t n; (n = file.read(buffer, sizeof buffer)) > 0;) sent.append(buffer, n);
  EXPECT_EQ(sent, textForUpload(text));
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
  EXPECT_FALSE(std::filesystem::exists(folder.fsPath() / "no-such-folder"));
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
