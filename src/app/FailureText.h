#pragma once
// Messages about a file that could not be read or written end with the
// system's reason, so that "disk full" and "access denied" can be told apart.

#include <string>

#include "platform/Platform.h"

namespace morvanta::app {

// `message` followed by " (reason)" when the failure carries one. Platform
// failures end with ": " and the system's reason text.
inline std::u16string withReason(std::u16string message, const platform::FileError& error) {
  const std::string what = error.what();
  const auto colon = what.rfind(": ");
  if (colon == std::string::npos || colon + 2 >= what.size()) return message;
  return message + u" (" + platform::fromUtf8(what.substr(colon + 2)) + u")";
}

}  // namespace morvanta::app
