#pragma once
// Texts the application shell shows: configuration errors, folder problems
// found at start-up, the bulk-receive table notices.

namespace morvanta::app {

// Configuration errors: the offending line follows the text directly.
inline constexpr char16_t kTooManyHostsMessage[] = u"パラメタは10まで";
inline constexpr char16_t kBadHostMessage[] = u"HOSTパラメタ指定誤り";
inline constexpr char16_t kAisXisMessage[] = u"文字列AISまたはXISを含むファイル名は送信できません";

// FOLDER_NAME with a key other than "WK" or "RCV".
inline constexpr char16_t kFolderNameMessage[] = u"FOLER NAME変換エラー。終了します";

// Start-up problems with files and folders: the path follows the text.
inline constexpr char16_t kEmptyPointerMessage[] =
    u"ini.iniに設定フォルダが書かれていません。終了します: ";
inline constexpr char16_t kCannotReadMessage[] = u"ファイルを読めません。終了します: ";
inline constexpr char16_t kCannotCreateFileMessage[] = u"ファイルを作成できません。終了します: ";
inline constexpr char16_t kNoWorkRootMessage[] = u"作業フォルダがありません。終了します: ";
inline constexpr char16_t kCannotCreateFolderMessage[] = u"フォルダを作成できません。終了します: ";

// The bulk-receive table: told at most once per load each.
inline constexpr char16_t kBulkTableUnreadableMessage[] =
    u"一括受信設定ファイルを読めません。一括受信の設定は空のまま続けます: ";
inline constexpr char16_t kBulkRowUnusableMessage[] =
    u"一括受信設定の行にPCフォルダ（4番目の項目）がないため無視します: ";
inline constexpr char16_t kBulkTableFullMessage[] =
    u"一括受信設定は101行までです。102行目以降は無視します: ";

// The first start: the template's path stands between head and body.
inline constexpr char16_t kFirstStartTitle[] = u"設定ファイルを作成しました";
inline constexpr char16_t kFirstStartMessageHead[] =
    u"設定ファイルがなかったので、ひな形を作成しました。\n";
inline constexpr char16_t kFirstStartMessageBody[] =
    u"\n\n使う前に次の項目を書き換えてください。\n"
    u"・HOST=ホスト名,IPアドレス（1行に1台、10台まで）\n"
    u"・FTP-USERID=FTPのユーザID\n"
    u"・FTP-PASSWORD=FTPのパスワード\n"
    u"・TEXT-EDITOR=受信したエレメントを開くエディタ\n"
    u"変更は次回の起動から有効になります。\n\n"
    u"OKを押すと、この設定ファイルをエディタで開きます。";

// A line of a file the user edits that is neither Shift_JIS nor UTF-8: the
// file, the line number and the line follow. The line is still read.
inline constexpr char16_t kUndecodableLineMessage[] =
    u"Shift_JISとしてもUTF-"
    u"8としても読めない文字を含む行があります。読めない文字は置き換えて続けます: ";

}  // namespace morvanta::app
