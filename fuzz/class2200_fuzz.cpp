// One Class2200 conversion per input: 2200 names and PC names, Fieldata,
// octal words, tdate$ and time words, character and element-type checks.
// The first byte picks the conversion, its texts follow one per line.
// A value or position that does not fit is std::overflow_error everywhere;
// std::invalid_argument only where a numeric text is no digit string for
// OCT_chk and OCT_TO_DBL.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "u2200/Class2200.h"

using morvanta::Class2200;
using morvanta::fuzz::Arguments;

namespace {

bool allDigits(const std::u16string& s) {
  if (s.empty()) return false;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

std::u16string withoutLeadingZeros(const std::u16string& s) {
  const auto first = s.find_first_not_of(u'0');
  return first == std::u16string::npos ? u"0" : s.substr(first);
}

void names(const Class2200& cls, std::uint8_t op, Arguments& in) {
  const std::u16string s = in.rest();
  std::u16string type = u"?";
  switch (op % 9) {
    case 0:
      cls.U2200FileName_to_PcName(s);
      break;
    case 1:
      cls.PcName_to_U2200FileName(s);
      break;
    case 2:
      cls.U2200ElementName_to_PcName(u"DSP", s, type);
      break;
    case 3:
      cls.U2200ElementName_to_PcName(u"TXT", s, type);
      break;
    case 4:
      cls.U2200ElementName_to_PcName(u"TXT.", s, type);
      break;
    case 5:
      cls.PcName_to_U2200ElementName(s);
      break;
    case 6:
      cls.PcName_to_U2200ElementName_FTP(s, u"SYM");
      cls.PcName_to_U2200ElementName_FTP(s, u"REL");
      break;
    case 7: {
      const std::u16string month = cls.month_string_edit(s);
      FUZZ_CHECK(month.size() == 2);
      break;
    }
    default:
      cls.U2200ElementName_to_PcName(s, s, type);
      break;
  }
}

void fieldata(const Class2200& cls, std::uint8_t op, Arguments& in) {
  const std::int16_t count = in.int16();
  const std::u16string s = in.rest();
  if (op % 2 == 0) {
    cls.FD_TO_ASC(s, count);
  } else {
    cls.ASC_TO_FDcode(s, count);
  }
}

void octal(const Class2200& cls, std::uint8_t op, Arguments& in) {
  switch (op % 12) {
    case 0: {
      const std::u16string s = in.rest();
      if (Class2200::Numeric_chk(s)) Class2200::Numeric_int32(s);
      break;
    }
    case 1: {
      // Decimal to octal and back gives the number again.
      const std::u16string s = in.rest();
      std::u16string oct, dec;
      if (!allDigits(s) || !cls.DEC_TO_OCT(s, oct).empty()) break;
      FUZZ_CHECK(cls.OCT_TO_DEC(oct, dec).empty());
      FUZZ_CHECK(dec == withoutLeadingZeros(s));
      break;
    }
    case 2: {
      const std::u16string s = in.rest();
      morvanta::fuzz::tolerate<std::invalid_argument>([&] {
        const std::int16_t r = cls.OCT_chk(s);
        FUZZ_CHECK(r == 0 || r == -1);
      });
      break;
    }
    case 3: {
      std::u16string dec = u"?";
      cls.OCT_TO_DEC(in.rest(), dec);
      break;
    }
    case 4: {
      double value = 0;
      const std::u16string s = in.rest();
      morvanta::fuzz::tolerate<std::invalid_argument>([&] { cls.OCT_TO_DBL(s, value); });
      break;
    }
    case 5:
    case 6: {
      const std::u16string part = in.text(), word = in.rest();
      if (op % 12 == 5) cls.ONE_WORD_TO_DEC_with_part(part, word);
      if (op % 12 == 6) cls.ONE_WORD_TO_HEX_with_part(part, word);
      break;
    }
    case 7: {
      const std::int32_t max = in.int16();
      cls.ADD_ZERO_to_STR(in.rest(), max);
      break;
    }
    case 8: {
      std::int32_t yyyy = -1;
      std::int16_t month = -1, dd = -1, hh = -1, mm = -1, ss = -1;
      if (cls.tdate_edit(in.rest(), yyyy, month, dd, hh, mm, ss).empty()) {
        // Month and day 0 pass: only the upper bounds are checked.
        FUZZ_CHECK(month >= 0 && month <= 12 && dd >= 0 && dd <= 31);
      }
      break;
    }
    case 9: {
      std::int16_t hh = -1, mm = -1, ss = -1, ms = -1;
      cls.time_edit(in.rest(), hh, mm, ss, ms);
      break;
    }
    case 10: {
      std::u16string oct = u"?";
      cls.DEC_TO_OCT(in.rest(), oct);
      break;
    }
    default: {
      std::u16string dec;
      const std::u16string s = in.rest();
      std::int16_t octal = -1;
      morvanta::fuzz::tolerate<std::invalid_argument>([&] { octal = cls.OCT_chk(s); });
      if (octal == 0) cls.OCT_TO_DEC(s, dec);
      break;
    }
  }
}

void checks(const Class2200& cls, std::uint8_t op, Arguments& in) {
  switch (op % 4) {
    case 0: {
      const std::u16string s = in.rest();
      for (auto r :
           {cls.Elt_PLUS_chk(s), cls.Elt_COB_chk(s), cls.Elt_MASM_chk(s), cls.Elt_SKEL_chk(s)}) {
        FUZZ_CHECK(r == 0 || r == 1);
      }
      break;
    }
    case 1:
      cls.SJIS_CHK(in.rest());
      break;
    case 2:
      cls.LETSJ_CHK(in.rest());
      break;
    default: {
      const std::u16string lang = in.text(), line = in.text(), word = in.text();
      cls.koumoku_find(lang, line, word);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Class2200 cls;  // the code tables are built once
  Arguments in(data, size);
  const std::uint8_t group = in.byte();
  const std::uint8_t op = in.byte();
  morvanta::fuzz::tolerate<std::overflow_error>([&] {
    switch (group % 4) {
      case 0:
        names(cls, op, in);
        break;
      case 1:
        fieldata(cls, op, in);
        break;
      case 2:
        octal(cls, op, in);
        break;
      default:
        checks(cls, op, in);
        break;
    }
  });
  return 0;
}
