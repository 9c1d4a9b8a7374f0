#include "gui/EmptyClickFilter.h"

#include <QAbstractItemView>
#include <QMouseEvent>

namespace morvanta::gui {

EmptyClickFilter::EmptyClickFilter(QAbstractItemView* view, std::function<void()> onEmptyClick)
    : QObject(view), view_(view), onEmptyClick_(std::move(onEmptyClick)) {}

void EmptyClickFilter::watch(QAbstractItemView* view, std::function<void()> onEmptyClick) {
  view->viewport()->installEventFilter(new EmptyClickFilter(view, std::move(onEmptyClick)));
}

bool EmptyClickFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        !view_->indexAt(mouse->position().toPoint()).isValid()) {
      onEmptyClick_();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace morvanta::gui
