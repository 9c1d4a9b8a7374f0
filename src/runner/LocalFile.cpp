#include "runner/LocalFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/Platform.h"
#include "runner/JobError.h"

namespace morvanta::runner {

namespace fs = std::filesystem;

std::string readLocalFile(const std::u16string& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) {
    std::error_code ignored;
    throw JobError("cannot read " + platform::toUtf8(path) +
                   (fs::exists(fs::path(path), ignored) ? ": cannot open it" : ": no such file"));
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw JobError("cannot read " + platform::toUtf8(path));
  return bytes;
}

void writeLocalFile(const std::u16string& path, const std::string& bytes) {
  try {
    platform::writeBinaryFile(path, bytes);
  } catch (const platform::FileError& error) {
    throw JobError(error.what());
  }
}

}  // namespace morvanta::runner
