#pragma once
// A yes/no/cancel question with a table below its text, so the user sees
// what Yes will do before pressing it (the bulk receive lists the elements
// it will fetch). Text, title and buttons are those of the plain question.

#include <QDialog>
#include <string>

#include "forms/Desktop.h"

class QDialogButtonBox;
class QLabel;
class QTreeWidget;

namespace morvanta::gui {

class DetailsQuestion : public QDialog {
  Q_OBJECT
 public:
  DetailsQuestion(QWidget* parent, const std::u16string& text, const std::u16string& title,
                  const forms::DetailsTable& details);

  QLabel* question;
  QTreeWidget* details;
  QDialogButtonBox* buttons;

  // Shows the question modally; Cancel when it is closed without a button.
  forms::Answer ask();

 private:
  forms::Answer answer_ = forms::Answer::Cancel;
};

}  // namespace morvanta::gui
