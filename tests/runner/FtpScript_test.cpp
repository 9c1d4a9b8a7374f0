#include "runner/FtpScript.h"

#include <gtest/gtest.h>

#include "runner/JobError.h"

namespace morvanta::runner {
namespace {

std::vector<FtpCommand> parse(const std::vector<std::u16string>& lines) {
  return parseFtpScript(lines);
}

TEST(FtpScript, TocScript) {
  const auto commands = parse(
      {u"open 10.1.2.3", u"alice", u"s3cret", u"mdir PRJ*SRC /w/0TOC-RSLT.TXT", u"y", u"bye"});
  ASSERT_EQ(commands.size(), 5u);
  EXPECT_EQ(commands[0].op, FtpOp::Open);
  EXPECT_EQ(commands[0].host, u"10.1.2.3");
  EXPECT_EQ(commands[0].port, 21);
  EXPECT_EQ(commands[1].op, FtpOp::User);
  EXPECT_EQ(commands[1].text, u"alice");
  EXPECT_EQ(commands[2].op, FtpOp::Password);
  EXPECT_EQ(commands[2].text, u"s3cret");
  EXPECT_EQ(commands[3].op, FtpOp::List);
  EXPECT_EQ(commands[3].remote, u"PRJ*SRC");
  EXPECT_EQ(commands[3].local, u"/w/0TOC-RSLT.TXT");
  EXPECT_EQ(commands[3].line, 4);
  EXPECT_EQ(commands[4].op, FtpOp::Bye);
  EXPECT_EQ(commands[4].line, 6);
}

TEST(FtpScript, TransfersKeepNamesVerbatimAndPathsWithBlanks) {
  const auto commands = parse({
      u"OPEN 127.0.0.1 2121",
      u"",  // an empty user line stays a user line
      u" pass word ",
      u"mls PRJ*SRC /w/1TOC-RSLT.TXT",
      u"Y",
      u"RECV PRJ*SRC.MAIN/R1 /w/My Work/PRJ\uFF0ASRC/MAIN\uFF0FR1.txt",
      u"SEND /w/My Work/PRJ\uFF0ASRC/MAIN.R1_SYM PRJ*WORK.MAIN/R1",
      u"get A*B.C \"/q/x y.txt\"",
      u"quit",
      u"this line is never read",
  });
  ASSERT_EQ(commands.size(), 8u);
  EXPECT_EQ(commands[0].port, 2121);
  EXPECT_EQ(commands[1].text, u"");
  EXPECT_EQ(commands[2].text, u" pass word ");
  EXPECT_EQ(commands[3].op, FtpOp::NameList);
  EXPECT_EQ(commands[4].op, FtpOp::Receive);
  EXPECT_EQ(commands[4].remote, u"PRJ*SRC.MAIN/R1");
  EXPECT_EQ(commands[4].local, u"/w/My Work/PRJ\uFF0ASRC/MAIN\uFF0FR1.txt");
  EXPECT_EQ(commands[5].op, FtpOp::Send);
  EXPECT_EQ(commands[5].local, u"/w/My Work/PRJ\uFF0ASRC/MAIN.R1_SYM");
  EXPECT_EQ(commands[5].remote, u"PRJ*WORK.MAIN/R1");
  EXPECT_EQ(commands[6].local, u"/q/x y.txt");
  EXPECT_EQ(commands[7].op, FtpOp::Bye);
}

TEST(FtpScript, ScriptWithoutByeEndsAtItsLastLine) {
  const auto commands = parse({u"open h", u"u", u"p", u"RECV A*B.C /w/c.txt"});
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands.back().op, FtpOp::Receive);
}

struct BadScript {
  std::vector<std::u16string> lines;
  std::string message;  // expected start of what()
};

TEST(FtpScript, MalformedScriptsNameTheLine) {
  const BadScript cases[] = {
      {{u"open h", u"u", u"p", u"dir PRJ*SRC"}, "line 4: unknown FTP command dir"},
      {{u"open h", u"u", u"p", u"mdir PRJ*SRC /w/x", u"n"},
       "line 5: the listing was not confirmed"},
      {{u"open h", u"u", u"p", u"mdir PRJ*SRC /w/x", u"bye"}, "line 5: the listing was not"},
      {{u"open h", u"u", u"p", u"mdir PRJ*SRC /w/x"}, "line 4: the script ends before the answer"},
      {{u"open h", u"u", u"p", u"RECV PRJ*SRC.A"}, "line 4: RECV needs a remote name"},
      {{u"open h", u"u", u"p", u"SEND /w/a"}, "line 4: SEND needs"},
      {{u"RECV A*B.C /w/c"}, "line 1: not connected"},
      {{u"open"}, "line 1: open needs ADDRESS"},
      {{u"open h 70000"}, "line 1: bad port 70000"},
      {{u"open h x"}, "line 1: bad port x"},
      {{u"open h", u"u"}, "line 2: the script ends before the password"},
      {{u"open h", u"u", u"p", u"open h2"}, "line 4: already connected"},
  };
  for (const auto& c : cases) {
    try {
      parse(c.lines);
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const JobError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
}

TEST(FtpScript, PasswordLineIsNeverShown) {
  const std::vector<std::u16string> lines{u"open h", u"u", u"s3cret", u"bye"};
  const auto commands = parse(lines);
  EXPECT_EQ(shownLine(commands, lines, 3), u"(password)");
  EXPECT_EQ(shownLine(commands, lines, 1), u"open h");
}

}  // namespace
}  // namespace morvanta::runner
