// The password question as the user meets it (screenshot in artifacts/):
// masked input, the keyring box, OK and Cancel. The system keyring itself is
// never called here.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTest_support.h"
#include "gui/PasswordDialog.h"
#include "gui/QtDesktop.h"

namespace morvanta::gui {
namespace {

using testing::whenModal;

const forms::PasswordRequest kRequest{u"192.0.2.1", u"USER1"};

QPushButton* dialogButton(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  auto* box = dialog.findChild<QDialogButtonBox*>();
  return box == nullptr ? nullptr : box->button(which);
}

TEST(PasswordDialogTest, MaskedInputKeptOnRequestAndNamesTheLogin) {
  QtDesktop desktop;
  bool saved = false;
  whenModal<PasswordDialog>([&](PasswordDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("FTPパスワード"));
    const auto* label = dialog.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().contains(QStringLiteral("192.0.2.1")));
    EXPECT_TRUE(label->text().contains(QStringLiteral("USER1")));
    EXPECT_EQ(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.keepBox()->text(), QStringLiteral("キーリングに保存する"));
    EXPECT_TRUE(dialog.keepBox()->isChecked());
    QTest::keyClicks(dialog.passwordEdit(), QStringLiteral("s3cret!x"));
    // What the screen shows is the mask, never the text.
    EXPECT_EQ(dialog.passwordEdit()->displayText().size(), 8);
    EXPECT_FALSE(dialog.passwordEdit()->displayText().contains(QStringLiteral("s3cret")));
    saved = dialog.grab().save(QStringLiteral(MORVANTA_GUI_ARTIFACTS "/password_dialog.png"));
    dialogButton(dialog, QDialogButtonBox::Ok)->click();
  });
  const auto reply = desktop.askPassword(kRequest);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->password, u"s3cret!x");
  EXPECT_TRUE(reply->keep);
  EXPECT_TRUE(saved);

  // Cleared box: used for this run only.
  whenModal<PasswordDialog>([&](PasswordDialog& dialog) {
    QTest::keyClicks(dialog.passwordEdit(), QStringLiteral("once"));
    dialog.keepBox()->setChecked(false);
    dialogButton(dialog, QDialogButtonBox::Ok)->click();
  });
  const auto once = desktop.askPassword(kRequest);
  ASSERT_TRUE(once.has_value());
  EXPECT_EQ(once->password, u"once");
  EXPECT_FALSE(once->keep);
}

TEST(PasswordDialogTest, CancelGivesNothing) {
  QtDesktop desktop;
  whenModal<PasswordDialog>([&](PasswordDialog& dialog) {
    QTest::keyClicks(dialog.passwordEdit(), QStringLiteral("typed"));
    dialogButton(dialog, QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(desktop.askPassword(kRequest), std::nullopt);
}

TEST(PasswordDialogTest, WithoutAKeyringTheBoxCannotBeTicked) {
  PasswordDialog dialog(nullptr, kRequest, false);
  EXPECT_FALSE(dialog.keepBox()->isEnabled());
  EXPECT_FALSE(dialog.reply().keep);
}

TEST(PasswordDialogTest, UnattendedRunAsksNothingAndReadsNoKeyring) {
  QtDesktop desktop;
  desktop.setUnattended(true);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(desktop.askPassword(kRequest), std::nullopt);
  const std::string said = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(desktop.passwordStore(), nullptr);
  EXPECT_NE(said.find("USER1"), std::string::npos);
}

}  // namespace
}  // namespace morvanta::gui
