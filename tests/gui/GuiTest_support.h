#pragma once
// Helpers for the window tests: answering a modal dialog from inside its
// own event loop, and reaching widgets by their control name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

namespace morvanta::testing {

// Runs `act` on the modal dialog once it is showing. `act` must close it.
template <class Dialog>
void whenModal(std::function<void(Dialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog of the expected kind is showing";
      if (auto* other = QApplication::activeModalWidget()) other->close();
      return;
    }
    act(*dialog);
  });
}

}  // namespace morvanta::testing
