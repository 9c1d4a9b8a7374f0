#pragma once

namespace morvanta {
class MainForm;
}

namespace morvanta::app {

// Spreads the three panes over the window width form.windowWidth (twips,
// the client width the window reports; nothing is subtracted from it, so
// the layout never changes the window and never starts itself again). A
// pane whose date list is shown is two list columns wide. Runs only while
// pub.layoutReady is 1; a width the controls refuse (a window narrower
// than the margins) ends the layout there, silently.
void layoutPanes(MainForm& form);

}  // namespace morvanta::app
