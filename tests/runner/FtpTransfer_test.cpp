// Jobs against the simulated 2200 host on the loopback interface.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "hostsim/HostSim.h"
#include "runner/JobRunner.h"
#include "support/TestFiles.h"

namespace morvanta::runner {
namespace {

using test::HostSim;
using test::HostSimOptions;
using testing::readBytes;
using testing::u16;
using testing::u8;
using testing::writeBytes;
using testing::writeJobFile;

std::vector<std::string> fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string f; in >> f;) out.push_back(f);
  return out;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

HostSimOptions hostOptions() {
  HostSimOptions options;
  options.user = "alice";
  options.password = "Zq7-secret";
  return options;
}

class FtpTransferTest : public ::testing::Test {
 protected:
  FtpTransferTest() : host(hostOptions()) {}

  std::string p(const std::string& name) const { return u8(folder / name); }
  std::string header(const std::string& password = "Zq7-secret") const {
    return "open 127.0.0.1 " + std::to_string(host.port()) + "\nalice\n" + password;
  }
  // Writes the script and a batch file running it plus `after`, runs it.
  int job(const std::string& script, const std::vector<std::string>& after = {},
          const FtpTimeouts& timeouts = {}) {
    std::vector<std::string> scriptLines;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) scriptLines.push_back(line);
    writeJobFile(folder / "JOB.TXT", scriptLines);
    std::vector<std::string> batch{"ftp -s:" + p("JOB.TXT")};
    batch.insert(batch.end(), after.begin(), after.end());
    writeJobFile(folder / "JOB.BAT", batch);
    output.str("");
    JobRunner runner(output, timeouts);
    return runner.runBatchFile(folder / "JOB.BAT");
  }

  HostSim host;
  testing::TempFolder folder;
  std::ostringstream output;
};

TEST_F(FtpTransferTest, MdirWritesTheDetailedListing) {
  host.setElementTime("PRJ*SRC", "LIB._REL", {2001, 12, 24, 10, 0, 0});
  const std::time_t recent = std::time(nullptr) - 3600;
  std::tm t{};
  localtime_r(&recent, &t);
  host.setElementTime("PRJ*SRC", "MAIN.R1_SYM",
                      {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, 0});

  ASSERT_EQ(job(header() + "\nmdir PRJ*SRC " + p("0TOC-RSLT.TXT") + "\ny\nbye"), 0) << output.str();
  const auto lines = linesOf(readBytes(folder / "0TOC-RSLT.TXT"));
  ASSERT_EQ(lines.size(), 7u);
  std::vector<std::string> names;
  for (const auto& line : lines) {
    const auto f = fields(line);
    ASSERT_EQ(f.size(), 8u) << line;
    names.push_back(f[7]);
    if (f[7] == "LIB._REL") {
      EXPECT_EQ((std::vector<std::string>{f[4], f[5], f[6]}),
                (std::vector<std::string>{"Dec", "24", "2001"}));
    }
    if (f[7] == "MAIN.R1_SYM") {
      char when[32];
      std::strftime(when, sizeof when, "%b %d %H:%M", &t);
      EXPECT_EQ(f[4] + " " + (f[5].size() == 1 ? "0" : "") + f[5] + " " + f[6], when);
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"CALC._SYM", "LIB._REL", "MAIN.R1_SYM", "MAIN.R2_SYM",
                                             "MAINABS._ABS", "RPTSKEL._SYM", "UTIL._SYM"}));
}

TEST_F(FtpTransferTest, MlsWritesBareNames) {
  ASSERT_EQ(job(header() + "\nmls PRJ*JCL " + p("1TOC-RSLT.TXT") + "\ny\nbye"), 0) << output.str();
  EXPECT_EQ(readBytes(folder / "1TOC-RSLT.TXT"), "BUILD._SYM\r\nDAILY._SYM\r\nNIGHTLY.R1_SYM\r\n");
}

