#pragma once
// Form_lc: the small window that asks for the element search text. Enter
// confirms the text; the close box closes it with nothing. It sees every
// key before its text box does.

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace morvanta::gui {

class SearchWindow : public QDialog {
  Q_OBJECT
 public:
  explicit SearchWindow(QWidget* parent = nullptr, const std::u16string& text = u"");

  QLabel* Label_LC;
  QLineEdit* Text_LC;

  // Shows the window modally until Enter or the close box.
  std::optional<std::u16string> ask();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::optional<std::u16string> confirmed_;
};

}  // namespace morvanta::gui
