#include "u2200/scan_sample_support.h"

#include <fstream>
#include <stdexcept>

namespace morvanta::test {

namespace {

// The samples hold characters of the basic plane only.
std::u16string from_utf8(const std::string& s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : 2;
    char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : (b & 0x0F);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += static_cast<char16_t>(cp);
    i += 1 + extra;
  }
  return out;
}

}  // namespace

std::vector<std::u16string> read_sample(const std::string& name) {
  std::ifstream in(std::string(MORVANTA_TEST_DATA) + "/u2200/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("missing sample " + name);
  std::vector<std::u16string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(from_utf8(line));
  }
  return lines;
}

}  // namespace morvanta::test
