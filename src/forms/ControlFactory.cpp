#include "forms/ControlFactory.h"

#include "forms/MemoryControls.h"

namespace morvanta::forms {

std::unique_ptr<TextBox> MemoryControlFactory::textBox(const ControlSpec& def) {
  return std::make_unique<MemoryTextBox>(def.at);
}
std::unique_ptr<ListBox> MemoryControlFactory::listBox(const ControlSpec& def) {
  return std::make_unique<MemoryListBox>(def.at);
}
std::unique_ptr<ListBox> MemoryControlFactory::elementList(const ControlSpec& def,
                                                           ElementTable& table,
                                                           ElementColumn column) {
  return std::make_unique<MemoryElementList>(def.at, table, column);
}
std::unique_ptr<ComboBox> MemoryControlFactory::comboBox(const ControlSpec& def) {
  return std::make_unique<MemoryComboBox>(def.at);
}
std::unique_ptr<CheckBox> MemoryControlFactory::checkBox(const ControlSpec& def) {
  return std::make_unique<MemoryCheckBox>(def.at);
}
std::unique_ptr<OptionButton> MemoryControlFactory::optionButton(const ControlSpec& def) {
  return std::make_unique<MemoryOptionButton>(def.at);
}
std::unique_ptr<CommandButton> MemoryControlFactory::commandButton(const ControlSpec& def) {
  return std::make_unique<MemoryCommandButton>(def.at);
}
std::unique_ptr<Frame> MemoryControlFactory::frame(const ControlSpec& def) {
  return std::make_unique<MemoryFrame>(def.at);
}
std::unique_ptr<Label> MemoryControlFactory::label(const ControlSpec& def) {
  return std::make_unique<MemoryLabel>(def.at);
}
std::unique_ptr<FileListBox> MemoryControlFactory::fileListBox(const ControlSpec& def) {
  return std::make_unique<MemoryFileListBox>(def.at);
}
std::unique_ptr<Timer> MemoryControlFactory::timer(const ControlSpec&) {
  return std::make_unique<MemoryTimer>();
}

}  // namespace morvanta::forms
