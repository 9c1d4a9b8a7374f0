#include "runner/BatchLine.h"

#include <gtest/gtest.h>

#include "runner/JobError.h"

namespace morvanta::runner {
namespace {

TEST(BatchLine, LinesThatDoNothing) {
  for (const char16_t* line : {u"", u"   ", u"@echo off", u"ECHO OFF", u"echo on", u"REM note",
                               u"rem", u":: note", u":label", u"@ @REM x"}) {
    EXPECT_EQ(parseBatchLine(line).kind, BatchKind::Nothing) << std::u16string(line).size();
  }
}

TEST(BatchLine, Echo) {
  auto line = parseBatchLine(u"echo receiving MAIN/R1");
  EXPECT_EQ(line.kind, BatchKind::Echo);
  EXPECT_EQ(line.text, u"receiving MAIN/R1");
  line = parseBatchLine(u"echo.");
  EXPECT_EQ(line.kind, BatchKind::Echo);
  EXPECT_EQ(line.text, u"");
}

TEST(BatchLine, FtpScriptRunsToTheEndOfTheLine) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"ftp -s:/w/FTPWK/TOC.TXT", u"/w/FTPWK/TOC.TXT"},
      {u"FTP -S:C:\\Program Files\\FTPWK\\RECV.TXT", u"C:\\Program Files\\FTPWK\\RECV.TXT"},
      {u"ftp.exe -i -s:\"/a b/SEND.TXT\"", u"/a b/SEND.TXT"},
  };
  for (const auto& [text, script] : cases) {
    const auto line = parseBatchLine(text);
    EXPECT_EQ(line.kind, BatchKind::Ftp);
    EXPECT_EQ(line.text, script);
  }
}

TEST(BatchLine, FtpWithoutScriptIsRefused) {
  EXPECT_THROW(parseBatchLine(u"ftp"), JobError);
  EXPECT_THROW(parseBatchLine(u"ftp 127.0.0.1"), JobError);
  EXPECT_THROW(parseBatchLine(u"ftp -s:"), JobError);
}

TEST(BatchLine, Start) {
  auto line = parseBatchLine(u"START gedit /w/FTPRCV/PRJ\uFF0ASRC/MAIN\uFF0FR1.txt");
  EXPECT_EQ(line.kind, BatchKind::Start);
  ASSERT_EQ(line.words.size(), 2u);
  EXPECT_EQ(line.words[0].text, u"gedit");
  EXPECT_EQ(line.rest, u"/w/FTPRCV/PRJ\uFF0ASRC/MAIN\uFF0FR1.txt");
  EXPECT_FALSE(line.wait);

  // A quoted first word is the window title, then options.
  line = parseBatchLine(u"start \"\" /MIN /wait \"/opt/my editor\" a.txt");
  ASSERT_EQ(line.words.size(), 2u);
  EXPECT_EQ(line.words[0].text, u"/opt/my editor");
  EXPECT_EQ(line.rest, u"a.txt");
  EXPECT_TRUE(line.wait);

  // A lone quoted word is the program.
  line = parseBatchLine(u"START \"/opt/ed\"");
  ASSERT_EQ(line.words.size(), 1u);
  EXPECT_EQ(line.words[0].text, u"/opt/ed");
  EXPECT_EQ(line.rest, u"");

  EXPECT_THROW(parseBatchLine(u"START"), JobError);
  EXPECT_THROW(parseBatchLine(u"START \"title\" /B"), JobError);
}

TEST(BatchLine, XcopyAndErase) {
  auto line = parseBatchLine(u"XCOPY /Y /w/O$U$TA.txt /w/A.txt");
  EXPECT_EQ(line.kind, BatchKind::Xcopy);
  EXPECT_TRUE(line.replace);
  EXPECT_EQ(line.rest, u"/w/O$U$TA.txt /w/A.txt");

  line = parseBatchLine(u"xcopy /q /w/a /w/b");
  EXPECT_FALSE(line.replace);
  EXPECT_EQ(line.rest, u"/w/a /w/b");

  // A Linux path is no switch.
  line = parseBatchLine(u"XCOPY /Y /tmp/a /tmp/b");
  EXPECT_EQ(line.rest, u"/tmp/a /tmp/b");

  line = parseBatchLine(u"ERASE /w/My Work/O$U$TA.txt");
  EXPECT_EQ(line.kind, BatchKind::Erase);
  EXPECT_EQ(line.rest, u"/w/My Work/O$U$TA.txt");
  EXPECT_EQ(parseBatchLine(u"del /Q x").kind, BatchKind::Erase);
  EXPECT_EQ(parseBatchLine(u"del /Q x").rest, u"x");
}

TEST(BatchLine, AnythingElseIsAProgram) {
  const auto line =
      parseBatchLine(u"/opt/conv/uns2sjis \"/w/My Work/A.txt\"  /w/My Work/O$U$TA.txt");
  EXPECT_EQ(line.kind, BatchKind::Program);
  EXPECT_EQ(wordTexts(line.words),
            (std::vector<std::u16string>{u"/opt/conv/uns2sjis", u"/w/My Work/A.txt", u"/w/My",
                                         u"Work/O$U$TA.txt"}));
  EXPECT_EQ(parseBatchLine(u"ftpx -s:a").kind, BatchKind::Program);
  EXPECT_EQ(parseBatchLine(u"starter x").kind, BatchKind::Program);
}

}  // namespace
}  // namespace morvanta::runner
