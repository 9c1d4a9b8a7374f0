#pragma once
// The main window: owns the MainForm built on Qt controls and forwards each
// control event to its MainForm handler, nothing more.

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "gui/JobBar.h"
#include "gui/QtControlFactory.h"
#include "gui/QtDesktop.h"

namespace morvanta::gui {

// The design client area, in twips.
inline constexpr int kClientWidthTwips = MainForm::kDesignWidthTwips;
inline constexpr int kClientHeightTwips = MainForm::kDesignHeightTwips;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `desktop` answers the commands' questions; without one the window uses
  // its own QtDesktop.
  explicit MainWindow(const std::u16string& programFolder, forms::Desktop* desktop = nullptr);
  ~MainWindow() override;

  MainForm& form() { return *form_; }
  const QtControlFactory& controls() const { return factory_; }
  // The window's own desktop; nullptr when another was given.
  QtDesktop* qtDesktop() { return ownDesktop_.get(); }
  JobBar& jobBar() { return *jobBar_; }

  // Loads the form (Form_Load) the first time the window is shown.
  void setVisible(bool visible) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void connectPane(int i);
  void connectShared();
  void setFonts();
  // Runs a handler. A failure that escapes it is shown to the user rather
  // than taking the program down with it.
  void forward(const std::function<void()>& handler);
  void tick(int i);
  void keepSizeInForm();
  void followJobs();
  void placeJobBar();

  std::unique_ptr<QtDesktop> ownDesktop_;
  forms::Desktop& desktop_;
  QtControlFactory factory_;
  std::unique_ptr<MainForm> form_;
  bool loaded_ = false;
  JobBar* jobBar_ = nullptr;
  QTimer jobTimer_;  // follows the jobs every MainForm::kJobTickMs
  // A pane's timer does not tick again while its last tick is still being
  // handled (a message box of the poll keeps the events coming).
  std::array<bool, MainForm::kPanes> ticking_{};
};

}  // namespace morvanta::gui
