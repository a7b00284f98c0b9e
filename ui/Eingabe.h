#pragma once
// The tip entry window "Tippreihen-Eingabe": rows are typed (or clicked on 50 number buttons),
// imported from a text file or a worksheet, or taken over from a slip file, then checked and
// placed into the slip G1, which is saved, printed or cleared. Created at start; closing hides it.
#include <QMainWindow>
#include <functional>
#include <vector>

#include "ui/window_context.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTableView;

namespace kw::ui {

class DataStore;
class Navigation;
class TipTableModel;

class TFEingabe : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFEingabe(const WindowContext& context, QWidget* parent = nullptr);

  Navigation* navigation() const { return navigation_; }
  TipTableModel* slipModel() const { return g1Model_; }
  TipTableModel* openedSlipModel() const { return g2Model_; }
  // Appends lines to the text field, each as a line of its own.
  void appendLines(const QStringList& lines);

  QLabel* LUeberschrift = nullptr;
  QLabel* LHinweis = nullptr;
  QLabel* LBeispiel = nullptr;
  QPlainTextEdit* M1 = nullptr;
  QCheckBox* cb1 = nullptr;
  QGroupBox* RG1 = nullptr;
  QButtonGroup* rg1Buttons = nullptr;
  QPushButton* BTransfer = nullptr;
  QPushButton* BDel = nullptr;
  QTableView* G1 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QPushButton* BDruck = nullptr;
  QPushButton* BitBtn4 = nullptr;
  QPushButton* BitBtn8 = nullptr;

  QTabWidget* PC1 = nullptr;
  QWidget* Tab1 = nullptr;
  QWidget* Tab2 = nullptr;
  QWidget* Tab3 = nullptr;
  QWidget* Tab4 = nullptr;
  std::vector<QPushButton*> lotE;  // lotE[n - 1] is "lotE" + n

  QTableView* G2 = nullptr;
  QPushButton* BOpen1 = nullptr;
  QPushButton* BTransfer1 = nullptr;

  QPushButton* BitBtn2 = nullptr;
  QPushButton* BitBtn5 = nullptr;
  QScrollBar* Scr1 = nullptr;
  QLabel* PTab = nullptr;

  QPushButton* BWeiter = nullptr;

  // Handlers, public so that tool bar, menu and tests share them.
  void lotEClick(int number);
  void BTransferClick();
  void BTransfer1Click();
  void BOpen1Click();
  void BitBtn2Click();
  void BitBtn5Click();
  void BitBtn3Click();  // also BitBtn9 and the menu's "&Tippcenter"
  void BDruckClick();
  void BitBtn4Click();
  void BDelClick();
  void BWeiterClick();
  // Rows built elsewhere (the full-system builder) go into the text field: appended or in place
  // of its text, as the user answers.
  void takeRows(const QString& rows);

 signals:
  // "Weiter" on the system page: the full-system builder, beside this window.
  void fullSystemBuilderRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildDesign();
  QWidget* buildManualPage();
  QWidget* buildSlipPage();
  QWidget* buildImportPage();
  QWidget* buildSystemPage();
  void FormCreate();
  void readSettings();
  void writeSettings();
  void showText(const std::vector<std::string>& lines);

  DataStore& store_;
  Navigation* navigation_ = nullptr;
  TipTableModel* g1Model_ = nullptr;
  TipTableModel* g2Model_ = nullptr;
};

}  // namespace kw::ui
