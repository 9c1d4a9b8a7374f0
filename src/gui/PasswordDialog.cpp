#include "gui/PasswordDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvanta::gui {

namespace {

QString q(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

}  // namespace

PasswordDialog::PasswordDialog(QWidget* parent, const forms::PasswordRequest& request, bool canKeep)
    : QDialog(parent) {
  setWindowTitle(q(kPasswordTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(q(u"ホスト " + request.host + u" のユーザー " + request.user +
                                 u" のFTPパスワードを入力してください。"),
                               this));
  password_ = new QLineEdit(this);
  password_->setEchoMode(QLineEdit::Password);
  // No completion, no undo history, no drag out: the text lives only in
  // the box until the dialog closes.
  password_->setAttribute(Qt::WA_InputMethodEnabled, false);
  password_->setDragEnabled(false);
  password_->setMinimumWidth(320);
  layout->addWidget(password_);
  keep_ = new QCheckBox(q(kKeepInKeyringCaption), this);
  keep_->setChecked(canKeep);
  keep_->setEnabled(canKeep);
  if (!canKeep) keep_->setToolTip(QStringLiteral("キーリングが使えません"));
  layout->addWidget(keep_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  password_->setFocus();
}

PasswordDialog::~PasswordDialog() {
  password_->clear();
}

forms::PasswordReply PasswordDialog::reply() const {
  return {password_->text().toStdU16String(), keep_->isEnabled() && keep_->isChecked()};
}

}  // namespace morvanta::gui
