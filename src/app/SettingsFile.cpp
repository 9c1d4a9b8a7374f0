#include "app/SettingsFile.h"

#include "app/ShellMessages.h"
#include "forms/Desktop.h"
#include "platform/Platform.h"

namespace morvanta::app {

namespace {

std::u16string number(std::size_t n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string undecodableLineWarning(const std::u16string& path, std::size_t lineNumber,
                                      const std::u16string& shownLine, std::size_t count) {
  std::u16string text =
      kUndecodableLineMessage + path + u" " + number(lineNumber) + u"行目: " + shownLine;
  if (count > 1) text += u"（ほか" + number(count - 1) + u"行）";
  return text;
}

std::vector<std::u16string> readSettingsFile(forms::Desktop& desktop, const std::u16string& path,
                                             const LineShown& shown) {
  platform::SettingsText text = platform::readSettingsLines(path);
  if (!text.undecodableLines.empty()) {
    const std::size_t first = text.undecodableLines.front();
    const std::u16string& line = text.lines[first - 1];
    desktop.msgBox(undecodableLineWarning(path, first, shown ? shown(line) : line,
                                          text.undecodableLines.size()));
  }
  return std::move(text.lines);
}

}  // namespace morvanta::app
