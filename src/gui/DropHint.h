#pragma once
// The printed-listing drop box says what it is for: a grey hint inside it
// while it is empty. Its dropped path shows its end (the file name), and no
// scroll bar takes room a drop is aimed at.

class QListView;
class QString;

namespace morvanta::gui {

void showDropHint(QListView* list, const QString& hint);

}  // namespace morvanta::gui
