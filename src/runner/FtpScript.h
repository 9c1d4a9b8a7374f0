#pragma once
// An FTP client script as "ftp -s:" reads it: "open ADDR [PORT]", then the
// user and the password on the next two lines, then commands up to "bye".

#include <cstdint>
#include <string>
#include <vector>

namespace morvanta::runner {

enum class FtpOp {
  Open,      // host, port
  User,      // text
  Password,  // text
  List,      // "mdir REMOTE LOCAL" + answer "y": LIST into a local file
  NameList,  // "mls REMOTE LOCAL" + answer "y": NLST into a local file
  Receive,   // "RECV REMOTE LOCAL" (or "get")
  Send,      // "SEND LOCAL REMOTE" (or "put")
  Ascii,     // "ascii": text transfers (the default)
  Binary,    // "binary"
  Bye,       // "bye" (or "quit"): the script ends here
};

struct FtpCommand {
  FtpOp op = FtpOp::Bye;
  int line = 0;  // 1-based line of the script
  std::u16string host;
  std::int32_t port = 21;
  std::u16string text;    // user name or password
  std::u16string remote;  // remote name, verbatim
  std::u16string local;   // local path
};

// Reads the whole script before anything runs, so a malformed script does
// nothing at all. Throws JobError naming the line. A script without "bye"
// ends at its last line.
std::vector<FtpCommand> parseFtpScript(const std::vector<std::u16string>& lines);

// How many elements the script transfers: its mdir, mls, RECV and SEND
// commands (what the job's "step" records count).
int countTransfers(const std::vector<FtpCommand>& commands);

// The script line as it may be shown: the password line never is.
std::u16string shownLine(const std::vector<FtpCommand>& commands,
                         const std::vector<std::u16string>& lines, int line);

}  // namespace morvanta::runner
