#include "runner/FtpSession.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <utility>

#include "platform/Platform.h"

namespace morvanta::runner {

struct FtpSession::Handles {
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  char error[CURL_ERROR_SIZE] = {};
  curl_slist* preQuote = nullptr;
  // The transfer in progress.
  const ByteSink* sink = nullptr;
  const ByteSource* source = nullptr;
  std::exception_ptr thrown;  // what a sink or source threw inside libcurl
  std::int64_t moved = 0;     // bytes on the wire so far, as libcurl counts them
  std::int64_t expected = -1;
  bool upload = false;
  bool askedSize = false;
  std::string partialReply;
  std::string lastReply;  // the server's last reply line, e.g. "550 No such file."
};

namespace {

using Clock = std::chrono::steady_clock;

std::size_t onWrite(char* data, std::size_t size, std::size_t count, void* user) {
  auto* h = static_cast<FtpSession::Handles*>(user);
  const std::size_t n = size * count;
  try {
    if (h->sink) (*h->sink)(data, n);
  } catch (...) {
    h->thrown = std::current_exception();
    return 0;  // ends the transfer with CURLE_WRITE_ERROR
  }
  return n;
}

std::size_t onRead(char* buffer, std::size_t size, std::size_t count, void* user) {
  auto* h = static_cast<FtpSession::Handles*>(user);
  try {
    return h->source ? (*h->source)(buffer, size * count) : 0;
  } catch (...) {
    h->thrown = std::current_exception();
    return CURL_READFUNC_ABORT;
  }
}

// Every reply line of the server passes here. The last one is the best
// reason for a failure; a "213 N" after our own SIZE is the element's size.
std::size_t onReply(char* data, std::size_t size, std::size_t count, void* user) {
  auto* h = static_cast<FtpSession::Handles*>(user);
  const std::size_t n = size * count;
  h->partialReply.append(data, n);
  if (h->partialReply.empty() || h->partialReply.back() != '\n') return n;
  std::string line = std::move(h->partialReply);
  h->partialReply.clear();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (h->askedSize && h->expected < 0 && line.size() > 4 && line.compare(0, 4, "213 ") == 0 &&
      line.find_first_not_of("0123456789", 4) == std::string::npos && line.size() < 4 + 18) {
    h->expected = std::stoll(line.substr(4));
  }
  // Only the first line of a multi-line reply ("230-...") is kept.
  if (line.size() >= 4 && line[3] == ' ') h->lastReply = line;
  return n;
}

std::string describe(CURLcode result, long reply, const FtpSession::Handles& h) {
  if (reply >= 100 && !h.lastReply.empty() && h.lastReply.compare(0, 3, std::to_string(reply)) == 0)
    return h.lastReply;
  std::string text = h.error[0] ? h.error : curl_easy_strerror(result);
  if (reply >= 100) text += ", reply " + std::to_string(reply);
  return text;
}

// `subject` names what was asked for, e.g. "element PRJ*SRC.MAIN/R1".
FtpError failure(CURLcode result, long reply, const FtpSession::Handles& h,
                 const std::string& subject) {
  const std::string why = " (" + describe(result, reply, h) + ")";
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
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_FTP_ACCEPT_FAILED:
      return FtpError(FtpFailure::Cut, "connection cut during the transfer of " + subject + why);
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_UPLOAD_FAILED:
    case CURLE_QUOTE_ERROR:
      if (reply == 550 || reply == 450)
        return FtpError(FtpFailure::Missing, subject + " missing" + why);
      if (reply == 426) {
        return FtpError(FtpFailure::Cut, "connection cut during the transfer of " + subject + why);
      }
      return FtpError(FtpFailure::Refused, "the host refused it" + why);
    default:
      return FtpError(FtpFailure::Other, "transfer failed" + why);
  }
}

std::string seconds(long ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(ms) / 1000.0);
  return text;
}

// libcurl's own count is of the bytes on the wire: in text mode it hands
// on lines with LF only, but a size the host tells counts them as sent.
std::int64_t movedSoFar(const FtpSession::Handles& h) {
  curl_off_t n = 0;
  curl_easy_getinfo(h.easy, h.upload ? CURLINFO_SIZE_UPLOAD_T : CURLINFO_SIZE_DOWNLOAD_T, &n);
  return static_cast<std::int64_t>(n);
}

