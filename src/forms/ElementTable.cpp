#include "forms/ElementTable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace morvanta::forms {

std::u16string_view TextColumn::at(std::size_t row) const {
  if (row >= ends_.size()) throw std::out_of_range("list row out of range");
  const std::size_t start = row == 0 ? 0 : ends_[row - 1];
  return std::u16string_view(chars_.data() + start, ends_[row] - start);
}

void TextColumn::append(std::u16string_view text) {
  endRow(std::copy(text.begin(), text.end(), beginRow(text.size())));
}

void TextColumn::append(const TextColumn& rows) {
  const auto base = static_cast<std::uint32_t>(chars_.size());
  chars_.append(rows.chars_.view());
  const std::size_t first = ends_.size();
  ends_.resize(first + rows.ends_.size());
  std::transform(rows.ends_.begin(), rows.ends_.end(),
                 ends_.begin() + static_cast<std::ptrdiff_t>(first),
                 [base](std::uint32_t end) { return base + end; });
}

void TextColumn::remove(std::size_t row) {
  if (row >= ends_.size()) throw std::out_of_range("list row out of range");
  const std::uint32_t start = row == 0 ? 0 : ends_[row - 1];
  const std::uint32_t length = ends_[row] - start;
  chars_.erase(start, start + length);
  ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(row));
  for (std::size_t r = row; r < ends_.size(); ++r) ends_[r] -= length;
}

void TextColumn::clear() {
  chars_.clear();
  ends_.clear();
}

void TextColumn::reserve(std::size_t rows, std::size_t characters) {
  ends_.reserve(rows);
  chars_.reserve(characters);
}

void ElementTable::assign(TextColumn names, TextColumn dates) {
  for (Observer* o : observers_) o->aboutToReset(ElementColumn::Names);
  for (Observer* o : observers_) o->aboutToReset(ElementColumn::Dates);
  names_ = std::move(names);
  dates_ = std::move(dates);
  for (Observer* o : observers_) o->reset(ElementColumn::Names);
  for (Observer* o : observers_) o->reset(ElementColumn::Dates);
}

void ElementTable::append(ElementColumn column, std::u16string_view text) {
  const std::size_t row = columnRef(column).size();
  for (Observer* o : observers_) o->aboutToInsert(column, row);
  columnRef(column).append(text);
  for (Observer* o : observers_) o->inserted(column, row);
}

void ElementTable::remove(ElementColumn column, std::size_t row) {
  if (row >= columnRef(column).size()) throw std::out_of_range("list row out of range");
  for (Observer* o : observers_) o->aboutToRemove(column, row);
  columnRef(column).remove(row);
  for (Observer* o : observers_) o->removed(column, row);
}

void ElementTable::clear(ElementColumn column) {
  for (Observer* o : observers_) o->aboutToReset(column);
  columnRef(column).clear();
  for (Observer* o : observers_) o->reset(column);
}

void ElementTable::addObserver(Observer* observer) {
  observers_.push_back(observer);
}

void ElementTable::removeObserver(Observer* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace morvanta::forms
