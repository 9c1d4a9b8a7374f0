#pragma once
// Starting a job or the editor: shared by every Desktop so the user gets the
// same message whichever window shows it.

#include <string>

namespace morvanta::forms {

class Desktop;

// Starts the batch file; when it cannot be started, shows why in a message.
void startBatchOrTell(Desktop& desktop, const std::u16string& batchPath);
// Starts the command line; when it cannot be started, shows why.
void startCommandLineOrTell(Desktop& desktop, const std::u16string& commandLine);

}  // namespace morvanta::forms
