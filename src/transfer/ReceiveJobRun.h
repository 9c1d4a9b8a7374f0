#pragma once
// The steps the two single-element receives share: where the element lands,
// writing the receive job with the last-received state, and starting it.

#include <string>

#include "jobfiles/JobFiles.h"

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

// Told when the receive folder of a 2200 file cannot be made; the folder follows.
inline constexpr char16_t kReceiveFolderFailedMessage[] = u"受信フォルダを作成できません: ";

struct ReceiveTarget {
  std::u16string folder;     // FTPRCV\{pc name of the 2200 file}
  std::u16string pcFile;     // pc name of the 2200 file, e.g. PRJ＊SRC
  std::u16string pcElement;  // e.g. MAIN／R1.txt
};

// Where element `elt` (display form, e.g. MAIN/R1) of `file` (qual*file) is
// received to.
ReceiveTarget receiveTarget(MainForm& form, const std::u16string& file, const std::u16string& elt);

// Writes RECV.BAT / RECV.TXT and, once they are written, records the target
// as the last received file (the @USE analysis reads it). False, with the
// user told and nothing changed, when a PC name of the target is not one
// safe path component or the job could not be written.
bool writeReceive(MainForm& form, const std::u16string& address, const std::u16string& remoteName,
                  const ReceiveTarget& target);

// Makes the receive folder and starts RECV.BAT. A folder that cannot be
// made is told and nothing is started: the FTP client would have nowhere to
// put the element and the editor would open nothing.
// `label` says what the job list shows (kind, pane, element).
void startReceive(MainForm& form, const ReceiveTarget& target, jobfiles::JobLabel label);

}  // namespace morvanta::transfer
