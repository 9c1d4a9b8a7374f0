#include "runner/FtpSession.h"

#include <curl/curl.h>

#include <algorithm>
#include <utility>

namespace morvanta::runner {

struct FtpSession::Handles {
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  char error[CURL_ERROR_SIZE] = {};
  std::string received;
};

namespace {

std::size_t onWrite(char* data, std::size_t size, std::size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

std::size_t onRead(char* buffer, std::size_t size, std::size_t count, void* user) {
  auto* source = static_cast<std::pair<const std::string*, std::size_t>*>(user);
  const std::size_t left = source->first->size() - source->second;
  const std::size_t n = std::min(left, size * count);
  source->first->copy(buffer, n, source->second);
  source->second += n;
  return n;
}

std::string describe(CURLcode result, long reply, const char* error) {
  std::string text = error[0] ? error : curl_easy_strerror(result);
  if (reply >= 100) text += ", reply " + std::to_string(reply);
  return text;
}

// `subject` names what was asked for, e.g. "element PRJ*SRC.MAIN/R1".
FtpError failure(CURLcode result, long reply, const char* error, const std::string& subject) {
  const std::string why = " (" + describe(result, reply, error) + ")";
  switch (result) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
      return FtpError(FtpFailure::Unreachable, "host unreachable" + why);
    case CURLE_OPERATION_TIMEDOUT:
      return FtpError(FtpFailure::Timeout, "the host did not answer in time" + why);
    case CURLE_LOGIN_DENIED:
      return FtpError(FtpFailure::LoginRefused, "login refused" + why);
    case CURLE_REMOTE_FILE_NOT_FOUND:
      return FtpError(FtpFailure::Missing, subject + " missing" + why);
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_UPLOAD_FAILED:
    case CURLE_QUOTE_ERROR:
      if (reply == 550 || reply == 450)
        return FtpError(FtpFailure::Missing, subject + " missing" + why);
      return FtpError(FtpFailure::Refused, "the host refused it" + why);
    default:
      return FtpError(FtpFailure::Other, "transfer failed" + why);
  }
}

}  // namespace

FtpSession::FtpSession(const FtpTimeouts& timeouts)
    : timeouts_(timeouts), handles_(std::make_unique<Handles>()) {
  handles_->multi = curl_multi_init();
  handles_->easy = curl_easy_init();
  if (!handles_->multi || !handles_->easy) {
    close();
    throw FtpError(FtpFailure::Other, "libcurl could not be started");
  }
}

FtpSession::~FtpSession() {
  close();
}

void FtpSession::close() {
  if (!handles_) return;
  // The connections live in the multi handle; cleaning it up logs out.
  if (handles_->multi) curl_multi_cleanup(handles_->multi);
  if (handles_->easy) curl_easy_cleanup(handles_->easy);
  handles_.reset();
}

void FtpSession::open(const std::string& host, std::int32_t port) {
  host_ = host;
  port_ = port;
}

void FtpSession::setText(bool text) {
  text_ = text;
}

std::string FtpSession::baseUrl() const {
  const bool ipv6 = host_.find(':') != std::string::npos;
  return "ftp://" + (ipv6 ? "[" + host_ + "]" : host_) + ":" + std::to_string(port_) + "/";
}

void FtpSession::prepare(const std::string& url) {
  if (!handles_) throw FtpError(FtpFailure::Other, "not connected");
  CURL* easy = handles_->easy;
  // Resetting keeps the connection: the next transfer reuses the login.
  curl_easy_reset(easy);
  handles_->error[0] = '\0';
  handles_->received.clear();
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
#endif
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, handles_->error);
  curl_easy_setopt(easy, CURLOPT_USERNAME, user_.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, password_.c_str());
  // Without NOCWD libcurl would send "CWD PRJ*SRC.MAIN" for "PRJ*SRC.MAIN/R1".
  curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, text_ ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connectMs);
  curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                   std::max(1L, (timeouts_.responseMs + 999) / 1000));
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeouts_.stallSeconds);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onWrite);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &handles_->received);
}

