// Receiving, converting, editing and sending one element through the real
// job runner against the simulated host.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/E2eFixture.h"

namespace morvanta::testing {
namespace {

using Lines = std::vector<std::u16string>;

class ElementE2eTest : public E2eFixture {
 protected:
  // Lists `file` in pane i and double-clicks `element`; returns how the
  // receive job ended.
  JobEnd receive(int i, const std::u16string& file, const std::u16string& element) {
    const JobEnd toc = fetchToc(i, file);
    EXPECT_TRUE(toc.ok) << toc.log;
    return doubleClick(i, element);
  }

  JobEnd doubleClick(int i, const std::u16string& element) {
    forms::ListBox& list = *form->List_elt[static_cast<std::size_t>(i)];
    const Lines entries = rows(list);
    const auto at = std::find(entries.begin(), entries.end(), element);
    EXPECT_NE(at, entries.end()) << u8(element) << " is not listed";
    list.setListIndex(static_cast<int>(at - entries.begin()));
    forgetJobLog(u"RECV.BAT");
    form->List_elt_DblClick(i);
    return waitForJob(u"RECV.BAT");
  }

  // Waits until the editor has been started `count` times in all.
  std::vector<std::string> waitForEditor(std::size_t count) {
    EXPECT_TRUE(waitUntil([&] { return editorRuns().size() >= count; }))
        << "the editor was not started";
    return editorRuns();
  }

  std::string readFile(const std::u16string& path) const { return readBytes(path); }
};

TEST_F(ElementE2eTest, ReceiveLandsInTheFilesFolderAndOpensTheEditor) {
  loadAgainstHost();
  const JobEnd end = receive(0, u"PRJ*SRC", u"MAIN/R1");
  ASSERT_TRUE(end.ok) << end.log;
  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());

  const std::u16string rcv = receiveFolder(u"PRJ*SRC");
  EXPECT_TRUE(rcv.ends_with(u"/FTPRCV/PRJ＊SRC")) << u8(rcv);
  const std::u16string received = platform::joinPath(rcv, u"MAIN／R1.txt");
  // The host's text, with the PC's line ends; the CP932 comment intact.
  EXPECT_EQ(readFile(received), hostTextForPc("PRJ*SRC", "MAIN.R1_SYM"));
  EXPECT_EQ(filesIn(rcv), Lines{u"MAIN／R1.txt"}) << "only the element, no temporary file";

