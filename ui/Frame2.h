#pragma once
// A result page of the main window: one evaluation's table with its heading, print button and
// the colour legend of the prize classes.
#include <QAbstractTableModel>
#include <QFrame>
#include <QPointer>
#include <memory>

#include "evaluation/evaluation.h"

class QLabel;
class QPushButton;
class QTableView;

namespace kw::ui {

class DataStore;
class WinningsCurveWindow;

// The result table as a grid: row 0 of the table is the header, its other rows are the model's
// rows. Cell texts are made when a cell is shown, so a million rows cost only their storage.
class ResultModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // True for an amount that is its class's standard amount: no real amount is known.
  static constexpr int kStandardAmountRole = Qt::UserRole + 1;

  ResultModel(std::shared_ptr<const EvalTable> table, QObject* parent);
  const EvalTable& table() const { return *table_; }
  const std::shared_ptr<const EvalTable>& sharedTable() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const EvalTable> table_;
};

// The prize class a "GKl." cell names: its text is a decimal integer 1..13; 0 otherwise.
int ClassOfCellText(const QString& text);

class TFrFrame2 : public QFrame {
  Q_OBJECT
 public:
  // Page n ("frA" + n, tag n) with the six empty result columns. The store's folder keeps the
  // stake per row of the winnings curve; without a store it is the standard stake.
  TFrFrame2(int n, QWidget* parent, DataStore* store = nullptr);

  // Shows an evaluation: the table, its heading and the colour legend.
  void showResult(EvalTable table, const QString& heading);
  // Opens (or brings to the front) the winnings curve of the evaluation shown.
  WinningsCurveWindow* BVerlaufClick();

  QFrame* PGA1 = nullptr;
  QLabel* LGA1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BVerlauf = nullptr;  // the winnings curve of this evaluation
  QTableView* GA1 = nullptr;
  QFrame* PFarben = nullptr;
  QLabel* legendStandard = nullptr;  // explains the italic amounts

 private:
  void BitBtn1Click();
  void buildLegend();
  // Amount, sum and file columns at least as wide as their widest text.
  void fitColumns();

  ResultModel* model_ = nullptr;
  DataStore* store_ = nullptr;
  QString heading_;
  QPointer<WinningsCurveWindow> curve_;
};

}  // namespace kw::ui
