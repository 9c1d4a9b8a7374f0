#include "gui/QtControlFactory.h"

#include <QGroupBox>

#include "gui/QtControls.h"

namespace morvanta::gui {

QString objectNameFor(const std::u16string& name, int index) {
  QString objectName = toQString(name);
  if (index >= 0) objectName += QLatin1Char('_') + QString::number(index);
  return objectName;
}

QGroupBox* QtControlFactory::frameWidget(const std::u16string& name, int index) {
  if (auto* existing = find<QGroupBox>(name, index)) return existing;
  auto* frame = new QGroupBox(&window_);
  frame->setObjectName(objectNameFor(name, index));
  made_[{name, index}] = frame;
  return frame;
}

QWidget* QtControlFactory::containerOf(const forms::ControlSpec& control) {
  if (control.container.empty()) return &window_;
  return frameWidget(control.container, control.index);
}

template <class W>
W* QtControlFactory::make(const forms::ControlSpec& control) {
  auto* widget = new W(containerOf(control));
  widget->setObjectName(objectNameFor(control.name, control.index));
  made_[{control.name, control.index}] = widget;
  return widget;
}

std::unique_ptr<forms::TextBox> QtControlFactory::textBox(const forms::ControlSpec& control) {
  return std::make_unique<QtTextBox>(make<LineEdit>(control), control.at);
}

std::unique_ptr<forms::ListBox> QtControlFactory::listBox(const forms::ControlSpec& control) {
  return std::make_unique<QtListBox>(make<ListWidget>(control), control.at);
}

std::unique_ptr<forms::ListBox> QtControlFactory::elementList(const forms::ControlSpec& control,
                                                              forms::ElementTable& table,
                                                              forms::ElementColumn column) {
  auto* view = make<ElementListView>(control);
  if (column == forms::ElementColumn::Names) {
    namesViews_[&table] = view;
  } else if (auto names = namesViews_.find(&table); names != namesViews_.end()) {
    names->second->lead(view);
  }
  return std::make_unique<QtElementList>(view, control.at, table, column);
}

std::unique_ptr<forms::ComboBox> QtControlFactory::comboBox(const forms::ControlSpec& control) {
  return std::make_unique<QtComboBox>(make<QComboBox>(control), control.at);
}

std::unique_ptr<forms::CheckBox> QtControlFactory::checkBox(const forms::ControlSpec& control) {
  return std::make_unique<QtCheckBox>(make<QCheckBox>(control), control.at);
}

std::unique_ptr<forms::OptionButton> QtControlFactory::optionButton(
    const forms::ControlSpec& control) {
  return std::make_unique<QtOptionButton>(make<QRadioButton>(control), control.at);
}

std::unique_ptr<forms::CommandButton> QtControlFactory::commandButton(
    const forms::ControlSpec& control) {
  return std::make_unique<QtCommandButton>(make<QPushButton>(control), control.at);
}

std::unique_ptr<forms::Frame> QtControlFactory::frame(const forms::ControlSpec& control) {
  QGroupBox* frame = frameWidget(control.name, control.index);
  QWidget* container = containerOf(control);
  if (frame->parentWidget() != container) {
    frame->setParent(container);
    frame->show();  // a new parent hides a widget
  }
  return std::make_unique<QtFrame>(frame, control.at);
}

std::unique_ptr<forms::Label> QtControlFactory::label(const forms::ControlSpec& control) {
  return std::make_unique<QtLabel>(make<QLabel>(control), control.at);
}

std::unique_ptr<forms::FileListBox> QtControlFactory::fileListBox(
    const forms::ControlSpec& control) {
  return std::make_unique<QtFileListBox>(make<QListWidget>(control), control.at);
}

// A timer has no widget; it belongs to the window.
std::unique_ptr<forms::Timer> QtControlFactory::timer(const forms::ControlSpec& control) {
  auto* timer = new QTimer(&window_);
  timer->setObjectName(objectNameFor(control.name, control.index));
  made_[{control.name, control.index}] = timer;
  return std::make_unique<QtTimer>(timer);
}

}  // namespace morvanta::gui
