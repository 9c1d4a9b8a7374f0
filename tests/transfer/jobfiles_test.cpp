// The job pairs, compared byte for byte with golden files in which "\"
// stands for the path separator and {ROOT} for the work root.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/JobValueCheck.h"
#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::transfer {
namespace {

using platform::joinPath;

// A path written with "\" in the test, with this system's separator.
std::u16string native(std::u16string text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c == u'\\')
      out += platform::pathSeparator();
    else
      out += c;
  }
  return out;
}

class JobFilesTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    loadWithDefaultIni();
    root = form->pub.workRoot;
  }

  std::u16string rootPath(const std::u16string& rest) const { return root + native(rest); }

  // The golden file as the bytes the job file must have on this system.
  std::string golden(const std::string& name) const {
    std::ifstream in(std::string(MORVANTA_TEST_DATA) + "/jobs/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string text = native(platform::fromCp932(bytes));
    const std::u16string token = u"{ROOT}";
    for (auto at = text.find(token); at != std::u16string::npos; at = text.find(token, at)) {
      text.replace(at, token.size(), root);
      at += root.size();
    }
    return platform::toCp932(text);
  }

  void expectPair(const std::u16string& batch, const std::string& batchGolden,
                  const std::u16string& script, const std::string& scriptGolden) {
    EXPECT_EQ(readBytes(workFile(batch)), golden(batchGolden)) << batchGolden;
    EXPECT_EQ(readBytes(workFile(script)), golden(scriptGolden)) << scriptGolden;
    EXPECT_EQ(form->pub.batchFileName, batch);
    EXPECT_EQ(form->pub.ftpScriptName, script);
  }

  void configureConverters() {
    form->pub.sjisConverterPath = native(u"C:\\Conv Tools\\");
    form->pub.toSjisExe = u"U2S.EXE";
    form->pub.toUnisysExe = u"S2U.EXE";
  }

  jobfiles::ReceiveJob receiveJob() const {
    return {u"192.0.2.1", u"PRJ*SRC.MAIN/R1", rootPath(u"\\FTPRCV\\PRJ＊SRC"), u"MAIN／R1.txt"};
  }
  jobfiles::SendJob sendJob() const {
    return {u"192.0.2.1", rootPath(u"\\FTPRCV\\PRJ＊SRC"), u"MAIN／R1.txt", u"MAIN.R1_SYM",
            u"PRJ*WORK.MAIN/R1"};
  }
  jobfiles::BulkJob bulkJob(const std::u16string& outf) const {
    jobfiles::BulkJob job{u"192.0.2.1", u"PRJ*JCL", {u"MAIN.R1", u"BUILD"}, {}};
    job.row = {u"PRJ*JCL", u"RUNSTREAM", u"P01", rootPath(u"\\My Src"), outf};
    return job;
  }

  std::u16string root;
};

TEST_F(JobFilesTest, TocPairOfPaneTwoListsWithTheChosenCommand) {
  struct Case {
    std::int16_t mdirMode;
    std::string script;
  };
  for (const Case& c : {Case{1, "toc_pane2_mdir.txt"}, Case{0, "toc_pane2_mls.txt"}}) {
    ASSERT_TRUE(jobfiles::writeTocJob(*form, {2, u"192.0.2.2", u"prj*src", c.mdirMode}));
    expectPair(u"TOC.BAT", "toc.bat", u"TOC.TXT", c.script);
  }
}

TEST_F(JobFilesTest, TocRequestDeletesOnlyItsOwnPanesOldResult) {
  for (int pane = 0; pane < 3; ++pane) {
    platform::writeTextLines(workFile(jobfiles::tocResultName(pane)), {u"old"});
  }
  ASSERT_TRUE(jobfiles::writeTocJob(*form, {2, u"192.0.2.2", u"prj*src", 1}));
  EXPECT_TRUE(platform::fileExists(workFile(u"0TOC-RSLT.TXT")));
  EXPECT_TRUE(platform::fileExists(workFile(u"1TOC-RSLT.TXT")));
  EXPECT_FALSE(platform::fileExists(workFile(u"2TOC-RSLT.TXT")));
}

