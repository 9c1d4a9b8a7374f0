#pragma once
// Receiving the element double-clicked in a pane's list: the receive job
// fetches it into the receive folder of the pane's 2200 file, converts it
// when a converter is configured and opens it in the editor; the element
// then stands alone in the pane's send list.

#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

// Entries with a type in parentheses, e.g. LIB(REL), are not text.
inline constexpr char16_t kSymbolicOnlyMessage[] = u"シンボリックelementのみ受信可能です";

void receiveElement(MainForm& form, int i);

}  // namespace morvanta::transfer
