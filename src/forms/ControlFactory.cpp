#include "forms/ControlFactory.h"

#include "forms/MemoryControls.h"

namespace morvanta::forms {

std::unique_ptr<TextBox> MemoryControlFactory::textBox(const ControlSpec& spec) {
  return std::make_unique<MemoryTextBox>(spec.at);
}
std::unique_ptr<ListBox> MemoryControlFactory::listBox(const ControlSpec& spec) {
  return std::make_unique<MemoryListBox>(spec.at);
}
std::unique_ptr<ComboBox> MemoryControlFactory::comboBox(const ControlSpec& spec) {
  return std::make_unique<MemoryComboBox>(spec.at);
}
std::unique_ptr<CheckBox> MemoryControlFactory::checkBox(const ControlSpec& spec) {
  return std::make_unique<MemoryCheckBox>(spec.at);
}
std::unique_ptr<OptionButton> MemoryControlFactory::optionButton(const ControlSpec& spec) {
  return std::make_unique<MemoryOptionButton>(spec.at);
}
std::unique_ptr<CommandButton> MemoryControlFactory::commandButton(const ControlSpec& spec) {
  return std::make_unique<MemoryCommandButton>(spec.at);
}
std::unique_ptr<Frame> MemoryControlFactory::frame(const ControlSpec& spec) {
  return std::make_unique<MemoryFrame>(spec.at);
}
std::unique_ptr<Label> MemoryControlFactory::label(const ControlSpec& spec) {
  return std::make_unique<MemoryLabel>(spec.at);
}
std::unique_ptr<FileListBox> MemoryControlFactory::fileListBox(const ControlSpec& spec) {
  return std::make_unique<MemoryFileListBox>(spec.at);
}
std::unique_ptr<Timer> MemoryControlFactory::timer(const ControlSpec&) {
  return std::make_unique<MemoryTimer>();
}

}  // namespace morvanta::forms
