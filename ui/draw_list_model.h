#pragma once
// The draw list of the main window: one row per draw, computed from the history on demand, so a
// history of thousands of draws costs nothing until rows are seen.
#include <QAbstractTableModel>
#include <vector>

#include "core/records.h"

namespace kw::ui {

class DrawListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Rows of the grid's design before any history is loaded (24 with the header row).
  static constexpr int kDesignRows = 23;

  DrawListModel(const std::vector<TGewZahlen>& draws, QObject* parent);

  // Shows the first n draws, one row each (rows past the history stay empty).
  void setShownDraws(int n);
  // Row r shows draw r again after its numbers changed.
  void refreshRow(int row);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const std::vector<TGewZahlen>& draws_;
  int rows_ = kDesignRows;
};

}  // namespace kw::ui
