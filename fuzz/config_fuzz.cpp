// The configuration reader and the bulk-table reader on each line of a file.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "app/BulkTable.h"
#include "app/Config.h"
#include "text/TxtHdl.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TxtHdl th;
  for (const auto& line : fuzz::splitLines(fuzz::decode(data, size))) {
    const app::Setting setting = app::parseSetting(th, line);
    FUZZ_CHECK(setting.key.size() <= line.size());
    FUZZ_CHECK(setting.value.size() <= line.size());
    app::parseBulkRow(th, line);
  }
  return 0;
}
