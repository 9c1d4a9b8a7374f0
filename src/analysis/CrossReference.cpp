#include "analysis/CrossReference.h"

#include "app/MainForm.h"
#include "app/ProgramFolder.h"
#include "platform/Platform.h"
#include "text/TextRules.h"
#include "transfer/ElementSelection.h"

namespace morvanta {

void MainForm::List_elt_OpenCrossReference(int i) {
  analysis::openCrossReference(*this, i);
}

namespace analysis {

std::optional<std::u16string> crossReferencePage(const Module_pub& pub, const Class2200& cls2200,
                                                 const std::u16string& file,
                                                 const std::u16string& element) {
  for (const BulkRow& row : pub.bulkTable) {
    // The row the bulk receive of this file uses, as it chooses it.
    if (row.hostFile != file || row.func != u"RUNSTREAM") continue;
    const std::u16string outf = text::trimBlanks(row.outf);
    if (outf.empty() || outf == u"NONE") return std::nullopt;
    std::u16string type;
    const std::u16string folder = platform::joinPath(app::resolveFolder(pub.appFolder, outf),
                                                     cls2200.U2200FileName_to_PcName(file));
    return platform::joinPath(folder,
                              cls2200.U2200ElementName_to_PcName(u"TXT", element, type) + u".htm");
  }
  return std::nullopt;
}

void openCrossReference(MainForm& form, int i) {
  const std::size_t pane = morvanta::pane(i);
  const std::u16string entry = transfer::selectedEntry(*form.List_elt[pane]);
  if (entry.empty()) {
    form.desktop.msgBox(transfer::kNoElementMessage);
    return;
  }
  const std::u16string element = transfer::leadingField(form.txtHdl, entry);
  const std::u16string file = text::upperAscii(text::trimBlanks(form.Text_2200file[pane]->text()));
  const auto page = crossReferencePage(form.pub, form.cls2200, file, element);
  if (!page) {
    form.desktop.msgBox(kNoCrossReferenceFolderMessage + file);
    return;
  }
  if (!platform::fileExists(*page)) {
    form.desktop.msgBox(kNoCrossReferencePageMessage + *page);
    return;
  }
  if (!form.desktop.openPage(*page)) form.desktop.msgBox(kNoBrowserMessage + *page);
}

}  // namespace analysis
}  // namespace morvanta
