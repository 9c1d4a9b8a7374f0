#pragma once
// One FTP connection over libcurl: one login serves every transfer of a
// script. Remote names are sent exactly as given ("PRJ*SRC.MAIN/R1": the "*"
// and the "/" are part of the 2200 name, never folders). Transfers stream:
// received bytes go to a sink as they arrive, sent bytes come from a source.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace morvanta::runner {

enum class FtpFailure {
  Unreachable,   // no connection: refused, unknown host, no route
  Timeout,       // the host did not answer in time
  LoginRefused,  // user or password refused
  Missing,       // the remote element or program file does not exist
  Refused,       // the server refused the command for another reason
  Cut,           // the connection broke off during a transfer
  Short,         // fewer bytes arrived than the host announced
  Stalled,       // the transfer moved (almost) nothing for too long
  Other,
};

class FtpError : public std::runtime_error {
 public:
  FtpError(FtpFailure kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  FtpFailure kind() const { return kind_; }

 private:
  FtpFailure kind_;
};

struct FtpTimeouts {
  long connectMs = 5000;    // TCP connection to the host
  long responseMs = 10000;  // each reply of the server (a refused login takes ~3 s)
  // A transfer must move at least stallBytesPerSecond on average over every
  // stallMs, or it ends as stalled: a host that trickles a few bytes now and
  // then would otherwise keep the job alive for ever. 0 turns it off.
  long stallMs = 30000;
  long stallBytesPerSecond = 1;
};

// Looks at every transfer while it runs, many times a second.
class TransferWatch {
 public:
  virtual ~TransferWatch() = default;
  // `moved`: bytes so far; `size`: the expected total, -1 when unknown.
  // May throw (time limit, cancel) to end the transfer.
  virtual void onProgress(std::int64_t moved, std::int64_t size) = 0;
};

// Takes received bytes; may throw (a full disk) to end the transfer.
using ByteSink = std::function<void(const char* data, std::size_t size)>;
// Fills the buffer with bytes to send; 0 at the end. May throw.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

class FtpSession {
 public:
  explicit FtpSession(const FtpTimeouts& timeouts = {});
  ~FtpSession();
  FtpSession(const FtpSession&) = delete;
  FtpSession& operator=(const FtpSession&) = delete;

  // Names the host; nothing is sent until login().
  void open(const std::string& host, std::int32_t port);
  // Connects and logs in now, so that a wrong password is reported at once.
  void login(const std::string& user, const std::string& password);
  // Text (TYPE A, the default) or binary (TYPE I) transfers.
  void setText(bool text);
  // The watch of every later transfer (not owned; nullptr for none).
  void setWatch(TransferWatch* watch) { watch_ = watch; }

  void list(const std::string& remote, const ByteSink& sink);      // LIST: the detailed listing
  void nameList(const std::string& remote, const ByteSink& sink);  // NLST: bare names
  // RETR. The host is asked for the size first (until it once refuses);
  // when it tells one, fewer bytes than that is a failure even when it then
  // reports success.
  void retrieve(const std::string& remote, const ByteSink& sink);
  // STOR. `size` is only for progress (-1 when unknown).
  void store(const std::string& remote, const ByteSource& source, std::int64_t size);

  // Logs out and closes the connection (also done by the destructor).
  void close();

  struct Handles;  // libcurl's handles and the transfer in progress

 private:
  void prepare(const std::string& url);
  void perform(const std::string& subject, bool transfer);
  void listing(const char* verb, const std::string& remote, const ByteSink& sink);
  std::string baseUrl() const;

  FtpTimeouts timeouts_;
  std::unique_ptr<Handles> handles_;
  TransferWatch* watch_ = nullptr;
  std::string host_;
  std::int32_t port_ = 21;
  std::string user_;
  std::string password_;
  bool text_ = true;
  bool sizeRefused_ = false;  // the host does not tell sizes in text mode
};

}  // namespace morvanta::runner
