#include "gui/DetailsQuestion.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/QtControls.h"

namespace morvanta::gui {

namespace {

constexpr int kMinimumWidth = 480;
constexpr int kMinimumHeight = 320;

QStringList cells(const std::vector<std::u16string>& texts) {
  QStringList list;
  for (const auto& text : texts) list.append(toQString(text));
  return list;
}

}  // namespace

DetailsQuestion::DetailsQuestion(QWidget* parent, const std::u16string& text,
                                 const std::u16string& title, const forms::DetailsTable& table)
    : QDialog(parent),
      question(new QLabel(this)),
      details(new QTreeWidget(this)),
      buttons(new QDialogButtonBox(
          QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel, this)) {
  setObjectName(QStringLiteral("DetailsQuestion"));
  setWindowTitle(toQString(title));
  setModal(true);
  setMinimumSize(kMinimumWidth, kMinimumHeight);

  question->setObjectName(QStringLiteral("question"));
  question->setTextFormat(Qt::PlainText);
  question->setText(toQString(text));

  details->setObjectName(QStringLiteral("details"));
  details->setRootIsDecorated(false);
  details->setSelectionMode(QAbstractItemView::NoSelection);
  details->setFocusPolicy(Qt::NoFocus);
  details->setColumnCount(static_cast<int>(table.headers.size()));
  details->setHeaderLabels(cells(table.headers));
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(table.rows.size()));
  for (const auto& row : table.rows) rows.append(new QTreeWidgetItem(cells(row)));
  details->addTopLevelItems(rows);
  for (int column = 0; column < details->columnCount(); ++column) {
    details->resizeColumnToContents(column);
  }

  buttons->setObjectName(QStringLiteral("buttons"));
  // Yes is the default, as in the plain question.
  buttons->button(QDialogButtonBox::Yes)->setDefault(true);
  connect(buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
    switch (buttons->standardButton(button)) {
      case QDialogButtonBox::Yes:
        answer_ = forms::Answer::Yes;
        break;
      case QDialogButtonBox::No:
        answer_ = forms::Answer::No;
        break;
      default:
        answer_ = forms::Answer::Cancel;
    }
    accept();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question);
  layout->addWidget(details, 1);
  layout->addWidget(buttons);
}

forms::Answer DetailsQuestion::ask() {
  answer_ = forms::Answer::Cancel;
  exec();
  return answer_;
}

}  // namespace morvanta::gui