TEST_F(JobFilesTest, ReceivePairWithAndWithoutConversion) {
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, receiveJob()));
  expectPair(u"RECV.BAT", "recv.bat", u"RECV.TXT", "recv.txt");

  configureConverters();
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, receiveJob()));
  expectPair(u"RECV.BAT", "recv_conv.bat", u"RECV.TXT", "recv.txt");
}

TEST_F(JobFilesTest, ConversionNeedsBothThePathAndTheProgram) {
  struct Case {
    std::u16string path, exe;
  };
  for (const Case& c : {Case{u"C:\\CONV\\", u""}, Case{u"", u"U2S.EXE"}}) {
    form->pub.sjisConverterPath = c.path;
    form->pub.toSjisExe = c.exe;
    form->pub.toUnisysExe = c.exe;
    ASSERT_TRUE(jobfiles::writeReceiveJob(*form, receiveJob()));
    EXPECT_EQ(readLines(workFile(u"RECV.BAT")).size(), 2u);
    ASSERT_TRUE(jobfiles::writeSendJob(*form, sendJob()));
    EXPECT_EQ(readLines(workFile(u"SEND.BAT")).size(), 1u);
  }
}

TEST_F(JobFilesTest, SendPairWithAndWithoutConversion) {
  ASSERT_TRUE(jobfiles::writeSendJob(*form, sendJob()));
  expectPair(u"SEND.BAT", "send.bat", u"SEND.TXT", "send.txt");

  configureConverters();
  ASSERT_TRUE(jobfiles::writeSendJob(*form, sendJob()));
  expectPair(u"SEND.BAT", "send_conv.bat", u"SEND.TXT", "send.txt");
  EXPECT_EQ(jobfiles::sendScriptLine(sendJob()), readLines(workFile(u"SEND.TXT"))[3]);
}

TEST_F(JobFilesTest, BulkPairWithConversionAndToolOrNeither) {
  form->pub.cobPlusEditPath = native(u"C:\\Tools\\cpe.exe");
  ASSERT_TRUE(jobfiles::writeBulkJob(*form, bulkJob(u"NONE")));
  expectPair(u"RECVAUTO.BAT", "bulk_none.bat", u"RECVAUTO.TXT", "bulk.txt");

  configureConverters();
  ASSERT_TRUE(jobfiles::writeBulkJob(*form, bulkJob(native(u"D:\\html"))));
  expectPair(u"RECVAUTO.BAT", "bulk_conv_tool.bat", u"RECVAUTO.TXT", "bulk.txt");
}

TEST_F(JobFilesTest, BulkToolLineKeepsAnEmptyOutputFolder) {
  ASSERT_TRUE(jobfiles::writeBulkJob(*form, bulkJob(u"")));
  const auto batch = readLines(workFile(u"RECVAUTO.BAT"));
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_NE(batch[1].find(u"]\u3000 OUTF:[] PROJECT:[P01]"), std::u16string::npos);
}

TEST_F(JobFilesTest, EmptyLoginStillWritesBothLoginLines) {
  form->pub.ftpUserId.clear();
  form->pub.ftpPassword.clear();
  ASSERT_TRUE(jobfiles::writeTocJob(*form, {0, u"192.0.2.1", u"A*B", 1}));
  const auto script = readLines(workFile(u"TOC.TXT"));
  ASSERT_EQ(script.size(), 6u);
  EXPECT_EQ(script[1], u"");
  EXPECT_EQ(script[2], u"");
}

