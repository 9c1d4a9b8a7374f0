#pragma once
// The one failure type of the job runner: what() says, in UTF-8, why a line
// of a batch file or FTP script could not be done. Never holds a password.

#include <stdexcept>
#include <string>

namespace morvanta::runner {

class JobError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace morvanta::runner
