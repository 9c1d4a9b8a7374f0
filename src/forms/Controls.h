#pragma once
// The window as the commands see it: each control exposes exactly the
// properties the commands read or set. Positions and widths are in twips.
// The in-memory controls (MemoryControls.h) serve the tests; gui/ has the
// Qt ones.

#include <cstdint>
#include <string>
#include <vector>

namespace morvanta::forms {

class Control {
 public:
  virtual ~Control() = default;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual int left() const = 0;
  virtual void setLeft(int twips) = 0;
  virtual int top() const = 0;
  virtual int width() const = 0;
  // A negative width is refused with std::invalid_argument, as the window
  // system refuses it; the layout relies on that to stop.
  virtual void setWidth(int twips) = 0;
  virtual int height() const = 0;
  virtual std::u16string toolTip() const = 0;
  virtual void setToolTip(const std::u16string& text) = 0;
};

// Buttons, frames, labels, check boxes and option buttons carry a caption.
class CaptionedControl : public Control {
 public:
  virtual std::u16string caption() const = 0;
  virtual void setCaption(const std::u16string& text) = 0;
};

class Label : public CaptionedControl {};
class Frame : public CaptionedControl {};
class CommandButton : public CaptionedControl {};

class CheckBox : public CaptionedControl {
 public:
  virtual bool checked() const = 0;
  virtual void setChecked(bool checked) = 0;
};

// One group of option buttons: selecting one clears the others of its group.
class OptionButton : public CaptionedControl {
 public:
  virtual bool selected() const = 0;
  virtual void setSelected(bool selected) = 0;
};

class TextBox : public Control {
 public:
  virtual std::u16string text() const = 0;
  virtual void setText(const std::u16string& text) = 0;
  // Caret position, 0-based as the window system counts it.
  virtual int selStart() const = 0;
  virtual void setSelStart(int position) = 0;
};

class ListBox : public Control {
 public:
  virtual void addItem(const std::u16string& text) = 0;
  virtual void clear() = 0;
  virtual int count() const = 0;
  // Rows are 0-based; a row past the end is std::out_of_range.
  virtual std::u16string item(int row) const = 0;
  virtual void removeItem(int row) = 0;
  // The first selected row, -1 when none.
  virtual int listIndex() const = 0;
  virtual void setListIndex(int row) = 0;
};

// A combo box: a list of entries and the text of its edit part.
class ComboBox : public Control {
 public:
  virtual std::u16string text() const = 0;
  virtual void setText(const std::u16string& text) = 0;
  virtual void addItem(const std::u16string& text) = 0;
  virtual void clear() = 0;
  virtual int count() const = 0;
  virtual std::u16string item(int row) const = 0;
};

// Lists the ordinary files of a folder, in name order.
class FileListBox : public Control {
 public:
  virtual std::u16string path() const = 0;
  // Lists the folder again; a folder that cannot be listed leaves it empty.
  virtual void setPath(const std::u16string& folder) = 0;
  virtual int count() const = 0;
  virtual std::u16string item(int row) const = 0;
};

// Ticks while enabled; the window calls the Timer event handler. Tests tick
// it by calling the handler themselves.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual int interval() const = 0;  // milliseconds
  virtual void setInterval(int milliseconds) = 0;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
};

// Where a control sits at design time, relative to its container.
struct Placement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

}  // namespace morvanta::forms
