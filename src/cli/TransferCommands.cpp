// get and put: one element from the host into FTPRCV (and to a file of the
// caller's), and a file back to the host as an element.

#include <filesystem>
#include <system_error>

#include "app/FailureText.h"
#include "app/MainForm.h"
#include "app/ProgramFolder.h"
#include "cli/Commands.h"
#include "cli/Session.h"
#include "platform/Platform.h"
#include "text/TextRules.h"
#include "transfer/ReceiveJobRun.h"
#include "transfer/SendElement.h"

namespace morvanta::cli {

namespace {

// Told when put is asked for while the configuration does not enable sending.
constexpr char16_t kSendNotEnabledMessage[] =
    u"送信は設定されていません（Morvanta.ini に FTP-SEND=YES がありません）";
// Told when put names no qual*file.elt; the name follows.
constexpr char16_t kNotElementNameMessage[] = u"qual*file.elt形式で指定してください: ";
// Told when a file cannot be copied where it is asked for; the path follows.
constexpr char16_t kCopyFailedMessage[] = u"コピーできません: ";
// Told when put ends without sending; the element follows.
constexpr char16_t kNotSentMessage[] = u"送信しませんでした: ";
// Added to it when the check's question was answered Cancel.
constexpr char16_t kForceHint[] = u"。--force を付けると上書きして送信します";

// The upload itself; the check before it and the listing after it are not.
constexpr char16_t kSendBatchName[] = u"SEND.BAT";

// Replaced in one step: a copy that fails leaves the old file whole. The
// failure names the file and the system's reason.
bool copyTold(ConsoleDesktop& desktop, const std::u16string& from, const std::u16string& to) {
  try {
    platform::copyFileOrThrow(from, to);
    return true;
  } catch (const platform::FileError& e) {
    desktop.msgBox(app::withReason(kCopyFailedMessage + to, e));
    return false;
  }
}

std::u16string fromCurrentFolder(const std::u16string& path) {
  return app::resolveFolder(platform::currentFolder(), path);
}

bool sameFile(const std::u16string& a, const std::u16string& b) {
  std::error_code error;
  return std::filesystem::equivalent(std::filesystem::path(a), std::filesystem::path(b), error);
}

struct ElementName {
  std::u16string file;     // qual*file
  std::u16string element;  // ELT or ELT/VER
};

// "qual*file.elt[/ver]" upper-cased, as the typed receive reads it.
std::optional<ElementName> splitElementName(const std::u16string& text) {
  const std::u16string name = text::upperAscii(text::trimBlanks(text));
  const auto period = name.find(u'.');
  if (period == std::u16string::npos || period + 1 == name.size()) return std::nullopt;
  ElementName parts{name.substr(0, period), name.substr(period + 1)};
  if (parts.file.find(u'*') == std::u16string::npos || parts.file.front() == u'*' ||
      parts.file.back() == u'*' || parts.element.find(u' ') != std::u16string::npos) {
    return std::nullopt;
  }
  return parts;
}

// A put is judged by its upload. Without one nothing was sent, however well
// the check before it went, and the caller must not take it for a success.
int sendOutcome(Session& session, const std::u16string& target) {
  ConsoleDesktop& desktop = session.desktop();
  if (desktop.lastJobOf(kSendBatchName)) return session.jobOutcome(kSendBatchName);
  // Refused before the check: the refusal was told.
  if (desktop.jobsRun() == 0) return kExitRefused;
  // The check's own failure tells the runner's reason.
  session.jobOutcome();
  const auto& cancelled = desktop.cancelledQuestions();
  const std::u16string why = cancelled.empty() ? u"" : cancelled.back() + kForceHint;
  desktop.tell(kNotSentMessage + target + (why.empty() ? u"" : u" (" + why + u")"));
  return kExitFailed;
}

}  // namespace

int runGet(Session& session, const CliOptions& options) {
  MainForm& form = session.form();
  form.Combo_host_file_elt->setText(session.hostName(options));
  form.Text_file_elt->setText(options.operands[0]);
  form.Command_file_elt_Click();
  if (const int status = session.jobOutcome(); status != kExitDone) return status;

  std::u16string path = platform::joinPath(form.pub.lastReceivedFolder, form.pub.lastReceivedFile);
  if (options.output) {
    const std::u16string copy = fromCurrentFolder(*options.output);
    if (!copyTold(session.desktop(), path, copy)) return kExitFailed;
    path = copy;
  }
  session.out() << platform::toUtf8(path) << "\n";
  return kExitDone;
}

int runPut(Session& session, const CliOptions& options) {
  MainForm& form = session.form();
  ConsoleDesktop& desktop = session.desktop();
  if (form.pub.ftpSend != u"YES") {
    desktop.msgBox(kSendNotEnabledMessage);
    return kExitRefused;
  }
  const std::u16string source = fromCurrentFolder(options.operands[0]);
  const std::optional<ElementName> name = splitElementName(options.operands[1]);
  if (!name) {
    desktop.msgBox(kNotElementNameMessage + options.operands[1]);
    return kExitRefused;
  }
  if (!platform::fileExists(source)) {
    desktop.msgBox(transfer::kNoSendFileMessage + source);
    return kExitRefused;
  }

  // The send reads the element's file in FTPRCV, where get put it; a file
  // from elsewhere takes that place first, so FTPRCV holds what was sent.
  const transfer::ReceiveTarget place = transfer::receiveTarget(form, name->file, name->element);
  const std::u16string placed = platform::joinPath(place.folder, place.pcElement);
  if (!sameFile(source, placed)) {
    if (!platform::folderExists(place.folder) && !platform::createFolder(place.folder)) {
      desktop.msgBox(kCopyFailedMessage + placed);
      return kExitRefused;
    }
    if (!copyTold(desktop, source, placed)) return kExitRefused;
  }

  desktop.setForce(options.force);
  form.Combo_host[0]->setText(session.hostName(options));
  form.Text_2200file[0]->setText(name->file);
  forms::ListBox& sendList = *form.List_send[0];
  sendList.clear();
  sendList.addItem(name->element);
  sendList.setListIndex(0);
  form.List_send_DblClick(0);
  const std::u16string target =
      (form.pub.ftpSendWorkFile.empty() ? name->file : form.pub.ftpSendWorkFile) + u"." +
      name->element;
  if (const int status = sendOutcome(session, target); status != kExitDone) return status;
  session.out() << platform::toUtf8(target) << "\n";
  return kExitDone;
}

}  // namespace morvanta::cli
