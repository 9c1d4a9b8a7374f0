#include "e2e/E2eFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "support/TestFiles.h"
#include "transfer/Baseline.h"

namespace morvanta::testing {

namespace fs = std::filesystem;

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(20);

// Each stand-in appends one line per run to its log beside itself: its
// arguments, each in brackets. One write per line, so a reader never sees
// half of one.
constexpr char kRecordRun[] =
    "record() {\n"
    "  log=\"$(dirname \"$0\")/$1\"; shift\n"
    "  line=$(printf '[%s]' \"$@\")\n"
    "  printf '%s\\n' \"$line\" >> \"$log\"\n"
    "}\n";

const std::string kEditorScript =
    std::string("#!/bin/sh\n") + kRecordRun + "record editor.log \"$@\"\n";

// The code converter's command line is "IN  OUT": it writes IN, marked, to OUT.
const std::string kConverterScript =
    std::string("#!/bin/sh\n") + kRecordRun +
    "[ $# -eq 2 ] || exit 2\n"
    "{ cat \"$1\" && printf '      * CONVERTED\\r\\n'; } > \"$2\" || exit 1\n"
    "record converter.log \"$@\"\n";

const std::string kToolScript =
    std::string("#!/bin/sh\n") + kRecordRun + "record tool.log \"$@\"\n";

void writeProgram(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec,
                  fs::perm_options::replace);
}

std::vector<std::string> runsIn(const fs::path& log) {
  std::vector<std::string> runs;
  std::istringstream in(readBytes(log));
  for (std::string line; std::getline(in, line);) runs.push_back(line);
  return runs;
}

// A login of the test's own, so a log that showed the password would be seen.
test::HostSimOptions withTestLogin(test::HostSimOptions options) {
  options.user = "e2euser";
  options.password = "Pw-e2e-7341";
  return options;
}

}  // namespace

std::string withCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

E2eFixture::E2eFixture() : E2eFixture(test::HostSimOptions{}) {}

E2eFixture::E2eFixture(test::HostSimOptions hostOptions) : host(withTestLogin(hostOptions)) {
  desktop.startForReal = true;
  // The host dates its elements by the real clock; the listing's year is
  // read against the form's clock, so both must agree.
  desktop.clock = platform::now();
  const fs::path tools(toolsFolder());
  fs::create_directories(tools);
  writeProgram(tools / "editor.sh", kEditorScript);
  writeProgram(tools / "tosjis.sh", kConverterScript);
  writeProgram(tools / "tool.sh", kToolScript);
}

void E2eFixture::loadAgainstHost(const E2eSetup& setup) {
  // "open ADDR PORT": the job writer copies the host's address as it stands.
  std::vector<std::u16string> lines = {
      u"TEXT-EDITOR=" + editorProgram(),
      u"HOST=" + std::u16string(kHostName) + u",127.0.0.1 " + u16(std::to_string(host.port())),
      u"FTP-USERID=" + u16(host.user()),
      setup.keyring ? u"FTP-PASSWORD-KEYRING=YES" : u"FTP-PASSWORD=" + u16(host.password())};
  if (setup.converter) {
    lines.push_back(u"UNISYS-SJIS-PATH=" + toolsFolder() + platform::pathSeparator());
    lines.push_back(u"UNISYS-SJIS-EXE=tosjis.sh");
  }
  if (setup.tool) lines.push_back(u"COBPLUSEDIT-PATH=" + toolProgram());
  if (setup.send) lines.push_back(u"FTP-SEND=YES");
  writeIni(lines);
  if (!setup.bulkRows.empty()) {
    platform::writeTextLines(folder.file(u"updatehtm.ini"), setup.bulkRows);
  }
  load();
  ASSERT_TRUE(desktop.messages.empty()) << u8(desktop.messages.front());
}

bool E2eFixture::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}

bool E2eFixture::waitForFile(const std::u16string& path, std::chrono::milliseconds limit) {
  return waitUntil([&] { return platform::fileExists(path); }, limit);
}

std::u16string E2eFixture::jobLog(const std::u16string& batchName) const {
  return workFile(batchName) + u".log";
}

void E2eFixture::forgetJobLog(const std::u16string& batchName) const {
  platform::deleteFile(jobLog(batchName));
}

