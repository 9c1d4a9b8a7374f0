#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "platform/Platform.h"
#include "platform/PlatformTestSupport.h"

namespace morvanta::platform::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "-" + info->name() : "test";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  std::random_device random;
  path_ = fs::temp_directory_path() /
          ("morvanta-platform-" + name + "-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::u16string TempFolder::file(const std::string& name) const {
  // Names are UTF-8 here; a path built from a narrow string would read them
  // in the ANSI code page on Windows.
  return (path_ / fs::path(fromUtf8(name))).u16string();
}

std::size_t TempFolder::entryCount() const {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
}

std::string readBytes(const std::u16string& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string waitForContent(const std::u16string& path, const std::string& expected) {
  std::string content;
  for (int attempt = 0; attempt < 1000; ++attempt) {  // at most about 10 s
    content = readBytes(path);
    if (content == expected) break;
    sleepMilliseconds(10);
  }
  return content;
}

}  // namespace morvanta::platform::testing
