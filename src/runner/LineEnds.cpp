#include "runner/LineEnds.h"

#include "platform/Platform.h"

namespace morvanta::runner {

std::string withCrLf(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 32 + 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
    out += c;
  }
  return out;
}

std::string withLf(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

std::string textForUpload(const std::string& bytes) {
  return platform::curlTextUploadAddsCr() ? withLf(bytes) : withCrLf(bytes);
}

}  // namespace morvanta::runner
