#include "app/BulkTable.h"

#include <stdexcept>
#include <vector>

#include "app/FailureText.h"
#include "app/MainForm.h"
#include "app/ProgramFolder.h"
#include "app/SettingsFile.h"
#include "app/ShellMessages.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

namespace morvanta::app {

namespace {

// The key, then one character (normally ","), then the fields.
constexpr std::int16_t kFirstFieldColumn = 15;

// A folder written with a final separator is stored without it. The table
// names Windows folders (with "\"); this system's own separator counts
// as well.
std::u16string withoutFinalSeparator(const std::u16string& folder) {
  if (folder.ends_with(u'\\')) return text::trimBlanks(folder.substr(0, folder.size() - 1));
  const std::u16string& separator = platform::pathSeparator();
  if (!folder.ends_with(separator)) return folder;
  return text::trimBlanks(folder.substr(0, folder.size() - separator.size()));
}

// The table's folders are meant from the program folder, which the process
// does not make current. "NONE" and an empty output folder are no folders.
void resolveRowFolders(const std::u16string& appFolder, BulkRow& row) {
  row.pcFolder = resolveFolder(appFolder, row.pcFolder);
  if (!row.outf.empty() && row.outf != u"NONE") row.outf = resolveFolder(appFolder, row.outf);
}

}  // namespace

std::optional<BulkRow> parseBulkRow(const TxtHdl& txtHdl, const std::u16string& line) {
  const std::u16string key = kBulkRowKey;
  if (!line.starts_with(key)) return std::nullopt;
  // Field 5 runs to the first "/" or the end of the line.
  const std::u16string text = line + u"/";
  std::int16_t pos = kFirstFieldColumn;
  BulkRow row;
  try {
    row.hostFile = txtHdl.Text_pick(text, u",", pos);
    row.func = txtHdl.Text_pick(text, u",", pos);
    row.project = txtHdl.Text_pick(text, u",", pos);
    row.pcFolder = txtHdl.Text_pick(text, u",", pos);
    row.outf = txtHdl.Text_pick(text, u"/", pos);
  } catch (const std::overflow_error&) {
    return std::nullopt;  // longer than a text position can count
  }
  // A missing "," after any of the first four fields leaves field 4 empty.
  row.pcFolder = withoutFinalSeparator(row.pcFolder);
  if (text::trimBlanks(row.pcFolder).empty()) return std::nullopt;
  row.outf = withoutFinalSeparator(text::trimBlanks(row.outf));
  return row;
}

bool loadBulkTable(MainForm& form) {
  Module_pub& pub = form.pub;
  pub.bulkTable.clear();
  pub.bulkCount = 0;
  const std::u16string path = platform::joinPath(pub.appFolder, pub.bulkTableName);
  std::vector<std::u16string> lines;
  try {
    lines = readSettingsFile(form.desktop, path);
  } catch (const platform::FileError& e) {
    form.desktop.msgBox(withReason(kBulkTableUnreadableMessage + path, e));
    return false;
  }

  std::u16string firstUnusable;
  bool full = false;
  for (const std::u16string& line : lines) {
    if (!line.starts_with(kBulkRowKey)) continue;
    const std::optional<BulkRow> row = parseBulkRow(form.txtHdl, line);
    if (!row) {
      if (firstUnusable.empty()) firstUnusable = line;
      continue;
    }
    if (pub.bulkCount >= Module_pub::kMaxBulkRows) {
      full = true;
      break;
    }
    pub.bulkTable.push_back(*row);
    resolveRowFolders(pub.appFolder, pub.bulkTable.back());
    ++pub.bulkCount;
  }
  if (!firstUnusable.empty()) form.desktop.msgBox(kBulkRowUnusableMessage + firstUnusable);
  if (full) form.desktop.msgBox(kBulkTableFullMessage + path);
  return true;
}

}  // namespace morvanta::app
