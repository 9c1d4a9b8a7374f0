// The status file of a job run by the runner alone: one "step" per
// transferred element and an "end" record whose exit code and one-line
// reason name what went wrong, for success and every failure the runner
// tells apart. Every job erases its FTP script, however it ends.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "hostsim/HostSim.h"
#include "runner/JobRunner.h"
#include "runner/LineEnds.h"
#include "support/TestFiles.h"

namespace morvanta::runner {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::HostSim;
using test::HostSimOptions;
using testing::readBytes;
using testing::u16;
using testing::u8;
using testing::writeJobFile;

constexpr const char* kPassword = "Zq7-secret";

HostSimOptions hostile(void (*change)(HostSimOptions&) = nullptr) {
  HostSimOptions options;
  options.user = "alice";
  options.password = kPassword;
  if (change) change(options);
  return options;
}

std::vector<json> recordsOf(const std::string& text) {
  std::vector<json> records;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) records.push_back(json::parse(line));
  return records;
}

json step(int done, int total, const std::string& element) {
  return json{{"event", "step"}, {"done", done}, {"total", total}, {"element", element}};
}

class StatusFileTest : public ::testing::Test {
 protected:
  void startHost(const HostSimOptions& options = hostile()) { host.emplace(options); }

  std::string p(const std::string& name) const { return u8(folder / name); }
  std::string header(int port, const std::string& password = kPassword) const {
    return "open 127.0.0.1 " + std::to_string(port) + "\nalice\n" + password;
  }
  std::string header() const { return header(host->port()); }

  // Runs the script (and `after`) as a job; returns its status records
  // without "bytes" unless asked for.
  std::vector<json> job(const std::string& script, const std::vector<std::string>& after = {},
                        bool withBytes = false) {
    std::vector<std::string> scriptLines;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) scriptLines.push_back(line);
    writeJobFile(folder / "JOB.TXT", scriptLines);
    std::vector<std::string> batch{"ftp -s:" + p("JOB.TXT")};
    batch.insert(batch.end(), after.begin(), after.end());
    writeJobFile(folder / "JOB.BAT", batch);
    output.str("");
    {
      jobs::StatusWriter status(folder / "JOB.BAT.status");
      JobRunner runner(output, timeouts, limits);
      exitCode = runner.runBatchFile(folder / "JOB.BAT", &status);
    }
    const std::string text = readBytes(folder / "JOB.BAT.status");
    EXPECT_EQ(text.find(kPassword), std::string::npos);
    EXPECT_EQ(output.str().find(kPassword), std::string::npos);
    // The script held the password: it is gone, whatever happened.
    EXPECT_FALSE(fs::exists(fs::path(folder / "JOB.TXT")));
    std::vector<json> records;
    for (auto& record : recordsOf(text)) {
      if (withBytes || record["event"] != "bytes") records.push_back(record);
    }
    return records;
  }

  // The end record, checked for the exit code and a one-line reason that
  // begins with `reason`.
  void expectEnd(const std::vector<json>& records, int exit, const std::string& reason) {
    ASSERT_FALSE(records.empty());
    const json& end = records.back();
    EXPECT_EQ(end["event"], "end");
    EXPECT_EQ(end["exit"], exit);
    EXPECT_EQ(exitCode, exit);
    const std::string text = end["reason"];
    EXPECT_EQ(text.rfind(reason, 0), 0u) << text << "\n" << output.str();
    EXPECT_EQ(text.find('\n'), std::string::npos);
  }

  bool leftovers() const {
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      if (entry.path().extension() == ".tmp") return true;
    }
    return false;
  }

  std::optional<HostSim> host;
  testing::TempFolder folder;
  std::ostringstream output;
  FtpTimeouts timeouts;
  JobLimits limits;
  int exitCode = -1;
};

TEST_F(StatusFileTest, BulkJobStepsOncePerElementAndEndsWell) {
  startHost();
  const auto records =
      job(header() + "\nmdir PRJ*SRC " + p("0TOC-RSLT.TXT") + "\ny\nRECV PRJ*SRC.MAIN/R1 " +
          p("MAIN.R1.txt") + "\nRECV PRJ*SRC.CALC " + p("CALC.txt") + "\nRECV PRJ*JCL.BUILD " +
          p("BUILD.txt") + "\nbye");
  ASSERT_EQ(records.size(), 5u) << output.str();
  EXPECT_EQ(records[0], step(1, 4, "PRJ*SRC"));
  EXPECT_EQ(records[1], step(2, 4, "PRJ*SRC.MAIN/R1"));
  EXPECT_EQ(records[2], step(3, 4, "PRJ*SRC.CALC"));
  EXPECT_EQ(records[3], step(4, 4, "PRJ*JCL.BUILD"));
  EXPECT_EQ(records[4], (json{{"event", "end"}, {"exit", 0}, {"reason", ""}}));
  // This host does not tell sizes in text mode: asked once, then spared.
  const std::string log = host->log();
  std::size_t asked = 0;
  for (auto at = log.find("<- SIZE"); at != std::string::npos; at = log.find("<- SIZE", at + 1))
    ++asked;
  EXPECT_EQ(asked, 1u) << log;
}

