#pragma once
// Line ends of text transfers. Files on the PC end their lines with CR LF;
// libcurl's text mode changes line ends on some systems and not on others,
// so the runner sets them itself on both sides of a transfer. Transfers are
// converted chunk by chunk as they stream, so a CR LF may arrive split over
// two chunks.

#include <string>
#include <string_view>

namespace morvanta::runner {

// CR LF and lone LF become CR LF; a lone CR stays as it is. Appends the
// converted chunk to `out`; an LF at the start of a chunk that follows a CR
// at the end of the previous one gets no second CR.
class CrLfStream {
 public:
  void convert(std::string_view in, std::string& out);
  void finish(std::string&) {}

 private:
  bool afterCr_ = false;
};

// CR LF becomes LF; a lone CR stays as it is. A CR at the end of a chunk is
// held back until the next chunk (or finish()) shows whether an LF follows.
class LfStream {
 public:
  void convert(std::string_view in, std::string& out);
  void finish(std::string& out);

 private:
  bool heldCr_ = false;
};

// Whole-text forms of the two streams.
std::string withCrLf(const std::string& bytes);
std::string withLf(const std::string& bytes);

// What to hand libcurl for a text upload so that every line leaves the PC
// with CR LF exactly once (this system's libcurl adds CR before LF, or not).
class UploadTextStream {
 public:
  UploadTextStream();
  void convert(std::string_view in, std::string& out);
  void finish(std::string& out);

 private:
  bool curlAddsCr_;
  CrLfStream crLf_;
  LfStream lf_;
};

std::string textForUpload(const std::string& bytes);

}  // namespace morvanta::runner
