#include "runner/FtpScriptRun.h"

#include <chrono>
#include <future>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/WorkerThread.h"
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

// A received file that could not be put in place, found while a later
// line ran: the failure is that earlier line's.
class PlacementFailed : public std::runtime_error {
 public:
  PlacementFailed(int line, const std::string& why) : std::runtime_error(why), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

class ScriptRun : private TransferWatch {
 public:
  ScriptRun(const std::u16string& path, const FtpTimeouts& timeouts, std::ostream& out,
            JobProgress& progress)
      : path_(platform::toUtf8(path)), session_(timeouts), out_(out), progress_(progress) {
    session_.setWatch(this);
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
      const std::string logged =
          command.op == FtpOp::Password ? "" : "ftp> " + platform::toUtf8(shown) + "\n";
      try {
        progress_.checkStop();
        // Only a receive may run while the one before is put in place.
        if (command.op != FtpOp::Receive) settle();
        log(logged);
        if (!step(command)) return;
      } catch (const PlacementFailed& error) {
        fail(error.line(), error.what());
      } catch (const JobStopped&) {
        settleBeforeFailing();
        throw;
      } catch (const JobError& error) {
        settleBeforeFailing();
        fail(command.line, error.what());
      } catch (const FtpError& error) {
        settleBeforeFailing();
        // A connection that cannot be made is the open line's failure, a
        // refused login the password line's.
        const bool connecting =
            command.op == FtpOp::Password && error.kind() != FtpFailure::LoginRefused;
        fail(connecting ? openLine_ : command.line, error.what());
      } catch (const platform::FileError& error) {
        settleBeforeFailing();
        fail(command.line, error.what());
      }
    }
    settleBeforeFailing();
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
        beginElement(command.remote);
        // A file made ahead on the file thread is taken when the first bytes
        // come; any other is made before the transfer begins.
        std::optional<IncomingFile> file;
        if (!prepared_ || prepared_->line != command.line) file.emplace(command.local, text_);
        const auto open = [&]() -> IncomingFile& {
          if (!file) file.emplace(takePrepared());
          return *file;
        };
        session_.retrieve(
            platform::toCp932(command.remote),
            [&open](const char* data, std::size_t size) { open().write(data, size); });
        open().close();
        settle();
        // The next file is made first: the next transfer waits for it, and
        // nothing waits for this rename, which can cost more than a transfer
        // where it replaces a file.
        prepareNext(command);
        placing_ = Placing{command.line, file->received(), {}, {}};
        placing_->done = files_.run([placed = std::move(*file)]() mutable { placed.putInPlace(); });
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

  // While an element is put in place, what the log would say next waits, so
  // that its "bytes received" comes first; so does the next element's start.
  void log(const std::string& text) {
    if (placing_) {
      placing_->after += text;
    } else {
      out_ << text;
    }
  }

  // When the line after `command` receives too, its file is made on the
  // file thread while the transfer of that line begins.
  void prepareNext(const FtpCommand& command) {
    const auto next = static_cast<std::size_t>(&command - commands_.data()) + 1;
    if (next >= commands_.size() || commands_[next].op != FtpOp::Receive) return;
    prepared_ =
        Prepared{commands_[next].line, files_.run([path = commands_[next].local, text = text_] {
                   return IncomingFile(path, text);
                 })};
  }

  IncomingFile takePrepared() {
    std::future<IncomingFile> made = std::move(prepared_->file);
    prepared_.reset();
    return made.get();
  }

  void beginElement(const std::u16string& remote) {
    if (placing_) {
      nextElement_ = remote;
    } else {
      progress_.beginElement(remote);
    }
  }

  // The element being put in place is done: its line is logged and counted.
  // Throws PlacementFailed when it could not be put in place.
  void settle() {
    if (!placing_) return;
    Placing placed = std::move(*placing_);
    placing_.reset();
    const std::optional<std::u16string> next = std::exchange(nextElement_, std::nullopt);
    try {
      placed.done.get();
    } catch (const JobError& error) {
      throw PlacementFailed(placed.line, error.what());
    }
    out_ << placed.received << " bytes received\n";
    progress_.elementDone();
    out_ << placed.after;
    if (next) progress_.beginElement(*next);
  }

  void settleBeforeFailing() {
    try {
      settle();
    } catch (const PlacementFailed& error) {
      fail(error.line(), error.what());
    }
  }

  // The transfer of the next element looks in on the one being put in place;
  // until that one is done, the bytes would be told under its name.
  void onProgress(std::int64_t moved, std::int64_t size) override {
    if (placing_ && placing_->done.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
      settle();
    }
    if (placing_) {
      progress_.checkStop();
    } else {
      progress_.onProgress(moved, size);
    }
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
  // The element whose file is being put in place, and the log after it.
  struct Placing {
    int line;
    std::int64_t received;
    std::string after;
    std::future<void> done;
  };
  std::optional<Placing> placing_;
  std::optional<std::u16string> nextElement_;  // begun while the one before was placed
  // The file of the receive on `line`, being made ahead.
  struct Prepared {
    int line;
    std::future<IncomingFile> file;
  };
  std::optional<Prepared> prepared_;
  platform::WorkerThread files_;  // last: what it was asked for is done before the rest goes
};

}  // namespace

void runFtpScript(const std::u16string& scriptPath, const FtpTimeouts& timeouts, std::ostream& out,
                  JobProgress& progress) {
  ScriptRun(scriptPath, timeouts, out, progress).run();
}

}  // namespace morvanta::runner
