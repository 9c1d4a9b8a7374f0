#include "gui/QtControls.h"

#include <cmath>

#include "platform/Platform.h"

namespace morvanta::gui {

int twipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QtLabel::QtLabel(QLabel* widget, const forms::Placement& at) : QtTextCaptioned(widget, at) {
  // A caption is shown as written, never as markup.
  widget->setTextFormat(Qt::PlainText);
}

void QtOptionButton::setSelected(bool selected) {
  QRadioButton* button = widget();
  if (selected || !button->isChecked()) {
    button->setChecked(selected);
    return;
  }
  button->setAutoExclusive(false);
  button->setChecked(false);
  button->setAutoExclusive(true);
}

void QtTextBox::setText(const std::u16string& text) {
  widget()->setText(toQString(text));
  widget()->setCursorPosition(0);
}

void QtListBox::check(int row) const {
  if (row < 0 || row >= count()) throw std::out_of_range("list row out of range");
}

void QtListBox::addItem(const std::u16string& text) {
  widget()->addItem(toQString(text));
}

std::u16string QtListBox::item(int row) const {
  check(row);
  return toU16(widget()->item(row)->text());
}

// Qt would pass the selection of a removed row on to its neighbour.
void QtListBox::removeItem(int row) {
  check(row);
  const bool wasSelected = listIndex() == row;
  delete widget()->takeItem(row);
  if (wasSelected) setListIndex(-1);
}

int QtListBox::listIndex() const {
  int first = -1;
  for (const QModelIndex& index : widget()->selectionModel()->selectedIndexes()) {
    if (first == -1 || index.row() < first) first = index.row();
  }
  return first;
}

void QtListBox::setListIndex(int row) {
  if (row == -1) {
    widget()->clearSelection();
    widget()->setCurrentRow(-1);
    return;
  }
  check(row);
  widget()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

QtElementList::QtElementList(ElementListView* widget, const forms::Placement& at,
                             forms::ElementTable& table, forms::ElementColumn column)
    : QtControl(widget, at),
      table_(table),
      column_(column),
      model_(new ElementColumnModel(table, column, widget)) {
  widget->setModel(model_);
}

// The widget outlives the form and its tables.
QtElementList::~QtElementList() {
  model_->detach();
}

void QtElementList::check(int row) const {
  if (row < 0 || row >= count()) throw std::out_of_range("list row out of range");
}

std::u16string QtElementList::item(int row) const {
  check(row);
  return std::u16string(table_.column(column_).at(static_cast<std::size_t>(row)));
}

// A removed row's selection is not passed on to its neighbour.
void QtElementList::removeItem(int row) {
  check(row);
  const bool wasSelected = listIndex() == row;
  table_.remove(column_, static_cast<std::size_t>(row));
  if (wasSelected) setListIndex(-1);
}

int QtElementList::listIndex() const {
  int first = -1;
  for (const QModelIndex& index : widget()->selectionModel()->selectedIndexes()) {
    if (first == -1 || index.row() < first) first = index.row();
  }
  return first;
}

void QtElementList::setListIndex(int row) {
  QItemSelectionModel* selection = widget()->selectionModel();
  if (row == -1) {
    selection->clearSelection();
    selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  check(row);
  selection->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
}

QtComboBox::QtComboBox(QComboBox* widget, const forms::Placement& at) : QtControl(widget, at) {
  widget->setEditable(true);
  widget->setInsertPolicy(QComboBox::NoInsert);
}

// The start of a long text stays in view, as in a text box.
void QtComboBox::show(const QString& text) {
  widget()->setEditText(text);
  if (QLineEdit* edit = widget()->lineEdit()) edit->setCursorPosition(0);
}

void QtComboBox::setText(const std::u16string& text) {
  show(toQString(text));
}

void QtComboBox::addItem(const std::u16string& text) {
  const QString shown = widget()->currentText();
  widget()->addItem(toQString(text));
  // Adding the first entry makes it current; the edit part keeps its text.
  widget()->setCurrentIndex(-1);
  show(shown);
}

void QtComboBox::clear() {
  const QString shown = widget()->currentText();
  widget()->clear();
  show(shown);
}

std::u16string QtComboBox::item(int row) const {
  if (row < 0 || row >= count()) throw std::out_of_range("combo row out of range");
  return toU16(widget()->itemText(row));
}

void QtFileListBox::setPath(const std::u16string& folder) {
  path_ = folder;
  try {
    files_ = platform::listFiles(folder);
  } catch (const platform::FileError&) {
    files_.clear();
  }
  widget()->clear();
  for (const auto& name : files_) widget()->addItem(toQString(name));
}

std::u16string QtFileListBox::item(int row) const {
  if (row < 0 || row >= count()) throw std::out_of_range("file list row out of range");
  return files_[static_cast<std::size_t>(row)];
}

QtTimer::QtTimer(QTimer* timer) : timer_(timer) {
  timer_->stop();
}

void QtTimer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  apply();
}

// Enabling a timer that already runs keeps its count going.
void QtTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  apply();
}

// A new interval starts the count afresh.
void QtTimer::apply() {
  if (enabled_ && interval_ > 0) {
    timer_->start(interval_);
  } else {
    timer_->stop();
  }
}

}  // namespace morvanta::gui
