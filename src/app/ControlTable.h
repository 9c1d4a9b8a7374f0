#pragma once
// The window's controls as designed: name, pane, container, placement in
// twips, caption, initial text and tool tip.

namespace morvanta {
class MainForm;
}
namespace morvanta::forms {
class ControlFactory;
}

namespace morvanta::app {

inline constexpr char16_t kMainFormCaption[] = u"2200エレメントのクリップボード＆受信＆送信";

// Frames are made before the controls inside them, and each pane's date
// list after its element list, so the date list lies in front of it.
void createSharedControls(MainForm& form, forms::ControlFactory& factory);
void createPaneControls(MainForm& form, forms::ControlFactory& factory, int i);

}  // namespace morvanta::app
