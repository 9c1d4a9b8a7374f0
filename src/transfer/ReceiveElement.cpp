#include "transfer/ReceiveElement.h"

#include "app/MainForm.h"
#include "catalogue/TocRequest.h"
#include "text/TextRules.h"
#include "transfer/BaselineOnReceive.h"
#include "transfer/ElementSelection.h"
#include "transfer/ReceiveJobRun.h"

namespace morvanta::transfer {

void receiveElement(MainForm& form, int i) {
  const std::size_t pane = morvanta::pane(i);
  const std::u16string file = text::trimBlanks(form.Text_2200file[pane]->text());
  if (file.empty()) return form.desktop.msgBox(catalogue::kNoFileMessage);
  const std::u16string address = form.get_host_address(form.Combo_host[pane]->text());
  if (address.empty()) return form.desktop.msgBox(catalogue::kNoHostMessage);
  const std::u16string entry = selectedEntry(*form.List_elt[pane]);
  // An all-blank row names no element either: receiving "qual*file." would
  // fetch nothing and open the editor on a file that never arrives.
  const std::u16string elt = leadingField(form.txtHdl, entry);
  if (elt.empty()) return form.desktop.msgBox(kNoElementMessage);
  if (entry.find(u'(') != std::u16string::npos) return form.desktop.msgBox(kSymbolicOnlyMessage);

  const ReceiveTarget target = receiveTarget(form, file, elt);
  if (!writeReceive(form, address, file + u"." + elt, target)) return;
  // The element can now be edited and sent back from this pane.
  form.List_send[pane]->clear();
  form.List_send[pane]->addItem(elt);
  // The date list runs beside the element list; its row is the host's time.
  const int row = form.List_elt[pane]->listIndex();
  const forms::ListBox& dates = *form.List_date[pane];
  const std::u16string hostTime = row >= 0 && row < dates.count() ? dates.item(row) : u"";
  jobfiles::JobLabel label{jobs::JobKind::Receive, i, file + u"." + elt};
  label.onEnd = recordBaselineOnEnd(target.folder, {target.pcElement}, {hostTime});
  startReceive(form, target, label);
}

}  // namespace morvanta::transfer
