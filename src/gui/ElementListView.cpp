#include "gui/ElementListView.h"

#include <QEvent>
#include <QScrollBar>
#include <algorithm>

namespace morvanta::gui {

ElementColumnModel::ElementColumnModel(forms::ElementTable& table, forms::ElementColumn column,
                                       QObject* parent)
    : QAbstractListModel(parent), table_(&table), column_(column) {
  table_->addObserver(this);
}

ElementColumnModel::~ElementColumnModel() {
  detach();
}

void ElementColumnModel::detach() {
  if (table_ == nullptr) return;
  beginResetModel();
  table_->removeObserver(this);
  table_ = nullptr;
  endResetModel();
}

int ElementColumnModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_ == nullptr) return 0;
  return static_cast<int>(table_->column(column_).size());
}

QVariant ElementColumnModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || table_ == nullptr || !index.isValid()) return {};
  const auto& rows = table_->column(column_);
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= rows.size()) return {};
  const std::u16string_view text = rows.at(row);
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

void ElementColumnModel::aboutToReset(forms::ElementColumn column) {
  if (column == column_) beginResetModel();
}

void ElementColumnModel::reset(forms::ElementColumn column) {
  if (column == column_) endResetModel();
}

void ElementColumnModel::aboutToInsert(forms::ElementColumn column, std::size_t row) {
  if (column == column_) beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}

void ElementColumnModel::inserted(forms::ElementColumn column, std::size_t) {
  if (column == column_) endInsertRows();
}

void ElementColumnModel::aboutToRemove(forms::ElementColumn column, std::size_t row) {
  if (column == column_) beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}

void ElementColumnModel::removed(forms::ElementColumn column, std::size_t) {
  if (column == column_) endRemoveRows();
}

ElementListView::ElementListView(QWidget* parent) : QListView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One row height for all: no row is measured but the first.
  setUniformItemSizes(true);
  // A horizontal scroll bar on one list only would shift its rows against
  // the other's; a long name is cut instead.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setAcceptDrops(false);
}

void ElementListView::lead(ElementListView* follower) {
  follower_ = follower;
  follower->leader_ = this;
  follower->setFont(font());
  QScrollBar* mine = verticalScrollBar();
  QScrollBar* theirs = follower->verticalScrollBar();
  // setValue does not signal an unchanged value, so the two cannot loop.
  connect(mine, &QScrollBar::valueChanged, theirs, &QScrollBar::setValue);
  connect(theirs, &QScrollBar::valueChanged, mine, &QScrollBar::setValue);
  // A scroll range that grows late (rows laid out after the other list
  // scrolled) takes up the other list's position.
  connect(theirs, &QScrollBar::rangeChanged, theirs,
          [mine, theirs] { theirs->setValue(mine->value()); });
  connect(mine, &QScrollBar::rangeChanged, mine,
          [mine, theirs] { mine->setValue(theirs->value()); });
  matchHeights();
}

void ElementListView::changeEvent(QEvent* event) {
  QListView::changeEvent(event);
  if (event->type() == QEvent::FontChange && follower_ != nullptr) follower_->setFont(font());
}

void ElementListView::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  matchHeights();
}

// The taller list leaves its extra height empty at the bottom, so both show
// the same number of rows and reach the same last scroll position.
void ElementListView::matchHeights() {
  ElementListView* leader = leader_ != nullptr ? leader_ : this;
  ElementListView* follower = leader->follower_;
  if (follower == nullptr) return;
  const int shown = std::min(leader->height(), follower->height());
  leader->setViewportMargins(0, 0, 0, leader->height() - shown);
  follower->setViewportMargins(0, 0, 0, follower->height() - shown);
}

}  // namespace morvanta::gui
