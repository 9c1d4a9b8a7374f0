#pragma once
// Collects the @USE statements of the element received last into the use
// table (use name -> qual*file), so that the typed receive can resolve a
// short "file.elt" through it.

#include <cstdint>
#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::analysis {

inline constexpr char16_t kNoLastReceivedMessage[] = u"最後に読み込んだファイルの情報がありません1";
inline constexpr char16_t kLastReceivedMissingMessage[] =
    u"最後に読み込んだファイルの情報がありません2";
inline constexpr char16_t kUseTableResetMessage[] =
    u"@USE情報が100個の制限を越えました。リセットします";

// Entries the table holds before it starts again from the first.
inline constexpr std::int32_t kUseLimit = 100;

void analyseUse(MainForm& form);

}  // namespace morvanta::analysis
