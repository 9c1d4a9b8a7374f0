#pragma once
// The desktop services over Qt: message boxes, the clipboard, starting jobs
// and the editor, the short pause of the TOC poll, the clock, the search
// window and the program's end.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "forms/Desktop.h"
#include "gui/KeychainStore.h"

namespace morvanta::gui {

// The title of every message box that has no title of its own.
inline constexpr char16_t kProgramTitle[] = u"Morvanta";

class QtDesktop : public forms::Desktop {
 public:
  explicit QtDesktop(QWidget* owner = nullptr) : owner_(owner) {}

  // The window the message boxes and the search window belong to.
  void setOwner(QWidget* owner) { owner_ = owner; }
  // Unattended (demo and screenshot runs): every message goes to standard
  // output instead of a box, and every question takes its safe answer,
  // Cancel, so that nothing waits for a user who is not there.
  void setUnattended(bool unattended) { unattended_ = unattended; }
  bool unattended() const { return unattended_; }

  void msgBox(const std::u16string& text) override;
  bool okCancel(const std::u16string& text, const std::u16string& title) override;
  forms::Answer yesNoCancel(const std::u16string& text) override;
  forms::Answer yesNoCancelWithDetails(const std::u16string& text,
                                       const forms::DetailsTable& details) override;
  void clipboardClear() override;
  void clipboardSetText(const std::u16string& text) override;
  void startProcess(const std::u16string& commandLine) override;
  void startBatch(const std::u16string& batchPath) override;
  platform::BatchProcess startWatchedBatch(const std::u16string& batchPath) override;
  // Notices go to `sink` (the window's status bar) when one is set.
  void notify(const std::u16string& text) override;
  void setNoticeSink(std::function<void(const std::u16string&)> sink) {
    noticeSink_ = std::move(sink);
  }
  bool openPage(const std::u16string& path) override;
  forms::SendChoice askOverwrite(const std::u16string& text, const std::u16string& title) override;
  void showDiff(const forms::DiffView& view) override;
  void notifyWithAction(const std::u16string& text, const std::u16string& actionCaption,
                        std::function<void()> action) override;
  // The password question (PasswordDialog) and the system's keyring; an
  // unattended run asks nothing and reads no keyring.
  std::optional<forms::PasswordReply> askPassword(const forms::PasswordRequest& request) override;
  forms::PasswordStore* passwordStore() override;
  void pause50ms() override;
  platform::DateTime now() override;
  std::optional<std::u16string> showSearchWindow(const std::u16string& current) override;
  [[noreturn]] void endProgram(int status) override;

 private:
  void tell(const char* kind, const std::u16string& text) const;

  QPointer<QWidget> owner_;
  bool unattended_ = false;
  std::function<void(const std::u16string&)> noticeSink_;
  KeychainStore keychain_;
};

}  // namespace morvanta::gui
