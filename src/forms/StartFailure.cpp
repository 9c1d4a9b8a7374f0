#include "forms/StartFailure.h"

#include "forms/Desktop.h"
#include "platform/Platform.h"

namespace morvanta::forms {

namespace {
const std::u16string kCannotStart = u"起動できません: ";
}

void startBatchOrTell(Desktop& desktop, const std::u16string& batchPath) {
  try {
    platform::startBatchFile(batchPath);
  } catch (const platform::FileError& e) {
    desktop.msgBox(kCannotStart + platform::fromUtf8(e.what()));
  }
}

void startCommandLineOrTell(Desktop& desktop, const std::u16string& commandLine) {
  try {
    platform::startCommandLine(commandLine);
  } catch (const platform::FileError& e) {
    desktop.msgBox(kCannotStart + platform::fromUtf8(e.what()));
  }
}

}  // namespace morvanta::forms
