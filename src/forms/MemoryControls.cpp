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

MemoryElementList::MemoryElementList(const Placement& at, ElementTable& table, ElementColumn column)
    : MemoryControl<ListBox>(at), table_(table), column_(column) {
  table_.addObserver(this);
}

MemoryElementList::~MemoryElementList() {
  table_.removeObserver(this);
}

std::u16string MemoryElementList::item(int row) const {
  if (row < 0) throw std::out_of_range("list row out of range");
  return std::u16string(rows().at(static_cast<std::size_t>(row)));
}

void MemoryElementList::removeItem(int row) {
  if (row < 0) throw std::out_of_range("list row out of range");
  table_.remove(column_, static_cast<std::size_t>(row));
}

void MemoryElementList::setListIndex(int row) {
  if (row != -1 && (row < 0 || row >= count())) throw std::out_of_range("list row out of range");
  index_ = row;
}

// New rows leave nothing selected, as a list box that is filled anew.
void MemoryElementList::reset(ElementColumn column) {
  if (column == column_) index_ = -1;
}

void MemoryElementList::removed(ElementColumn column, std::size_t row) {
  if (column != column_) return;
  const int removedRow = static_cast<int>(row);
  if (index_ == removedRow)
    index_ = -1;
  else if (index_ > removedRow)
    --index_;
}

}  // namespace morvanta::forms
