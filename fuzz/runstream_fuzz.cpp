// Every runstream statement splitter, the listing-kind checks and the
// browser-path reader on each line of the input. A line too long for a
// 16-bit position is refused with std::overflow_error.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "u2200/Class2200.h"

using morvanta::Class2200;

namespace {

void splitters(const Class2200& cls, const std::u16string& line) {
  std::u16string a, b, c, d;
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.TANKA_RUN_PHASE(line, a, b); });
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.TANKA_QUAL_PHASE(line); });
  morvanta::fuzz::tolerate<std::overflow_error>([&] {
    const std::int16_t r = cls.TANKA_USE_PHASE(line, a, b);
    FUZZ_CHECK(r == 0 || r == 1);
  });
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.TANKA_COPY_PHASE(line, a, b, c, d); });
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.U2200_FILE_PHASE(line, a, b, c); });
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.U2200_FILE_ELEMENT_PHASE(line, a, b); });
  morvanta::fuzz::tolerate<std::overflow_error>(
      [&] { cls.TANKA_ADD_START_PHASE(line, a, b, c, d); });
  for (const char16_t* separator : {u"/", u"\\", u"."}) {
    for (std::int16_t part = 0; part <= 3; ++part) {
      morvanta::fuzz::tolerate<std::overflow_error>(
          [&] { cls.htm_path_to_2200_file_elt(line, separator, part); });
    }
  }
}

// The listing-kind checks keep TASK_TYPE from line to line, as a caller does.
void listingChecks(Class2200& cls, const std::u16string& line, const std::u16string& previous) {
  std::int16_t found = 0;
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.TASK_TYPE_set(line, found, previous); });
  cls.GET_Start_Column();
  std::int32_t level = -1, genline = -1;
  morvanta::fuzz::tolerate<std::overflow_error>(
      [&] { cls.GET_LEVEL_and_GENLINE(line, level, genline); });
  std::u16string header = line, type;
  morvanta::fuzz::tolerate<std::overflow_error>([&] { cls.get_element_name(header, type); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Class2200 cls;
  std::u16string previous;
  for (const auto& line : morvanta::fuzz::splitLines(morvanta::fuzz::decode(data, size))) {
    splitters(cls, line);
    listingChecks(cls, line, previous);
    previous = line;
  }
  return 0;
}
