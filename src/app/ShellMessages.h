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
inline constexpr char16_t kBulkTableUnreadableMessage[] = u"一括受信設定ファイルを読めません: ";
inline constexpr char16_t kBulkRowUnusableMessage[] =
    u"一括受信設定の行にPCフォルダ（4番目の項目）がないため無視します: ";
inline constexpr char16_t kBulkTableFullMessage[] =
    u"一括受信設定は101行までです。102行目以降は無視します: ";

}  // namespace morvanta::app
