#pragma once
// The full-system builder "Vollsystem-Reihen bilden": chosen tip numbers and stars in, every
// row of the full system out, and from there into the tip entry window's text field.
#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kw::ui {

class TFSysTool : public QWidget {
  Q_OBJECT
 public:
  explicit TFSysTool(QWidget* parent = nullptr);

  QPlainTextEdit* M1 = nullptr;  // tip numbers
  QPlainTextEdit* M2 = nullptr;  // stars
  QPlainTextEdit* M3 = nullptr;  // the rows, read-only
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AppendNumber(QPlainTextEdit* field, int number);
  // Both buttons: false when the texts were refused or the user stopped.
  bool Run(bool build);
  qsizetype ResultLines() const;
};

// Places the builder beside the tip entry window `entry` and shows it (created on first use).
void ShowSysToolBeside(QWidget* entry);

}  // namespace kw::ui
