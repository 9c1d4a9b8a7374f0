// One TxtHdl operation per input: the first byte picks it, then its numbers,
// then its texts, one per line. A position of 0 or below (invalid_argument)
// and one past 32767 (overflow_error) are refused by every operation.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "text/TxtHdl.h"

using morvanta::TxtHdl;
using morvanta::fuzz::Arguments;

namespace {

void run(const TxtHdl& th, Arguments& in) {
  const std::uint8_t op = in.byte();
  switch (op % 30) {
    case 0: {
      std::u16string s = in.text(), key = in.text();
      std::int16_t pos = in.position(s);
      th.Text_pick(s, key, pos);
      break;
    }
    case 1: {
      std::u16string s = in.text(), key = in.text(), stop = in.text();
      std::int16_t pos = in.position(s);
      th.Text_Pick_With_Stopper(s, key, pos, stop);
      break;
    }
    case 2: {
      std::u16string s = in.text(), key = in.text();
      std::int16_t pos = in.position(s);
      const std::int16_t found = th.Text_find(s, key, pos);
      FUZZ_CHECK(found >= 0 && static_cast<std::size_t>(found) <= s.size());
      break;
    }
    case 3: {
      // Reading every field must end: pos only moves forward.
      const std::u16string s = in.rest();
      std::int16_t pos = 1;
      for (int n = 0; n < 40000; ++n) {
        const std::int16_t before = pos;
        if (th.Field_get(s, pos).empty() || pos == before) break;
        FUZZ_CHECK(pos > before);
      }
      break;
    }
    case 4: {
      std::u16string s = in.text(), sep = in.text();
      std::int16_t pos = in.position(s), sts = 9;
      th.Field_KUGIRI_get(s, pos, sep, sts);
      FUZZ_CHECK(sts == 0 || sts == -1 || sts == 1);
      break;
    }
    case 5: {
      TxtHdl shifted = th;
      shifted.Adjust_POS = in.int16();
      shifted.Label_get(in.rest());
      break;
    }
    case 6: {
      std::u16string s = in.text(), key = in.text();
      const std::int16_t at = th.B_Instr(s, key);
      FUZZ_CHECK(at >= 0 && static_cast<std::size_t>(at) <= s.size());
      break;
    }
    case 7: {
      const std::int16_t start = in.int16();
      std::u16string s = in.text(), key = in.text();
      th.B_Instr_with_start_pos(start, s, key);
      break;
    }
    case 8: {
      const std::int32_t at = in.int16();
      std::u16string s = in.text();
      const std::u16string set = in.text();
      const std::size_t size = s.size();
      try {
        th.SET_STR_by_pos(s, set, at);
      } catch (const std::invalid_argument&) {
      } catch (const std::overflow_error&) {
      }
      FUZZ_CHECK(s.size() == size);
      break;
    }
    case 9:
      th.To_1_space(in.rest());
      break;
    case 10: {
      const std::int16_t count = static_cast<std::int16_t>(in.byte() % 4);
      std::u16string s = in.text();
      const std::u16string b1 = in.text(), a1 = in.text(), b2 = in.text(), a2 = in.text();
      const std::size_t size = s.size();
      th.Char_chg(s, count, b1, a1, b2, a2);
      FUZZ_CHECK(s.size() == size);
      break;
    }
    case 11: {
      std::u16string s = in.text(), out, before = in.text(), after = in.text();
      th.Text_chg(s, out, before, after);
      break;
    }
    case 12: {
      std::u16string s = in.text(), out, before = in.text(), after = in.text();
      const std::int16_t n = th.Text_chg_1cnt(s, out, before, after);
      FUZZ_CHECK(n == 0 || n == 1);
      break;
    }
    case 13:
      th.PC_file_Char_chg(in.rest());
      break;
    case 14: {
      std::u16string name, ext;
      th.Phase_file_name(in.rest(), name, ext);
      break;
    }
    case 15: {
      std::u16string folder, file;
      th.Phase_PATH(in.rest(), folder, file);
      break;
    }
    case 16:
      th.Literal_add(in.rest());
      th.Double_quotation_add(in.rest());
      break;
    case 17: {
      const std::u16string s = in.text();
      const std::int16_t pos = in.position(s);
      th.Literal_get(s, pos);
      th.Double_quotation_get(s, pos);
      break;
    }
    case 18:
    case 19:
    case 20:
    case 21: {
      const std::int32_t max = in.int16();
      const std::u16string s = in.text(), where = in.text();
      if (op % 30 == 18) th.ADD_SPACE_to_STR(s, max, where);
      if (op % 30 == 19) th.ADD_SPACE_to_STR_byte(s, max, where);
      if (op % 30 == 20) th.ADD_SPACE_to_STR_zen(s, max, where);
      if (op % 30 == 21) {
        const std::u16string cut = th.ADD_SPACE_to_STR_zen2(s, max, where);
        if (max >= 0) FUZZ_CHECK(cut.size() == static_cast<std::size_t>(max));
      }
      break;
    }
    case 22:
      th.EISUJI_CHK(in.rest());
      break;
    case 23: {
      const std::u16string s = in.text();
      th.EISUJI_not_POS(s, in.position(s));
      break;
    }
    case 24: {
      const std::u16string cut = th.cut_CR_LF(in.rest());
      FUZZ_CHECK(cut.find_first_of(u"\r\n") == std::u16string::npos);
      break;
    }
    case 25: {
      const std::u16string s = in.text();
      const std::int16_t pos = in.position(s);
      const std::u16string href = in.text(), word = in.text();
      th.HTM_Tag_Ahref(pos, s, href, word);
      break;
    }
    case 26: {
      // Colouring every occurrence, each call on the last one's result: a
      // find moves st_pos on, so the loop ends.
      std::u16string s = in.text();
      const std::u16string color = in.text(), other = in.text(), word = in.text();
      std::int16_t pos = 1;
      for (int n = 0; n < 40000; ++n) {
        const std::int16_t before = pos;
        std::u16string coloured = th.HTM_Tag_FONT_COLOR(pos, s, color, other, word);
        if (pos == before) break;
        FUZZ_CHECK(pos > before);
        s = std::move(coloured);
      }
      break;
    }
    case 27: {
      const std::u16string s = in.text();
      th.HTM_Tag_font_color_add(s, in.text());
      break;
    }
    case 28: {
      const std::u16string s = in.text();
      std::u16string key = in.text();
      std::int16_t pos = in.position(s);
      th.Text_pick(s, key, pos);
      break;
    }
    default:
      th.Double_quotation();
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TxtHdl th;
  Arguments in(data, size);
  morvanta::fuzz::tolerate<std::invalid_argument, std::overflow_error>([&] { run(th, in); });
  return 0;
}
