#pragma once
// The element and date lists of a pane: list views over one column each of
// the pane's ElementTable. Rows are built only when painted, all of one
// height, so a listing of any length costs its text and no widget item per
// row. The date list scrolls with the element list and shares its font and
// visible height, so row n of both stays side by side.

#include <QAbstractListModel>
#include <QListView>

#include "forms/ElementTable.h"

namespace morvanta::gui {

// One column of an ElementTable as a Qt list model.
class ElementColumnModel : public QAbstractListModel, private forms::ElementTable::Observer {
  Q_OBJECT
 public:
  ElementColumnModel(forms::ElementTable& table, forms::ElementColumn column, QObject* parent);
  ~ElementColumnModel() override;

  // Stops showing the table (it is going away); the model is then empty.
  void detach();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  void aboutToReset(forms::ElementColumn column) override;
  void reset(forms::ElementColumn column) override;
  void aboutToInsert(forms::ElementColumn column, std::size_t row) override;
  void inserted(forms::ElementColumn column, std::size_t row) override;
  void aboutToRemove(forms::ElementColumn column, std::size_t row) override;
  void removed(forms::ElementColumn column, std::size_t row) override;

  forms::ElementTable* table_;
  forms::ElementColumn column_;
};

class ElementListView : public QListView {
  Q_OBJECT
 public:
  explicit ElementListView(QWidget* parent = nullptr);

  // Makes `follower` scroll with this list (and this list with it), take
  // this list's font and show as many rows as this list.
  void lead(ElementListView* follower);

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void matchHeights();

  ElementListView* follower_ = nullptr;
  ElementListView* leader_ = nullptr;
};

}  // namespace morvanta::gui