TEST_F(StatusFileTest, SendsCountAsSteps) {
  startHost();
  testing::writeBytes(folder / "NEW.txt", "NEW LINE\r\n");
  const auto records = job(header() + "\nSEND " + p("NEW.txt") + " PRJ*SRC.NEW\nbye");
  ASSERT_EQ(records.size(), 2u) << output.str();
  EXPECT_EQ(records[0], step(1, 1, "PRJ*SRC.NEW"));
  EXPECT_EQ(host->readElement("PRJ*SRC", "NEW._SYM"), "NEW LINE\n");
}

TEST_F(StatusFileTest, HostStoppedLoginRefusedAndMissingElement) {
  startHost();
  auto records = job(header(host->port(), "Wr0ng") + "\nRECV PRJ*SRC.CALC " + p("C.txt") + "\nbye");
  expectEnd(records, 1, "login refused (530 ");
  EXPECT_EQ(records.size(), 1u);

  // The first element arrives, the second is missing: one step, then the end.
  records = job(header() + "\nRECV PRJ*SRC.CALC " + p("C.txt") + "\nRECV PRJ*SRC.NOPE/R1 " +
                p("N.txt") + "\nRECV PRJ*JCL.BUILD " + p("B.txt") + "\nbye");
  ASSERT_EQ(records.size(), 2u) << output.str();
  EXPECT_EQ(records[0], step(1, 3, "PRJ*SRC.CALC"));
  expectEnd(records, 1, "element PRJ*SRC.NOPE/R1 missing (550 ");
  EXPECT_FALSE(fs::exists(fs::path(folder / "N.txt")));

  // The name goes to the host in CP932; the reason names it as typed.
  records = job(header() + "\nRECV PRJ*SRC.漢字 " + p("K.txt") + "\nbye");
  expectEnd(records, 1, "element PRJ*SRC.漢字 missing (550 ");

  host->stop();
  records = job(header() + "\nRECV PRJ*SRC.CALC " + p("C.txt") + "\nbye");
  expectEnd(records, 1, "host unreachable (");
}

TEST_F(StatusFileTest, SilentHostTimesOut) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  socklen_t size = sizeof address;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  timeouts.responseMs = 500;
  const auto records =
      job(header(ntohs(address.sin_port)) + "\nRECV A*B.C " + p("C.txt") + "\nbye");
  ::close(listener);
  expectEnd(records, 1, "the host did not answer in time (");
}

TEST_F(StatusFileTest, ConnectionCutPartWay) {
  startHost(hostile([](HostSimOptions& o) { o.dropAfterBytes = 20; }));
  const auto records = job(header() + "\nRECV PRJ*SRC.MAIN/R1 " + p("M.txt") + "\nbye");
  expectEnd(records, 1, "connection cut during the transfer of element PRJ*SRC.MAIN/R1 (");
  EXPECT_FALSE(fs::exists(fs::path(folder / "M.txt")));
  EXPECT_FALSE(leftovers());
}

TEST_F(StatusFileTest, ShortTransferReportedAsSuccessIsAFailureWhenTheSizeWasTold) {
  startHost(hostile([](HostSimOptions& o) {
    o.asciiSize = true;
    o.cutAfterBytes = 10;
  }));
  testing::writeBytes(folder / "M.txt", "old copy\r\n");
  const auto records = job(header() + "\nRECV PRJ*SRC.MAIN/R1 " + p("M.txt") + "\nbye");
  const std::size_t whole = withCrLf(host->readElement("PRJ*SRC", "MAIN.R1_SYM")).size();
  expectEnd(
      records, 1,
      "element PRJ*SRC.MAIN/R1 arrived short: 10 of " + std::to_string(whole) + " bytes (226 ");
  EXPECT_EQ(readBytes(folder / "M.txt"), "old copy\r\n");  // the old copy stays
  EXPECT_FALSE(leftovers());
}

TEST_F(StatusFileTest, ToldSizeAndWholeTransferAgree) {
  // The host counts the CR of each line end as it sends it; so must we.
  startHost(hostile([](HostSimOptions& o) { o.asciiSize = true; }));
  host->putElement("PRJ*SRC", "MIXED._SYM", "A\nB\r\nC\n");
  const auto records = job(header() + "\nRECV PRJ*SRC.MAIN/R1 " + p("M.txt") +
                           "\nRECV PRJ*SRC.MIXED " + p("X.txt") + "\nbye");
  expectEnd(records, 0, "");
  EXPECT_NE(host->log().find("SIZE PRJ*SRC.MAIN/R1"), std::string::npos) << host->log();
  EXPECT_EQ(readBytes(folder / "X.txt"), "A\r\nB\r\nC\r\n");
}

