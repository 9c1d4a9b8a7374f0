#include "gui/SendQuestion.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace morvanta::gui {

namespace {

QString q(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

}  // namespace

OverwriteQuestion makeOverwriteQuestion(QWidget* parent, const std::u16string& text,
                                        const std::u16string& title) {
  OverwriteQuestion question;
  question.box = std::make_unique<QMessageBox>(parent);
  QMessageBox& box = *question.box;
  box.setIcon(QMessageBox::Warning);
  box.setWindowTitle(q(title));
  box.setText(q(title));
  box.setInformativeText(q(text));
  question.overwrite = box.addButton(q(kOverwriteButton), QMessageBox::DestructiveRole);
  question.compare = box.addButton(q(kCompareButton), QMessageBox::ActionRole);
  question.cancel = box.addButton(q(kCancelSendButton), QMessageBox::RejectRole);
  box.setDefaultButton(question.cancel);
  box.setEscapeButton(question.cancel);
  return question;
}

forms::SendChoice answerOf(const OverwriteQuestion& question) {
  const auto* clicked = question.box->clickedButton();
  if (clicked == question.overwrite) return forms::SendChoice::Overwrite;
  if (clicked == question.compare) return forms::SendChoice::Compare;
  return forms::SendChoice::Cancel;
}

DiffWindow::DiffWindow(QWidget* parent, const forms::DiffView& view) : QDialog(parent) {
  setWindowTitle(q(kDiffTitlePrefix + view.title));
  auto* layout = new QVBoxLayout(this);
  auto* hostLabel = new QLabel(QStringLiteral("- ") + q(view.hostLabel), this);
  auto* pcLabel = new QLabel(QStringLiteral("+ ") + q(view.pcLabel), this);
  hostLabel->setStyleSheet(QStringLiteral("color: #a00000;"));
  pcLabel->setStyleSheet(QStringLiteral("color: #006000;"));
  layout->addWidget(hostLabel);
  layout->addWidget(pcLabel);

  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QTextCursor cursor(text_->document());
  QTextCharFormat plain;
  QTextBlockFormat both;
  QTextBlockFormat hostOnly;
  hostOnly.setBackground(QColor(0xff, 0xdd, 0xdd));
  QTextBlockFormat pcOnly;
  pcOnly.setBackground(QColor(0xdd, 0xff, 0xdd));
  bool first = true;
  for (const forms::DiffLine& line : view.lines) {
    using Side = forms::DiffLine::Side;
    const QTextBlockFormat& format = line.side == Side::HostOnly ? hostOnly
                                     : line.side == Side::PcOnly ? pcOnly
                                                                 : both;
    const QString mark = line.side == Side::HostOnly ? QStringLiteral("- ")
                         : line.side == Side::PcOnly ? QStringLiteral("+ ")
                                                     : QStringLiteral("  ");
    if (first) {
      cursor.setBlockFormat(format);
      first = false;
    } else {
      cursor.insertBlock(format, plain);
    }
    cursor.insertText(mark + q(line.text), plain);
  }
  layout->addWidget(text_, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(q(kDiffCloseButton), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(760, 520);
}

QString DiffWindow::plainText() const {
  return text_->toPlainText();
}

}  // namespace morvanta::gui
