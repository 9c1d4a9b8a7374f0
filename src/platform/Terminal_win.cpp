#include <io.h>

#include <cstdio>

#include "platform/Platform.h"

namespace morvanta::platform {

bool standardErrorIsTerminal() {
  return ::_isatty(::_fileno(stderr)) != 0;
}

}  // namespace morvanta::platform