// libcurl does not always watch the socket of a passive data connection
// while it is being connected, and then notices the connection only when its
// wait times out: a whole second per element with curl_easy_perform. So the
// runner drives a multi handle itself: it looks again at once after any
// activity and backs off to 64 ms while nothing happens.
void FtpSession::perform(const std::string& subject) {
  CURLM* multi = handles_->multi;
  CURL* easy = handles_->easy;
  curl_multi_add_handle(multi, easy);
  int running = 1;
  int waitMs = 0;
  CURLMcode state = CURLM_OK;
  while (running && state == CURLM_OK) {
    state = curl_multi_perform(multi, &running);
    if (!running || state != CURLM_OK) break;
    int events = 0;
    state = curl_multi_poll(multi, nullptr, 0, waitMs, &events);
    waitMs = events > 0 ? 0 : std::min(waitMs * 2 + 1, 64);
  }
  CURLcode result = state == CURLM_OK ? CURLE_OK : CURLE_FAILED_INIT;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
      result = message->data.result;
    }
  }
  curl_multi_remove_handle(multi, easy);
  if (state != CURLM_OK) {
    throw FtpError(FtpFailure::Other, std::string("libcurl failed: ") + curl_multi_strerror(state));
  }
  if (result != CURLE_OK) {
    long reply = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &reply);
    throw failure(result, reply, handles_->error, subject);
  }
}

void FtpSession::login(const std::string& user, const std::string& password) {
  user_ = user;
  password_ = password;
  prepare(baseUrl());
  curl_easy_setopt(handles_->easy, CURLOPT_NOBODY, 1L);
  perform("login");
}

// A program file is no folder, so the listing is asked for by name on the
// root URL rather than by a URL ending in "/".
std::string FtpSession::listing(const char* verb, const std::string& remote) {
  prepare(baseUrl());
  const std::string command = verb + (" " + remote);
  curl_easy_setopt(handles_->easy, CURLOPT_CUSTOMREQUEST, command.c_str());
  perform("file " + remote);
  return std::move(handles_->received);
}

std::string FtpSession::list(const std::string& remote) {
  return listing("LIST", remote);
}

std::string FtpSession::nameList(const std::string& remote) {
  return listing("NLST", remote);
}

namespace {

std::string escaped(CURL* easy, const std::string& remote) {
  char* text = curl_easy_escape(easy, remote.data(), static_cast<int>(remote.size()));
  if (!text) throw FtpError(FtpFailure::Other, "cannot escape " + remote);
  std::string result(text);
  curl_free(text);
  return result;
}

}  // namespace

std::string FtpSession::retrieve(const std::string& remote) {
  if (!handles_) throw FtpError(FtpFailure::Other, "not connected");
  prepare(baseUrl() + escaped(handles_->easy, remote));
  perform("element " + remote);
  return std::move(handles_->received);
}

void FtpSession::store(const std::string& remote, const std::string& bytes) {
  if (!handles_) throw FtpError(FtpFailure::Other, "not connected");
  prepare(baseUrl() + escaped(handles_->easy, remote));
  std::pair<const std::string*, std::size_t> source{&bytes, 0};
  CURL* easy = handles_->easy;
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(easy, CURLOPT_READFUNCTION, onRead);
  curl_easy_setopt(easy, CURLOPT_READDATA, &source);
  // No CURLOPT_INFILESIZE: text mode may change the size on the way.
  try {
    perform("element " + remote);
  } catch (const FtpError& error) {
    // A refused STOR means the program file is missing or closed to us,
    // not that the element (which may be new) is.
    if (error.kind() != FtpFailure::Missing) throw;
    const std::string text = error.what();
    const std::size_t why = text.find(" (");
    throw FtpError(FtpFailure::Refused, "the host refused to store element " + remote +
                                            (why == std::string::npos ? "" : text.substr(why)));
  }
}

}  // namespace morvanta::runner
