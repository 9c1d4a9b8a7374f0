#include "gui/SearchWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "catalogue/ElementSearch.h"
#include "gui/QtControls.h"

namespace morvanta::gui {

namespace {

void placeAt(QWidget* widget, const forms::Placement& at) {
  widget->setGeometry(twipsToPixels(at.left), twipsToPixels(at.top), twipsToPixels(at.width),
                      twipsToPixels(at.height));
}

}  // namespace

SearchWindow::SearchWindow(QWidget* parent, const std::u16string& text)
    : QDialog(parent), Label_LC(new QLabel(this)), Text_LC(new QLineEdit(this)) {
  setObjectName(QStringLiteral("Form_lc"));
  setWindowTitle(toQString(catalogue::kSearchWindowCaption));
  setFixedSize(twipsToPixels(4680), twipsToPixels(1275));
  setModal(true);

  Label_LC->setObjectName(QStringLiteral("Label_LC"));
  Label_LC->setTextFormat(Qt::PlainText);
  Label_LC->setText(toQString(catalogue::kSearchWindowPrompt));
  placeAt(Label_LC, {240, 120, 4095, 255});

  Text_LC->setObjectName(QStringLiteral("Text_LC"));
  Text_LC->setText(toQString(text));
  placeAt(Text_LC, {240, 600, 3975, 375});
  Text_LC->installEventFilter(this);
  Text_LC->setFocus();
}

std::optional<std::u16string> SearchWindow::ask() {
  confirmed_.reset();
  exec();
  return confirmed_;
}

// Enter confirms; Escape is swallowed, so only the close box closes the
// window without a text. Every other key goes on to the text box.
bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text_LC && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      confirmed_ = toU16(Text_LC->text());
      accept();
      return true;
    }
    if (key == Qt::Key_Escape) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void SearchWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

}  // namespace morvanta::gui
