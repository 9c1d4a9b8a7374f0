#pragma once
// Narrowing a pane's element list to the names that contain a search text,
// by parsing the pane's stored listing again with that text as the filter.

#include <string>
#include <vector>

namespace morvanta {
class MainForm;
}

namespace morvanta::catalogue {

// The search window: caption, prompt and design client area (twips).
inline constexpr char16_t kSearchWindowCaption[] = u"LC";
inline constexpr char16_t kSearchWindowPrompt[] = u"検索文字を入れてenterを押す（*は全選択）";
inline constexpr int kSearchWindowWidth = 4680;
inline constexpr int kSearchWindowHeight = 1275;

void searchElements(MainForm& form, int i);

}  // namespace morvanta::catalogue
