#pragma once
// Makes the window's controls as Qt widgets inside their container (the
// window or a frame of the same pane) at their design placement. Every
// widget gets an object name, "List_elt_1" for a pane's control and
// "Check_mdir" for a shared one, so the window and tests can find it.

#include <QObject>
#include <QString>
#include <QWidget>
#include <map>
#include <string>
#include <utility>

#include "forms/ControlFactory.h"

class QGroupBox;

namespace morvanta::gui {

class ElementListView;

// "List_elt_1", or the bare name for a shared control (index -1).
QString objectNameFor(const std::u16string& name, int index);

class QtControlFactory : public forms::ControlFactory {
 public:
  explicit QtControlFactory(QWidget& window) : window_(window) {}

  std::unique_ptr<forms::TextBox> textBox(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::ListBox> listBox(const forms::ControlSpec& control) override;
  // The names list of a table leads the dates list made for it later.
  std::unique_ptr<forms::ListBox> elementList(const forms::ControlSpec& control,
                                              forms::ElementTable& table,
                                              forms::ElementColumn column) override;
  std::unique_ptr<forms::ComboBox> comboBox(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::CheckBox> checkBox(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::OptionButton> optionButton(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::CommandButton> commandButton(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::Frame> frame(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::Label> label(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::FileListBox> fileListBox(const forms::ControlSpec& control) override;
  std::unique_ptr<forms::Timer> timer(const forms::ControlSpec& control) override;

  // The widget or timer made for a control; nullptr when there is none or
  // it is of another type.
  template <class T>
  T* find(const std::u16string& name, int index = -1) const {
    auto found = made_.find({name, index});
    return found == made_.end() ? nullptr : qobject_cast<T*>(found->second);
  }

 private:
  template <class W>
  W* make(const forms::ControlSpec& control);
  QWidget* containerOf(const forms::ControlSpec& control);
  // A frame is looked up by name and pane; a control may name its frame
  // before the frame itself is made, which then takes over this widget.
  QGroupBox* frameWidget(const std::u16string& name, int index);

  QWidget& window_;
  std::map<std::pair<std::u16string, int>, QObject*> made_;
  std::map<const forms::ElementTable*, ElementListView*> namesViews_;
};

}  // namespace morvanta::gui
