// Files that hold a secret are the owner's alone, and file failures carry
// the system's reason. POSIX only: Windows keeps access lists, not modes.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "support/TestFiles.h"

namespace morvanta::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::writeBytes;

mode_t modeOf(const std::u16string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(toUtf8(path).c_str(), &info), 0);
  return info.st_mode & 07777;
}

TEST(PrivateFiles, OwnerOnlyFileIsCreatedAndReplacedWithMode0600) {
  TempFolder folder;
  const auto path = folder.file("RECV.TXT");
  writeTextLines(path, {u"open host", u"user", u"secret"}, FileAccess::OwnerOnly);
  EXPECT_EQ(modeOf(path), 0600u);
  EXPECT_FALSE(readableByOthers(path));
  // An older script left readable does not lend its mode to the new one.
  ::chmod(toUtf8(path).c_str(), 0644);
  EXPECT_TRUE(readableByOthers(path));
  writeTextLines(path, {u"open host"}, FileAccess::OwnerOnly);
  EXPECT_EQ(modeOf(path), 0600u);
  EXPECT_EQ(readTextLines(path), std::vector<std::u16string>{u"open host"});
  EXPECT_EQ(folder.entryCount(), 1u);  // no temporary file left
}

TEST(PrivateFiles, SharedWriteKeepsWhatTheUserSet) {
  TempFolder folder;
  const auto path = folder.file("Morvanta.ini");
  writeBytes(path, "x");
  ::chmod(toUtf8(path).c_str(), 0640);
  writeTextLines(path, {u"TEXT-EDITOR=vi"});
  EXPECT_EQ(modeOf(path), 0640u);
  EXPECT_FALSE(readableByOthers(folder.file("missing")));
}

TEST(FileReasons, FailuresNameTheFileAndTheSystemsReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder folder;
  const auto locked = folder.file("locked");
  fs::create_directory(fs::path(toUtf8(locked)));
  fs::permissions(fs::path(toUtf8(locked)), fs::perms::owner_read | fs::perms::owner_exec);
  try {
    writeTextLines(joinPath(locked, u"x.txt"), {u"a"});
    ADD_FAILURE() << "written into a read-only folder";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Permission denied"), std::string::npos) << e.what();
  }
  fs::permissions(fs::path(toUtf8(locked)), fs::perms::owner_all);
}

TEST(FileReasons, MissingFileAndMissingFolderSayWhy) {
  TempFolder folder;
  for (const auto& call : {+[](const std::u16string& p) { readTextLines(p); },
                           +[](const std::u16string& p) { writeTextLines(p, {u"a"}); }}) {
    try {
      call(joinPath(folder.file("nowhere"), u"x.txt"));
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos)
          << e.what();
    }
  }
}

TEST(Processes, RunningProcessIsSeenAndAnUnusedIdIsNot) {
  EXPECT_TRUE(processRunning(currentProcessId()));
  EXPECT_FALSE(processRunning(0));
  EXPECT_FALSE(processRunning(-5));
  EXPECT_FALSE(processRunning(std::int64_t{1} << 40));
}

}  // namespace
}  // namespace morvanta::platform