TEST_F(FtpTransferTest, EmptyProgramFileGivesAnEmptyListing) {
  host.addProgramFile("PRJ*EMPTY");
  ASSERT_EQ(job(header() + "\nmdir PRJ*EMPTY " + p("2TOC-RSLT.TXT") + "\ny\nbye"), 0);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder / "2TOC-RSLT.TXT")));
  EXPECT_EQ(readBytes(folder / "2TOC-RSLT.TXT"), "");
}

TEST_F(FtpTransferTest, ReceiveSendsNamesWithStarAndSlashVerbatim) {
  std::filesystem::create_directories(std::filesystem::path(folder / "FTPRCV/PRJ\xEF\xBC\x8ASRC"));
  const std::string local = p("FTPRCV/PRJ\xEF\xBC\x8ASRC/MAIN\xEF\xBC\x8FR1.txt");
  ASSERT_EQ(job(header() + "\nRECV PRJ*SRC.MAIN/R1 " + local + "\nRECV prj*src.calc " +
                p("CALC.txt") + "\nbye"),
            0)
      << output.str();
  const std::string sample = host.readElement("PRJ*SRC", "MAIN.R1_SYM");
  ASSERT_NE(sample.find("\x94\x84"), std::string::npos);  // CP932 bytes pass unchanged
  std::string expected;  // the host keeps LF; the PC file gets CR LF
  for (char c : sample) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(readBytes(u16(local)), expected);
  EXPECT_EQ(readBytes(folder / "CALC.txt").substr(0, 14), ". CALC - ADD T");
  EXPECT_NE(host.log().find("<- RETR PRJ*SRC.MAIN/R1\n"), std::string::npos) << host.log();
}

TEST_F(FtpTransferTest, SendStoresTextLinesAndReceivesThemBack) {
  writeBytes(folder / "NEW.R2_SYM", "LINE 1\r\nLINE 2\r\n");
  writeBytes(folder / "LF.txt", "ONLY LF\n");
  ASSERT_EQ(job(header() + "\nSEND " + p("NEW.R2_SYM") + " PRJ*SRC.NEW/R2\nSEND " + p("LF.txt") +
                " PRJ*SRC.LFONLY\nRECV PRJ*SRC.NEW/R2 " + p("back.txt") + "\nbye"),
            0)
      << output.str();
  // Stored as text: each line exactly once, no CR CR LF.
  EXPECT_EQ(host.readElement("PRJ*SRC", "NEW.R2_SYM"), "LINE 1\nLINE 2\n");
  EXPECT_EQ(host.readElement("PRJ*SRC", "LFONLY._SYM"), "ONLY LF\n");
  EXPECT_EQ(readBytes(folder / "back.txt"), "LINE 1\r\nLINE 2\r\n");
}

TEST_F(FtpTransferTest, OneLoginServesManyTransfers) {
  std::string script = header();
  for (int i = 0; i < 25; ++i) {
    script += "\nRECV PRJ*JCL.BUILD " + p("B" + std::to_string(i) + ".txt");
  }
  ASSERT_EQ(job(script + "\nbye"), 0) << output.str();
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder / "B24.txt")));
  EXPECT_EQ(count(host.log(), "logged in"), 1u) << host.log();
}

TEST_F(FtpTransferTest, MissingElementStopsTheJobAndLeavesNoFile) {
  EXPECT_EQ(job(header() + "\nRECV PRJ*SRC.NOPE/R1 " + p("NOPE.txt") + "\nbye",
                {"echo editor would start"}),
            1);
  EXPECT_NE(output.str().find("JOB.TXT line 4: RECV PRJ*SRC.NOPE/R1"), std::string::npos)
      << output.str();
  EXPECT_NE(output.str().find("element PRJ*SRC.NOPE/R1 missing"), std::string::npos);
  EXPECT_EQ(output.str().find("editor would start\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder / "NOPE.txt")));
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_NE(entry.path().filename().string().rfind("NOPE.txt", 0), 0u) << entry.path();
  }
}

TEST_F(FtpTransferTest, MissingProgramFileLeavesNoListing) {
  EXPECT_EQ(job(header() + "\nmdir PRJ*NONE " + p("0TOC-RSLT.TXT") + "\ny\nbye"), 1);
  EXPECT_NE(output.str().find("file PRJ*NONE missing"), std::string::npos) << output.str();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder / "0TOC-RSLT.TXT")));
}