TEST_F(StatusFileTest, TricklingHostStalls) {
  startHost(hostile([](HostSimOptions& o) { o.trickleSeconds = 1.5; }));
  timeouts.stallMs = 600;
  const auto records = job(header() + "\nRECV PRJ*SRC.MAIN/R1 " + p("M.txt") + "\nbye");
  expectEnd(records, 1,
            "transfer of element PRJ*SRC.MAIN/R1 stalled: less than 1 byte/s for 0.6 s");
  EXPECT_FALSE(fs::exists(fs::path(folder / "M.txt")));
}

TEST_F(StatusFileTest, JobTimeLimit) {
  startHost(hostile([](HostSimOptions& o) { o.trickleSeconds = 0.05; }));
  timeouts.stallMs = 0;
  limits.timeLimit = std::chrono::milliseconds(400);
  const auto records =
      job(header() + "\nRECV PRJ*SRC.MAIN/R1 " + p("M.txt") + "\nbye", {"echo never"});
  expectEnd(records, kJobTimeLimit, "the job's time limit of 0.4 s was reached");
  EXPECT_EQ(output.str().find("never\n"), std::string::npos);
  EXPECT_FALSE(leftovers());
}

TEST_F(StatusFileTest, CancelStopsBetweenAndDuringTransfers) {
  startHost(hostile([](HostSimOptions& o) { o.trickleSeconds = 0.05; }));
  // Cancelled while the second element trickles in.
  limits.cancelled = [this] { return fs::exists(fs::path(folder / "A.txt")); };
  host->putElement("PRJ*SRC", "TINY._SYM", "X\n");
  const auto records = job(header() + "\nRECV PRJ*SRC.TINY " + p("A.txt") +
                           "\nRECV PRJ*SRC.MAIN/R1 " + p("B.txt") + "\nbye");
  ASSERT_EQ(records.size(), 2u) << output.str();
  EXPECT_EQ(records[0], step(1, 2, "PRJ*SRC.TINY"));
  expectEnd(records, kJobCancelled, "cancelled");
  EXPECT_FALSE(fs::exists(fs::path(folder / "B.txt")));
  EXPECT_FALSE(leftovers());
}

TEST_F(StatusFileTest, ProgramNotFoundAndFileFailuresCarryTheReason) {
  startHost();
  auto records =
      job(header() + "\nRECV PRJ*SRC.CALC " + p("C.txt") + "\nbye", {"no-such-converter-xyz a b"});
  ASSERT_EQ(records.size(), 2u);
  expectEnd(records, 1, "program not found: no-such-converter-xyz");

  records = job(header() + "\nRECV PRJ*SRC.CALC " + p("no-such-folder/C.txt") + "\nbye");
  expectEnd(records, 1,
            "cannot create " + p("no-such-folder/C.txt") + ": No such file or directory");

  fs::create_directory(fs::path(folder / "A-FOLDER"));
  records = job(header() + "\nRECV PRJ*SRC.CALC " + p("A-FOLDER") + "\nbye");
  expectEnd(records, 1, "cannot replace " + p("A-FOLDER") + ": ");
  EXPECT_FALSE(leftovers());

  records = job(header() + "\nSEND " + p("none.txt") + " PRJ*SRC.X\nbye");
  expectEnd(records, 1, "cannot read " + p("none.txt") + ": No such file or directory");
}

