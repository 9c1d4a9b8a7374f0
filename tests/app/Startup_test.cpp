#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "app/Config.h"
#include "app/Secrets.h"
#include "app/SettingsFile.h"
#include "app/Startup.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta {
namespace {

using Lines = std::vector<std::u16string>;

class StartupTest : public testing::FormFixture {
 protected:
  // Form_Load; the exit status when it ended the program.
  std::optional<int> loadEnds() {
    try {
      load();
    } catch (const forms::ProgramEnded& ended) {
      return ended.status;
    }
    return std::nullopt;
  }
  // Loads with these configuration lines and expects the program to end
  // with exactly one message.
  void expectFatal(const Lines& ini, const std::u16string& message) {
    writeIni(ini);
    const auto status = loadEnds();
    ASSERT_TRUE(status.has_value()) << "the program went on";
    EXPECT_NE(*status, 0);
    EXPECT_EQ(desktop.messages, Lines{message});
  }
  std::u16string in(const std::u16string& name) const { return folder.file(name); }
  Module_pub& pub() { return form->pub; }
};

TEST_F(StartupTest, FreshFolderGetsTheTemplateAndStarts) {
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(readBytes(in(u"Morvanta.ini")),
            "TEXT-EDITOR=" + platform::toUtf8(platform::defaultTextEditor()) +
                "\r\nHOST=SAMPLE-HOST1,192.0.2.11\r\n"
                "HOST=SAMPLE-HOST2,192.0.2.12\r\nFTP-USERID=userid\r\nFTP-PASSWORD=changeme\r\n");
  EXPECT_EQ(pub().workRoot, folder.path());
  EXPECT_EQ(pub().iniPath, in(u"Morvanta.ini"));
  EXPECT_EQ(pub().hostCount, 2);
  EXPECT_EQ(pub().textEditor, platform::defaultTextEditor());
  EXPECT_EQ(pub().ftpUserId, u"userid");
  EXPECT_EQ(pub().ftpPassword, u"changeme");
  EXPECT_EQ(form->get_host_address(u"SAMPLE-HOST2"), u"192.0.2.12");
  EXPECT_TRUE(platform::folderExists(in(u"FTPWK")));
  EXPECT_TRUE(platform::folderExists(in(u"FTPRCV")));
  EXPECT_TRUE(platform::fileExists(in(u"updatehtm.ini")));
  EXPECT_EQ(readBytes(in(u"updatehtm.ini")), "");
  EXPECT_EQ(pub().bulkCount, 0);
  EXPECT_EQ(pub().layoutReady, 1);
  EXPECT_EQ(form->mdirMode, 1);
  EXPECT_TRUE(form->Check_mdir->checked());
  EXPECT_EQ(pub().lastReceivedFolder, u"");
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(form->Frame_SEND[i]->visible()) << i;
  EXPECT_FALSE(form->List_2200file[0]->visible());
  EXPECT_TRUE(form->List_2200file[1]->visible());
  EXPECT_TRUE(form->List_2200file[2]->visible());
  // The only thing said is where the template went (the next test).
  EXPECT_EQ(desktop.messages, Lines{app::firstStartMessage(in(u"Morvanta.ini"))});
}

TEST_F(StartupTest, FirstStartNamesTheFileAndOffersTheEditorOnce) {
  desktop.okCancelAnswers = {true};
  ASSERT_EQ(loadEnds(), std::nullopt);
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::u16string& text = desktop.messages[0];
  EXPECT_NE(text.find(in(u"Morvanta.ini")), std::u16string::npos);
  for (const std::u16string key : {u"HOST=", u"FTP-USERID=", u"FTP-PASSWORD=", u"TEXT-EDITOR="}) {
    EXPECT_NE(text.find(key), std::u16string::npos) << platform::toUtf8(key);
  }
  EXPECT_EQ(desktop.titles, Lines{u"設定ファイルを作成しました"});
  EXPECT_EQ(desktop.startedProcesses,
            Lines{platform::defaultTextEditor() + u" \"" + in(u"Morvanta.ini") + u"\""});

  // The file is there now: the next start asks nothing.
  desktop.messages.clear();
  desktop.startedProcesses.clear();
  form = std::make_unique<MainForm>(factory, desktop, folder.path());
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_TRUE(desktop.startedProcesses.empty());
}

TEST_F(StartupTest, HostBoxesListTheHostsInFileOrder) {
  loadWithDefaultIni();
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(form->Combo_host[i]->count(), 2) << i;
    EXPECT_EQ(form->Combo_host[i]->item(0), u"HOSTA");
    EXPECT_EQ(form->Combo_host[i]->item(1), u"HOSTB");
  }
  ASSERT_EQ(form->Combo_host_file_elt->count(), 2);
  EXPECT_EQ(form->Combo_host_file_elt->item(1), u"HOSTB");
}

