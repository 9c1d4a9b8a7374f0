#include "gui/DropHint.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

namespace morvanta::gui {

void showDropHint(QListView* list, const QString& hint) {
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setTextElideMode(Qt::ElideLeft);

  auto* label = new QLabel(hint, list->viewport());
  label->setObjectName(QStringLiteral("DropHint"));
  label->setAlignment(Qt::AlignCenter);
  label->setEnabled(false);  // drawn in the palette's grey
  // Drags and clicks go through to the list.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* layout = new QVBoxLayout(list->viewport());
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(label);

  QAbstractItemModel* model = list->model();
  auto update = [label, model] { label->setVisible(model->rowCount() == 0); };
  QObject::connect(model, &QAbstractItemModel::rowsInserted, label, update);
  QObject::connect(model, &QAbstractItemModel::rowsRemoved, label, update);
  QObject::connect(model, &QAbstractItemModel::modelReset, label, update);
  update();
}

}  // namespace morvanta::gui
