#pragma once
// The question before a send over a changed host element, with its three
// answers, and the read-only comparison window of the host copy and the
// PC file. Both are built here so tests can look at them unopened.

#include <QDialog>
#include <QMessageBox>
#include <memory>

#include "forms/Desktop.h"

class QPlainTextEdit;
class QPushButton;

namespace morvanta::gui {

inline constexpr char16_t kOverwriteButton[] = u"上書き送信";
inline constexpr char16_t kCancelSendButton[] = u"送信しない";
inline constexpr char16_t kCompareButton[] = u"比較";
inline constexpr char16_t kDiffCloseButton[] = u"閉じる";
inline constexpr char16_t kDiffTitlePrefix[] = u"ホストとPCの比較: ";

struct OverwriteQuestion {
  std::unique_ptr<QMessageBox> box;
  QPushButton* overwrite = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* compare = nullptr;
};

// Cancel is the default and the Escape answer: nothing is lost by it.
OverwriteQuestion makeOverwriteQuestion(QWidget* parent, const std::u16string& text,
                                        const std::u16string& title);
forms::SendChoice answerOf(const OverwriteQuestion& question);

// Lines the host alone has are marked "-" on red, lines only the PC file
// has "+" on green; common lines stand unmarked.
class DiffWindow : public QDialog {
  Q_OBJECT
 public:
  DiffWindow(QWidget* parent, const forms::DiffView& view);
  QString plainText() const;

 private:
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace morvanta::gui
