#pragma once
// Helpers shared by the job runner tests.

#include <filesystem>
#include <string>
#include <vector>

namespace morvanta::test {

// A fresh folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of a name in the folder, as the runner takes paths.
  std::u16string operator/(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

std::u16string u16(const std::string& utf8);
std::string u8(const std::u16string& text);

// Bytes of a file; "" when it is missing.
std::string readBytes(const std::u16string& path);
void writeBytes(const std::u16string& path, const std::string& bytes);
// Writes lines as the system writes job files (CP932, CR LF).
void writeJobFile(const std::u16string& path, const std::vector<std::string>& utf8Lines);

}  // namespace morvanta::test
