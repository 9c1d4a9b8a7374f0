#include "transfer/ReceiveTyped.h"
#include "transfer/BaselineOnReceive.h"

#include "app/MainForm.h"
#include "catalogue/TocRequest.h"
#include "text/TextRules.h"
#include "transfer/PcNameCheck.h"
#include "transfer/ReceiveJobRun.h"
#include "u2200/PcNameRule.h"

namespace morvanta::transfer {

namespace {

struct TypedName {
  std::u16string file;     // before the first "."
  std::u16string element;  // after it, up to the first blank
};

TypedName split(const std::u16string& text) {
  const auto period = text.find(u'.');
  const auto blank = text.find(u' ', period + 1);
  const auto length = blank == std::u16string::npos ? std::u16string::npos : blank - period - 1;
  return {text.substr(0, period), text.substr(period + 1, length)};
}

}  // namespace

std::u16string lookUpUse(const MainForm& form, const std::u16string& useName) {
  const Module_pub& pub = form.pub;
  for (std::int32_t i = 0; i < pub.useCount && i < Module_pub::kUseTableSize; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (pub.useNames[at] == useName) return pub.useFiles[at];
  }
  return {};
}

void receiveTyped(MainForm& form) {
  const std::u16string text = text::upperAscii(text::trimBlanks(form.Text_file_elt->text()));
  if (text.empty()) return form.desktop.msgBox(kNoFileEltMessage);
  if (text.find(u'.') == std::u16string::npos) return form.desktop.msgBox(kNoPeriodMessage);
  // "PRJ*SRC." and "PRJ*SRC. MAIN" alike name no element: the element part
  // ends at the first blank.
  TypedName name = split(text);
  if (name.element.empty()) return form.desktop.msgBox(kNoElementPartMessage);
  // Nothing before the first "." (as in "../x*F.E") names no file, and no
  // receive folder could be made from it.
  if (name.file.empty())
    return form.desktop.msgBox(kUnsafePcNameMessage + naming::visibleName(text));
  const std::u16string address = form.get_host_address(form.Combo_host_file_elt->text());
  if (address.empty()) return form.desktop.msgBox(catalogue::kNoHostMessage);

  const bool qualified = text.find(u'*') != std::u16string::npos;
  if (!qualified) {
    name.file = lookUpUse(form, name.file);
    if (name.file.empty()) return form.desktop.msgBox(kNoUseMessage);
  }
  // Built from the parts even for a qualified text: anything after a blank
  // would otherwise become the FTP client's local file name.
  const std::u16string remoteName = name.file + u"." + name.element;
  // A short name is shown resolved, so the user sees what is fetched.
  if (!qualified) form.Text_file_elt->setText(remoteName);

  const ReceiveTarget target = receiveTarget(form, name.file, name.element);
  if (!writeReceive(form, address, remoteName, target)) return;
  jobfiles::JobLabel label{jobs::JobKind::TypedReceive, -1, remoteName};
  label.onEnd = recordBaselineOnEnd(target.folder, {target.pcElement}, {u""});
  startReceive(form, target, label);
}

}  // namespace morvanta::transfer
