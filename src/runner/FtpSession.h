#pragma once
// One FTP connection over libcurl: one login serves every transfer of a
// script. Remote names are sent exactly as given ("PRJ*SRC.MAIN/R1": the "*"
// and the "/" are part of the 2200 name, never folders).

#include <cstdint>
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
  long stallSeconds = 10;   // a transfer that moves no data for this long ends
};

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

  std::string list(const std::string& remote);                      // LIST: the detailed listing
  std::string nameList(const std::string& remote);                  // NLST: bare names
  std::string retrieve(const std::string& remote);                  // RETR
  void store(const std::string& remote, const std::string& bytes);  // STOR

  // Logs out and closes the connection (also done by the destructor).
  void close();

 private:
  struct Handles;
  void prepare(const std::string& url);
  void perform(const std::string& subject);
  std::string listing(const char* verb, const std::string& remote);
  std::string baseUrl() const;

  FtpTimeouts timeouts_;
  std::unique_ptr<Handles> handles_;
  std::string host_;
  std::int32_t port_ = 21;
  std::string user_;
  std::string password_;
  bool text_ = true;
};

}  // namespace morvanta::runner
