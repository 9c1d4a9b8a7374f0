#pragma once
// The unattended run of "--toc" and "--screenshot": after the window has
// loaded, fetch one TOC in pane 0 as a user would, wait for it, save a
// picture of the window and quit. Each step is reported on standard output.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "gui/LaunchOptions.h"

namespace morvanta::gui {

class MainWindow;

class DemoRun : public QObject {
  Q_OBJECT
 public:
  // The job ends the wait; this bound only keeps a hung job from holding the run.
  static constexpr int kTocWaitMs = 120000;
  static constexpr int kPollMs = 100;

  DemoRun(MainWindow& window, LaunchOptions options);

  // Starts once the event loop runs.
  void start();

 private:
  void requestToc();
  void pollToc();
  void tocDone(bool finished);
  void finish();

  MainWindow& window_;
  LaunchOptions options_;
  QTimer poll_;
  QElapsedTimer waited_;
};

}  // namespace morvanta::gui