TEST_F(FtpTransferTest, SendIntoAMissingProgramFileIsRefused) {
  writeBytes(folder / "X.txt", "X\r\n");
  EXPECT_EQ(job(header() + "\nSEND " + p("X.txt") + " PRJ*NONE.X\nbye"), 1);
  EXPECT_NE(output.str().find("refused to store element PRJ*NONE.X"), std::string::npos)
      << output.str();
}

TEST_F(FtpTransferTest, WrongPasswordIsRefusedAndNeverPrinted) {
  EXPECT_EQ(job(header("Wr0ng-pass") + "\nmdir PRJ*SRC " + p("0TOC-RSLT.TXT") + "\ny\nbye"), 1);
  EXPECT_NE(output.str().find("JOB.TXT line 3: (password)"), std::string::npos) << output.str();
  EXPECT_NE(output.str().find("login refused"), std::string::npos);
  EXPECT_EQ(output.str().find("Wr0ng-pass"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder / "0TOC-RSLT.TXT")));
}

TEST_F(FtpTransferTest, StoppedHostIsUnreachable) {
  host.stop();
  EXPECT_EQ(job(header() + "\nmdir PRJ*SRC " + p("0TOC-RSLT.TXT") + "\ny\nbye"), 1);
  EXPECT_NE(output.str().find("JOB.TXT line 1: open 127.0.0.1"), std::string::npos) << output.str();
  EXPECT_NE(output.str().find("host unreachable"), std::string::npos);
  EXPECT_EQ(output.str().find("Zq7-secret"), std::string::npos);
}

TEST_F(FtpTransferTest, ReceiveJobWithConversionTail) {
  // The receive job as the system writes it, with "cp" as the converter.
  const std::string rcv = p("FTPRCV");
  std::filesystem::create_directories(std::filesystem::path(folder / "FTPRCV"));
  ASSERT_EQ(job(header() + "\nRECV PRJ*JCL.NIGHTLY/R1 " + rcv + "/NIGHTLY\xEF\xBC\x8FR1.txt\nbye",
                {"cp \"" + rcv + "/NIGHTLY\xEF\xBC\x8FR1.txt\"  " + rcv +
                     "/O$U$TNIGHTLY\xEF\xBC\x8FR1.txt",
                 "XCOPY /Y " + rcv + "/O$U$TNIGHTLY\xEF\xBC\x8FR1.txt " + rcv +
                     "/NIGHTLY\xEF\xBC\x8FR1.txt",
                 "ERASE " + rcv + "/O$U$TNIGHTLY\xEF\xBC\x8FR1.txt",
                 "START true " + rcv + "/NIGHTLY\xEF\xBC\x8FR1.txt"}),
            0)
      << output.str();
  EXPECT_EQ(readBytes(u16(rcv + "/NIGHTLY\xEF\xBC\x8FR1.txt")).substr(0, 28),
            "@RUN NIGHTLY,ACCT01,PRJ,30\r\n");
  EXPECT_FALSE(
      std::filesystem::exists(std::filesystem::path(u16(rcv + "/O$U$TNIGHTLY\xEF\xBC\x8FR1.txt"))));
}

// A host that takes the connection and never says a word.
TEST(FtpSilentHost, EndsAfterTheResponseTimeout) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  socklen_t size = sizeof address;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);

  testing::TempFolder folder;
  writeJobFile(folder / "S.TXT",
               {"open 127.0.0.1 " + std::to_string(ntohs(address.sin_port)), "u", "p", "bye"});
  writeJobFile(folder / "S.BAT", {"ftp -s:" + u8(folder / "S.TXT")});
  std::ostringstream output;
  FtpTimeouts quick;
  quick.connectMs = 1000;
  quick.responseMs = 1000;
  EXPECT_EQ(JobRunner(output, quick).runBatchFile(folder / "S.BAT"), 1);
  EXPECT_NE(output.str().find("did not answer in time"), std::string::npos) << output.str();
  ::close(listener);
}

}  // namespace
}  // namespace morvanta::runner
