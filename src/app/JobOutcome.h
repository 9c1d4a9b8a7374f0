#pragma once
// What the user is told when a job ends. The TOC loads its pane or says why
// it cannot; a failed receive, send or bulk receive is announced without a
// modal box, naming the action, the element and the reason (a receive whose
// element arrived and whose later step, the code conversion or the editor,
// failed says so: the file is on the PC); a bulk receive
// reports once how it went, cancelled included, with the elements the
// runner's steps counted.

#include <string>

#include "jobs/Job.h"

namespace morvanta {
class MainForm;
}

namespace morvanta::app {

inline constexpr char16_t kReceiveFailedMessage[] = u"受信できませんでした: ";
inline constexpr char16_t kReceivedFollowUpFailedMessage[] =
    u"受信しましたが、その後の処理に失敗しました: ";
inline constexpr char16_t kSendFailedMessage[] = u"送信できませんでした: ";
inline constexpr char16_t kBulkDoneMessage[] = u"一括受信しました: ";
inline constexpr char16_t kBulkFailedMessage[] = u"一括受信できませんでした: ";
inline constexpr char16_t kBulkCancelledMessage[] = u"一括受信を中止しました: ";

// The notice for an ended job; empty when there is nothing to say.
std::u16string jobEndNotice(const jobs::Job& job);

// Tells the user how a job ended (the notice above, or the TOC's pane).
void tellJobEnd(MainForm& form, const jobs::Job& job);
// Polls the form's jobs and tells the user about each one that ended.
void followJobs(MainForm& form);
// Cancels a job; its pane stops waiting for it at once.
void cancelJob(MainForm& form, int id);

}  // namespace morvanta::app
