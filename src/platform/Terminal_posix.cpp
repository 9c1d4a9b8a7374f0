#include <unistd.h>

#include "platform/Platform.h"

namespace morvanta::platform {

bool standardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace morvanta::platform
