#pragma once
// Keeping the FTP password private at rest: the job scripts that hold it are
// written for their owner only (jobfiles/JobFiles), scripts a crash left
// behind are erased at the next start, and a configuration file that holds
// the password and that other users can read is pointed out.

namespace morvanta {
class MainForm;
}

namespace morvanta::app {

// Shown at start when the configuration file holds a password and others
// may read it; the file follows.
inline constexpr char16_t kConfigReadableMessage[] =
    u"パスワードを含む設定ファイルを他のユーザーが読めます。本人だけが読めるようにしてください: ";

// Erases the FTP scripts left in FTPWK, except the one of a job that is
// still running (its status file has a start and no end, and its process is
// alive). A script that cannot be erased is left quietly.
void eraseLeftoverScripts(MainForm& form);

// Tells the user once when pub.ftpPassword is set and the configuration
// file pub.iniPath can be read by other users.
void warnIfConfigReadable(MainForm& form);

}  // namespace morvanta::app
