#pragma once
// The strip along the bottom of the main window: the latest job (kind,
// subject, state, elapsed time, reason), a busy indicator while any job
// runs, the last notice, and a button that opens the job list. The list
// shows every job the window knows of and can cancel one or open its log.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <string>

#include "app/MainForm.h"

namespace morvanta::gui {

inline constexpr char16_t kJobListCaption[] = u"ジョブ一覧";
inline constexpr char16_t kCancelJobCaption[] = u"中止";
inline constexpr char16_t kOpenLogCaption[] = u"ログを開く";

// One line for a job: "受信 PRJ*SRC.MAIN/R1: 失敗 3秒 (reason)".
std::u16string jobLine(jobs::JobQueue& queue, const jobs::Job& job);

class JobList : public QWidget {
  Q_OBJECT
 public:
  explicit JobList(MainForm& form, QWidget* parent = nullptr);
  void refresh();

 private:
  int selectedId() const;
  MainForm& form_;
  QTableWidget* table_;
  QPushButton* cancel_;
  QPushButton* openLog_;
};

class JobBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeightPixels = 24;
  explicit JobBar(MainForm& form, QWidget* parent = nullptr);
  void refresh();
  void showNotice(const std::u16string& text);
  JobList* jobList() { return list_; }
  void openJobList();

 private:
  MainForm& form_;
  QLabel* latest_;
  QLabel* notice_;
  QProgressBar* busy_;
  QPushButton* openList_;
  JobList* list_ = nullptr;
};

}  // namespace morvanta::gui
