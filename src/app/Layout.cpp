#include "app/Layout.h"

#include <algorithm>
#include <stdexcept>

#include "app/ControlTable.h"
#include "app/MainForm.h"

namespace morvanta::app {

namespace {

// Room left at the right of each list column.
constexpr int kColumnMargin = 300;
// The drop box keeps at least this width in a narrow frame.
constexpr int kDropBoxMinWidth = 300;

// The drop box fills the frame right of the LC button.
void fitDropBox(MainForm& form, int i, int frameWidth) {
  const int room = frameWidth - kDropBoxPlace.left - kDropBoxRightMargin;
  form.List_2200file[i]->setWidth(std::max(room, kDropBoxMinWidth));
}

void placePanes(MainForm& form) {
  form.paneCount = 3;
  int shownDates = 0;
  for (int i = 0; i < form.paneCount; ++i) {
    if (form.Check_date[i]->checked()) ++shownDates;
  }
  const int W = form.windowWidth;
  const int k = form.paneCount + shownDates;
  const int L = W / k - W % k - kColumnMargin;

  int x = 0;
  for (int i = 0; i < form.paneCount; ++i) {
    form.List_elt[i]->setLeft(x);
    form.Text_2200file[i]->setLeft(x);
    form.Frame_cmd[i]->setLeft(x);
    form.Frame_SEND[i]->setLeft(x);
    form.List_date[i]->setLeft(x + L);
    form.List_elt[i]->setWidth(L);
    if (form.Check_date[i]->checked()) {
      form.List_date[i]->setWidth(L);
      form.List_date[i]->setVisible(true);
    } else {
      form.List_date[i]->setWidth(0);
      form.List_date[i]->setVisible(false);
    }
    const int D = form.List_date[i]->width();
    form.List_elt[i]->setWidth(L + D);
    form.Text_2200file[i]->setWidth(L + D);
    form.Frame_cmd[i]->setWidth(L + D);
    form.Frame_SEND[i]->setWidth(L + D);
    fitDropBox(form, i, L + D);
    x += L + D;
  }
}

}  // namespace

void layoutPanes(MainForm& form) {
  if (form.pub.layoutReady != 1) return;
  try {
    placePanes(form);
  } catch (const std::invalid_argument&) {
    // Controls placed so far keep their new places, the rest their old ones.
  }
}

}  // namespace morvanta::app
