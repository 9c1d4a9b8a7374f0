#pragma once
// A browser or file-manager path to a page stored under the PC names of a
// 2200 file and element, pasted into the file box of a pane or the typed
// receive box, is turned back into the 2200 name when the box loses focus.

#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::analysis {

void fileBoxLostFocus(MainForm& form, int i);
void fileEltBoxLostFocus(MainForm& form);

}  // namespace morvanta::analysis
