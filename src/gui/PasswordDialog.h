#pragma once
// The question for a host's FTP password when it is not written in the
// configuration file: masked input and the choice of keeping it in the
// keyring. Built here so tests can look at it unopened.

#include <QDialog>

#include "forms/PasswordStore.h"

class QCheckBox;
class QLineEdit;

namespace morvanta::gui {

inline constexpr char16_t kPasswordTitle[] = u"FTPパスワード";
inline constexpr char16_t kKeepInKeyringCaption[] = u"キーリングに保存する";

class PasswordDialog : public QDialog {
  Q_OBJECT
 public:
  // `canKeep`: a keyring is there to keep the password in.
  PasswordDialog(QWidget* parent, const forms::PasswordRequest& request, bool canKeep);
  ~PasswordDialog() override;

  QLineEdit* passwordEdit() const { return password_; }
  QCheckBox* keepBox() const { return keep_; }
  // What was typed; the dialog's copy is wiped when it closes.
  forms::PasswordReply reply() const;

 private:
  QLineEdit* password_ = nullptr;
  QCheckBox* keep_ = nullptr;
};

}  // namespace morvanta::gui
