#pragma once
// Sending an edited element back: a double click on the pane's send list
// copies the element's PC text file to its upload name beside it, writes the
// send job and, once the user has confirmed the exact FTP command, starts it.

#include <string>

namespace morvanta {
class MainForm;
}
namespace morvanta::jobfiles {
struct SendJob;
}

namespace morvanta::transfer {

inline constexpr char16_t kSendConfirmTitle[] = u"以下のFTPのSENDを実行してもよいですか？";
// The file to send is not in the receive folder of the pane's 2200 file;
// the path follows.
inline constexpr char16_t kNoSendFileMessage[] = u"送信するファイルがありません: ";
// The upload copy could not be made; its path follows.
inline constexpr char16_t kUploadCopyFailedMessage[] = u"送信用ファイルを作成できません: ";

// Copies the PC text file to its upload name beside it; false, with the
// user told, when there is no PC file or the copy fails.
bool makeUploadCopy(MainForm& form, const jobfiles::SendJob& job);

void sendElement(MainForm& form, int i);
// Empties the pane's send list and leaves one entry without text there.
void setUpNewElement(MainForm& form, int i);

}  // namespace morvanta::transfer
