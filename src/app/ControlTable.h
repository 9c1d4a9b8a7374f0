#pragma once
// The window's controls as designed: name, pane, container, placement in
// twips, caption, initial text and tool tip.

#include "forms/Controls.h"

namespace morvanta {
class MainForm;
}
namespace morvanta::forms {
class ControlFactory;
}

namespace morvanta::app {

inline constexpr char16_t kMainFormCaption[] = u"2200エレメントのクリップボード＆受信＆送信";

// The printed-listing drop box of each pane: right of the LC button and
// above the bulk-receive button, never over either. The layout gives it the rest of
// the frame's width. The hint is its tool tip; the short hint, which fits
// the box, is shown inside it while it is empty.
inline constexpr forms::Placement kDropBoxPlace{2460, 240, 900, 855};
inline constexpr int kDropBoxRightMargin = 120;
inline constexpr char16_t kDropBoxHint[] = u"印刷したTOCのファイルをここへドロップ";
inline constexpr char16_t kDropBoxShortHint[] = u"TOCを\nここへ";

// The bulk receive's file list: right of the mdir box, no longer under it.
inline constexpr forms::Placement kFileselectPlace{9480, 120, 1305, 1575};

// Frames are made before the controls inside them, and each pane's date
// list after its element list, so the date list lies in front of it.
void createSharedControls(MainForm& form, forms::ControlFactory& factory);
void createPaneControls(MainForm& form, forms::ControlFactory& factory, int i);

}  // namespace morvanta::app
