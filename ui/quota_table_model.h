#pragma once
// The quota table GQ: one row per record of the store's quotas (date and the amounts of the
// thirteen classes), read on demand, with the rows the user has written into the table but not
// saved yet laid over them. Saving reads the table back, so the table is what a save writes.
#include <QAbstractTableModel>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/text_table.h"

namespace kw::ui {

class QuotaTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using Amounts = std::array<std::string, 13>;  // texts of classes 1..13

  // quotas: the store's list, which outlives the model.
  QuotaTableModel(const std::vector<TQuoten>& quotas, QObject* parent);

  // The list changed: every row is read again. Unsaved rows stay with their date while the
  // list still has it.
  void reload();
  // Writes the thirteen texts into row `row` (record row) as unsaved.
  void setAmounts(int row, const Amounts& amounts);
  bool hasUnsavedRows() const { return !unsaved_.empty(); }
  void dropUnsavedRows();

  // The text of a cell as the grid shows it: column 0 the date, column k the amount of class k.
  std::string cellText(int row, int column) const;
  // The whole table with header row 0, as the quota store saves it.
  TextTable table() const;

  // Header tool tips name the hits of each class in the order of the chosen draw date.
  void setCurrentOrder(bool current);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const std::vector<TQuoten>& quotas_;
  std::map<double, Amounts> unsaved_;  // by record date
  bool currentOrder_ = true;
};

}  // namespace kw::ui
