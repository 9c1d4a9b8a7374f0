#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/Platform.h"
#include "runner/RunnerTestSupport.h"

namespace morvanta::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "morvanta-runner-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::u16string TempFolder::operator/(const std::string& name) const {
  return platform::joinPath(u16(path_.string()), u16(name));
}

std::u16string u16(const std::string& utf8) {
  return platform::fromUtf8(utf8);
}
std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

std::string readBytes(const std::u16string& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

void writeJobFile(const std::u16string& path, const std::vector<std::string>& utf8Lines) {
  std::vector<std::u16string> lines;
  for (const auto& line : utf8Lines) lines.push_back(u16(line));
  platform::writeTextLines(path, lines);
}

}  // namespace morvanta::test
