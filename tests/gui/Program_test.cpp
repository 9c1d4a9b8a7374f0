// The morvanta program itself, started as the user (or the demo) starts it,
// on the offscreen platform, and its command line.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <stdexcept>

#include "gui/LaunchOptions.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::gui {
namespace {

struct ProgramRun {
  int status = -1;
  std::string out;
};

// Every run is bounded; a program that hangs fails the test.
ProgramRun runMorvanta(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.remove(QStringLiteral("MORVANTA_FOLDER"));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(MORVANTA_BIN_DIR "/morvanta"), args);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "morvanta did not end";
    return {};
  }
  ProgramRun run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  return run;
}

QString q(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

TEST(ProgramTest, OpensOnAFreshFolderWritesTheTemplateAndSavesAPicture) {
  testing::TempFolder parent;
  const std::u16string folder = parent.file(u"fresh");
  const std::u16string shot = parent.file(u"shot.png");
  const ProgramRun run =
      runMorvanta({QStringLiteral("--folder"), q(folder), QStringLiteral("--screenshot"), q(shot)});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(platform::fileExists(platform::joinPath(folder, u"Morvanta.ini")));
  EXPECT_TRUE(platform::folderExists(platform::joinPath(folder, u"FTPWK")));
  EXPECT_TRUE(QFile::exists(q(shot)));
  EXPECT_NE(run.out.find("screenshot: "), std::string::npos) << run.out;
}

// A fatal configuration error ends the program with a failure status after
// its message, even with nobody there to press OK.
TEST(ProgramTest, ConfigurationErrorEndsWithFailure) {
  testing::TempFolder folder;
  platform::writeTextLines(folder.file(u"Morvanta.ini"), {u"HOST=alpha"});
  const ProgramRun run = runMorvanta({QStringLiteral("--folder"), q(folder.path()),
                                      QStringLiteral("--screenshot"), q(folder.file(u"x.png"))});
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.out.find("message: HOSTパラメタ指定誤りHOST=alpha"), std::string::npos) << run.out;
  EXPECT_FALSE(QFile::exists(q(folder.file(u"x.png"))));
}

// A name without "*" is refused at once, so the run does not wait for a
// job: it still goes through every step a user would.
TEST(ProgramTest, TocRunReportsEachStep) {
  testing::TempFolder folder;
  platform::writeTextLines(folder.file(u"Morvanta.ini"),
                           {u"FTP-USERID=U", u"FTP-PASSWORD=P", u"HOST=HOSTA,127.0.0.1"},
                           platform::FileAccess::OwnerOnly);
  const ProgramRun run = runMorvanta({QStringLiteral("--folder"), q(folder.path()),
                                      QStringLiteral("--toc"), QStringLiteral("PRJSRC"),
                                      QStringLiteral("--screenshot"), q(folder.file(u"toc.png"))});
  EXPECT_EQ(run.status, 0) << run.out;
  for (const char* step : {"host: HOSTA", "typed: PRJSRC", "message: 2200ファイル形式不正（*なし）",
                           "clicked: Command_toc(0)", "TOC not started", "screenshot: "}) {
    EXPECT_NE(run.out.find(step), std::string::npos) << step << "\n" << run.out;
  }
}

TEST(ProgramTest, BadArgumentsAreRefused) {
  EXPECT_EQ(runMorvanta({QStringLiteral("--bogus")}).status, 2);
  EXPECT_EQ(runMorvanta({QStringLiteral("--folder")}).status, 2);
}

TEST(ProgramTest, VersionIsTheProjectsAndTouchesNothing) {
  testing::TempFolder folder;
  const ProgramRun run =
      runMorvanta({QStringLiteral("--version"), QStringLiteral("--folder"), q(folder.path())});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("morvanta ") + MORVANTA_VERSION + "\n");
  EXPECT_FALSE(platform::fileExists(folder.file(u"Morvanta.ini")));
}

// A new user asks the program itself what to configure and where.
TEST(ProgramTest, HelpListsTheKeysAndWhereTheFilesLive) {
  testing::TempFolder folder;
  const ProgramRun run =
      runMorvanta({QStringLiteral("--help"), QStringLiteral("--folder"), q(folder.path())});
  EXPECT_EQ(run.status, 0);
  for (const char* expected :
       {"Morvanta.ini", "updatehtm.ini", "ini.ini", "FTPWK", "FTPRCV", "HOST=", "FTP-USERID=",
        "FTP-PASSWORD=", "TEXT-EDITOR=", "FTP-SEND=", "FTP-SEND-WORK-FILE=", "UNISYS-SJIS-PATH=",
        "UNISYS-SJIS-EXE=", "SJIS-UNISYS-EXE=", "COBPLUSEDIT-PATH=", "DEBUG=", "UTF-8"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
  }
  EXPECT_NE(run.out.find(platform::toUtf8(folder.path())), std::string::npos) << run.out;
  // Asking for help writes nothing.
  EXPECT_FALSE(platform::fileExists(folder.file(u"Morvanta.ini")));

  // Help is there without any display to show a window on.
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(MORVANTA_BIN_DIR "/morvanta"), {QStringLiteral("-h")});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_TRUE(process.readAllStandardOutput().contains("TEXT-EDITOR="));
}

TEST(LaunchOptionsTest, ReadsItsOptionsInBothForms) {
  const LaunchOptions options =
      parseLaunchOptions({u"--folder", u"/x", u"--toc", u"PRJ*SRC", u"--screenshot=/tmp/a.png"});
  EXPECT_EQ(options.tocFile, u"PRJ*SRC");
  EXPECT_EQ(options.screenshot, u"/tmp/a.png");
  EXPECT_TRUE(options.unattended());
  EXPECT_FALSE(options.help);

  const LaunchOptions plain = parseLaunchOptions({u"--toc=A*B"});
  EXPECT_EQ(plain.tocFile, u"A*B");
  EXPECT_FALSE(plain.unattended());
  EXPECT_TRUE(parseLaunchOptions({u"--help"}).help);
}

TEST(LaunchOptionsTest, RefusesWhatItDoesNotKnow) {
  const std::vector<std::vector<std::u16string>> bad = {
      {u"--toc"}, {u"--screenshot", u""}, {u"--toc="}, {u"--verbose"}, {u"stray"}, {u"--folder"}};
  for (const auto& args : bad) {
    EXPECT_THROW(parseLaunchOptions(args), std::invalid_argument) << platform::toUtf8(args[0]);
  }
}

}  // namespace
}  // namespace morvanta::gui
