#include "support/TestFiles.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/Platform.h"

namespace morvanta::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  // Random and counted: tests of several programs run at once.
  static std::atomic<int> counter{0};
  std::random_device random;
  fsPath_ =
      fs::temp_directory_path() / ("morvanta-test-" + std::to_string(random()) + "-" +
                                   std::to_string(random()) + "-" + std::to_string(counter++));
  fs::create_directories(fsPath_);
  path_ = fsPath_.u16string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(fsPath_, ignored);
}

std::u16string TempFolder::file(const std::u16string& name) const {
  return platform::joinPath(path_, name);
}

std::u16string TempFolder::file(const std::string& name) const {
  // Names are UTF-8 here; a path built from a narrow string would read them
  // in the ANSI code page on Windows.
  return file(u16(name));
}

std::size_t TempFolder::entryCount() const {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(fsPath_), fs::directory_iterator()));
}

std::u16string u16(const std::string& utf8) {
  return platform::fromUtf8(utf8);
}

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string readBytes(const std::u16string& path) {
  return readBytes(fs::path(path));
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

void writeBytes(const std::u16string& path, const std::string& bytes) {
  writeBytes(fs::path(path), bytes);
}

void writeJobFile(const std::u16string& path, const std::vector<std::string>& utf8Lines) {
  std::vector<std::u16string> lines;
  for (const auto& line : utf8Lines) lines.push_back(u16(line));
  platform::writeTextLines(path, lines);
}

std::string waitForContent(const std::u16string& path, const std::string& expected) {
  std::string content;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    content = readBytes(path);
    if (content == expected) break;
    platform::sleepMilliseconds(10);
  }
  return content;
}

}  // namespace morvanta::testing
