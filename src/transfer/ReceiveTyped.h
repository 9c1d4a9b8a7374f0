#pragma once
// Receiving an element named in the typed-receive box instead of picked from
// a list: "qual*file.elt", or "file.elt" with a use name that the last @USE
// analysis bound to a qual*file. Not tied to a pane: no send list changes.

#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

inline constexpr char16_t kNoFileEltMessage[] = u"ファイル.エレメントの指定がありません";
inline constexpr char16_t kNoPeriodMessage[] = u"ピリオドがありません";
inline constexpr char16_t kNoElementPartMessage[] = u"エレメントがありません";
inline constexpr char16_t kNoUseMessage[] = u"該当する@USEが見つかりません";

void receiveTyped(MainForm& form);

// The qual*file the @USE table binds `useName` to (first pair of that exact
// name), "" when there is none.
std::u16string lookUpUse(const MainForm& form, const std::u16string& useName);

}  // namespace morvanta::transfer
