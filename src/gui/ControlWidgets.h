#pragma once
// The few widgets that need more than stock Qt: a line edit that reports
// losing the focus to another control, and a list that takes files dropped
// from the file manager.

#include <QLineEdit>
#include <QListWidget>
#include <QStringList>

namespace morvanta::gui {

class LineEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 signals:
  // The focus moved to another control of the same program. Switching to
  // another application or opening a menu does not count.
  void lostFocus();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

class ListWidget : public QListWidget {
  Q_OBJECT
 public:
  explicit ListWidget(QWidget* parent = nullptr);

  // Lets the list take files dropped from the file manager.
  void acceptFileDrops();

  // Local paths of the files a drop carries, in native form; other URLs
  // (web addresses, ...) are left out.
  static QStringList localFiles(const QMimeData* data);

 signals:
  void filesDropped(const QStringList& paths);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace morvanta::gui
