#pragma once
// The window's controls over Qt widgets. Each wrapper keeps the position
// and size the commands gave it in twips (so what they read back is what
// they set) and places its widget at the nearest pixel. The widgets belong
// to their Qt parent, which outlives the wrappers.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "gui/ControlWidgets.h"
#include "gui/ElementListView.h"

namespace morvanta::gui {

inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel; halves go away from zero.
int twipsToPixels(int twips);
inline int pixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

inline QString toQString(const std::u16string& text) {
  return QString::fromStdU16String(text);
}
inline std::u16string toU16(const QString& text) {
  return text.toStdU16String();
}

// The properties every control shares.
template <class Base, class W>
class QtControl : public Base {
 public:
  QtControl(W* widget, const forms::Placement& at)
      : widget_(widget), left_(at.left), top_(at.top), width_(at.width), height_(at.height) {
    place();
  }

  W* widget() const { return widget_; }

  bool visible() const override { return visible_; }
  void setVisible(bool visible) override {
    visible_ = visible;
    widget_->setVisible(visible);
  }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override {
    enabled_ = enabled;
    widget_->setEnabled(enabled);
  }
  int left() const override { return left_; }
  void setLeft(int twips) override {
    left_ = twips;
    place();
  }
  int top() const override { return top_; }
  int width() const override { return width_; }
  void setWidth(int twips) override {
    if (twips < 0) throw std::invalid_argument("negative control width");
    width_ = twips;
    place();
  }
  int height() const override { return height_; }
  std::u16string toolTip() const override { return toU16(widget_->toolTip()); }
  void setToolTip(const std::u16string& text) override { widget_->setToolTip(toQString(text)); }

 private:
  void place() {
    widget_->setGeometry(twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(width_),
                         twipsToPixels(height_));
  }

  W* widget_;
  bool visible_ = true;
  bool enabled_ = true;
  int left_;
  int top_;
  int width_;
  int height_;
};

// A caption shown by a widget with text()/setText() (buttons, check boxes,
// labels).
template <class Base, class W>
class QtTextCaptioned : public QtControl<Base, W> {
 public:
  using QtControl<Base, W>::QtControl;
  std::u16string caption() const override { return toU16(this->widget()->text()); }
  void setCaption(const std::u16string& text) override { this->widget()->setText(toQString(text)); }
};

using QtCommandButton = QtTextCaptioned<forms::CommandButton, QPushButton>;

class QtLabel : public QtTextCaptioned<forms::Label, QLabel> {
 public:
  QtLabel(QLabel* widget, const forms::Placement& at);
};

class QtFrame : public QtControl<forms::Frame, QGroupBox> {
 public:
  using QtControl::QtControl;
  std::u16string caption() const override { return toU16(widget()->title()); }
  void setCaption(const std::u16string& text) override { widget()->setTitle(toQString(text)); }
};

class QtCheckBox : public QtTextCaptioned<forms::CheckBox, QCheckBox> {
 public:
  using QtTextCaptioned::QtTextCaptioned;
  bool checked() const override { return widget()->isChecked(); }
  void setChecked(bool checked) override { widget()->setChecked(checked); }
};

// Qt keeps the radio buttons of one frame exclusive; clearing the selected
// one is allowed here as well, so that a group can have none selected.
class QtOptionButton : public QtTextCaptioned<forms::OptionButton, QRadioButton> {
 public:
  using QtTextCaptioned::QtTextCaptioned;
  bool selected() const override { return widget()->isChecked(); }
  void setSelected(bool selected) override;
};

class QtTextBox : public QtControl<forms::TextBox, LineEdit> {
 public:
  using QtControl::QtControl;
  std::u16string text() const override { return toU16(widget()->text()); }
  // The caret goes to the start, as with every text the program sets.
  void setText(const std::u16string& text) override;
  int selStart() const override { return widget()->cursorPosition(); }
  void setSelStart(int position) override { widget()->setCursorPosition(position); }
};

class QtListBox : public QtControl<forms::ListBox, ListWidget> {
 public:
  using QtControl::QtControl;
  void addItem(const std::u16string& text) override;
  void clear() override { widget()->clear(); }
  int count() const override { return widget()->count(); }
  std::u16string item(int row) const override;
  void removeItem(int row) override;
  int listIndex() const override;
  void setListIndex(int row) override;

 private:
  void check(int row) const;
};

// A pane's element or date list: a view over one column of the pane's
// ElementTable. Counting and reading rows go to the table, not the widget.
class QtElementList : public QtControl<forms::ListBox, ElementListView> {
 public:
  QtElementList(ElementListView* widget, const forms::Placement& at, forms::ElementTable& table,
                forms::ElementColumn column);
  ~QtElementList() override;
  QtElementList(const QtElementList&) = delete;
  QtElementList& operator=(const QtElementList&) = delete;

  void addItem(const std::u16string& text) override { table_.append(column_, text); }
  void clear() override { table_.clear(column_); }
  int count() const override { return static_cast<int>(table_.column(column_).size()); }
  std::u16string item(int row) const override;
  void removeItem(int row) override;
  int listIndex() const override;
  void setListIndex(int row) override;

 private:
  void check(int row) const;
  forms::ElementTable& table_;
  forms::ElementColumn column_;
  ElementColumnModel* model_;
};

// The edit part keeps its text when entries are added or the list is
// cleared; only the user's choice of an entry replaces it.
class QtComboBox : public QtControl<forms::ComboBox, QComboBox> {
 public:
  QtComboBox(QComboBox* widget, const forms::Placement& at);
  std::u16string text() const override { return toU16(widget()->currentText()); }
  void setText(const std::u16string& text) override;
  void addItem(const std::u16string& text) override;
  void clear() override;
  int count() const override { return widget()->count(); }
  std::u16string item(int row) const override;

 private:
  void show(const QString& text);
};

class QtFileListBox : public QtControl<forms::FileListBox, QListWidget> {
 public:
  using QtControl::QtControl;
  std::u16string path() const override { return path_; }
  void setPath(const std::u16string& folder) override;
  int count() const override { return static_cast<int>(files_.size()); }
  std::u16string item(int row) const override;

 private:
  std::u16string path_;
  std::vector<std::u16string> files_;
};

// Ticks only while enabled with an interval above zero (a zero interval
// would otherwise tick without pause).
class QtTimer : public forms::Timer {
 public:
  explicit QtTimer(QTimer* timer);
  QTimer* timer() const { return timer_; }
  int interval() const override { return interval_; }
  void setInterval(int milliseconds) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override;

 private:
  void apply();
  QTimer* timer_;
  int interval_ = 0;
  bool enabled_ = false;
};

}  // namespace morvanta::gui
