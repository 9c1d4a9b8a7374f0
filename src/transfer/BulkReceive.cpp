#include "transfer/BulkReceive.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <utility>

#include "app/BulkTable.h"
#include "app/MainForm.h"
#include "catalogue/TocListing.h"
#include "catalogue/TocRequest.h"
#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "text/TextRules.h"
#include "transfer/BaselineOnReceive.h"
#include "transfer/BulkPlan.h"
#include "transfer/BulkSelection.h"

namespace morvanta::transfer {

namespace {

using platform::joinPath;

// The folder follows the text.
constexpr char16_t kPcFolderUnreadableMessage[] = u"PCフォルダを読めません: ";

// The first RUNSTREAM row for the file; other functions belong to other tools.
const BulkRow* findRunstreamRow(const Module_pub& pub, const std::u16string& file) {
  const std::size_t rows =
      std::min(pub.bulkTable.size(), static_cast<std::size_t>(std::max(pub.bulkCount, 0)));
  for (std::size_t r = 0; r < rows; ++r) {
    const BulkRow& row = pub.bulkTable[r];
    if (row.hostFile == file && row.func == u"RUNSTREAM") return &row;
  }
  return nullptr;
}

// "testlog.txt" is only ever left empty; nothing reads it, so a program
// folder that refuses it must not stop the receive.
void emptyTestLog(const Module_pub& pub) {
  try {
    platform::writeTextLines(joinPath(pub.appFolder, pub.testLogName), {});
  } catch (const platform::FileError&) {
  }
}

// A TOC taken with "mls" gives each element its two names and no date, so
// nothing could be compared with the PC copies.
bool tocHasDates(const std::vector<std::u16string>& phasedLines) {
  for (const std::u16string& line : phasedLines) {
    std::size_t fields = 0;
    bool inField = false;
    for (const char16_t c : line) {
      if (c != u' ' && !inField) ++fields;
      inField = c != u' ';
    }
    if (fields >= 3) return true;
  }
  return false;
}

// The elements Yes will fetch, with the host's and the PC copy's times.
forms::DetailsTable receivedElements(const MainForm& form, const BulkPlan& plan) {
  forms::DetailsTable table;
  table.headers = {kDetailsElementHeader, kDetailsHostTimeHeader, kDetailsPcTimeHeader};
  for (const BulkPlanEntry& entry : plan.entries) {
    if (!entry.received()) continue;
    table.rows.push_back({form.cls2200.PcName_to_U2200ElementName(entry.name), entry.hostTime,
                          entry.pcTime.empty() ? std::u16string(kDetailsNoPcCopy) : entry.pcTime});
  }
  return table;
}

void offerToRun(MainForm& form, const forms::DetailsTable& details,
                const jobfiles::JobLabel& label) {
  switch (form.desktop.yesNoCancelWithDetails(kRunBatchQuestion, details)) {
    case forms::Answer::Yes:
      jobfiles::startJob(form, label);
      break;
    case forms::Answer::No: {
      // Let the user look at the pair instead of running it.
      const std::u16string work = form.FOLDER_NAME(u"WK", u"");
      const std::u16string& editor = form.pub.textEditor;
      form.desktop.startProcess(editor + u"  " + joinPath(work, form.pub.batchFileName));
      form.desktop.startProcess(editor + u"  " + joinPath(work, form.pub.ftpScriptName));
      break;
    }
    case forms::Answer::Cancel:
      break;
  }
}

// What the whole bulk job records when it ends: each collected element's
// PC file with the host's minute from the phased TOC.
std::function<void(MainForm&, const jobs::Job&)> bulkBaseline(
    const MainForm& form, const std::vector<std::u16string>& phasedLines,
    const std::u16string& folder) {
  std::unordered_map<std::u16string, std::u16string> hostTimes;
  for (const std::u16string& line : phasedLines) {
    if (auto candidate = bulkCandidate(form.txtHdl, line)) {
      // "yyyy/mm/dd hh:mm:59": the listing's minute is what the host said.
      std::u16string time = candidate->hostTime;
      if (time.size() > 3) time.resize(time.size() - 3);
      hostTimes.emplace(candidate->name, std::move(time));
    }
  }
  std::vector<std::u16string> files;
  std::vector<std::u16string> times;
  for (const std::u16string& name : form.bulkElements) {
    files.push_back(name + u".txt");
    const auto at = hostTimes.find(name);
    times.push_back(at == hostTimes.end() ? u"" : at->second);
  }
  return recordBaselineOnEnd(folder, std::move(files), std::move(times));
}

}  // namespace

void bulkReceiveSettings(MainForm& form, int i) {
  forms::TextBox& fileBox = *form.Text_2200file[pane(i)];
  if (text::trimBlanks(fileBox.text()).empty()) return form.desktop.msgBox(kNoFileNameMessage);
  app::loadBulkTable(form);
  fileBox.setText(text::upperAscii(fileBox.text()));
}

void bulkReceive(MainForm& form, int i) {
  Module_pub& pub = form.pub;
  forms::TextBox& fileBox = *form.Text_2200file[pane(i)];
  const std::u16string file = text::upperAscii(fileBox.text());
  fileBox.setText(file);

  const BulkRow* found = findRunstreamRow(pub, file);
  if (found == nullptr) return form.desktop.msgBox(kNoBulkRowMessage);
  const BulkRow row = *found;
  const std::u16string address = form.get_host_address(form.Combo_host[pane(i)]->text());
  if (address.empty()) return form.desktop.msgBox(catalogue::kNoHostMessage);

  // Without the pane's TOC or the project's folder there is nothing to
  // compare; say so before anything is written.
  pub.phasedTocPath = joinPath(form.FOLDER_NAME(u"WK", u""), catalogue::phasedTocName(i));
  if (!platform::fileExists(pub.phasedTocPath))
    return form.desktop.msgBox(catalogue::kNoTocMessage);
  std::vector<std::u16string> phasedLines;
  try {
    phasedLines = platform::readTextLines(pub.phasedTocPath);
  } catch (const platform::FileError&) {
    return form.desktop.msgBox(catalogue::kNoTocMessage);
  }
  if (!platform::folderExists(row.pcFolder)) {
    return form.desktop.msgBox(kNoPcFolderMessage + row.pcFolder);
  }
  std::vector<std::u16string> fileNames;
  try {
    fileNames = platform::listFiles(row.pcFolder);
  } catch (const platform::FileError&) {
    return form.desktop.msgBox(kPcFolderUnreadableMessage + row.pcFolder);
  }
  // The window's file list shows the folder the PC copies are compared in.
  form.Fileselect->setPath(row.pcFolder);

  emptyTestLog(pub);

  // The folder is listed once; times are read only for the PC copies found.
  const PcFolderIndex index(form.txtHdl, std::move(fileNames));
  const auto modifiedTimeOf = [&](std::size_t position) {
    return platform::modifiedTime(joinPath(row.pcFolder, index.fileNames()[position]));
  };
  const BulkPlan plan = planBulkReceive(form.txtHdl, phasedLines, index, modifiedTimeOf);
  form.bulkElements = plan.receivedNames();
  if (plan.symFile) return form.desktop.msgBox(kSymExtensionMessage);
  // Asking now would start or show the pair of an earlier job.
  if (form.bulkElements.empty()) {
    if (!phasedLines.empty() && !tocHasDates(phasedLines)) {
      return form.desktop.msgBox(kTocWithoutDatesMessage);
    }
    return form.desktop.msgBox(kAllUpToDateMessage);
  }

  if (!jobfiles::writeBulkJob(form, {address, file, form.bulkElements, row})) return;
  jobfiles::JobLabel label{
      jobs::JobKind::Bulk, i, file, static_cast<int>(form.bulkElements.size()), {row.pcFolder}};
  label.onEnd = bulkBaseline(form, phasedLines, row.pcFolder);
  offerToRun(form, receivedElements(form, plan), label);
}

}  // namespace morvanta::transfer
