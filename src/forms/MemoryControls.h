#pragma once
// Plain in-memory controls: what the tests drive, and a complete record of
// what a command did to the window.

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/ElementTable.h"

namespace morvanta::forms {

// The properties every control shares, stored as plain values.
template <class Base>
class MemoryControl : public Base {
 public:
  MemoryControl() = default;
  explicit MemoryControl(const Placement& at)
      : left_(at.left), top_(at.top), width_(at.width), height_(at.height) {}

  bool visible() const override { return visible_; }
  void setVisible(bool visible) override { visible_ = visible; }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  int left() const override { return left_; }
  void setLeft(int twips) override { left_ = twips; }
  int top() const override { return top_; }
  int width() const override { return width_; }
  void setWidth(int twips) override {
    if (twips < 0) throw std::invalid_argument("negative control width");
    width_ = twips;
  }
  int height() const override { return height_; }
  std::u16string toolTip() const override { return toolTip_; }
  void setToolTip(const std::u16string& text) override { toolTip_ = text; }

 private:
  bool visible_ = true;
  bool enabled_ = true;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::u16string toolTip_;
};

template <class Base>
class MemoryCaptioned : public MemoryControl<Base> {
 public:
  using MemoryControl<Base>::MemoryControl;
  std::u16string caption() const override { return caption_; }
  void setCaption(const std::u16string& text) override { caption_ = text; }

 private:
  std::u16string caption_;
};

using MemoryLabel = MemoryCaptioned<Label>;
using MemoryFrame = MemoryCaptioned<Frame>;
using MemoryCommandButton = MemoryCaptioned<CommandButton>;

class MemoryCheckBox : public MemoryCaptioned<CheckBox> {
 public:
  using MemoryCaptioned<CheckBox>::MemoryCaptioned;
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override { checked_ = checked; }

 private:
  bool checked_ = false;
};

// Group behaviour belongs to the window; in memory each button only keeps
// its own state, and the form clears the others when it selects one.
class MemoryOptionButton : public MemoryCaptioned<OptionButton> {
 public:
  using MemoryCaptioned<OptionButton>::MemoryCaptioned;
  bool selected() const override { return selected_; }
  void setSelected(bool selected) override { selected_ = selected; }

 private:
  bool selected_ = false;
};

class MemoryTextBox : public MemoryControl<TextBox> {
 public:
  using MemoryControl<TextBox>::MemoryControl;
  std::u16string text() const override { return text_; }
  void setText(const std::u16string& text) override {
    text_ = text;
    selStart_ = 0;
  }
  int selStart() const override { return selStart_; }
  void setSelStart(int position) override { selStart_ = position; }

 private:
  std::u16string text_;
  int selStart_ = 0;
};

// Rows of a list or combo box with a first-selected-row index.
class MemoryRows {
 public:
  void add(const std::u16string& text) { rows_.push_back(text); }
  void clear() {
    rows_.clear();
    index_ = -1;
  }
  int count() const { return static_cast<int>(rows_.size()); }
  std::u16string at(int row) const {
    check(row);
    return rows_[static_cast<size_t>(row)];
  }
  void remove(int row) {
    check(row);
    rows_.erase(rows_.begin() + row);
    if (index_ == row)
      index_ = -1;
    else if (index_ > row)
      --index_;
  }
  int index() const { return index_; }
  void select(int row) {
    if (row != -1) check(row);
    index_ = row;
  }

 private:
  void check(int row) const {
    if (row < 0 || row >= count()) throw std::out_of_range("list row out of range");
  }
  std::vector<std::u16string> rows_;
  int index_ = -1;
};

class MemoryListBox : public MemoryControl<ListBox> {
 public:
  using MemoryControl<ListBox>::MemoryControl;
  void addItem(const std::u16string& text) override { rows_.add(text); }
  void clear() override { rows_.clear(); }
  int count() const override { return rows_.count(); }
  std::u16string item(int row) const override { return rows_.at(row); }
  void removeItem(int row) override { rows_.remove(row); }
  int listIndex() const override { return rows_.index(); }
  void setListIndex(int row) override { rows_.select(row); }

 private:
  MemoryRows rows_;
};

// A pane's element or date list: one column of the pane's ElementTable.
class MemoryElementList : public MemoryControl<ListBox>, private ElementTable::Observer {
 public:
  MemoryElementList(const Placement& at, ElementTable& table, ElementColumn column);
  ~MemoryElementList() override;
  MemoryElementList(const MemoryElementList&) = delete;
  MemoryElementList& operator=(const MemoryElementList&) = delete;

  void addItem(const std::u16string& text) override { table_.append(column_, text); }
  void clear() override { table_.clear(column_); }
  int count() const override { return static_cast<int>(rows().size()); }
  std::u16string item(int row) const override;
  void removeItem(int row) override;
  int listIndex() const override { return index_; }
  void setListIndex(int row) override;

 private:
  const TextColumn& rows() const { return table_.column(column_); }
  void aboutToReset(ElementColumn) override {}
  void reset(ElementColumn column) override;
  void aboutToInsert(ElementColumn, std::size_t) override {}
  void inserted(ElementColumn, std::size_t) override {}
  void aboutToRemove(ElementColumn, std::size_t) override {}
  void removed(ElementColumn column, std::size_t row) override;

  ElementTable& table_;
  ElementColumn column_;
  int index_ = -1;
};

class MemoryComboBox : public MemoryControl<ComboBox> {
 public:
  using MemoryControl<ComboBox>::MemoryControl;
  std::u16string text() const override { return text_; }
  void setText(const std::u16string& text) override { text_ = text; }
  void addItem(const std::u16string& text) override { rows_.add(text); }
  void clear() override { rows_.clear(); }
  int count() const override { return rows_.count(); }
  std::u16string item(int row) const override { return rows_.at(row); }

 private:
  std::u16string text_;
  MemoryRows rows_;
};

class MemoryFileListBox : public MemoryControl<FileListBox> {
 public:
  using MemoryControl<FileListBox>::MemoryControl;
  std::u16string path() const override { return path_; }
  void setPath(const std::u16string& folder) override;
  int count() const override { return static_cast<int>(files_.size()); }
  std::u16string item(int row) const override { return files_.at(static_cast<size_t>(row)); }

 private:
  std::u16string path_;
  std::vector<std::u16string> files_;
};

class MemoryTimer : public Timer {
 public:
  int interval() const override { return interval_; }
  void setInterval(int milliseconds) override { interval_ = milliseconds; }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }

 private:
  int interval_ = 0;
  bool enabled_ = false;
};

}  // namespace morvanta::forms
