#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/TestFiles.h"

namespace morvanta::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(Folders, CreateTestAndRefuse) {
  TempFolder folder;
  const auto sub = folder.file("FTPRCV");
  EXPECT_FALSE(folderExists(sub));
  EXPECT_TRUE(createFolder(sub));
  EXPECT_TRUE(folderExists(sub));
  EXPECT_FALSE(fileExists(sub));
  EXPECT_TRUE(createFolder(sub));                  // already there is fine
  EXPECT_FALSE(createFolder(folder.file("a/b")));  // only the last level is made
  writeBytes(folder.file("plain"), "x");
  EXPECT_FALSE(createFolder(folder.file("plain")));
  EXPECT_TRUE(fileExists(folder.file("plain")));
  EXPECT_FALSE(folderExists(folder.file("plain")));
}

TEST(ListFiles, OrdinaryFilesInOrdinalNameOrder) {
  TempFolder folder;
  // No two names differ in case only: Windows would take them for one.
  for (const char* name : {"c.txt", "B.txt", "a.txt", "MAIN\xEF\xBC\x8FR1.txt", "10", "9"}) {
    writeBytes(folder.file(name), "x");
  }
  fs::create_directory(folder.fsPath() / "sub");
  const std::vector<std::u16string> expected{u"10",           u"9",     u"B.txt",
                                             u"MAIN／R1.txt", u"a.txt", u"c.txt"};
  EXPECT_EQ(listFiles(folder.fsPath().u16string()), expected);
}

TEST(ListFiles, MissingFolderIsAFileError) {
  TempFolder folder;
  EXPECT_THROW(listFiles(folder.file("absent")), FileError);
}

TEST(ModifiedTime, RoundTripsThroughSetModifiedTime) {
  TempFolder folder;
  const auto path = folder.file("elt.txt");
  writeBytes(path, "x");
  const DateTime times[] = {
      {2023, 4, 5, 6, 7, 8}, {1999, 12, 31, 23, 59, 59}, {2024, 2, 29, 0, 0, 0}};
  for (const auto& when : times) {
    ASSERT_TRUE(setModifiedTime(path, when));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%04d/%02d/%02d %02d:%02d:%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    EXPECT_EQ(modifiedTime(path), fromUtf8(expected));
  }
}

TEST(ModifiedTime, MissingFileAndImpossibleDates) {
  TempFolder folder;
  const auto path = folder.file("elt.txt");
  EXPECT_EQ(modifiedTime(path), u"");
  EXPECT_FALSE(setModifiedTime(path, {2023, 1, 1, 0, 0, 0}));
  writeBytes(path, "x");
  const DateTime impossible[] = {{2023, 2, 29, 0, 0, 0},
                                 {2023, 13, 1, 0, 0, 0},
                                 {2023, 1, 1, 24, 0, 0},
                                 {2023, 1, 0, 0, 0, 0}};
  for (const auto& when : impossible) EXPECT_FALSE(setModifiedTime(path, when)) << when.month;
}

TEST(CopyFile, ReplacesTargetAndKeepsModifiedTime) {
  TempFolder folder;
  const auto from = folder.file("O$U$TMAIN.txt");
  const auto to = folder.file("MAIN.txt");
  writeBytes(from, "converted\r\n");
  writeBytes(to, "received, longer than the converted text\r\n");
  ASSERT_TRUE(setModifiedTime(from, {2022, 7, 1, 12, 0, 0}));
  EXPECT_TRUE(copyFile(from, to));
  EXPECT_EQ(readBytes(to), "converted\r\n");
  EXPECT_EQ(readBytes(from), "converted\r\n");
  EXPECT_EQ(modifiedTime(to), u"2022/07/01 12:00:00");
  EXPECT_EQ(folder.entryCount(), 2u);
}

