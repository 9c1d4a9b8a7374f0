#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/TestFiles.h"

namespace morvanta::platform {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

using Lines = std::vector<std::u16string>;

TEST(WriteTextLines, WritesCp932WithCrLfAfterEveryLine) {
  TempFolder folder;
  const auto path = folder.file("RECV.TXT");
  writeTextLines(path, {u"open 10.0.0.1", u"", u"mdir PRJ＊SRC"});
  EXPECT_EQ(readBytes(path), "open 10.0.0.1\r\n\r\nmdir PRJ\x81\x96SRC\r\n");
  EXPECT_EQ(readTextLines(path), (Lines{u"open 10.0.0.1", u"", u"mdir PRJ＊SRC"}));
}

TEST(WriteTextLines, TruncatesAnOlderLongerFile) {
  TempFolder folder;
  const auto path = folder.file("TOC.BAT");
  writeBytes(path, "a much longer old content\r\nwith two lines\r\n");
  writeTextLines(path, {u"x"});
  EXPECT_EQ(readBytes(path), "x\r\n");
  writeTextLines(path, {});
  EXPECT_EQ(readBytes(path), "");
}

TEST(WriteTextLines, UnencodableCharacterLeavesOldFileAndNoTemporary) {
  TempFolder folder;
  const auto path = folder.file("SEND.TXT");
  writeBytes(path, "old\r\n");
  try {
    writeTextLines(path, {u"fine", u"price 5€"});
    FAIL() << "no EncodingError";
  } catch (const EncodingError& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("SEND.TXT"), std::string::npos) << message;
    EXPECT_NE(message.find("U+20AC"), std::string::npos) << message;
  }
  EXPECT_EQ(readBytes(path), "old\r\n");
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(WriteTextLines, UnencodableCharacterCreatesNothing) {
  TempFolder folder;
  EXPECT_THROW(writeTextLines(folder.file("new.txt"), {u"ĉ"}), EncodingError);
  EXPECT_EQ(folder.entryCount(), 0u);
}

TEST(WriteTextLines, FailedReplaceRemovesItsTemporary) {
  TempFolder folder;
  const auto path = folder.file("taken");
  std::filesystem::create_directory(folder.fsPath() / "taken");
  EXPECT_THROW(writeTextLines(path, {u"x"}), FileError);
  EXPECT_TRUE(folderExists(path));
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(WriteTextLines, MissingFolderIsAFileError) {
  TempFolder folder;
  EXPECT_THROW(writeTextLines(folder.file("no/such/file.txt"), {u"x"}), FileError);
}

TEST(WriteBinaryFile, WritesTheBytesAsTheyAreAndReplacesTheOldFile) {
  TempFolder folder;
  const auto path = folder.file("MAIN.txt");
  writeBytes(path, "old, longer content\r\n");
  const char raw[] = "lf\nlone cr\r\x81\xFF\0end";
  const std::string bytes(raw, sizeof raw - 1);
  writeBinaryFile(path, bytes);
  EXPECT_EQ(readBytes(path), bytes);
  EXPECT_EQ(folder.entryCount(), 1u);
  EXPECT_THROW(writeBinaryFile(folder.file("no/such/file.txt"), "x"), FileError);
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ReadTextLines, AcceptsEveryLineEndForm) {
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {u"a", u"b"}},
      {"a\nb\n", {u"a", u"b"}},
      {"a\r\nb", {u"a", u"b"}},  // last line without an end
      {"a\nb\r\nc", {u"a", u"b", u"c"}},
      {"\r\n\r\n", {u"", u""}},
      {"a\rb\r\n", {u"a\rb"}},  // a lone CR is not a line end
      {"\x8A\xBF\x8E\x9A\r\n\x81\x96", {u"漢字", u"＊"}},
  };
  TempFolder folder;
  const auto path = folder.file("in.txt");
  for (const auto& c : cases) {
    writeBytes(path, c.bytes);
    EXPECT_EQ(readTextLines(path), c.lines) << c.bytes;
  }
}

TEST(ReadTextLines, FolderIsAFileError) {
  TempFolder folder;
  EXPECT_THROW(readTextLines(folder.fsPath().u16string()), FileError);
}

TEST(ReadTextLines, MissingFileIsAFileError) {
  TempFolder folder;
  EXPECT_THROW(readTextLines(folder.file("absent.txt")), FileError);
}

}  // namespace
}  // namespace morvanta::platform