JobEnd E2eFixture::waitForJob(const std::u16string& batchName) const {
  const fs::path log(jobLog(batchName));
  JobEnd end;
  // The runner's last words: "--- BATCH done" or a "*** ..." failure report.
  const std::string doneLine = " done\n";
  const bool ended = waitUntil([&] {
    end.log = testing::readBytes(log);
    end.ok = end.log.find("--- ") != std::string::npos && end.log.size() >= doneLine.size() &&
             end.log.compare(end.log.size() - doneLine.size(), doneLine.size(), doneLine) == 0;
    const bool failed = end.log.find("*** ") != std::string::npos && end.log.back() == '\n';
    return end.ok || failed;
  });
  end.finished = ended;
  EXPECT_TRUE(ended) << u8(batchName) << " did not end in time; its log so far:\n" << end.log;
  // The queue lets the next job with these names start only once it has
  // seen this one end, as the window's 100 ms tick would.
  const std::u16string batch = platform::joinPath(form->FOLDER_NAME(u"WK", u""), batchName);
  EXPECT_TRUE(waitUntil([&] {
    form->Jobs_Tick();
    return !form->jobs.holds(batch);
  })) << u8(batchName)
      << " is still a running job";
  return end;
}

JobEnd E2eFixture::fetchToc(int i, const std::u16string& file, bool withDates) {
  const auto pane = static_cast<std::size_t>(i);
  if (form->Check_mdir->checked() != withDates) {
    form->Check_mdir->setChecked(withDates);
    form->Check_mdir_Click();
  }
  form->Combo_host[pane]->setText(kHostName);
  form->Text_2200file[pane]->setText(file);
  forgetJobLog(u"TOC.BAT");
  form->Command_toc_Click(i);
  EXPECT_TRUE(form->Timer1[pane]->enabled()) << "the TOC request did not start";
  const JobEnd end = waitForJob(u"TOC.BAT");
  tickUntilIdle(i);
  return end;
}

void E2eFixture::tickUntilIdle(int i) {
  const auto pane = static_cast<std::size_t>(i);
  waitUntil([&] {
    form->Jobs_Tick();
    return form->jobs.unfinished(jobs::JobKind::Toc, i) == nullptr;
  });
  for (int tick = 0; tick < 20 && form->Timer1[pane]->enabled(); ++tick) form->Timer1_Timer(i);
  EXPECT_FALSE(form->Timer1[pane]->enabled()) << "the poll of pane " << i << " did not end";
}

std::vector<std::string> E2eFixture::editorRuns() const {
  return runsIn(fs::path(toolsFolder()) / "editor.log");
}

std::vector<std::string> E2eFixture::converterRuns() const {
  return runsIn(fs::path(toolsFolder()) / "converter.log");
}

std::vector<std::string> E2eFixture::toolRuns() const {
  return runsIn(fs::path(toolsFolder()) / "tool.log");
}

std::u16string E2eFixture::toolsFolder() const {
  return folder.file(u"tools");
}

std::u16string E2eFixture::editorProgram() const {
  return platform::joinPath(toolsFolder(), u"editor.sh");
}

std::u16string E2eFixture::toolProgram() const {
  return platform::joinPath(toolsFolder(), u"tool.sh");
}

std::u16string E2eFixture::receiveFolder(const std::u16string& qualFile) {
  return form->FOLDER_NAME(u"RCV", form->cls2200.U2200FileName_to_PcName(qualFile));
}

std::vector<std::u16string> E2eFixture::filesIn(const std::u16string& folder) {
  if (!platform::folderExists(folder)) return {};
  std::vector<std::u16string> names = platform::listFiles(folder);
  // The receive record belongs beside the elements; tests look past it.
  std::erase(names, std::u16string(transfer::kBaselineFileName));
  return names;
}

std::string E2eFixture::hostTextForPc(const std::string& qualFile,
                                      const std::string& ftpName) const {
  return withCrLf(host.readElement(qualFile, ftpName));
}

std::vector<std::u16string> E2eFixture::rows(const forms::ListBox& list) {
  std::vector<std::u16string> out;
  for (int r = 0; r < list.count(); ++r) out.push_back(list.item(r));
  return out;
}

platform::DateTime E2eFixture::localTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace morvanta::testing
