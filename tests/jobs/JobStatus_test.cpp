#include "jobs/JobStatus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Platform.h"

namespace morvanta::jobs {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StatusFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("morvanta-status-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    path_ = platform::fromUtf8((folder_ / "TOC.BAT.status").string());
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path folder_;
  std::u16string path_;
};

TEST_F(StatusFileTest, RecordsReadBackInOrderAndEndWins) {
  {
    StatusWriter writer(path_);
    ASSERT_TRUE(writer.isOpen());
    writer.start(4242);
    writer.step(1, 2, u"PRJ*SRC.MAIN/R1");
    writer.bytes(10, 20, u"PRJ*SRC.ＳＵＢ/R2");
    writer.step(2, 2, u"PRJ*SRC.ＳＵＢ/R2");
    writer.end(1, u"element missing (550)");
  }
  const JobStatus status = readStatusFile(path_);
  EXPECT_TRUE(status.started);
  EXPECT_EQ(status.pid, 4242);
  EXPECT_EQ(status.done, 2);
  EXPECT_EQ(status.total, 2);
  EXPECT_EQ(status.element, u"PRJ*SRC.ＳＵＢ/R2");
  EXPECT_TRUE(status.ended);
  EXPECT_EQ(status.exitCode, 1);
  EXPECT_EQ(status.reason, u"element missing (550)");
}

TEST_F(StatusFileTest, LinesAreJsonObjectsWithTheEventFirst) {
  {
    StatusWriter writer(path_);
    writer.start(7);
    writer.end(0, u"");
  }
  EXPECT_EQ(slurp(folder_ / "TOC.BAT.status"),
            "{\"event\":\"start\",\"pid\":7}\n{\"event\":\"end\",\"exit\":0,\"reason\":\"\"}\n");
}

TEST_F(StatusFileTest, ANewRunTruncatesTheOldStatus) {
  { StatusWriter(path_).end(1, u"host stopped"); }
  {
    StatusWriter writer(path_);
    writer.start(1);
  }
  const JobStatus status = readStatusFile(path_);
  EXPECT_TRUE(status.started);
  EXPECT_FALSE(status.ended);
}

TEST(StatusParse, IgnoresAHalfWrittenLastLineAndJunk) {
  const JobStatus status = parseStatus(
      "garbage\n[1,2]\n{\"event\":\"start\",\"pid\":3}\n{\"event\":\"end\",\"exit\":0,\"re");
  EXPECT_TRUE(status.started);
  EXPECT_FALSE(status.ended);
}

TEST(StatusParse, WrongTypesAndHugeNumbersDoNotLeak) {
  const JobStatus status = parseStatus(
      "{\"event\":\"step\",\"done\":\"x\",\"total\":99999999999,\"element\":5}\n"
      "{\"event\":\"end\",\"exit\":-1,\"reason\":\"\\u0000cut\"}\n");
  EXPECT_EQ(status.done, 0);
  EXPECT_EQ(status.total, 0);
  EXPECT_EQ(status.element, u"");
  EXPECT_TRUE(status.ended);
  EXPECT_EQ(status.exitCode, -1);
  EXPECT_EQ(status.reason, std::u16string(u"\0cut", 4));
}

TEST(StatusParse, MissingFileIsNotStarted) {
  const JobStatus status = readStatusFile(u"/nonexistent/morvanta/X.BAT.status");
  EXPECT_FALSE(status.started);
  EXPECT_FALSE(status.ended);
}

}  // namespace
}  // namespace morvanta::jobs
