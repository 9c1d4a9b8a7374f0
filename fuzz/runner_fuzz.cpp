// The job runner's readers: every line as a batch-file line, and the whole
// input as an FTP script. A line the runner cannot carry out is a JobError.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "runner/BatchLine.h"
#include "runner/FtpScript.h"
#include "runner/JobError.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = fuzz::splitLines(fuzz::decode(data, size));
  for (const auto& line : lines) {
    fuzz::tolerate<runner::JobError>([&] { runner::parseBatchLine(line); });
  }
  fuzz::tolerate<runner::JobError>([&] {
    const auto commands = runner::parseFtpScript(lines);
    for (const auto& command : commands) {
      FUZZ_CHECK(command.line >= 1 && static_cast<std::size_t>(command.line) <= lines.size());
      const std::u16string shown = runner::shownLine(commands, lines, command.line);
      // The password line is never shown as written.
      if (command.op == runner::FtpOp::Password) FUZZ_CHECK(shown == u"(password)");
    }
  });
  return 0;
}
