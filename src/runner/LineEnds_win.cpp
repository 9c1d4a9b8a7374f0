#include "runner/LineEnds.h"

namespace morvanta::runner {

// On Windows libcurl's text mode sends the bytes as they are.
std::string textForUpload(const std::string& bytes) {
  return withCrLf(bytes);
}

}  // namespace morvanta::runner
