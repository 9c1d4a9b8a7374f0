#pragma once
// The state shared by every command: paths, configuration values, the job
// pair written last, the bulk-receive table and the @USE table. One object,
// owned by MainForm and passed by reference; never saved.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvanta {

// One row of the bulk-receive table "updatehtm.ini".
struct BulkRow {
  std::u16string hostFile;  // qual*file on the host
  std::u16string func;      // only "RUNSTREAM" rows are used
  std::u16string project;
  std::u16string pcFolder;  // no trailing separator
  std::u16string outf;
};

// The files of the program's own folder.
inline constexpr char16_t kIniPointerFileName[] = u"ini.ini";
inline constexpr char16_t kBulkTableFileName[] = u"updatehtm.ini";

struct Module_pub {
  static constexpr int kMaxHosts = 10;
  static constexpr int kMaxBulkRows = 101;
  static constexpr int kUseTableSize = 101;

  std::u16string appFolder;
  std::u16string iniPointerName = kIniPointerFileName;
  std::u16string iniPath = u"Morvanta.ini";
  std::u16string workRoot;
  std::u16string testLogName = u"testlog.txt";
  std::u16string bulkTableName = kBulkTableFileName;

  std::int32_t hostCount = 0;
  std::array<std::u16string, kMaxHosts + 1> hostNames;
  std::array<std::u16string, kMaxHosts + 1> hostAddresses;

  std::u16string ftpUserId;
  // The password of the script being written: FTP-PASSWORD as written, or,
  // with FTP-PASSWORD-KEYRING=YES, the one of the job's host from the
  // keyring or the user (app/LoginPassword.h).
  std::u16string ftpPassword;
  bool passwordInKeyring = false;
  std::u16string ftpSend;
  std::u16string ftpSendWorkFile;
  std::u16string textEditor;
  std::u16string sjisConverterPath;
  std::u16string toSjisExe;
  std::u16string toUnisysExe;
  std::u16string cobPlusEditPath;
  // DIFF-TOOL: started as DIFF-TOOL "host copy" "PC file" to compare before a send.
  std::u16string diffTool;
  std::int16_t debugFtp = 0;

  std::u16string ftpScriptName;
  std::u16string batchFileName;
  std::u16string phasedTocPath;
  std::u16string searchText;
  std::u16string lastReceivedFolder;
  std::u16string lastReceivedFile;
  // A receive job ends by opening the editor on what arrived; the command
  // line turns this off and hands the path to its caller instead.
  bool receiveOpensEditor = true;

  std::vector<BulkRow> bulkTable;  // at most kMaxBulkRows rows
  std::int32_t bulkCount = 0;

  std::int16_t layoutReady = 0;

  // The @USE table of the last analysis: use name -> qual*file.
  std::int32_t useCount = 0;
  std::array<std::u16string, kUseTableSize> useNames;
  std::array<std::u16string, kUseTableSize> useFiles;

  // The qual*file of the last printed TOC listing dropped on a pane.
  std::u16string listingQualFile;
};

}  // namespace morvanta
