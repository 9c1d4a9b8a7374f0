#pragma once
// Helpers shared by the platform tests: a private scratch folder per test and
// byte-level file access that bypasses the code under test.

#include <filesystem>
#include <string>

namespace morvanta::platform::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside the folder, as the platform functions take it.
  std::u16string file(const std::string& name) const;
  // Number of entries in the folder.
  std::size_t entryCount() const;

 private:
  std::filesystem::path path_;
};

std::string readBytes(const std::u16string& path);
void writeBytes(const std::u16string& path, const std::string& bytes);

// Waits (bounded) until the file exists and holds `expected`; returns what
// it last held. For files written by a started process.
std::string waitForContent(const std::u16string& path, const std::string& expected);

}  // namespace morvanta::platform::testing
