#pragma once
// A click on no element of a list (an empty list, or below its last row):
// Qt reports no item click there, so the list's viewport is watched.

#include <QObject>
#include <functional>

class QAbstractItemView;

namespace morvanta::gui {

class EmptyClickFilter : public QObject {
 public:
  // Calls `onEmptyClick` after each left click on the view's viewport that
  // hits no row. The filter belongs to the view.
  static void watch(QAbstractItemView* view, std::function<void()> onEmptyClick);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EmptyClickFilter(QAbstractItemView* view, std::function<void()> onEmptyClick);

  QAbstractItemView* view_;
  std::function<void()> onEmptyClick_;
};

}  // namespace morvanta::gui
