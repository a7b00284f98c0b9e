#pragma once
// A tip table (core TextTable: header row 0, row numbers in column 0) as a Qt model: the table's
// row 0 is the horizontal header, model row r is table row r + 1. Cells are read on demand, so a
// slip of 100,000 rows costs no widget items.
#include <QAbstractTableModel>
#include <functional>

#include "core/text_table.h"

class QTableView;

namespace kw::ui {

class TipTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // defaultColumnWidth: the grid's width for columns the tip table set-up leaves alone.
  TipTableModel(int defaultColumnWidth, QObject* parent);

  const TextTable& table() const { return table_; }
  // Every change to the table goes through here so that the views follow.
  void change(const std::function<void(TextTable&)>& edit);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  TextTable table_;
};

// Shows the model in the view as a tip grid: fixed header and row-number column, number cells
// #F4BD3E and star cells #F1FB82 with bold centred text, the table's column widths.
void ShowTipTable(QTableView* view, TipTableModel* model, int rowHeight);

}  // namespace kw::ui
