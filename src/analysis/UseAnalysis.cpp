#include "analysis/UseAnalysis.h"

#include <vector>

#include "app/MainForm.h"
#include "app/ShellText.h"
#include "platform/Platform.h"

namespace morvanta::analysis {

namespace {

// "@USE" with a blank after it; "@USE,I" and "@USEX" are other statements.
constexpr char16_t kUseWord[] = u"@USE ";

// Trimmed, without one trailing ".", trimmed again.
std::u16string cleanName(const std::u16string& text) {
  std::u16string name = app::trimBlanks(text);
  if (!name.empty() && name.back() == u'.') name.pop_back();
  return app::trimBlanks(name);
}

// `line` is upper-cased, trimmed and ends in one blank.
void storeUse(MainForm& form, const std::u16string& line) {
  Module_pub& pub = form.pub;
  if (pub.useCount >= kUseLimit) {
    pub.useCount = 0;
    form.desktop.msgBox(kUseTableResetMessage);
    return;
  }
  std::int16_t pos = 1;
  form.txtHdl.Field_get(line, pos);  // the statement word
  const std::u16string useName = cleanName(form.txtHdl.Text_pick(line, u",", pos));
  const std::u16string file = cleanName(form.txtHdl.Field_get(line, pos));
  // A pair with an empty side could only ever match an empty file part.
  if (useName.empty() || file.empty()) return;
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
    const std::u16string line = app::trimBlanks(app::upperAscii(raw)) + u" ";
    if (line.starts_with(kUseWord)) storeUse(form, line);
  }
}

}  // namespace morvanta::analysis
