#include "runner/FtpScriptRun.h"

#include <vector>

#include "platform/Platform.h"
#include "runner/FtpScript.h"
#include "runner/JobError.h"
#include "runner/LineEnds.h"
#include "runner/LocalFile.h"

namespace morvanta::runner {

namespace {

std::string hidden(std::string text, const std::string& password) {
  if (password.empty()) return text;
  for (auto at = text.find(password); at != std::string::npos; at = text.find(password, at)) {
    text.replace(at, password.size(), "******");
    at += 6;
  }
  return text;
}

class ScriptRun {
 public:
  ScriptRun(const std::u16string& path, const FtpTimeouts& timeouts, std::ostream& out)
      : path_(platform::toUtf8(path)), session_(timeouts), out_(out) {
    try {
      lines_ = platform::readTextLines(path);
    } catch (const platform::FileError& error) {
      throw JobError("cannot read the FTP script " + path_ + ": " + error.what());
    }
    try {
      commands_ = parseFtpScript(lines_);
    } catch (const JobError& error) {
      throw JobError(path_ + " " + error.what());
    }
  }

  void run() {
    for (const auto& command : commands_) {
      const std::u16string shown = shownLine(commands_, lines_, command.line);
      if (command.op != FtpOp::Password) out_ << "ftp> " << platform::toUtf8(shown) << '\n';
      out_.flush();
      try {
        if (!step(command)) return;
      } catch (const JobError& error) {
        fail(command.line, error.what());
      } catch (const FtpError& error) {
        // A connection that cannot be made is the open line's failure, a
        // refused login the password line's.
        const bool connecting =
            command.op == FtpOp::Password && error.kind() != FtpFailure::LoginRefused;
        fail(connecting ? openLine_ : command.line, error.what());
      } catch (const platform::FileError& error) {
        fail(command.line, error.what());
      }
    }
  }

 private:
  // False once the script has ended ("bye").
  bool step(const FtpCommand& command) {
    switch (command.op) {
      case FtpOp::Open:
        openLine_ = command.line;
        session_.open(platform::toCp932(command.host), command.port);
        return true;
      case FtpOp::User:
        user_ = platform::toCp932(command.text);
        return true;
      case FtpOp::Password:
        password_ = platform::toCp932(command.text);
        session_.login(user_, password_);
        out_ << "logged in\n";
        return true;
      case FtpOp::List:
      case FtpOp::NameList: {
        const std::string remote = platform::toCp932(command.remote);
        const std::string listing =
            command.op == FtpOp::List ? session_.list(remote) : session_.nameList(remote);
        writeLocalFile(command.local, withCrLf(listing));
        return true;
      }
      case FtpOp::Receive: {
        const std::string bytes = session_.retrieve(platform::toCp932(command.remote));
        writeLocalFile(command.local, text_ ? withCrLf(bytes) : bytes);
        out_ << bytes.size() << " bytes received\n";
        return true;
      }
      case FtpOp::Send: {
        const std::string bytes = readLocalFile(command.local);
        session_.store(platform::toCp932(command.remote), text_ ? textForUpload(bytes) : bytes);
        out_ << bytes.size() << " bytes sent\n";
        return true;
      }
      case FtpOp::Ascii:
      case FtpOp::Binary:
        text_ = command.op == FtpOp::Ascii;
        session_.setText(text_);
        return true;
      case FtpOp::Bye:
        session_.close();
        return false;
    }
    return true;
  }

  [[noreturn]] void fail(int line, const std::string& why) {
    const std::u16string shown = shownLine(commands_, lines_, line);
    throw JobError(path_ + " line " + std::to_string(line) + ": " + platform::toUtf8(shown) + "\n" +
                   hidden(why, password_));
  }

  std::string path_;
  std::vector<std::u16string> lines_;
  std::vector<FtpCommand> commands_;
  FtpSession session_;
  std::ostream& out_;
  std::string user_;
  std::string password_;
  int openLine_ = 0;
  bool text_ = true;
};

}  // namespace

void runFtpScript(const std::u16string& scriptPath, const FtpTimeouts& timeouts,
                  std::ostream& out) {
  ScriptRun(scriptPath, timeouts, out).run();
}

}  // namespace morvanta::runner