TEST_F(JobFilesTest, StartJobStartsTheBatchFileWrittenLast) {
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, receiveJob()));
  jobfiles::startJob(*form, {jobs::JobKind::Receive, 0, u"PRJ*SRC.MAIN/R1"});
  ASSERT_EQ(desktop.startedBatches.size(), 1u);
  EXPECT_EQ(desktop.startedBatches[0], workFile(u"RECV.BAT"));
}

TEST_F(JobFilesTest, PairHeldByARunningJobIsWrittenUnchangedWhenItsTurnComes) {
  desktop.holdBatches = true;
  jobfiles::ReceiveJob first = receiveJob();
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, first));
  const int firstId = jobfiles::startJob(*form, {jobs::JobKind::Receive, 0, first.remoteName});
  const auto firstScript = readLines(workFile(u"RECV.TXT"));

  jobfiles::ReceiveJob second = receiveJob();
  second.remoteName = u"PRJ*SRC.CALC";
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, second));
  EXPECT_EQ(readLines(workFile(u"RECV.TXT")), firstScript) << "the running job's script changed";
  const int secondId = jobfiles::startJob(*form, {jobs::JobKind::Receive, 0, second.remoteName});
  EXPECT_EQ(form->jobs.find(secondId)->state, jobs::JobState::Queued);
  EXPECT_EQ(desktop.startedBatches.size(), 1u);

  desktop.endHeldBatches();
  form->Jobs_Tick();
  EXPECT_EQ(form->jobs.find(firstId)->state, jobs::JobState::Failed) << "no status: no outcome";
  EXPECT_EQ(form->jobs.find(secondId)->state, jobs::JobState::Running);
  EXPECT_EQ(desktop.startedBatches.size(), 2u);
  // Byte for byte what an unhindered writer makes of the same values.
  const jobfiles::JobPair expected =
      jobfiles::receiveJobLines(form->pub, form->FOLDER_NAME(u"WK", u""), second);
  EXPECT_EQ(readLines(workFile(u"RECV.TXT")), expected.script);
  EXPECT_EQ(readLines(workFile(u"RECV.BAT")), expected.batch);
}

// --- Values that would break a job line --------------------------------------

TEST(JobValueCheck, RefusesLineBreaksEverywhereAndInterpreterCharactersInBatchLines) {
  struct Case {
    std::u16string value;
    app::JobValueUse use;
    char16_t refused;
  };
  const Case cases[] = {
      {u"C:\\Program Files\\ed.exe", app::JobValueUse::Batch, 0},
      {u"pass&word%1", app::JobValueUse::Script, 0},
      {u"a\rb", app::JobValueUse::Script, u'\r'},
      {u"a\nb", app::JobValueUse::Batch, u'\n'},
      {u"ed.exe & del x", app::JobValueUse::Batch, u'&'},
      {u"a|b", app::JobValueUse::Batch, u'|'},
      {u"a<b", app::JobValueUse::Batch, u'<'},
      {u"a>b", app::JobValueUse::Batch, u'>'},
      {u"a^b", app::JobValueUse::Batch, u'^'},
      {u"%TEMP%", app::JobValueUse::Batch, u'%'},
      {u"\"x\"", app::JobValueUse::Batch, u'"'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::unsafeCharacter(c.value, c.use), c.refused) << platform::toUtf8(c.value);
  }
}

TEST(JobValueCheck, NamesTheValueAndTheCharacter) {
  const std::u16string editor = u"ed.exe & del x";
  const std::u16string password = u"pa\nss";
  const std::u16string emoji = u"ed\U0001F600.exe";
  EXPECT_EQ(app::checkJobValues({{u"TEXT-EDITOR", &editor, app::JobValueUse::Batch}}),
            u"使用できない文字が含まれています: TEXT-EDITOR (&)");
  EXPECT_EQ(app::checkJobValues({{u"FTP-PASSWORD", &password, app::JobValueUse::Script}}),
            u"使用できない文字が含まれています: FTP-PASSWORD (改行)");
  EXPECT_EQ(app::checkJobValues({{u"TEXT-EDITOR", &emoji, app::JobValueUse::Script}}),
            u"使用できない文字が含まれています: TEXT-EDITOR (\U0001F600)");
  EXPECT_EQ(app::checkJobValues({{u"TEXT-EDITOR", &password, app::JobValueUse::Batch},
                                 {u"X", &editor, app::JobValueUse::Batch}}),
            u"使用できない文字が含まれています: TEXT-EDITOR (改行)");
}

