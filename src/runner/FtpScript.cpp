#include "runner/FtpScript.h"

#include "platform/Platform.h"
#include "runner/CommandLine.h"
#include "runner/JobError.h"

namespace morvanta::runner {

namespace {

enum class Expect { Command, User, Password, Answer };

[[noreturn]] void fail(int line, const std::string& why) {
  throw JobError("line " + std::to_string(line) + ": " + why);
}

std::string utf8(const std::u16string& text) {
  return platform::toUtf8(text);
}

// "REMOTE LOCAL": the remote name is one word (2200 names hold no blank), the
// local path is the rest of the line and may hold blanks.
void remoteThenLocal(const std::u16string& args, FtpCommand& command) {
  const auto words = splitWords(args);
  if (words.size() >= 2) {
    command.remote = words[0].text;
    command.local = unquote(trimBlanks(args.substr(words[1].begin)));
  }
}

// "LOCAL REMOTE": the remote name is the last word.
void localThenRemote(const std::u16string& args, FtpCommand& command) {
  const auto words = splitWords(args);
  if (words.size() >= 2) {
    command.remote = words.back().text;
    command.local = unquote(trimBlanks(args.substr(0, words.back().begin)));
  }
}

std::int32_t parsePort(const std::u16string& text, int line) {
  std::int32_t port = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9' || port > 65535) fail(line, "bad port " + utf8(text));
    port = port * 10 + (c - u'0');
  }
  if (port < 1 || port > 65535) fail(line, "bad port " + utf8(text));
  return port;
}

}  // namespace

std::vector<FtpCommand> parseFtpScript(const std::vector<std::u16string>& lines) {
  std::vector<FtpCommand> commands;
  Expect expect = Expect::Command;
  bool open = false;
  int number = 0;
  for (const auto& raw : lines) {
    ++number;
    FtpCommand command;
    command.line = number;
    if (expect == Expect::User || expect == Expect::Password) {
      // Taken as they stand: a password may begin or end with a blank.
      command.op = expect == Expect::User ? FtpOp::User : FtpOp::Password;
      command.text = raw;
      commands.push_back(command);
      expect = expect == Expect::User ? Expect::Password : Expect::Command;
      continue;
    }
    const std::u16string line = trimBlanks(raw);
    if (expect == Expect::Answer) {
      if (line.empty() || (line[0] != u'y' && line[0] != u'Y')) {
        fail(number, "the listing was not confirmed: the line after mdir or mls must be \"y\"");
      }
      expect = Expect::Command;
      continue;
    }
    if (line.empty()) continue;

    const auto words = splitWords(line);
    const std::u16string verb = upperAscii(words[0].text);
    const std::u16string args = words.size() > 1 ? line.substr(words[1].begin) : u"";
    if (verb == u"BYE" || verb == u"QUIT") {
      command.op = FtpOp::Bye;
      commands.push_back(command);
      return commands;
    }
    if (verb == u"ASCII" || verb == u"BINARY") {
      command.op = verb == u"ASCII" ? FtpOp::Ascii : FtpOp::Binary;
      commands.push_back(command);
      continue;
    }
    if (verb == u"OPEN") {
      if (open) fail(number, "already connected");
      if (words.size() < 2 || words.size() > 3) fail(number, "open needs ADDRESS [PORT]");
      command.op = FtpOp::Open;
      command.host = words[1].text;
      if (words.size() == 3) command.port = parsePort(words[2].text, number);
      commands.push_back(command);
      open = true;
      expect = Expect::User;
      continue;
    }
    if (verb == u"MDIR" || verb == u"MLS") {
      command.op = verb == u"MDIR" ? FtpOp::List : FtpOp::NameList;
      remoteThenLocal(args, command);
      expect = Expect::Answer;
    } else if (verb == u"RECV" || verb == u"GET") {
      command.op = FtpOp::Receive;
      remoteThenLocal(args, command);
    } else if (verb == u"SEND" || verb == u"PUT") {
      command.op = FtpOp::Send;
      localThenRemote(args, command);
    } else {
      fail(number, "unknown FTP command " + utf8(words[0].text));
    }
    if (command.remote.empty() || command.local.empty()) {
      fail(number, utf8(words[0].text) + " needs a remote name and a local file");
    }
    if (!open) fail(number, "not connected: the script has no open line before this one");
    commands.push_back(command);
  }
  if (expect == Expect::User) fail(number, "the script ends before the user line");
  if (expect == Expect::Password) fail(number, "the script ends before the password line");
  if (expect == Expect::Answer) fail(number, "the script ends before the answer \"y\"");
  return commands;
}

int countTransfers(const std::vector<FtpCommand>& commands) {
  int n = 0;
  for (const auto& command : commands) {
    const bool transfer = command.op == FtpOp::List || command.op == FtpOp::NameList ||
                          command.op == FtpOp::Receive || command.op == FtpOp::Send;
    if (transfer) ++n;
  }
  return n;
}

std::u16string shownLine(const std::vector<FtpCommand>& commands,
                         const std::vector<std::u16string>& lines, int line) {
  for (const auto& command : commands) {
    if (command.line == line && command.op == FtpOp::Password) return u"(password)";
  }
  if (line < 1 || static_cast<std::size_t>(line) > lines.size()) return {};
  return lines[static_cast<std::size_t>(line) - 1];
}

}  // namespace morvanta::runner
