#include "app/Config.h"

#include <stdexcept>

#include "app/FailureText.h"
#include "app/Fatal.h"
#include "app/MainForm.h"
#include "app/ProgramFolder.h"
#include "app/SettingsFile.h"
#include "app/ShellMessages.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

namespace morvanta::app {

namespace {

// The pointer file moves both the configuration file and the work folders.
void readPointerFile(MainForm& form) {
  Module_pub& pub = form.pub;
  const std::u16string pointerPath = platform::joinPath(pub.appFolder, pub.iniPointerName);
  if (!platform::fileExists(pointerPath)) {
    pub.iniPath = platform::joinPath(pub.appFolder, kConfigFileName);
    pub.workRoot = pub.appFolder;
    return;
  }
  std::vector<std::u16string> lines;
  try {
    lines = platform::readTextLines(pointerPath);
  } catch (const platform::FileError& e) {
    endWithMessage(form.desktop, withReason(kCannotReadMessage + pointerPath, e));
  }
  const std::u16string folder = lines.empty() ? std::u16string() : text::trimBlanks(lines.front());
  if (folder.empty()) endWithMessage(form.desktop, kEmptyPointerMessage + pointerPath);
  // The process keeps its own current directory, so a relative folder is
  // taken from the program folder, where the pointer file lies.
  const std::u16string root = resolveFolder(pub.appFolder, folder);
  pub.iniPath = platform::joinPath(root, kConfigFileName);
  pub.workRoot = root;
}

[[noreturn]] void configError(MainForm& form, const char16_t* message, const std::u16string& line) {
  endWithMessage(form.desktop, message + line);
}

void addHost(MainForm& form, const std::u16string& value, const std::u16string& line) {
  Module_pub& pub = form.pub;
  if (pub.hostCount >= Module_pub::kMaxHosts) configError(form, kTooManyHostsMessage, line);
  const std::u16string text = value + u",";
  std::int16_t pos = 1;
  const std::u16string name = form.txtHdl.Text_pick(text, u",", pos);
  const std::u16string address = form.txtHdl.Text_pick(text, u",", pos);
  if (name.empty() || address.empty()) configError(form, kBadHostMessage, line);
  const auto at = static_cast<std::size_t>(pub.hostCount);
  pub.hostNames[at] = name;
  pub.hostAddresses[at] = address;
  ++pub.hostCount;
}

void applySetting(MainForm& form, const Setting& setting, const std::u16string& line) {
  Module_pub& pub = form.pub;
  const std::u16string& key = setting.key;
  const std::u16string& value = setting.value;
  if (key == u"TEXT-EDITOR") {
    pub.textEditor = value;
  } else if (key == u"UNISYS-SJIS-PATH") {
    pub.sjisConverterPath = value;
  } else if (key == u"UNISYS-SJIS-EXE") {
    pub.toSjisExe = value;
  } else if (key == u"SJIS-UNISYS-EXE") {
    pub.toUnisysExe = value;
  } else if (key == u"HOST") {
    addHost(form, value, line);
  } else if (key == u"FTP-USERID") {
    pub.ftpUserId = value;
  } else if (key == u"FTP-PASSWORD") {
    pub.ftpPassword = value;
  } else if (key == u"FTP-PASSWORD-KEYRING") {
    pub.passwordInKeyring = text::upperAscii(value) == u"YES";
  } else if (key == u"FTP-SEND") {
    pub.ftpSend = value;
  } else if (key == u"FTP-SEND-WORK-FILE") {
    // The host refuses to take sends into such files.
    const std::u16string file = text::upperAscii(value);
    if (file.find(u"XIS") != std::u16string::npos || file.find(u"AIS") != std::u16string::npos) {
      configError(form, kAisXisMessage, line);
    }
    pub.ftpSendWorkFile = file;
  } else if (key == u"DEBUG") {
    if (value == u"FTP") pub.debugFtp = 1;
  } else if (key == u"COBPLUSEDIT-PATH") {
    pub.cobPlusEditPath = value;
  } else if (key == u"DIFF-TOOL") {
    pub.diffTool = value;
  }
  // VISIBLE, NORMAL-LOG-DEL, MAKE-HTM and unknown keys are accepted and unused.
}

// Jobs run with whatever current folder the program was started in; the
// programs they start are named as if the program folder were current.
void resolveProgramPaths(Module_pub& pub) {
  for (std::u16string* value :
       {&pub.textEditor, &pub.sjisConverterPath, &pub.cobPlusEditPath, &pub.diffTool}) {
    *value = resolveProgram(pub.appFolder, *value);
  }
}

// A line as a warning may show it: never the password.
std::u16string shownLine(const MainForm& form, const std::u16string& line) {
  const Setting setting = parseSetting(form.txtHdl, line);
  if (setting.key != u"FTP-PASSWORD") return line;
  return line.substr(0, line.find(u'=') + 1) + u"****";
}

}  // namespace

std::vector<std::u16string> configTemplate() {
  return {u"TEXT-EDITOR=" + platform::defaultTextEditor(), u"HOST=SAMPLE-HOST1,192.0.2.11",
          u"HOST=SAMPLE-HOST2,192.0.2.12", u"FTP-USERID=userid", u"FTP-PASSWORD=changeme"};
}

Setting parseSetting(const TxtHdl& txtHdl, const std::u16string& line) {
  const std::u16string text = line + u" .";
  std::int16_t pos = 1;
  Setting setting;
  try {
    setting.key = text::upperAscii(text::trimBlanks(txtHdl.Text_pick(text, u"=", pos)));
    if (setting.key.empty()) return setting;
    setting.value = text::trimBlanks(txtHdl.Text_pick(text, u" .", pos));
  } catch (const std::overflow_error&) {
    // A line longer than a text position can count is no setting: ignored
    // like any other line without a usable key.
    return Setting{};
  }
  return setting;
}

bool get_option(MainForm& form) {
  Module_pub& pub = form.pub;
  readPointerFile(form);

  const bool firstStart = !platform::fileExists(pub.iniPath);
  if (firstStart) {
    try {
      // The user fills in the password here.
      platform::writeTextLines(pub.iniPath, configTemplate(), platform::FileAccess::OwnerOnly);
    } catch (const platform::FileError& e) {
      endWithMessage(form.desktop, withReason(kCannotCreateFileMessage + pub.iniPath, e));
    }
  }
  std::vector<std::u16string> lines;
  try {
    lines = readSettingsFile(form.desktop, pub.iniPath,
                             [&form](const std::u16string& line) { return shownLine(form, line); });
  } catch (const platform::FileError& e) {
    endWithMessage(form.desktop, withReason(kCannotReadMessage + pub.iniPath, e));
  }

  pub.ftpSendWorkFile.clear();
  pub.debugFtp = 0;
  // Every start lists with "mdir", whatever the box showed before.
  form.mdirMode = 0;
  form.Check_mdir->setChecked(true);
  form.mdirMode = 1;

  for (const std::u16string& line : lines) {
    if (line.empty() || line.front() == u'.') continue;
    if (line.front() == u'@') break;
    const Setting setting = parseSetting(form.txtHdl, line);
    if (!setting.key.empty()) applySetting(form, setting, line);
  }
  resolveProgramPaths(pub);
  return firstStart;
}

}  // namespace morvanta::app
