#pragma once
// The full-system builder "Vollsystem-Reihen bilden": chosen tip numbers and stars in, every
// row of the full system out, and from there into the tip entry window's text field.
#include <QAbstractListModel>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kw::ui {

// The rows of the result list, kept as one text with line offsets: a system of 100,000 rows is
// about 2 MB and appears at once, however long it is.
class FullSystemRowModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Lines separated by '\n'; an empty block adds nothing.
  void append(std::string_view lines);
  void clear();
  qsizetype lines() const { return static_cast<qsizetype>(starts_.size()); }
  bool empty() const { return starts_.empty(); }
  QString line(qsizetype i) const;
  // Every line, joined by '\n'.
  QString text() const;

 private:
  std::string text_;            // every line followed by '\n'
  std::vector<std::size_t> starts_;
};

class TFSysTool : public QWidget {
  Q_OBJECT
 public:
  explicit TFSysTool(QWidget* parent = nullptr);

  QPlainTextEdit* M1 = nullptr;  // tip numbers
  QPlainTextEdit* M2 = nullptr;  // stars
  QListView* M3 = nullptr;  // the rows, read-only
  FullSystemRowModel* Rows = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QPushButton* BKombisCalc = nullptr;
  QPushButton* BKombisBilden = nullptr;
  QPushButton* BDelM3 = nullptr;
  QPushButton* BTransfer = nullptr;
  QPushButton* BitBtn8 = nullptr;
  QCheckBox* CB1 = nullptr;
  QProgressBar* Pro1 = nullptr;
  QLabel* Panel10 = nullptr;  // heading of the result list
  QLabel* Panel11 = nullptr;  // five-number combinations
  QLabel* Panel12 = nullptr;  // rows in total
  QLabel* Panel13 = nullptr;  // star combinations
  QLabel* LInfo = nullptr;

  void BKombisCalcClick();
  void BKombisBildenClick();
  void BDelM3Click();
  void BTransferClick();
  // Moves the builder beside the tip entry window, where it does not cover it.
  void placeBeside(QWidget* entry);

 signals:
  // "Übertragen": the built rows, one per line, for the tip entry window.
  void rowsTransferred(const QString& rows);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AppendNumber(QPlainTextEdit* field, int number);
  // Both buttons: false when the texts were refused or the user stopped.
  bool Run(bool build);
  void CopySelectedRows() const;
};

}  // namespace kw::ui
