#include "transfer/ElementSelection.h"

#include <cstdint>

namespace morvanta::transfer {

std::u16string selectedEntry(const forms::ListBox& list) {
  const int row = list.listIndex();
  if (row < 0) return {};
  return list.item(row);
}

std::u16string leadingField(const TxtHdl& txtHdl, const std::u16string& entry) {
  std::int16_t pos = 1;
  return txtHdl.Field_get(entry + u" ", pos);
}

}  // namespace morvanta::transfer
