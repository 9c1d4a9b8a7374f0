#pragma once
// A click on a pane's element list puts a ready-to-paste 2200 command for
// the element on the clipboard; the option group of Frame_ACTION picks the
// command word, and "ST" carries the account/user id of Text_AC_USR.

#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::analysis {

void copyElementCommand(MainForm& form, int i);

}  // namespace morvanta::analysis
