#include "analysis/UseAnalysis.h"

#include <stdexcept>
#include <vector>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

namespace morvanta::analysis {

namespace {

// "@USE" with a blank after it; "@USE,I" and "@USEX" are other statements.
constexpr char16_t kUseWord[] = u"@USE ";

// `line` is upper-cased, trimmed and ends in one blank.
void storeUse(MainForm& form, const std::u16string& line) {
  Module_pub& pub = form.pub;
  if (pub.useCount >= kUseLimit) {
    pub.useCount = 0;
    form.desktop.msgBox(kUseTableResetMessage);
    return;
  }
  std::u16string useName;
  std::u16string file;
  try {
    // A side that is empty once its period is gone could only ever match an
    // empty file part, so it is dropped as well.
    if (form.cls2200.TANKA_USE_PHASE(line, useName, file) != 0 || useName.empty() || file.empty())
      return;
  } catch (const std::overflow_error&) {
    // A line longer than a text position can count is no statement: skipped
    // like the other readers skip it, and the lines after it still count.
    return;
  }
  const auto at = static_cast<std::size_t>(pub.useCount);
  pub.useNames[at] = useName;
  pub.useFiles[at] = file;
  ++pub.useCount;
}

}  // namespace

void analyseUse(MainForm& form) {
  Module_pub& pub = form.pub;
  if (pub.lastReceivedFolder.empty()) return form.desktop.msgBox(kNoLastReceivedMessage);
  const std::u16string path = platform::joinPath(pub.lastReceivedFolder, pub.lastReceivedFile);
  if (!platform::fileExists(path)) return form.desktop.msgBox(kLastReceivedMissingMessage);
  std::vector<std::u16string> lines;
  try {
    lines = platform::readTextLines(path);
  } catch (const platform::FileError&) {
    // Present but unreadable (the editor or a job still holds it): as
    // good as missing, and the table is kept.
    return form.desktop.msgBox(kLastReceivedMissingMessage);
  }

  pub.useCount = 0;
  for (const std::u16string& raw : lines) {
    const std::u16string line = text::trimBlanks(text::upperAscii(raw)) + u" ";
    if (line.starts_with(kUseWord)) storeUse(form, line);
  }
}

}  // namespace morvanta::analysis
