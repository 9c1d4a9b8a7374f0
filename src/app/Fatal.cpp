#include "app/Fatal.h"

#include <exception>

#include "forms/Desktop.h"

namespace morvanta::app {

void endWithMessage(forms::Desktop& desktop, const std::u16string& text) {
  desktop.msgBox(text);
  desktop.endProgram(kFatalExitStatus);
  std::terminate();  // a Desktop whose endProgram came back
}

}  // namespace morvanta::app
