#include "analysis/ClipboardCommand.h"

#include "app/MainForm.h"
#include "transfer/ElementSelection.h"

namespace morvanta::analysis {

namespace {

// The first selected option wins, in this order; the blanks are part of
// each prefix.
std::u16string commandPrefix(const MainForm& form) {
  if (form.Option_none->selected()) return {};
  if (form.Option_OLD->selected()) return u"OLD ";
  if (form.Option_add->selected()) return u"@ADD,PL  ";
  if (form.Option_ST->selected()) return u"ST ";
  if (form.Option_START->selected()) return u"@START  ";
  return {};
}

}  // namespace

void copyElementCommand(MainForm& form, int i) {
  const std::size_t pane = morvanta::pane(i);
  form.desktop.clipboardClear();
  const forms::ListBox& list = *form.List_elt[pane];
  if (list.count() == 0) return;
  const std::u16string entry = transfer::selectedEntry(list);
  if (entry.empty()) return form.desktop.msgBox(transfer::kNoElementMessage);

  std::u16string name = transfer::leadingField(form.txtHdl, entry);
  std::u16string prefix;
  const auto typeMark = name.find(u'(');
  if (typeMark != std::u16string::npos) {
    // A non-symbolic element is only named; no command applies to it.
    name.resize(typeMark);
  } else {
    if (form.Option_ST->selected()) name += u",,," + form.Text_AC_USR->text();
    prefix = commandPrefix(form);
  }
  form.desktop.clipboardSetText(prefix + form.Text_2200file[pane]->text() + u"." + name);
}

}  // namespace morvanta::analysis
