#pragma once
// The rows behind a pane's element list and date list, side by side: the
// element list shows the names column, the date list the dates column, so
// row n of both comes from one listing line. A listing fills both columns
// in one step; the views are told once. The texts of a column lie end to
// end in one buffer, so a row costs its characters and one offset.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/GrowingBuffer.h"

namespace morvanta::forms {

class TextColumn {
 public:
  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  // The characters of all rows together.
  std::size_t characters() const { return chars_.size(); }
  std::u16string_view at(std::size_t row) const;

  void append(std::u16string_view text);
  // Every row of `rows` after the last.
  void append(const TextColumn& rows);
  // A row written in place: room for at most `characters`, then endRow with
  // the end of what was written. A listing's rows go in this way without a
  // copy in between.
  char16_t* beginRow(std::size_t characters) { return chars_.room(characters); }
  void endRow(const char16_t* end) {
    chars_.commit(end);
    ends_.push_back(static_cast<std::uint32_t>(chars_.size()));
  }
  void remove(std::size_t row);
  void clear();
  void reserve(std::size_t rows, std::size_t characters);

 private:
  GrowingBuffer<char16_t> chars_;
  std::vector<std::uint32_t> ends_;
};

enum class ElementColumn { Names, Dates };

class ElementTable {
 public:
  // A view of the table; told before and after every change of the rows.
  class Observer {
   public:
    virtual ~Observer() = default;
    virtual void aboutToReset(ElementColumn column) = 0;
    virtual void reset(ElementColumn column) = 0;
    virtual void aboutToInsert(ElementColumn column, std::size_t row) = 0;
    virtual void inserted(ElementColumn column, std::size_t row) = 0;
    virtual void aboutToRemove(ElementColumn column, std::size_t row) = 0;
    virtual void removed(ElementColumn column, std::size_t row) = 0;
  };

  ElementTable() = default;
  ElementTable(const ElementTable&) = delete;
  ElementTable& operator=(const ElementTable&) = delete;

  const TextColumn& column(ElementColumn column) const { return columnRef(column); }

  // Both columns replaced at once.
  void assign(TextColumn names, TextColumn dates);
  void append(ElementColumn column, std::u16string_view text);
  void remove(ElementColumn column, std::size_t row);
  void clear(ElementColumn column);

  void addObserver(Observer* observer);
  void removeObserver(Observer* observer);

 private:
  TextColumn& columnRef(ElementColumn column) {
    return column == ElementColumn::Names ? names_ : dates_;
  }
  const TextColumn& columnRef(ElementColumn column) const {
    return column == ElementColumn::Names ? names_ : dates_;
  }

  TextColumn names_;
  TextColumn dates_;
  std::vector<Observer*> observers_;
};

}  // namespace morvanta::forms
