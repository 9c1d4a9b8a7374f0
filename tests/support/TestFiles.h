#pragma once
// Scratch folders and byte-level file access for every test folder. Bytes are
// read and written here without the code under test, so a test can see
// exactly what a command, the runner or the platform layer left on disk.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace morvanta::testing {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as the system's own functions take paths.
  const std::u16string& path() const { return path_; }
  const std::filesystem::path& fsPath() const { return fsPath_; }
  // The path of a name inside the folder (UTF-8 or UTF-16 name).
  std::u16string file(const std::u16string& name) const;
  std::u16string file(const std::string& name) const;
  std::u16string operator/(const std::string& name) const { return file(name); }
  // Number of entries in the folder.
  std::size_t entryCount() const;

 private:
  std::filesystem::path fsPath_;
  std::u16string path_;
};

std::u16string u16(const std::string& utf8);
std::string u8(const std::u16string& text);

// Bytes of a file; "" when it is missing.
std::string readBytes(const std::filesystem::path& path);
std::string readBytes(const std::u16string& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
void writeBytes(const std::u16string& path, const std::string& bytes);
// Writes lines as the system writes job files (CP932, CR LF).
void writeJobFile(const std::u16string& path, const std::vector<std::string>& utf8Lines);

// Waits (bounded, about 10 s) until the file holds `expected`; returns what
// it last held. For files written by a started process.
std::string waitForContent(const std::u16string& path, const std::string& expected);

}  // namespace morvanta::testing
