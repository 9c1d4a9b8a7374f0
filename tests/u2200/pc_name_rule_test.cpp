#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "u2200/Class2200.h"
#include "u2200/PcNameRule.h"

namespace morvanta::naming {
namespace {

struct FaultCase {
  std::u16string name;
  PcNameFault fault;
};

TEST(PcNameRule, RefusesWhatIsNotOnePathComponent) {
  const FaultCase cases[] = {
      {u"", PcNameFault::Empty},
      {u"../ESC1.txt", PcNameFault::Separator},
      {u"..\\..\\X.txt", PcNameFault::Separator},
      {u"tmp/x＊F", PcNameFault::Separator},
      {u"C:X.txt", PcNameFault::Separator},
      {u".", PcNameFault::DotName},
      {u"..", PcNameFault::DotName},
      {u"A\tB.txt", PcNameFault::ControlCharacter},
      {std::u16string(u"A\0B.txt", 7), PcNameFault::ControlCharacter},
      {u"A\x1A"
       u"B.txt",
       PcNameFault::ControlCharacter},
      {u"A\x7F"
       u"B.txt",
       PcNameFault::ControlCharacter},
      {u"MAIN.", PcNameFault::TrailingDotOrBlank},
      {u"MAIN ", PcNameFault::TrailingDotOrBlank},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pcNameFault(c.name), c.fault) << std::string(c.name.begin(), c.name.end());
  }
}

TEST(PcNameRule, RefusesDeviceNamesWithAnyExtensionAndCase) {
  for (const char16_t* name : {u"CON", u"con.txt", u"NUL.R1.txt", u"Aux.TXT", u"PRN", u"COM1",
                               u"com9.txt", u"LPT1.x", u"lpt9", u"NUL .txt"}) {
    EXPECT_EQ(pcNameFault(name), PcNameFault::DeviceName)
        << std::string(name, name + std::u16string_view(name).size());
  }
  // Only the exact device words are devices.
  for (const char16_t* name :
       {u"CONS.txt", u"COM0.txt", u"COM10.txt", u"LPT.txt", u"NUL／R1.txt", u"XNUL.txt", u"ACON"}) {
    EXPECT_TRUE(isSafePcName(name)) << std::string(name, name + std::u16string_view(name).size());
  }
}

TEST(PcNameRule, AcceptsTheNamesTheSystemMakes) {
  for (const char16_t* name : {u"MAIN／R1.txt", u"MAIN.R1.txt", u"PRJ＊SRC", u"MAIN.R1_SYM",
                               u"O$U$TMAIN.txt", u"CALC.txt", u"..X.txt", u"A B.txt"}) {
    EXPECT_TRUE(isSafePcName(name)) << std::string(name, name + std::u16string_view(name).size());
  }
}

TEST(PcNameRule, ElementDisplayNamesAre2200Names) {
  for (const char16_t* name : {u"MAIN", u"MAIN/R1", u"A-B$C", u"ABCDEFGHIJKL/ABCDEFGHIJKL"}) {
    EXPECT_TRUE(isU2200ElementDisplayName(name));
  }
  for (const char16_t* name : {u"", u"/", u"MAIN/", u"/R1", u"ABCDEFGHIJKLM", u"MAIN/R1/X",
                               u"MAIN/R.1", u"main", u"A\tB", u"/./X", u"..\\..\\X", u"A B"}) {
    EXPECT_FALSE(isU2200ElementDisplayName(name));
  }
}

// The names a hostile listing can hold never give a listed element whose PC
// names are all safe: either the 2200 check or the PC rule stops them.
TEST(PcNameRule, HostileListingNamesAreStoppedAfterTheNameConversions) {
  const Class2200 c;
  const std::u16string hostile[] = {
      u"/./X.", u"/./../../X.", u"..\\..\\X",          u"A\tB._SYM", std::u16string(u"A\0B", 3),
      u"CON",   u"NUL.R1_SYM",  u"ABCDEFGHIJKLM._SYM",
  };
  for (const auto& name : hostile) {
    std::u16string type;
    const std::u16string display = c.U2200ElementName_to_PcName(u"DSP", name, type);
    const std::u16string txt = c.U2200ElementName_to_PcName(u"TXT", name, type) + u".txt";
    const std::u16string phased = c.U2200ElementName_to_PcName(u"TXT.", name, type) + u".txt";
    const bool accepted =
        isU2200ElementDisplayName(display) && isSafePcName(txt) && isSafePcName(phased);
    EXPECT_FALSE(accepted) << std::string(name.begin(), name.end());
  }
}

// The byte form of the receivable check answers exactly as the general one:
// on the names around every limit (devices, lengths, separators, dots) and
// on many random names over the characters that matter.
TEST(PcNameRule, ByteCheckOfListedElementsAgreesWithTheGeneralOne) {
  std::vector<std::string> names = {
      "",          "MAIN",     "MAIN/R1", "A-B$C/X",       "ABCDEFGHIJKL/ABCDEFGHIJKL",
      "/",         "MAIN/",    "/R1",     "ABCDEFGHIJKLM", "MAIN/ABCDEFGHIJKLM",
      "MAIN/R1/X", "MAIN/R.1", "main",    "A B",           "A\tB",
      "CON",       "CON/R1",   "PRN",     "AUX/X",         "NUL",
      "COM1",      "COM9/V",   "COM0",    "LPT1",          "LPT10",
      "COMA",      "CONX",     "CO",      "R1/CON",        "X/COM1",
      ".",         "..",       "A.",      "A/.",           std::string("A\0B", 3),
      "\x7F",      "A:B",      "A\\B",    "\xE6\xBC\xA2"};
  std::mt19937 random(2200);
  const std::string alphabet = "ACLMNOPTUX019-$/. a:\\\t";
  for (int n = 0; n < 20000; ++n) {
    std::string name;
    const std::size_t length = random() % 16;
    for (std::size_t c = 0; c < length; ++c) name += alphabet[random() % alphabet.size()];
    names.push_back(name);
  }
  for (int n = 0; n < 2000; ++n) {
    // Up to the longest a listing's row may hand over, for the padded form.
    std::string name = n % 2 == 0 ? "ABCDEFGHIJKL" : "ABCDEFGHIJKL/ABCDEFGHIJK";
    name += std::string(random() % 8, 'X');
    name[random() % name.size()] = alphabet[random() % alphabet.size()];
    names.push_back(name);
  }
  for (const std::string& name : names) {
    const std::u16string wide(name.begin(), name.end());
    const bool expected = isReceivableElement(wide);
    EXPECT_EQ(isReceivableElement(std::string_view(name)), expected) << name;
    // The padded form looks at its first bytes only, whatever follows them.
    if (name.size() >= kDisplayNameRoom) continue;
    for (const char padding : {'/', 'A', '\0', '\xFF'}) {
      char room[kDisplayNameRoom];
      std::fill(std::begin(room), std::end(room), padding);
      std::copy(name.begin(), name.end(), room);
      EXPECT_EQ(isReceivableElement(room, name.size()), expected) << name;
    }
  }
}

}  // namespace
}  // namespace morvanta::naming
