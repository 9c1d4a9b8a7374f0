#pragma once

#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::app {

// Loading the window: reads the configuration, makes the work folders,
// loads the bulk-receive table, fills the host boxes, shows or hides the
// debug list and the send frames, and lays out the panes. A problem it
// cannot go on from is told to the user and ends the program.
// On the first start (no configuration file yet) it then says where the
// template was written and what to set, and offers to open it in the
// editor.
void startUp(MainForm& form);

// The first-start question for the configuration file at `iniPath`.
std::u16string firstStartMessage(const std::u16string& iniPath);

}  // namespace morvanta::app
