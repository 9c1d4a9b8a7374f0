// The source scanners over a whole source, both passes, as the analyses run
// them: the first byte picks MASM, COBOL, SKEL or PLUS, the lines follow.
// Documented refusals: a list past its capacity (std::out_of_range) and a
// column past 32767 (std::overflow_error).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "u2200/Class2200.h"

using morvanta::Class2200;
using Lines = std::vector<std::u16string>;

namespace {

// A full name list is the one std::out_of_range the scanners promise; any
// other (a bad substr, an at() past the end) is a fault and escapes.
template <class Fn>
void each(Fn&& fn) {
  try {
    morvanta::fuzz::tolerate<std::overflow_error>(fn);
  } catch (const std::out_of_range& e) {
    if (std::string_view(e.what()) != "name list is full") throw;
  }
}

void masm(Class2200& cls, const Lines& lines) {
  for (const std::u16string fnc : {u"make", u"mark"}) {
    for (const auto& line : lines) {
      std::int16_t end = -1, st = -1, jumpEnd = -1;
      std::u16string labelType, jumpType;
      each([&] {
        cls.MSM_phase_label(fnc, line, end, labelType);
        FUZZ_CHECK(end >= 0 && static_cast<std::size_t>(end) <= line.size());
      });
      each([&] { cls.MSM_phase_instruction(fnc, line, st, jumpEnd, jumpType); });
      each([&] { cls.MSM_import_SRCH(line); });
      each([&] { cls.MSM_get_export_LABEL(line); });
      std::u16string upper = line;
      each([&] { cls.MSM_get_DOLLexport_name(upper); });
      upper = line;
      each([&] { cls.MSM_get_DOLL_EXTEND(upper); });
    }
    cls.MSM_label_jump_reset();
  }
}

void cobol(Class2200& cls, const Lines& lines) {
  for (const std::u16string fnc : {u"make", u"mark"}) {
    for (const auto& line : lines) {
      std::u16string upper = line;
      std::int16_t section = 0;
      each([&] { cls.CBL_comment_chk(line); });
      each([&] { cls.CBL_get_PROGRAMID_name(fnc, upper); });
      upper = line;
      each([&] { cls.CBL_get_prog_start(upper); });
      each([&] { cls.CBL_get_PERFORM_body(line, section); });
      upper = line;
      each([&] { cls.CBL_get_PERFORM_name(fnc, upper); });
      upper = line;
      each([&] { cls.CBL_get_CALL_name(fnc, upper); });
    }
  }
}

void skel(Class2200& cls, const Lines& lines) {
  for (const auto& line : lines) {
    std::u16string upper = line;
    each([&] { cls.SKEL_get_DEFINE_name(u"make", upper); });
  }
  std::int16_t pending = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::int16_t found = 0;
    std::u16string name, value;
    each([&] { cls.SKEL_get_call_DEFINE_name(lines[i], found); });
    each([&] { cls.DEFINE_GET(lines[i], found, pending, name, value); });
    const std::u16string next = i + 1 < lines.size() ? lines[i + 1] : u"";
    for (std::int16_t join = 0; join <= 2; ++join) {
      each([&] { cls.LINE_Renketu(lines[i], next, join, 0); });
    }
    each([&] { cls.LINE_Renketu(lines[i], next, 1, 1); });
  }
}

void plus(Class2200& cls, const Lines& lines) {
  std::u16string comments, kinou;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::u16string& line = lines[i];
    each([&] { cls.keep_comment(line, comments, kinou, 1); });
    each([&] { cls.comment_cut(line); });
    each([&] {
      const std::int16_t at = cls.comment_chk(line, 1);
      FUZZ_CHECK(at >= 0 && static_cast<std::size_t>(at) <= line.size());
    });
    each([&] { cls.TOP_img_comment_chk(line, 1); });
    std::u16string upper = line;
    std::int16_t sts = -1;
    each([&] { cls.get_export_name(upper, sts); });
    upper = line;
    each([&] { cls.get_import_name(upper, sts); });
    upper = line;
    std::u16string name;
    each([&] { name = cls.get_procedure_Name(u"make", upper); });
    if (name.empty()) continue;
    std::u16string external;
    std::int16_t repeat = 0;
    each([&] {
      cls.get_procedure_type(line, external, repeat);
      if (repeat == 1 && i + 1 < lines.size()) {
        cls.get_procedure_type(cls.LINE_Renketu(line, lines[i + 1], 1, 0), external, repeat);
      }
    });
  }
  for (const auto& line : lines) {
    std::int16_t at = 0;
    each([&] { cls.get_sub_procedure_name(line, at); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Class2200 cls;
  // The listing kind moves where a source line starts.
  const std::u16string kinds[] = {
      u"", cls.DF_Task_ELT, cls.DF_Task_MASM, cls.DF_Task_PLS, cls.DF_Task_UPLS, cls.DF_Task_UCOB};
  cls.TASK_TYPE = kinds[data[0] / 4 % 6];
  const Lines lines = morvanta::fuzz::splitLines(morvanta::fuzz::decode(data + 1, size - 1));
  switch (data[0] % 4) {
    case 0:
      masm(cls, lines);
      break;
    case 1:
      cobol(cls, lines);
      break;
    case 2:
      skel(cls, lines);
      break;
    default:
      plus(cls, lines);
      break;
  }
  return 0;
}
