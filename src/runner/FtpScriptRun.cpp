#include "runner/FtpScriptRun.h"

#include <vector>

#include "platform/Platform.h"
#include "runner/FtpScript.h"
#include "runner/JobError.h"
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
  ScriptRun(const std::u16string& path, const FtpTimeouts& timeouts, std::ostream& out,
            JobProgress& progress)
      : path_(platform::toUtf8(path)), session_(timeouts), out_(out), progress_(progress) {
    session_.setWatch(&progress_);
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
      // The log is written as the stream's buffer fills, not per command: a
      // bulk job of a thousand elements would spend a write on each line.
      // A failure is flushed with its reason (see JobRunner).
      if (command.op != FtpOp::Password) out_ << "ftp> " << platform::toUtf8(shown) << '\n';
      try {
        progress_.checkStop();
        if (!step(command)) return;
      } catch (const JobStopped&) {
        throw;
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
        progress_.beginElement(command.remote);
        IncomingFile file(command.local, true);
        const ByteSink sink = [&file](const char* data, std::size_t size) {
          file.write(data, size);
        };
        if (command.op == FtpOp::List) {
          session_.list(remote, sink);
        } else {
          session_.nameList(remote, sink);
        }
        file.commit();
        progress_.elementDone();
        return true;
      }
      case FtpOp::Receive: {
        progress_.beginElement(command.remote);
        IncomingFile file(command.local, text_);
        session_.retrieve(platform::toCp932(command.remote),
                          [&file](const char* data, std::size_t size) { file.write(data, size); });
        file.commit();
        out_ << file.received() << " bytes received\n";
        progress_.elementDone();
        return true;
      }
      case FtpOp::Send: {
        progress_.beginElement(command.remote);
        OutgoingFile file(command.local, text_);
        std::int64_t sent = 0;
        session_.store(
            platform::toCp932(command.remote),
            [&file, &sent](char* buffer, std::size_t size) {
              const std::size_t n = file.read(buffer, size);
              sent += static_cast<std::int64_t>(n);
              return n;
            },
            file.size());
        out_ << sent << " bytes sent\n";
        progress_.elementDone();
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
  JobProgress& progress_;
  std::string user_;
  std::string password_;
  int openLine_ = 0;
  bool text_ = true;
};

}  // namespace

void runFtpScript(const std::u16string& scriptPath, const FtpTimeouts& timeouts, std::ostream& out,
                  JobProgress& progress) {
  ScriptRun(scriptPath, timeouts, out, progress).run();
}

}  // namespace morvanta::runner
