#pragma once
// The main window "Zentrale": draw history on the left, slip evaluation on the right.
#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;

namespace kw::ui {

class DrawListModel;
class Navigation;

class TFAuswertung : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFAuswertung(QWidget* parent = nullptr);

  Navigation* navigation() const { return navigation_; }
  DrawListModel* drawListModel() const { return drawList_; }

  // Left: draw history and draw entry.
  QGroupBox* Gr1 = nullptr;
  QFrame* drawChooserPanel = nullptr;
  QLabel* drawDateLabel = nullptr;
  QComboBox* Combo1 = nullptr;
  QLabel* Image3 = nullptr;
  QLabel* addDrawsLabel = nullptr;
  QPushButton* BNeu = nullptr;
  QPushButton* BSave1 = nullptr;
  QFrame* PZahlen = nullptr;  // the number buttons go here
  QFrame* PG2 = nullptr;
  QLabel* LGa1 = nullptr;
  QTableView* G1 = nullptr;

  // Right: slips and their evaluation.
  QGroupBox* Gr2 = nullptr;
  QFrame* POben = nullptr;
  QPushButton* BOpen1 = nullptr;
  QPushButton* BEigene2 = nullptr;
  QSplitter* evaluationSplitter = nullptr;
  QTabWidget* PC1 = nullptr;
  QFrame* PInfo = nullptr;
  QLabel* welcomeImage = nullptr;
  QLabel* helloLabel = nullptr;
  QLabel* welcomeText1 = nullptr;
  QLabel* welcomeText2 = nullptr;
  QPushButton* BEigene = nullptr;
  QPushButton* BDemo = nullptr;
  QFrame* PObenRechts = nullptr;
  QLabel* evaluationLabel = nullptr;
  QLabel* forLabel = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QCheckBox* CBbis = nullptr;
  QLabel* toDateLabel = nullptr;
  QComboBox* Combo2 = nullptr;
  QCheckBox* CBAlle = nullptr;
  QPushButton* BAuswerten = nullptr;
  QTabWidget* PCF1 = nullptr;

  // Selected positions of ComboBox1 and Combo2: the evaluation period.
  int PeriodFrom = -1;
  int PeriodTo = -1;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildDesign();
  QWidget* buildLeftSide();
  QWidget* buildRightSide();
  QWidget* buildWelcomePanel();
  QWidget* buildPeriodControls();
  void setUpDrawList();

  void FormCreate();
  void loadDrawHistory();
  // The start-up settings record ("Einstellungen.emo") with the remembered slip files plugs in here.
  void openRememberedSlips();
  void fillPeriodLists();
  void CBbisClick();

  Navigation* navigation_ = nullptr;
  DrawListModel* drawList_ = nullptr;
};

}  // namespace kw::ui