TEST_F(StartupTest, NoHostsLeaveTheHostBoxesEmpty) {
  writeIni({u"TEXT-EDITOR=ed"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form->Combo_host[i]->count(), 0);
  EXPECT_EQ(form->Combo_host_file_elt->count(), 0);
}

// The program never changes its current directory: a relative folder in
// the pointer file is taken from the program folder, wherever it was started.
TEST_F(StartupTest, RelativeFolderInThePointerFileIsTakenFromTheProgramFolder) {
  ASSERT_TRUE(platform::createFolder(in(u"work")));
  platform::writeTextLines(in(u"ini.ini"), {u"work"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().workRoot, in(u"work"));
  EXPECT_EQ(pub().iniPath, platform::joinPath(in(u"work"), u"Morvanta.ini"));
  EXPECT_TRUE(platform::folderExists(platform::joinPath(in(u"work"), u"FTPWK")));
  EXPECT_FALSE(platform::folderExists(platform::joinPath(platform::currentFolder(), u"work")));
}

TEST_F(StartupTest, PointerFileMovesConfigurationAndWorkFolders) {
  testing::TempFolder work;
  platform::writeTextLines(in(u"ini.ini"), {u"  " + work.path() + u"  ", u"ignored"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().workRoot, work.path());
  EXPECT_EQ(pub().iniPath, work.file(u"Morvanta.ini"));
  EXPECT_TRUE(platform::fileExists(work.file(u"Morvanta.ini")));
  EXPECT_FALSE(platform::fileExists(in(u"Morvanta.ini")));
  EXPECT_TRUE(platform::folderExists(work.file(u"FTPWK")));
  EXPECT_TRUE(platform::folderExists(work.file(u"FTPRCV")));
  // The bulk-receive table stays with the program.
  EXPECT_TRUE(platform::fileExists(in(u"updatehtm.ini")));
}

TEST_F(StartupTest, EmptyPointerFileEndsTheProgram) {
  for (const Lines& pointer : {Lines{}, Lines{u"   "}}) {
    desktop.messages.clear();
    platform::writeTextLines(in(u"ini.ini"), pointer);
    ASSERT_NE(loadEnds(), std::nullopt);
    EXPECT_EQ(desktop.messages,
              Lines{u"ini.iniに設定フォルダが書かれていません。終了します: " + in(u"ini.ini")});
  }
}

TEST_F(StartupTest, ConfigurationThatCannotBeWrittenEndsTheProgram) {
  const std::u16string missing = in(u"no-such-folder");
  platform::writeTextLines(in(u"ini.ini"), {missing});
  ASSERT_NE(loadEnds(), std::nullopt);
  const std::u16string ini = platform::joinPath(missing, u"Morvanta.ini");
  // The system's reason follows the file, in parentheses.
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(
      desktop.messages[0].starts_with(u"ファイルを作成できません。終了します: " + ini + u" ("));
  EXPECT_TRUE(desktop.messages[0].ends_with(u")"));
  EXPECT_FALSE(platform::folderExists(missing));
}

TEST_F(StartupTest, WorkFolderThatCannotBeMadeEndsTheProgram) {
  platform::writeTextLines(in(u"FTPRCV"), {u"a file in the way"});
  writeIni({u"HOST=A,1"});
  ASSERT_NE(loadEnds(), std::nullopt);
  EXPECT_EQ(desktop.messages, Lines{u"フォルダを作成できません。終了します: " + in(u"FTPRCV")});
}

TEST_F(StartupTest, ProgramFolderGivenButMissingIsMade) {
  testing::TempFolder parent;
  const std::u16string fresh = parent.file(u"fresh");
  forms::RecordingDesktop own;
  MainForm other(factory, own, fresh);
  other.Form_Load();
  EXPECT_TRUE(platform::fileExists(platform::joinPath(fresh, u"Morvanta.ini")));
  EXPECT_TRUE(platform::folderExists(platform::joinPath(fresh, u"FTPWK")));
}

struct SettingCase {
  const char16_t* line;
  const char16_t* key;
  const char16_t* value;
};

TEST(ParseSetting, KeysAndValues) {
  const SettingCase cases[] = {
      {u"text-editor = C:\\Tools\\ed.exe", u"TEXT-EDITOR", u"C:\\Tools\\ed.exe"},
      {u"TEXT-EDITOR=C:\\My Tools .\\ed.exe", u"TEXT-EDITOR", u"C:\\My Tools"},
      {u" host = a,b ", u"HOST", u"a,b"},
      {u"FTP-PASSWORD=pa=ss", u"FTP-PASSWORD", u"pa=ss"},
      {u"FTP-PASSWORD=x.y", u"FTP-PASSWORD", u"x.y"},
      {u"FTP-USERID=", u"FTP-USERID", u""},
      {u"no equals sign", u"", u""},
      {u" = value", u"", u""},
  };
  TxtHdl th;
  for (const auto& c : cases) {
    const app::Setting got = app::parseSetting(th, c.line);
    EXPECT_EQ(got.key, c.key) << platform::toUtf8(c.line);
    EXPECT_EQ(got.value, c.value) << platform::toUtf8(c.line);
  }
  EXPECT_EQ(app::parseSetting(th, std::u16string(40000, u'x') + u"=1").key, u"");
}

TEST_F(StartupTest, EveryKeyReachesItsValue) {
  writeIni({u"TEXT-EDITOR=first", u"text-editor = C:\\My Tools .\\ed.exe", u"VISIBLE=1",
            u"NORMAL-LOG-DEL=YES", u"MAKE-HTM=x", u"UNKNOWN=1", u".HOST=comment,1", u"",
            u"UNISYS-SJIS-PATH=C:\\conv\\", u"UNISYS-SJIS-EXE=u2s.exe", u"SJIS-UNISYS-EXE=s2u.exe",
            u"FTP-USERID=User", u"FTP-PASSWORD=Pw", u"FTP-SEND=YES", u"FTP-SEND-WORK-FILE=prj*work",
            u"COBPLUSEDIT-PATH=C:\\cp.exe", u"HOST=alpha,addr,extra", u"DEBUG=TEXTTIP"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().textEditor, u"C:\\My Tools");
  EXPECT_EQ(pub().sjisConverterPath, u"C:\\conv\\");
  EXPECT_EQ(pub().toSjisExe, u"u2s.exe");
  EXPECT_EQ(pub().toUnisysExe, u"s2u.exe");
  EXPECT_EQ(pub().ftpUserId, u"User");
  EXPECT_EQ(pub().ftpPassword, u"Pw");
  EXPECT_EQ(pub().ftpSendWorkFile, u"PRJ*WORK");
  EXPECT_EQ(pub().cobPlusEditPath, u"C:\\cp.exe");
  EXPECT_EQ(pub().debugFtp, 0);
  ASSERT_EQ(pub().hostCount, 1);
  EXPECT_EQ(pub().hostNames[0], u"alpha");
  EXPECT_EQ(pub().hostAddresses[0], u"addr");
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(form->Frame_SEND[i]->visible()) << i;
}

TEST_F(StartupTest, SendFramesOnlyForExactlyYes) {
  loadWithDefaultIni({u"FTP-SEND=yes"});
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(form->Frame_SEND[i]->visible()) << i;
}

TEST_F(StartupTest, DebugListOnlyForExactlyFtp) {
  loadWithDefaultIni({u"DEBUG=ftp"});
  EXPECT_EQ(pub().debugFtp, 0);
  EXPECT_FALSE(form->List_2200file[0]->visible());
}

TEST_F(StartupTest, DebugFtpShowsTheDebugList) {
  loadWithDefaultIni({u"DEBUG=FTP", u"DEBUG=other"});
  EXPECT_EQ(pub().debugFtp, 1);
  EXPECT_TRUE(form->List_2200file[0]->visible());
}

TEST_F(StartupTest, AtSignEndsTheConfiguration) {
  writeIni({u"FTP-USERID=u", u"@", u"HOST=A,1", u"HOST=broken"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().hostCount, 0);
  EXPECT_EQ(pub().ftpUserId, u"u");
}

TEST_F(StartupTest, HostWithoutAddressIsFatalWithTheLine) {
  expectFatal({u"HOST=alpha"}, u"HOSTパラメタ指定誤りHOST=alpha");
}

TEST_F(StartupTest, HostWithoutNameIsFatalWithTheLine) {
  expectFatal({u"HOST=A,1", u" host = ,10.0.0.1 "}, u"HOSTパラメタ指定誤り host = ,10.0.0.1 ");
}

TEST_F(StartupTest, EleventhHostIsFatal) {
  Lines ini;
  for (int n = 0; n < 11; ++n) ini.push_back(u"HOST=H" + std::u16string(1, u'A' + n) + u",1");
  expectFatal(ini, u"パラメタは10までHOST=HK,1");
  EXPECT_EQ(pub().hostCount, 10);
  EXPECT_EQ(pub().hostNames[9], u"HJ");
}

TEST_F(StartupTest, TenHostsAreFine) {
  Lines ini;
  for (int n = 0; n < 10; ++n) ini.push_back(u"HOST=H" + std::u16string(1, u'A' + n) + u",1");
  writeIni(ini);
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(form->Combo_host[2]->count(), 10);
}

TEST_F(StartupTest, SendWorkFileWithAisOrXisIsFatal) {
  expectFatal({u"FTP-SEND-WORK-FILE=prj*xisfile"},
              u"文字列AISまたはXISを含むファイル名は送信できませんFTP-SEND-WORK-FILE=prj*xisfile");
}

TEST_F(StartupTest, SendWorkFileWithAisIsFatalToo) {
  expectFatal({u"FTP-SEND-WORK-FILE=Q*DAISY"},
              u"文字列AISまたはXISを含むファイル名は送信できませんFTP-SEND-WORK-FILE=Q*DAISY");
}

TEST_F(StartupTest, ConfigurationIsReadInCp932) {
  writeIni({u"TEXT-EDITOR=C:\\ツール\\編集.exe", u"HOST=本番機,192.0.2.5"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().textEditor, u"C:\\ツール\\編集.exe");
  EXPECT_EQ(form->get_host_address(u"本番機"), u"192.0.2.5");
}

TEST_F(StartupTest, ConfigurationSavedAsUtf8IsReadAsUtf8) {
  const std::string lines =
      "TEXT-EDITOR=C:\\\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB\\ed.exe\r\n"  // ツール
      "HOST=\xE9\x96\x8B\xE7\x99\xBA\xE6\xA9\x9F,192.0.2.5\n";            // 開発機
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    platform::writeBinaryFile(in(u"Morvanta.ini"), mark + lines);
    desktop.messages.clear();
    form = std::make_unique<MainForm>(factory, desktop, folder.path());
    ASSERT_EQ(loadEnds(), std::nullopt);
    EXPECT_EQ(pub().textEditor, u"C:\\ツール\\ed.exe") << mark.size();
    EXPECT_EQ(form->get_host_address(u"開発機"), u"192.0.2.5") << mark.size();
    EXPECT_TRUE(desktop.messages.empty()) << mark.size();
  }
}

TEST_F(StartupTest, UndecodableLineIsNamedWithoutThePassword) {
  // CP932 with one stray byte in the host line and one in the password.
  platform::writeBinaryFile(in(u"Morvanta.ini"),
                            "HOST=\x96\x7B\x94\xD4\xFF,192.0.2.5\r\n"  // 本番
                            "FTP-PASSWORD=pa\xFFss\r\nFTP-USERID=u1\r\n");
  // Where others may read the file, that is pointed out too; not the
  // subject here.
  const auto withoutReadableWarning = [&] {
    std::erase_if(desktop.messages, [](const std::u16string& message) {
      return message.starts_with(app::kConfigReadableMessage);
    });
  };
  ASSERT_EQ(loadEnds(), std::nullopt);
  withoutReadableWarning();
  EXPECT_EQ(pub().hostCount, 1);
  EXPECT_EQ(pub().hostNames[0], u"本番\uFFFD");
  EXPECT_EQ(pub().ftpUserId, u"u1");
  EXPECT_EQ(desktop.messages, Lines{app::undecodableLineWarning(in(u"Morvanta.ini"), 1,
                                                                u"HOST=本番\uFFFD,192.0.2.5", 2)});

  platform::writeBinaryFile(in(u"Morvanta.ini"), "HOST=a,b\r\nFTP-PASSWORD=pa\xFFss\r\n");
  desktop.messages.clear();
  form = std::make_unique<MainForm>(factory, desktop, folder.path());
  ASSERT_EQ(loadEnds(), std::nullopt);
  withoutReadableWarning();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].find(u"pa\uFFFDss"), std::u16string::npos);
  EXPECT_NE(desktop.messages[0].find(u"FTP-PASSWORD=****"), std::u16string::npos);
}

TEST_F(StartupTest, RelativeProgramsAreTakenFromTheProgramFolder) {
  const std::u16string s = platform::pathSeparator();
  platform::writeTextLines(in(u"ed-here"), {u"#"});
  struct Case {
    std::u16string value, expected;
  } cases[] = {
      {u"tools" + s + u"ed -n", in(u"tools" + s + u"ed -n")},  // arguments kept
      {u"ed-here", in(u"ed-here")},                            // lies in the program folder
      {u"xdg-open", u"xdg-open"},                              // left for the PATH
      {in(u"abs"), in(u"abs")},
      {u"", u""},
  };
  for (const Case& c : cases) {
    writeIni({u"TEXT-EDITOR=" + c.value, u"COBPLUSEDIT-PATH=" + c.value,
              u"UNISYS-SJIS-PATH=" + c.value});
    form = std::make_unique<MainForm>(factory, desktop, folder.path());
    ASSERT_EQ(loadEnds(), std::nullopt);
    EXPECT_EQ(pub().textEditor, c.expected) << platform::toUtf8(c.value);
    EXPECT_EQ(pub().cobPlusEditPath, c.expected) << platform::toUtf8(c.value);
    EXPECT_EQ(pub().sjisConverterPath, c.expected) << platform::toUtf8(c.value);
  }
  // A converter folder given as a prefix keeps its final separator.
  writeIni({u"UNISYS-SJIS-PATH=conv" + s});
  form = std::make_unique<MainForm>(factory, desktop, folder.path());
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().sjisConverterPath, in(u"conv") + s);
}

TEST_F(StartupTest, UnreadableBulkTableIsAWarningAndTheWindowStarts) {
  ASSERT_TRUE(platform::createFolder(in(u"updatehtm.ini")));  // there, but no file
  writeIni({u"HOST=a,b"});
  ASSERT_EQ(loadEnds(), std::nullopt);
  EXPECT_EQ(pub().bulkCount, 0);
  EXPECT_EQ(form->Combo_host[0]->count(), 1);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].starts_with(u"一括受信設定ファイルを読めません"));
}

}  // namespace
}  // namespace morvanta
