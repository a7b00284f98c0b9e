#pragma once
// A slip page of the main window: the tip rows of one slip file.
#include <QAbstractTableModel>
#include <QFrame>
#include <vector>

#include "core/records.h"

class QTableView;

namespace kw::ui {

// Tip rows as the tip table shows them: "Reihe" and its number, five numbers, two stars.
class SlipRowsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  SlipRowsModel(std::vector<TSchein> rows, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<TSchein> rows_;
};

class TFrFrame1 : public QFrame {
  Q_OBJECT
 public:
  // Page n ("frG" + n, tag n) showing the rows of one slip.
  TFrFrame1(int n, std::vector<TSchein> rows, QWidget* parent);

  QTableView* G1 = nullptr;
};

}  // namespace kw::ui
