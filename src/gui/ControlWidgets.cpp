#include "gui/ControlWidgets.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QUrl>

namespace morvanta::gui {

void LineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const auto reason = event->reason();
  if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) emit lostFocus();
}

ListWidget::ListWidget(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAcceptDrops(false);
}

void ListWidget::acceptFileDrops() {
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
}

QStringList ListWidget::localFiles(const QMimeData* data) {
  QStringList paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths << QDir::toNativeSeparators(url.toLocalFile());
  }
  return paths;
}

void ListWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (acceptDrops() && !localFiles(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void ListWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (acceptDrops() && !localFiles(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

// The rows are never touched by a drop: what the files mean is the
// command's business.
void ListWidget::dropEvent(QDropEvent* event) {
  const QStringList paths = acceptDrops() ? localFiles(event->mimeData()) : QStringList();
  if (paths.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit filesDropped(paths);
}

}  // namespace morvanta::gui
