#include "catalogue/ElementSearch.h"

#include "app/MainForm.h"
#include "catalogue/TocRequest.h"
#include "text/TextRules.h"

namespace morvanta::catalogue {

void searchElements(MainForm& form, int i) {
  const std::u16string file = text::trimBlanks(form.Text_2200file[pane(i)]->text());
  if (file.empty()) return form.desktop.msgBox(kNoFileMessage);
  // The window opens empty each time; closing it without Enter keeps the
  // previous search text, which is then applied again.
  if (auto confirmed = form.desktop.showSearchWindow(u"")) {
    form.pub.searchText = text::upperAscii(text::trimBlanks(*confirmed));
  }
  load_toc_result(form, i, form.pub.searchText);
}

}  // namespace morvanta::catalogue
