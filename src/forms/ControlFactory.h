#pragma once
// Makes the controls of a window. MainForm names each control, its pane
// (or -1 for a shared control), its container and its design placement; the
// factory decides what stands behind it (Qt widgets or in-memory controls).

#include <memory>
#include <string>

#include "forms/Controls.h"
#include "forms/ElementTable.h"

namespace morvanta::forms {

struct ControlSpec {
  std::u16string name;       // e.g. u"List_elt"
  int index = -1;            // pane 0..2, -1 for a shared control
  std::u16string container;  // name of the frame it sits in, "" for the window
  Placement at;
};

class ControlFactory {
 public:
  virtual ~ControlFactory() = default;
  virtual std::unique_ptr<TextBox> textBox(const ControlSpec& def) = 0;
  virtual std::unique_ptr<ListBox> listBox(const ControlSpec& def) = 0;
  // A list box that shows one column of `table`, which outlives it.
  virtual std::unique_ptr<ListBox> elementList(const ControlSpec& def, ElementTable& table,
                                               ElementColumn column) = 0;
  virtual std::unique_ptr<ComboBox> comboBox(const ControlSpec& def) = 0;
  virtual std::unique_ptr<CheckBox> checkBox(const ControlSpec& def) = 0;
  virtual std::unique_ptr<OptionButton> optionButton(const ControlSpec& def) = 0;
  virtual std::unique_ptr<CommandButton> commandButton(const ControlSpec& def) = 0;
  virtual std::unique_ptr<Frame> frame(const ControlSpec& def) = 0;
  virtual std::unique_ptr<Label> label(const ControlSpec& def) = 0;
  virtual std::unique_ptr<FileListBox> fileListBox(const ControlSpec& def) = 0;
  virtual std::unique_ptr<Timer> timer(const ControlSpec& def) = 0;
};

// Plain in-memory controls at their design placement.
class MemoryControlFactory : public ControlFactory {
 public:
  std::unique_ptr<TextBox> textBox(const ControlSpec& def) override;
  std::unique_ptr<ListBox> listBox(const ControlSpec& def) override;
  std::unique_ptr<ListBox> elementList(const ControlSpec& def, ElementTable& table,
                                       ElementColumn column) override;
  std::unique_ptr<ComboBox> comboBox(const ControlSpec& def) override;
  std::unique_ptr<CheckBox> checkBox(const ControlSpec& def) override;
  std::unique_ptr<OptionButton> optionButton(const ControlSpec& def) override;
  std::unique_ptr<CommandButton> commandButton(const ControlSpec& def) override;
  std::unique_ptr<Frame> frame(const ControlSpec& def) override;
  std::unique_ptr<Label> label(const ControlSpec& def) override;
  std::unique_ptr<FileListBox> fileListBox(const ControlSpec& def) override;
  std::unique_ptr<Timer> timer(const ControlSpec& def) override;
};

}  // namespace morvanta::forms
