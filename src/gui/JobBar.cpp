#include "gui/JobBar.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/QtControls.h"

namespace morvanta::gui {

std::u16string jobLine(jobs::JobQueue& queue, const jobs::Job& job) {
  std::u16string line = jobs::kindLabel(job.kind) + u" " + job.subject + u": " +
                        jobs::stateLabel(job.state) + u" " +
                        platform::fromUtf8(std::to_string(queue.elapsedSeconds(job))) + u"秒";
  if (!job.reason.empty()) line += u" (" + job.reason + u")";
  return line;
}

JobList::JobList(MainForm& form, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      form_(form),
      table_(new QTableWidget(this)),
      cancel_(new QPushButton(toQString(kCancelJobCaption), this)),
      openLog_(new QPushButton(toQString(kOpenLogCaption), this)) {
  setObjectName(QStringLiteral("JobList"));
  table_->setObjectName(QStringLiteral("JobTable"));
  setWindowTitle(toQString(kJobListCaption));
  table_->setColumnCount(5);
  table_->setHorizontalHeaderLabels({QStringLiteral("種類"), QStringLiteral("対象"),
                                     QStringLiteral("状態"), QStringLiteral("経過"),
                                     QStringLiteral("理由")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(openLog_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(buttons);
  resize(560, 240);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (const int id = selectedId(); id != 0) form_.Job_Cancel(id);
    refresh();
  });
  connect(openLog_, &QPushButton::clicked, this, [this] {
    const jobs::Job* job = form_.jobs.find(selectedId());
    if (job == nullptr) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(job->logPath())));
  });
}

int JobList::selectedId() const {
  const auto rows = table_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return 0;
  return table_->item(rows.front().row(), 0)->data(Qt::UserRole).toInt();
}

void JobList::refresh() {
  const int selected = selectedId();
  const auto& all = form_.jobs.jobs();
  table_->setRowCount(static_cast<int>(all.size()));
  int row = 0;
  // Newest first: the job the user just started is at the top.
  for (auto it = all.rbegin(); it != all.rend(); ++it, ++row) {
    const jobs::Job& job = *it;
    const QString cells[] = {toQString(jobs::kindLabel(job.kind)), toQString(job.subject),
                             toQString(jobs::stateLabel(job.state)),
                             QString::number(form_.jobs.elapsedSeconds(job)) + QStringLiteral("秒"),
                             toQString(job.reason)};
    for (int column = 0; column < 5; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setData(Qt::UserRole, job.id);
      table_->setItem(row, column, item);
    }
    if (job.id == selected) table_->selectRow(row);
  }
  const jobs::Job* chosen = form_.jobs.find(selectedId());
  cancel_->setEnabled(chosen != nullptr && !chosen->over());
  openLog_->setEnabled(chosen != nullptr);
}

JobBar::JobBar(MainForm& form, QWidget* parent)
    : QWidget(parent),
      form_(form),
      latest_(new QLabel(this)),
      notice_(new QLabel(this)),
      busy_(new QProgressBar(this)),
      openList_(new QPushButton(toQString(kJobListCaption), this)) {
  setObjectName(QStringLiteral("JobBar"));
  latest_->setObjectName(QStringLiteral("JobBarLatest"));
  notice_->setObjectName(QStringLiteral("JobBarNotice"));
  busy_->setRange(0, 0);  // no end known: the bar only shows work going on
  busy_->setMaximumWidth(80);
  busy_->setMaximumHeight(14);
  busy_->setTextVisible(false);
  notice_->setStyleSheet(QStringLiteral("color: #b00000;"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->addWidget(latest_, 2);
  layout->addWidget(notice_, 3);
  layout->addWidget(busy_);
  layout->addWidget(openList_);
  connect(openList_, &QPushButton::clicked, this, &JobBar::openJobList);
  refresh();
}

void JobBar::openJobList() {
  if (list_ == nullptr) list_ = new JobList(form_, this);
  list_->refresh();
  list_->show();
  list_->raise();
}

void JobBar::showNotice(const std::u16string& text) {
  notice_->setText(toQString(text));
  notice_->setToolTip(toQString(text));
}

void JobBar::refresh() {
  const jobs::Job* latest = form_.jobs.latest();
  latest_->setText(latest == nullptr ? QString() : toQString(jobLine(form_.jobs, *latest)));
  busy_->setVisible(form_.jobs.anyUnfinished());
  if (list_ != nullptr && list_->isVisible()) list_->refresh();
}

}  // namespace morvanta::gui
