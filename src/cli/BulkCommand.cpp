// bulk: the bulk receive of the updatehtm.ini row of a program file, after
// a fresh TOC with dates; --dry-run says per element what it would do.

#include <algorithm>

#include "app/MainForm.h"
#include "catalogue/TocListing.h"
#include "catalogue/TocRequest.h"
#include "cli/Commands.h"
#include "cli/Session.h"
#include "platform/Platform.h"
#include "text/TextRules.h"
#include "transfer/BulkPlan.h"
#include "transfer/BulkReceive.h"

namespace morvanta::cli {

namespace {

using platform::joinPath;

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

// The row the bulk receive will use: the first RUNSTREAM row of the file.
std::optional<BulkRow> runstreamRow(const Module_pub& pub, const std::u16string& file) {
  const auto rows =
      std::min(pub.bulkTable.size(), static_cast<std::size_t>(std::max(pub.bulkCount, 0)));
  for (std::size_t r = 0; r < rows; ++r) {
    const BulkRow& row = pub.bulkTable[r];
    if (row.hostFile == file && row.func == u"RUNSTREAM") return row;
  }
  return std::nullopt;
}

std::string orDash(const std::u16string& text) {
  return text.empty() ? "-" : u8(text);
}

// One line per element of the TOC, tab-separated: element, "receive" or
// "keep", why, the host's time and the PC copy's time ("-" when none).
int printPlan(Session& session, const BulkRow& row) {
  MainForm& form = session.form();
  ConsoleDesktop& desktop = session.desktop();
  const std::u16string phased = joinPath(form.FOLDER_NAME(u"WK", u""), catalogue::phasedTocName(0));
  std::vector<std::u16string> lines;
  std::vector<std::u16string> files;
  try {
    lines = platform::readTextLines(phased);
    if (!platform::folderExists(row.pcFolder)) {
      desktop.msgBox(transfer::kNoPcFolderMessage + row.pcFolder);
      return kExitRefused;
    }
    files = platform::listFiles(row.pcFolder);
  } catch (const platform::FileError& e) {
    desktop.msgBox(platform::fromUtf8(e.what()));
    return kExitFailed;
  }
  const transfer::PcFolderIndex index(form.txtHdl, std::move(files));
  const transfer::BulkPlan plan =
      transfer::planBulkReceive(form.txtHdl, lines, index, [&](std::size_t at) {
        return platform::modifiedTime(joinPath(row.pcFolder, index.fileNames()[at]));
      });
  if (plan.symFile) {
    desktop.msgBox(transfer::kSymExtensionMessage);
    return kExitRefused;
  }
  std::size_t received = 0;
  for (const transfer::BulkPlanEntry& entry : plan.entries) {
    if (entry.received()) ++received;
    session.out() << u8(form.cls2200.PcName_to_U2200ElementName(entry.name)) << '\t'
                  << (entry.received() ? "receive" : "keep") << '\t'
                  << transfer::reasonText(entry.reason) << '\t' << orDash(entry.hostTime) << '\t'
                  << orDash(entry.pcTime) << '\n';
  }
  desktop.tell(platform::fromUtf8(std::to_string(received) + " of " +
                                  std::to_string(plan.entries.size()) +
                                  " elements would be received into ") +
               row.pcFolder);
  return kExitDone;
}

}  // namespace

int runBulk(Session& session, const CliOptions& options) {
  MainForm& form = session.form();
  ConsoleDesktop& desktop = session.desktop();
  const std::u16string file = text::upperAscii(text::trimBlanks(options.operands[0]));
  // Without a row there is nothing to bring up to date: say so before
  // asking the host for anything.
  const std::optional<BulkRow> row = runstreamRow(form.pub, file);
  if (!row) {
    desktop.msgBox(transfer::kNoBulkRowMessage);
    return kExitRefused;
  }
  if (const int status = fetchToc(session, options, file, true); status != kExitDone) {
    return status;
  }
  if (options.dryRun) return printPlan(session, *row);

  desktop.beginStep();
  form.Command_AUTO_recv_Click(0);
  if (desktop.jobsRun() == 0) {
    const auto& said = desktop.messages();
    const bool upToDate =
        std::find(said.begin(), said.end(), transfer::kAllUpToDateMessage) != said.end();
    return upToDate ? kExitDone : kExitRefused;
  }
  if (const int status = session.jobOutcome(); status != kExitDone) return status;
  for (const std::u16string& name : form.bulkElements) {
    session.out() << u8(joinPath(row->pcFolder, name + u".txt")) << "\n";
  }
  return kExitDone;
}

}  // namespace morvanta::cli
