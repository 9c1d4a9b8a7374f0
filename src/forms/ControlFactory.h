#pragma once
// Makes the controls of a window. MainForm names each control, its pane
// (or -1 for a shared control), its container and its design placement; the
// factory decides what stands behind it (Qt widgets or in-memory controls).

#include <memory>
#include <string>

#include "forms/Controls.h"

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
  virtual std::unique_ptr<TextBox> textBox(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<ListBox> listBox(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<ComboBox> comboBox(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<CheckBox> checkBox(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<OptionButton> optionButton(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<CommandButton> commandButton(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<Frame> frame(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<Label> label(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<FileListBox> fileListBox(const ControlSpec& spec) = 0;
  virtual std::unique_ptr<Timer> timer(const ControlSpec& spec) = 0;
};

// Plain in-memory controls at their design placement.
class MemoryControlFactory : public ControlFactory {
 public:
  std::unique_ptr<TextBox> textBox(const ControlSpec& spec) override;
  std::unique_ptr<ListBox> listBox(const ControlSpec& spec) override;
  std::unique_ptr<ComboBox> comboBox(const ControlSpec& spec) override;
  std::unique_ptr<CheckBox> checkBox(const ControlSpec& spec) override;
  std::unique_ptr<OptionButton> optionButton(const ControlSpec& spec) override;
  std::unique_ptr<CommandButton> commandButton(const ControlSpec& spec) override;
  std::unique_ptr<Frame> frame(const ControlSpec& spec) override;
  std::unique_ptr<Label> label(const ControlSpec& spec) override;
  std::unique_ptr<FileListBox> fileListBox(const ControlSpec& spec) override;
  std::unique_ptr<Timer> timer(const ControlSpec& spec) override;
};

}  // namespace morvanta::forms
