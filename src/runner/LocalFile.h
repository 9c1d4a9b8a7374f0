#pragma once
// Whole local files as bytes, for what the FTP client receives and sends.

#include <string>

namespace morvanta::runner {

// Reads the whole file. Throws JobError naming it.
std::string readLocalFile(const std::u16string& path);

// Writes the bytes under a temporary name of its own beside the file and
// renames it into place, so the file appears only complete, even when two
// jobs write it at once. Throws JobError naming the file; then neither the
// file nor the temporary one is changed or left behind.
void writeLocalFile(const std::u16string& path, const std::string& bytes);

}  // namespace morvanta::runner
