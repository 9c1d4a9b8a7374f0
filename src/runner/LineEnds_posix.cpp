#include "runner/LineEnds.h"

namespace morvanta::runner {

// Here libcurl's text mode turns every LF into CR LF on upload.
std::string textForUpload(const std::string& bytes) {
  return withLf(bytes);
}

}  // namespace morvanta::runner
