#pragma once

namespace morvanta {
class MainForm;
}

namespace morvanta::app {

// Loading the window: reads the configuration, makes the work folders,
// loads the bulk-receive table, fills the host boxes, shows or hides the
// debug list and the send frames, and lays out the panes. A problem it
// cannot go on from is told to the user and ends the program.
void startUp(MainForm& form);

}  // namespace morvanta::app