// True when libcurl watches no socket of the transfer. After the reply to
// EPSV it may mean to connect the data connection on its next call, watch
// nothing meanwhile and name no time before which it wants that call: a
// wait there is lost time, about a millisecond per element.
bool watchesNoSocket(CURLM* multi) {
  fd_set read;
  fd_set write;
  fd_set except;
  FD_ZERO(&read);
  FD_ZERO(&write);
  FD_ZERO(&except);
  int highest = -1;
  return curl_multi_fdset(multi, &read, &write, &except, &highest) == CURLM_OK && highest == -1;
}

// Calls in a row without a wait when libcurl watches no socket: enough for
// its steps between two replies, few enough that a state no socket ever
// ends cannot keep a core busy.
constexpr int kCallsWithoutWait = 8;

// Removes the transfer from the multi handle however perform() is left.
struct Attached {
  CURLM* multi;
  CURL* easy;
  ~Attached() { curl_multi_remove_handle(multi, easy); }
};

// A remote name as reasons show it: the wire's CP932 bytes in UTF-8, like
// every other text of the status file.
std::string shown(const std::string& remote) {
  return platform::toUtf8(platform::fromCp932(remote));
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
  if (handles_->preQuote) curl_slist_free_all(handles_->preQuote);
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
  Handles& h = *handles_;
  CURL* easy = h.easy;
  // Resetting keeps the connection: the next transfer reuses the login.
  curl_easy_reset(easy);
  h.error[0] = '\0';
  h.sink = nullptr;
  h.source = nullptr;
  h.thrown = nullptr;
  h.moved = 0;
  h.expected = -1;
  h.upload = false;
  h.askedSize = false;
  h.partialReply.clear();
  h.lastReply.clear();
  if (h.preQuote) curl_slist_free_all(h.preQuote);
  h.preQuote = nullptr;
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
#endif
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, h.error);
  curl_easy_setopt(easy, CURLOPT_USERNAME, user_.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, password_.c_str());
  // Without NOCWD libcurl would send "CWD PRJ*SRC.MAIN" for "PRJ*SRC.MAIN/R1".
  curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, text_ ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connectMs);
  curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                   std::max(1L, (timeouts_.responseMs + 999) / 1000));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onWrite);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &h);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onReply);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &h);
}

// libcurl does not always watch the socket of a passive data connection
// while it is being connected, and then notices the connection only when its
// wait times out: a whole second per element with curl_easy_perform. So the
// runner drives a multi handle itself: it looks again within a millisecond
// after any activity and backs off to 64 ms while nothing happens. Each round also
// lets the watch look at the transfer and checks that it still moves.
void FtpSession::perform(const std::string& subject, bool transfer) {
  Handles& h = *handles_;
  CURLM* multi = h.multi;
  CURL* easy = h.easy;
  curl_multi_add_handle(multi, easy);
  const Attached attached{multi, easy};
  const auto stallWindow = std::chrono::milliseconds(timeouts_.stallMs);
  const std::int64_t stallBytes = std::max<std::int64_t>(
      1, static_cast<std::int64_t>(timeouts_.stallBytesPerSecond) * timeouts_.stallMs / 1000);
  auto windowStart = Clock::now();
  std::int64_t windowMoved = 0;
  int running = 1;
  int waitMs = 1;
  int callsWithoutWait = 0;
  CURLMcode state = CURLM_OK;
  while (running && state == CURLM_OK) {
    state = curl_multi_perform(multi, &running);
    if (!running || state != CURLM_OK) break;
    h.moved = movedSoFar(h);
    if (watch_) watch_->onProgress(h.moved, h.expected);
    if (transfer && timeouts_.stallMs > 0) {
      const auto now = Clock::now();
      if (now - windowStart >= stallWindow) {
        if (h.moved - windowMoved < stallBytes) {
          throw FtpError(FtpFailure::Stalled, "transfer of " + subject + " stalled: less than " +
                                                  std::to_string(timeouts_.stallBytesPerSecond) +
                                                  " byte/s for " + seconds(timeouts_.stallMs) +
                                                  " s (" + std::to_string(h.moved) +
                                                  " bytes so far)");
        }
        windowStart = now;
        windowMoved = h.moved;
      }
    }
    if (callsWithoutWait < kCallsWithoutWait && watchesNoSocket(multi)) {
      ++callsWithoutWait;
      continue;
    }
    callsWithoutWait = 0;
    // After activity the next wait is short, not zero: a watched socket
    // wakes the poll at once anyway, and spinning costs a system call a turn.
    int events = 0;
    state = curl_multi_poll(multi, nullptr, 0, waitMs, &events);
    waitMs = events > 0 ? 1 : std::min(waitMs * 2 + 1, 64);
  }
  CURLcode result = state == CURLM_OK ? CURLE_OK : CURLE_FAILED_INIT;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
      result = message->data.result;
    }
  }
  h.moved = movedSoFar(h);
  if (h.thrown) std::rethrow_exception(h.thrown);
  if (state != CURLM_OK) {
    throw FtpError(FtpFailure::Other, std::string("libcurl failed: ") + curl_multi_strerror(state));
  }
  if (result != CURLE_OK) {
    long reply = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &reply);
    throw failure(result, reply, h, subject);
  }
}

