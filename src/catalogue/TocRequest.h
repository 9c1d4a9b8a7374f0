#pragma once
// Fetching a pane's TOC: the request writes and starts the TOC job and arms
// the pane's timer; each tick polls for the listing and loads it when it is
// there, or gives up after the tenth tick.

#include <cstdint>
#include <string>
#include <vector>

#include "jobs/Job.h"

namespace morvanta {
class MainForm;
}

namespace morvanta::catalogue {

inline constexpr char16_t kNoFileMessage[] = u"2200ファイル指定がありません";
inline constexpr char16_t kNoAsteriskMessage[] = u"2200ファイル形式不正（*なし）";
inline constexpr char16_t kPeriodMessage[] = u"2200ファイル形式不正（ピリオド不要）";
inline constexpr char16_t kNoHostMessage[] = u"該当HOSTがみつかりません";
inline constexpr char16_t kNoTocMessage[] = u"TOC情報が得られません";
// The pane's TOC button while its job runs: pressing it cancels the job.
inline constexpr char16_t kTocCaption[] = u"TOC取得";
inline constexpr char16_t kCancelTocCaption[] = u"取得中止";

// Ticks after which the poll stops waiting for the listing.
inline constexpr std::int32_t kPollTickLimit = 10;
inline constexpr int kPollIntervalMs = 1000;

void requestToc(MainForm& form, int i);
void pollToc(MainForm& form, int i);
// A TOC job of a pane has ended: the listing is loaded at once, or the
// user is told why there is none.
void tocJobEnded(MainForm& form, const jobs::Job& job);

// Loads pane i's result file with the filter: 0 when it was there and has
// been parsed, 1 (after telling the user) when there is none to read.
std::int16_t load_toc_result(MainForm& form, int i, const std::u16string& filter);

}  // namespace morvanta::catalogue