// A received file is put in place while the next element arrives; the log,
// the steps and a failure still come line by line, as if one waited for the
// other.
TEST_F(StatusFileTest, ElementsArePutInPlaceInTheOrderOfTheirLines) {
  startHost();
  auto records = job(header() + "\nRECV PRJ*SRC.CALC " + p("A.txt") + "\nRECV PRJ*SRC.MAIN/R1 " +
                     p("B.txt") + "\nRECV PRJ*SRC.CALC " + p("C.txt") + "\nbye");
  ASSERT_EQ(records.size(), 4u) << output.str();
  EXPECT_EQ(records[0], step(1, 3, "PRJ*SRC.CALC"));
  EXPECT_EQ(records[1], step(2, 3, "PRJ*SRC.MAIN/R1"));
  EXPECT_EQ(records[2], step(3, 3, "PRJ*SRC.CALC"));
  expectEnd(records, 0, "");
  const std::string log = output.str();
  std::size_t at = 0;
  for (const std::string name : {"A", "B", "C"}) {
    const std::size_t line = log.find(p(name + ".txt") + "\n", at);
    ASSERT_NE(line, std::string::npos) << log;
    at = log.find(" bytes received\n", line);
    ASSERT_NE(at, std::string::npos) << log;
    ASSERT_LT(at, log.find("ftp> ", line)) << log;
  }

  // The second file cannot take its folder's place: the job fails at its
  // line, the first element stays received, and the one after it, which may
  // have arrived meanwhile, never appears.
  fs::remove(fs::path(folder / "B.txt"));
  fs::remove(fs::path(folder / "C.txt"));
  fs::create_directory(fs::path(folder / "B-FOLDER"));
  records = job(header() + "\nRECV PRJ*SRC.CALC " + p("A.txt") + "\nRECV PRJ*SRC.MAIN/R1 " +
                p("B-FOLDER") + "\nRECV PRJ*SRC.CALC " + p("C.txt") + "\nbye");
  ASSERT_EQ(records.size(), 2u) << output.str();
  EXPECT_EQ(records[0], step(1, 3, "PRJ*SRC.CALC"));
  expectEnd(records, 1, "cannot replace " + p("B-FOLDER") + ": ");
  EXPECT_NE(output.str().find("JOB.TXT line 5: RECV PRJ*SRC.MAIN/R1"), std::string::npos)
      << output.str();
  EXPECT_EQ(output.str().find("RECV PRJ*SRC.CALC " + p("C.txt")), std::string::npos)
      << output.str();
  EXPECT_FALSE(fs::exists(fs::path(folder / "C.txt")));
  EXPECT_TRUE(fs::is_directory(fs::path(folder / "B-FOLDER")));
  EXPECT_FALSE(leftovers());

  // The file of the second receive is made ahead, while the first is put in
  // place: a folder that is not there fails the second line all the same.
  records = job(header() + "\nRECV PRJ*SRC.CALC " + p("A.txt") + "\nRECV PRJ*SRC.MAIN/R1 " +
                p("no-such-folder/B.txt") + "\nbye");
  ASSERT_EQ(records.size(), 2u) << output.str();
  EXPECT_EQ(records[0], step(1, 2, "PRJ*SRC.CALC"));
  expectEnd(records, 1,
            "cannot create " + p("no-such-folder/B.txt") + ": No such file or directory");
  EXPECT_NE(output.str().find("JOB.TXT line 5: RECV PRJ*SRC.MAIN/R1"), std::string::npos)
      << output.str();
  EXPECT_FALSE(leftovers());
}

TEST_F(StatusFileTest, LongTransfersTellTheirBytes) {
  startHost(hostile([](HostSimOptions& o) { o.asciiSize = true; }));
  std::string big;
  while (big.size() < 4'000'000)
    big += "       MOVE A TO B.                                        \n";
  host->putElement("PRJ*SRC", "BIG._SYM", big);
  limits.bytesEvery = std::chrono::milliseconds(0);
  const auto records = job(header() + "\nRECV PRJ*SRC.BIG " + p("BIG.txt") + "\nbye", {}, true);
  expectEnd(records, 0, "");
  const std::int64_t wire = static_cast<std::int64_t>(withCrLf(big).size());
  std::int64_t last = 0;
  std::size_t bytesRecords = 0;
  for (const auto& record : records) {
    if (record["event"] != "bytes") continue;
    ++bytesRecords;
    EXPECT_EQ(record["element"], "PRJ*SRC.BIG");
    EXPECT_EQ(record["total"], wire);
    EXPECT_GT(record["done"], last);
    last = record["done"];
  }
  EXPECT_GE(bytesRecords, 1u);
  EXPECT_LE(last, wire);
  EXPECT_EQ(records[records.size() - 2], step(1, 1, "PRJ*SRC.BIG"));
  EXPECT_EQ(readBytes(folder / "BIG.txt"), withCrLf(big));
}

TEST_F(StatusFileTest, ScriptsAreErasedEvenWhenAnEarlierLineFails) {
  // The send job converts first: a missing converter ends the job before the
  // ftp line, and the script with the password must still go.
  startHost();
  const auto records = job(header() + "\nbye", {});
  expectEnd(records, 0, "");
  writeJobFile(folder / "SEND.TXT", {"open 127.0.0.1 1", "alice", kPassword, "bye"});
  writeJobFile(folder / "SEND.BAT", {"no-such-converter-xyz a b", "ftp -s:" + p("SEND.TXT")});
  JobRunner runner(output);
  EXPECT_EQ(runner.runBatchFile(folder / "SEND.BAT"), kJobFailed);
  EXPECT_FALSE(fs::exists(fs::path(folder / "SEND.TXT")));
}

}  // namespace
}  // namespace morvanta::runner