void FtpSession::login(const std::string& user, const std::string& password) {
  user_ = user;
  password_ = password;
  prepare(baseUrl());
  curl_easy_setopt(handles_->easy, CURLOPT_NOBODY, 1L);
  perform("login", false);
}

// A program file is no folder, so the listing is asked for by name on the
// root URL rather than by a URL ending in "/".
void FtpSession::listing(const char* verb, const std::string& remote, const ByteSink& sink) {
  prepare(baseUrl());
  const std::string command = verb + (" " + remote);
  curl_easy_setopt(handles_->easy, CURLOPT_CUSTOMREQUEST, command.c_str());
  handles_->sink = &sink;
  perform("file " + shown(remote), true);
}

void FtpSession::list(const std::string& remote, const ByteSink& sink) {
  listing("LIST", remote, sink);
}

void FtpSession::nameList(const std::string& remote, const ByteSink& sink) {
  listing("NLST", remote, sink);
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

void FtpSession::retrieve(const std::string& remote, const ByteSink& sink) {
  if (!handles_) throw FtpError(FtpFailure::Other, "not connected");
  prepare(baseUrl() + escaped(handles_->easy, remote));
  Handles& h = *handles_;
  // libcurl asks for the size itself only in binary mode; in text mode the
  // runner asks, after TYPE A, so the host counts its line ends as sent.
  // "*": a host that does not answer SIZE is no failure. A host that refused
  // it for an element it then sent will not answer it later either, so the
  // round trip is spared from then on.
  if (text_ && !sizeRefused_) {
    h.preQuote = curl_slist_append(nullptr, ("*SIZE " + remote).c_str());
    curl_easy_setopt(h.easy, CURLOPT_PREQUOTE, h.preQuote);
    h.askedSize = true;
  }
  h.sink = &sink;
  const std::string subject = "element " + shown(remote);
  perform(subject, true);
  if (h.askedSize && h.expected < 0) sizeRefused_ = true;
  if (!text_) {
    curl_off_t size = -1;
    if (curl_easy_getinfo(h.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) == CURLE_OK)
      h.expected = size;
  }
  if (h.expected >= 0 && h.moved < h.expected) {
    throw FtpError(FtpFailure::Short, subject + " arrived short: " + std::to_string(h.moved) +
                                          " of " + std::to_string(h.expected) + " bytes (" +
                                          h.lastReply + ")");
  }
}

void FtpSession::store(const std::string& remote, const ByteSource& source, std::int64_t size) {
  if (!handles_) throw FtpError(FtpFailure::Other, "not connected");
  prepare(baseUrl() + escaped(handles_->easy, remote));
  Handles& h = *handles_;
  CURL* easy = h.easy;
  h.source = &source;
  h.expected = size;
  h.upload = true;
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(easy, CURLOPT_READFUNCTION, onRead);
  curl_easy_setopt(easy, CURLOPT_READDATA, &h);
  // No CURLOPT_INFILESIZE: text mode may change the size on the way.
  try {
    perform("element " + shown(remote), true);
  } catch (const FtpError& error) {
    // A refused STOR means the program file is missing or closed to us,
    // not that the element (which may be new) is.
    if (error.kind() != FtpFailure::Missing) throw;
    const std::string text = error.what();
    const std::size_t why = text.find(" (");
    throw FtpError(FtpFailure::Refused, "the host refused to store element " + shown(remote) +
                                            (why == std::string::npos ? "" : text.substr(why)));
  }
}

}  // namespace morvanta::runner
