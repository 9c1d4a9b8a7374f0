#include "forms/MemoryControls.h"

#include "platform/Platform.h"

namespace morvanta::forms {

void MemoryFileListBox::setPath(const std::u16string& folder) {
  path_ = folder;
  try {
    files_ = platform::listFiles(folder);
  } catch (const platform::FileError&) {
    files_.clear();
  }
}

}  // namespace morvanta::forms
