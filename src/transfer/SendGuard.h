#pragma once
// The send that loses nobody's work. A double click on the send list no
// longer sends at once: a check job (CHECK.BAT / CHECK.TXT) lists the
// target file and fetches the element's current host copy into the work
// folder's BACKUP\{pc name of the target file}; when it has ended the copy
// is compared with the baseline of the receive (SendCheck.h):
//   unchanged       -> the usual confirmation of the SEND line, then the send
//   changed / never received here -> a question naming the element, when it
//                      was received and the host's time: send anyway,
//                      cancel, or compare (DIFF-TOOL, else the built-in view)
//   not on the host -> the confirmation says the send creates it.
// SEND.BAT / SEND.TXT are written as ever. A failed send's notice names the
// kept host copy and offers to send it back (RESTORE.BAT / RESTORE.TXT); a
// successful one lists the file again (SENT.BAT / SENT.TXT) and makes the
// sent text, with the host's new time, the new baseline.

#include <string>
#include <vector>

#include "jobfiles/JobFiles.h"

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

inline constexpr char16_t kBackupFolderName[] = u"BACKUP";
// Host copies kept per element; older ones are removed by the next check.
inline constexpr std::size_t kKeptHostCopies = 5;

inline constexpr char16_t kCheckFailedMessage[] =
    u"送信前にホストのエレメントを確認できませんでした。送信を中止します: ";
inline constexpr char16_t kChangedTitle[] = u"ホストのエレメントが変更されています";
inline constexpr char16_t kNoBaselineTitle[] = u"受信時の記録がありません";
inline constexpr char16_t kNotOnHostNote[] =
    u"ホストにこのエレメントはありません。送信すると新しく作成されます。";
inline constexpr char16_t kMayBeIncompleteNote[] =
    u"ホストのエレメントが不完全な可能性があります。送信前のホストの内容: ";
inline constexpr char16_t kRestoreCaption[] = u"送信前の内容を送り戻す";
inline constexpr char16_t kNoBackupMessage[] = u"送信前のホストの内容がありません: ";

inline constexpr char16_t kBackupFolderFailedMessage[] = u"バックアップフォルダを作成できません: ";
inline constexpr char16_t kChangedText[] =
    u"受信した後に、ホストのエレメントが変更されています。送信するとその変更は失われます。";
inline constexpr char16_t kNoBaselineText[] =
    u"このエレメントを受信した記録がないため、ホストの内容が変更されたか確認できません。";
inline constexpr char16_t kElementLabel[] = u"エレメント: ";
inline constexpr char16_t kReceivedAtLabel[] = u"受信時のホストの日時: ";
inline constexpr char16_t kHostNowLabel[] = u"ホストの現在の日時: ";
inline constexpr char16_t kNotReceived[] = u"(受信記録なし)";
inline constexpr char16_t kUnknownTime[] = u"(不明)";
inline constexpr char16_t kHostSideLabel[] = u"ホスト: ";
inline constexpr char16_t kHostSideConvertedLabel[] = u"ホスト (Shift_JISに変換して比較): ";
inline constexpr char16_t kPcSideLabel[] = u"PC: ";
inline constexpr char16_t kCompareFailedMessage[] = u"比較できません: ";

// Where a check keeps the host copies of the elements of `targetFile`.
std::u16string backupFolder(MainForm& form, const std::u16string& targetFile);
// The kept host copies of a PC element name in `folder`, oldest first.
std::vector<std::u16string> keptHostCopies(const std::u16string& folder,
                                           const std::u16string& pcElement);
// Removes all but the newest `keep` of them (and their converted twins).
void pruneHostCopies(const std::u16string& folder, const std::u16string& pcElement,
                     std::size_t keep = kKeptHostCopies);

// The send of the pane's selected element, after its values were checked:
// writes and starts the check job; the rest follows its end.
void startGuardedSend(MainForm& form, int pane, const jobfiles::SendJob& job,
                      const std::u16string& element);

}  // namespace morvanta::transfer