TEST(CopyFile, MissingSourceOrFolderFails) {
  TempFolder folder;
  EXPECT_FALSE(copyFile(folder.file("absent"), folder.file("to")));
  writeBytes(folder.file("from"), "x");
  EXPECT_FALSE(copyFile(folder.file("from"), folder.file("no/such/to")));
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(DeleteFile, OnlyFilesThatAreThere) {
  TempFolder folder;
  const auto path = folder.file("1TOC-RSLT.TXT");
  writeBytes(path, "x");
  EXPECT_TRUE(deleteFile(path));
  EXPECT_FALSE(fileExists(path));
  EXPECT_FALSE(deleteFile(path));
  fs::create_directory(folder.fsPath() / "empty");
  EXPECT_FALSE(deleteFile(folder.file("empty")));
  EXPECT_TRUE(folderExists(folder.file("empty")));
}

TEST(RenameFile, ReplacesTheTarget) {
  TempFolder folder;
  writeBytes(folder.file("new"), "new");
  writeBytes(folder.file("old"), "old");
  EXPECT_TRUE(renameFile(folder.file("new"), folder.file("old")));
  EXPECT_EQ(readBytes(folder.file("old")), "new");
  EXPECT_FALSE(fileExists(folder.file("new")));
  EXPECT_FALSE(renameFile(folder.file("new"), folder.file("old")));
}

// Pieces of every size put together give the file, and the end reads as 0.
TEST(FileReader, PiecesMakeTheWholeFile) {
  TempFolder folder;
  std::string bytes;
  for (int n = 0; n < 5000; ++n) bytes += "line " + std::to_string(n) + "\r\n";
  writeBytes(folder.file("listing"), bytes);
  for (const std::size_t piece : {1u, 7u, 4096u, 1u << 20}) {
    FileReader reader(folder.file("listing"));
    EXPECT_EQ(reader.sizeWhenOpened(), bytes.size());
    std::string got;
    std::string buffer(piece, '\0');
    while (const std::size_t count = reader.read(buffer.data(), buffer.size())) {
      got.append(buffer.data(), count);
    }
    EXPECT_EQ(got, bytes) << piece;
    EXPECT_EQ(reader.read(buffer.data(), buffer.size()), 0u);
  }
  writeBytes(folder.file("empty"), "");
  char c;
  EXPECT_EQ(FileReader(folder.file("empty")).read(&c, 1), 0u);
}

TEST(FileReader, MissingFileOrFolderIsAFileErrorNamingIt) {
  TempFolder folder;
  for (const std::u16string& path : {folder.file("missing"), folder.path()}) {
    try {
      FileReader reader(path);
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(toUtf8(path)), std::string::npos) << e.what();
    }
  }
}

// Until commit() the old file is what readers see; afterwards the new one,
// and no temporary file is left either way.
TEST(FileReplacement, OldFileUntilCommitAndNothingLeftBehind) {
  TempFolder folder;
  const std::u16string target = folder.file("0phased-TOC.TXT");
  writeBytes(target, "old\r\n");
  {
    FileReplacement replacement(target);
    replacement.write("A A\r\n");
    replacement.write("");
    replacement.write("B B\r\n");
    EXPECT_EQ(readBytes(target), "old\r\n");
    replacement.commit();
  }
  EXPECT_EQ(readBytes(target), "A A\r\nB B\r\n");
  EXPECT_EQ(folder.entryCount(), 1u);

  {
    FileReplacement abandoned(target);
    abandoned.write("half");
  }
  EXPECT_EQ(readBytes(target), "A A\r\nB B\r\n");
  EXPECT_EQ(folder.entryCount(), 1u);

  FileReplacement fresh(folder.file("new.txt"));
  fresh.commit();
  EXPECT_EQ(readBytes(folder.file("new.txt")), "");
}

TEST(FileReplacement, TargetThatCannotBeWrittenIsAFileErrorNamingIt) {
  TempFolder folder;
  const std::u16string target = folder.file("no-such-folder/0phased-TOC.TXT");
  try {
    FileReplacement replacement(target);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(toUtf8(target)), std::string::npos) << e.what();
  }
  // A folder in the target's place: written, but not put in place.
  fs::create_directory(folder.fsPath() / "taken");
  FileReplacement replacement(folder.file("taken"));
  replacement.write("x");
  EXPECT_THROW(replacement.commit(), FileError);
  EXPECT_EQ(folder.entryCount(), 1u);
}

}  // namespace
}  // namespace morvanta::platform
