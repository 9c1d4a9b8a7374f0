#include "gui/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "forms/StartFailure.h"
#include "gui/DetailsQuestion.h"
#include "gui/PasswordDialog.h"
#include "gui/QtControls.h"
#include "gui/SearchWindow.h"
#include "gui/SendQuestion.h"

namespace morvanta::gui {

namespace {

QMessageBox::StandardButton showBox(QWidget* owner, const std::u16string& text,
                                    const std::u16string& title,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton byDefault) {
  QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), buttons, owner);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(byDefault);
  const int answer = box.exec();
  return static_cast<QMessageBox::StandardButton>(answer);
}

}  // namespace

void QtDesktop::tell(const char* kind, const std::u16string& text) const {
  std::printf("%s: %s\n", kind, platform::toUtf8(text).c_str());
  std::fflush(stdout);
}

void QtDesktop::msgBox(const std::u16string& text) {
  if (unattended_) return tell("message", text);
  showBox(owner_, text, kProgramTitle, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDesktop::okCancel(const std::u16string& text, const std::u16string& title) {
  if (unattended_) {
    tell("question (Cancel)", title + u": " + text);
    return false;
  }
  return showBox(owner_, text, title, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) ==
         QMessageBox::Ok;
}

forms::Answer QtDesktop::yesNoCancel(const std::u16string& text) {
  if (unattended_) {
    tell("question (Cancel)", text);
    return forms::Answer::Cancel;
  }
  switch (showBox(owner_, text, kProgramTitle,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return forms::Answer::Yes;
    case QMessageBox::No:
      return forms::Answer::No;
    default:
      return forms::Answer::Cancel;
  }
}

forms::Answer QtDesktop::yesNoCancelWithDetails(const std::u16string& text,
                                                const forms::DetailsTable& details) {
  if (unattended_) {
    tell("question (Cancel)", text);
    for (const auto& row : details.rows) {
      std::u16string line;
      for (const auto& cell : row) line += (line.empty() ? u"" : u"  ") + cell;
      tell("  detail", line);
    }
    return forms::Answer::Cancel;
  }
  DetailsQuestion question(owner_, text, kProgramTitle, details);
  return question.ask();
}

void QtDesktop::clipboardClear() {
  QApplication::clipboard()->clear();
}

void QtDesktop::clipboardSetText(const std::u16string& text) {
  QApplication::clipboard()->setText(toQString(text));
}

void QtDesktop::startProcess(const std::u16string& commandLine) {
  forms::startCommandLineOrTell(*this, commandLine);
}

void QtDesktop::startBatch(const std::u16string& batchPath) {
  forms::startBatchOrTell(*this, batchPath);
}

platform::BatchProcess QtDesktop::startWatchedBatch(const std::u16string& batchPath) {
  return platform::startWatchedBatch(batchPath);
}

void QtDesktop::notify(const std::u16string& text) {
  if (unattended_) return tell("notice", text);
  if (noticeSink_) return noticeSink_(text);
  msgBox(text);
}

bool QtDesktop::openPage(const std::u16string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

forms::SendChoice QtDesktop::askOverwrite(const std::u16string& text, const std::u16string& title) {
  if (unattended_) {
    tell("question (Cancel)", title + u": " + text);
    return forms::SendChoice::Cancel;
  }
  OverwriteQuestion question = makeOverwriteQuestion(owner_, text, title);
  question.box->exec();
  return answerOf(question);
}

void QtDesktop::showDiff(const forms::DiffView& view) {
  if (unattended_) return tell("comparison", view.title);
  DiffWindow window(owner_, view);
  window.exec();
}

// A failed send may have left the host element cut short: the user is asked
// at once whether to put the previous copy back, not told in passing.
void QtDesktop::notifyWithAction(const std::u16string& text, const std::u16string& actionCaption,
                                 std::function<void()> action) {
  if (noticeSink_) noticeSink_(text);
  if (unattended_) return tell("notice", text);
  QMessageBox box(owner_);
  box.setIcon(QMessageBox::Warning);
  box.setWindowTitle(QString::fromStdU16String(kProgramTitle));
  box.setText(QString::fromStdU16String(text));
  QPushButton* act =
      box.addButton(QString::fromStdU16String(actionCaption), QMessageBox::AcceptRole);
  QPushButton* close = box.addButton(QMessageBox::Close);
  box.setDefaultButton(close);
  box.exec();
  if (box.clickedButton() == act && action) action();
}

std::optional<forms::PasswordReply> QtDesktop::askPassword(const forms::PasswordRequest& request) {
  if (unattended_) {
    tell("question (Cancel)", u"FTP password of " + request.user + u" on " + request.host);
    return std::nullopt;
  }
  PasswordDialog dialog(owner_, request, true);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.reply();
}

forms::PasswordStore* QtDesktop::passwordStore() {
  return unattended_ ? nullptr : &keychain_;
}

// The window keeps answering while it waits.
void QtDesktop::pause50ms() {
  QEventLoop loop;
  QTimer::singleShot(50, &loop, &QEventLoop::quit);
  loop.exec();
}

platform::DateTime QtDesktop::now() {
  return platform::now();
}

std::optional<std::u16string> QtDesktop::showSearchWindow(const std::u16string& current) {
  if (unattended_) {
    tell("search window (closed)", current);
    return std::nullopt;
  }
  SearchWindow window(owner_, current);
  return window.ask();
}

void QtDesktop::endProgram(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  throw forms::ProgramEnded(status);
}

}  // namespace morvanta::gui
