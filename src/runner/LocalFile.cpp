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
  const fs::path target(path);
  fs::path temporary = target;
  temporary += ".part";
  const std::string name = platform::toUtf8(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw JobError("cannot write " + name + ": cannot create the file");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      throw JobError("cannot write " + name + ": the disk refused the data");
    }
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw JobError("cannot write " + name + ": " + error.message());
  }
}

}  // namespace morvanta::runner