  EXPECT_EQ(waitForEditor(1), std::vector<std::string>{"[" + u8(received) + "]"});
  EXPECT_EQ(rows(*form->List_send[0]), Lines{u"MAIN/R1"});
  EXPECT_EQ(form->pub.lastReceivedFile, u"MAIN／R1.txt");
}

TEST_F(ElementE2eTest, ConverterOutputReplacesTheReceivedFileAndIsRemoved) {
  loadAgainstHost({.converter = true});
  const JobEnd end = receive(1, u"PRJ*SRC", u"MAIN/R2");
  ASSERT_TRUE(end.ok) << end.log;

  const std::u16string rcv = receiveFolder(u"PRJ*SRC");
  const std::u16string received = platform::joinPath(rcv, u"MAIN／R2.txt");
  EXPECT_EQ(readFile(received), hostTextForPc("PRJ*SRC", "MAIN.R2_SYM") + kConvertedMark);
  EXPECT_EQ(filesIn(rcv), Lines{u"MAIN／R2.txt"}) << "the O$U$T file is left";
  EXPECT_EQ(converterRuns(),
            std::vector<std::string>{"[" + u8(received) + "][" + u8(rcv) + "/O$U$TMAIN／R2.txt]"});
  // Started only once the converted file was in place.
  EXPECT_EQ(waitForEditor(1), std::vector<std::string>{"[" + u8(received) + "]"});
}

TEST_F(ElementE2eTest, EditedFileSentBackChangesTheHostsElement) {
  loadAgainstHost({.send = true});
  ASSERT_TRUE(receive(0, u"PRJ*SRC", u"MAIN/R1").ok);
  waitForEditor(1);

  // The user edits the received file ...
  const std::u16string received = platform::joinPath(receiveFolder(u"PRJ*SRC"), u"MAIN／R1.txt");
  Lines edited = platform::readTextLines(received);
  ASSERT_FALSE(edited.empty());
  edited.push_back(u"      * 集計条件を変更した");
  platform::writeTextLines(received, edited);

  // ... and double-clicks the element in the pane's send list.
  form->List_send[0]->setListIndex(0);
  desktop.okCancelAnswers.push_back(true);
  forgetJobLog(u"SEND.BAT");
  forgetJobLog(u"CHECK.BAT");
  form->List_send_DblClick(0);
  // The host copy is still the one received: the usual confirmation follows the check.
  ASSERT_TRUE(waitForJob(u"CHECK.BAT").ok);
  EXPECT_EQ(desktop.titles, Lines{u"以下のFTPのSENDを実行してもよいですか？"});
  const JobEnd end = waitForJob(u"SEND.BAT");
  ASSERT_TRUE(end.ok) << end.log;

  const auto onHost = u16(host.elementPath("PRJ*SRC", "MAIN.R1_SYM").string());
  EXPECT_EQ(platform::readTextLines(onHost), edited);
  EXPECT_EQ(host.readElement("PRJ*SRC", "MAIN.R1_SYM").find('\r'), std::string::npos)
      << "the host keeps its own line ends";
  // The other version is untouched.
  EXPECT_EQ(host.readElement("PRJ*SRC", "MAIN.R2_SYM").find("集計条件"), std::string::npos);
}

TEST_F(ElementE2eTest, ShortNameIsReceivedThroughTheUseTableOfARunstream) {
  loadAgainstHost();
  // BUILD binds the use name S to PRJ*SRC.
  ASSERT_TRUE(receive(2, u"PRJ*JCL", u"BUILD").ok);
  waitForEditor(1);
  form->Command_jcl_phase_Click();
  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());

  form->Combo_host_file_elt->setText(kHostName);
  form->Text_file_elt->setText(u" s.calc ");
  forgetJobLog(u"RECV.BAT");
  form->Command_file_elt_Click();
  EXPECT_EQ(form->Text_file_elt->text(), u"PRJ*SRC.CALC");
  const JobEnd end = waitForJob(u"RECV.BAT");
  ASSERT_TRUE(end.ok) << end.log;
  EXPECT_NE(end.log.find("ftp> RECV PRJ*SRC.CALC "), std::string::npos) << end.log;

  const std::u16string received = platform::joinPath(receiveFolder(u"PRJ*SRC"), u"CALC.txt");
  EXPECT_EQ(readFile(received), hostTextForPc("PRJ*SRC", "CALC._SYM"));
  EXPECT_EQ(waitForEditor(2).back(), "[" + u8(received) + "]");
  EXPECT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());
}

TEST_F(ElementE2eTest, MissingElementStartsNoEditorAndLeavesNoFile) {
  loadAgainstHost({.converter = true});
  ASSERT_TRUE(fetchToc(0, u"PRJ*SRC").ok);
  // Gone from the host between the TOC and the double click.
  std::filesystem::remove(host.elementPath("PRJ*SRC", "UTIL._SYM"));

  const JobEnd end = doubleClick(0, u"UTIL");
  ASSERT_TRUE(end.finished);
  EXPECT_FALSE(end.ok);
  EXPECT_NE(end.log.find("line 1 failed"), std::string::npos) << end.log;
  EXPECT_NE(end.log.find("missing"), std::string::npos) << end.log;
  EXPECT_EQ(end.log.find(host.password()), std::string::npos) << "the log shows the password";

  EXPECT_EQ(filesIn(receiveFolder(u"PRJ*SRC")), Lines{});
  EXPECT_TRUE(converterRuns().empty());
  // The job stopped at its FTP line, before the line that starts the editor.
  EXPECT_TRUE(editorRuns().empty());
}

}  // namespace
}  // namespace morvanta::testing
