#include "catalogue/TocRequest.h"

#include "app/MainForm.h"
#include "app/ShellText.h"
#include "catalogue/TocListing.h"
#include "platform/Platform.h"
#include "transfer/JobFiles.h"

namespace morvanta::catalogue {

namespace {

std::size_t pane(int i) {
  return static_cast<std::size_t>(i);
}

std::u16string resultPath(MainForm& form, int i) {
  return platform::joinPath(form.FOLDER_NAME(u"WK", u""), transfer::tocResultName(i));
}

void setPending(MainForm& form, int i, bool pending) {
  form.Timer1[pane(i)]->setEnabled(pending);
  form.Command_toc[pane(i)]->setEnabled(!pending);
  form.Command_SEL[pane(i)]->setEnabled(!pending);
}

}  // namespace

void requestToc(MainForm& form, int i) {
  forms::TextBox& fileBox = *form.Text_2200file[pane(i)];
  const std::u16string file = app::trimBlanks(fileBox.text());
  fileBox.setText(file);
  if (file.empty()) return form.desktop.msgBox(kNoFileMessage);
  if (file.find(u'*') == std::u16string::npos) return form.desktop.msgBox(kNoAsteriskMessage);
  // Only qual*file: an element name or a trailing period is refused.
  if (file.find(u'.') != std::u16string::npos) return form.desktop.msgBox(kPeriodMessage);
  const std::u16string address = form.get_host_address(form.Combo_host[pane(i)]->text());
  if (address.empty()) return form.desktop.msgBox(kNoHostMessage);

  form.List_elt[pane(i)]->clear();
  form.List_send[pane(i)]->clear();
  if (!transfer::writeTocJob(form, {i, address, file, form.mdirMode})) return;

  // One counter for all panes: a request anywhere restarts every pending wait.
  form.pollTicks = 0;
  form.Timer1[pane(i)]->setInterval(kPollIntervalMs);
  setPending(form, i, true);
  transfer::startJob(form);
}

void pollToc(MainForm& form, int i) {
  form.desktop.pause50ms();
  ++form.pollTicks;
  if (!platform::fileExists(resultPath(form, i)) && form.pollTicks < kPollTickLimit) return;
  setPending(form, i, false);
  load_toc_result(form, i, u"");
}

std::int16_t load_toc_result(MainForm& form, int i, const std::u16string& filter) {
  const std::u16string folder = form.FOLDER_NAME(u"WK", u"");
  const std::u16string name = transfer::tocResultName(i);
  if (platform::fileExists(platform::joinPath(folder, name))) {
    try {
      parse_toc_listing(form, folder, name, i, filter);
      return 0;
    } catch (const platform::FileError&) {
      // Present but unreadable (still locked by the FTP client): the same
      // as no listing for the user.
    }
  }
  form.desktop.msgBox(kNoTocMessage);
  return 1;
}

}  // namespace morvanta::catalogue
