#pragma once
// Bulk receive: brings a runstream project's PC folder up to date with the
// 2200 file of a pane in one job, from the pane's last TOC taken with dates.
// Which folder, project and output folder belong to the file comes from the
// bulk-receive table "updatehtm.ini".

#include <string>
#include <vector>

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

inline constexpr char16_t kNoFileNameMessage[] = u"22000上のファイル名を入力してください";
inline constexpr char16_t kNoBulkRowMessage[] = u"update iniファイルに該当ファイルがみつかりません";
inline constexpr char16_t kSymExtensionMessage[] =
    u"フォルダ下の拡張子をすべて、.TXTに変更してから実行してください";
inline constexpr char16_t kRunBatchQuestion[] = u"BATファイルを実行しますか？";
// The folder follows the text.
inline constexpr char16_t kNoPcFolderMessage[] = u"PCフォルダがみつかりません: ";
// The columns of the question's details: the elements Yes will receive.
inline constexpr char16_t kDetailsElementHeader[] = u"エレメント";
inline constexpr char16_t kDetailsHostTimeHeader[] = u"ホスト日時";
inline constexpr char16_t kDetailsPcTimeHeader[] = u"PC日時";
inline constexpr char16_t kDetailsNoPcCopy[] = u"（なし）";
inline constexpr char16_t kAllUpToDateMessage[] =
    u"受信するエレメントはありません。PC上のファイルはすべて最新です";
// The pane's TOC was taken without dates ("mls"): nothing was compared.
inline constexpr char16_t kTocWithoutDatesMessage[] =
    u"このペインのTOCは日付なしで取得されているため、PC上のファイルと比較できません。"
    u"mdirにチェックを入れてTOCを取得し直してください";

// Command_AUTO: reloads the bulk-receive table and upper-cases the pane's
// file name.
void bulkReceiveSettings(MainForm& form, int i);

// Command_AUTO_recv: writes RECVAUTO.BAT / RECVAUTO.TXT for every element
// whose PC copy is missing or older than the host's, then asks whether to
// run the batch file (Yes), open both files in the editor (No) or neither;
// the question lists the elements Yes will receive.
void bulkReceive(MainForm& form, int i);

}  // namespace morvanta::transfer
