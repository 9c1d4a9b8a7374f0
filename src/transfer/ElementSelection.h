#pragma once
// Reading the element a user picked in a pane's list: the receive, the send
// and the clipboard command all take the first selected row and its first
// blank-separated field.

#include <string>

#include "forms/Controls.h"
#include "text/TxtHdl.h"

namespace morvanta::transfer {

inline constexpr char16_t kNoElementMessage[] = u"elementが選択されていません";

// Text of the first selected row, "" when no row is selected.
std::u16string selectedEntry(const forms::ListBox& list);

// The element name a list row starts with. The row gets a blank appended
// first: the field reader does not return a one-character field that ends
// the text ("A" would be lost).
std::u16string leadingField(const TxtHdl& txtHdl, const std::u16string& entry);

}  // namespace morvanta::transfer