TEST_F(JobFilesTest, RefusedValueChangesNoJobFile) {
  // A pair from an earlier job of each kind stays exactly as it was.
  const std::u16string names[] = {u"TOC.BAT",  u"TOC.TXT",  u"RECV.BAT",     u"RECV.TXT",
                                  u"SEND.BAT", u"SEND.TXT", u"RECVAUTO.BAT", u"RECVAUTO.TXT"};
  for (const auto& name : names) platform::writeTextLines(workFile(name), {u"earlier"});
  platform::writeTextLines(workFile(u"1TOC-RSLT.TXT"), {u"earlier"});
  form->pub.batchFileName = u"EARLIER.BAT";
  const Module_pub clean = form->pub;

  struct Case {
    std::string what;
    std::function<bool()> write;
  };
  const Case cases[] = {
      {"password with a line break",
       [&] {
         form->pub.ftpPassword = u"SECRET1\r\nbye";
         return jobfiles::writeTocJob(*form, {1, u"192.0.2.1", u"A*B", 1});
       }},
      {"editor chaining a command",
       [&] {
         form->pub.textEditor = u"editor.exe & del *.*";
         return jobfiles::writeReceiveJob(*form, receiveJob());
       }},
      {"converter reading a variable",
       [&] {
         configureConverters();
         form->pub.toUnisysExe = u"%COMSPEC%";
         return jobfiles::writeSendJob(*form, sendJob());
       }},
      {"project redirecting output",
       [&] {
         auto job = bulkJob(u"OUT");
         job.row.project = u"P>x";
         return jobfiles::writeBulkJob(*form, job);
       }},
      {"element name with a quote",
       [&] {
         auto job = receiveJob();
         job.pcElement = u"A\".txt";
         return jobfiles::writeReceiveJob(*form, job);
       }},
  };
  for (const Case& c : cases) {
    const std::size_t shown = desktop.messages.size();
    EXPECT_FALSE(c.write()) << c.what;
    ASSERT_EQ(desktop.messages.size(), shown + 1) << c.what;
    EXPECT_EQ(desktop.messages.back().rfind(app::kUnsafeValueMessage, 0), 0u) << c.what;
    for (const auto& name : names) {
      EXPECT_EQ(readLines(workFile(name)), std::vector<std::u16string>{u"earlier"}) << c.what;
    }
    EXPECT_TRUE(platform::fileExists(workFile(u"1TOC-RSLT.TXT"))) << c.what;
    EXPECT_EQ(form->pub.batchFileName, u"EARLIER.BAT") << c.what;
    form->pub = clean;
  }
}

TEST_F(JobFilesTest, InterpreterCharactersOnlyInTheScriptAreWritten) {
  // The password never reaches the command interpreter.
  form->pub.ftpPassword = u"a&b%c\"d";
  ASSERT_TRUE(jobfiles::writeReceiveJob(*form, receiveJob()));
  EXPECT_EQ(readLines(workFile(u"RECV.TXT"))[2], u"a&b%c\"d");
}

TEST_F(JobFilesTest, UnwritableWorkFolderIsToldAndReportsFailure) {
  form->pub.workRoot = rootPath(u"\\missing");
  EXPECT_FALSE(jobfiles::writeTocJob(*form, {0, u"192.0.2.1", u"A*B", 1}));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].rfind(jobfiles::kJobWriteFailedMessage, 0), 0u);
}

}  // namespace
}  // namespace morvanta::transfer
