#pragma once
// "Open cross-reference" on a pane's element list: the page that
// morvanta-xref made for the selected element, in the desktop's browser.
// The page lies in the OUTF folder of the pane's file's row in
// updatehtm.ini, at <file in PC form>/<element in PC form>.htm.

#include <optional>
#include <string>

#include "app/Module_pub.h"

namespace morvanta {
class MainForm;
class Class2200;
}  // namespace morvanta

namespace morvanta::analysis {

inline constexpr char16_t kNoCrossReferenceFolderMessage[] =
    u"updatehtm.iniにこのファイルのクロスリファレンス出力フォルダがありません: ";
inline constexpr char16_t kNoCrossReferencePageMessage[] =
    u"クロスリファレンスのページがありません。一括受信で作成してください: ";
inline constexpr char16_t kNoBrowserMessage[] = u"ブラウザでページを開けませんでした: ";

// The page of `element` (display form) of `file` (qual*file) under the
// table's rows; nothing when no row names the file with an output folder.
std::optional<std::u16string> crossReferencePage(const Module_pub& pub, const Class2200& cls2200,
                                                 const std::u16string& file,
                                                 const std::u16string& element);

void openCrossReference(MainForm& form, int i);

}  // namespace morvanta::analysis
