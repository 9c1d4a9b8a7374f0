#include "runner/LineEnds.h"

#include "platform/Platform.h"

namespace morvanta::runner {

void CrLfStream::convert(std::string_view in, std::string& out) {
  out.reserve(out.size() + in.size() + in.size() / 32 + 2);
  std::size_t from = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\n') continue;
    const bool crBefore = i == 0 ? afterCr_ : in[i - 1] == '\r';
    if (crBefore) continue;
    out.append(in.substr(from, i - from));
    out += '\r';
    from = i;
  }
  out.append(in.substr(from));
  if (!in.empty()) afterCr_ = in.back() == '\r';
}

void LfStream::convert(std::string_view in, std::string& out) {
  out.reserve(out.size() + in.size() + 1);
  std::size_t i = 0;
  if (heldCr_ && !in.empty()) {
    heldCr_ = false;
    if (in[0] != '\n') out += '\r';
  }
  for (; i < in.size(); ++i) {
    const char c = in[i];
    if (c != '\r') {
      out += c;
    } else if (i + 1 == in.size()) {
      heldCr_ = true;  // the next chunk decides
    } else if (in[i + 1] != '\n') {
      out += c;
    }
  }
}

void LfStream::finish(std::string& out) {
  if (heldCr_) out += '\r';
  heldCr_ = false;
}

std::string withCrLf(const std::string& bytes) {
  std::string out;
  CrLfStream stream;
  stream.convert(bytes, out);
  return out;
}

std::string withLf(const std::string& bytes) {
  std::string out;
  LfStream stream;
  stream.convert(bytes, out);
  stream.finish(out);
  return out;
}

UploadTextStream::UploadTextStream() : curlAddsCr_(platform::curlTextUploadAddsCr()) {}

void UploadTextStream::convert(std::string_view in, std::string& out) {
  if (curlAddsCr_) {
    lf_.convert(in, out);
  } else {
    crLf_.convert(in, out);
  }
}

void UploadTextStream::finish(std::string& out) {
  if (curlAddsCr_) lf_.finish(out);
}

std::string textForUpload(const std::string& bytes) {
  std::string out;
  UploadTextStream stream;
  stream.convert(bytes, out);
  stream.finish(out);
  return out;
}

}  // namespace morvanta::runner
