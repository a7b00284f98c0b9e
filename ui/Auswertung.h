#pragma once
// The main window "Zentrale": draw history on the left, slip evaluation on the right.
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "ui/window_context.h"

class QAction;
class QCheckBox;
class QToolButton;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;

namespace kw::ui {

class DataStore;
class DrawListModel;
class Navigation;
class TFrFrame2;

class TFAuswertung : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFAuswertung(const WindowContext& context, QWidget* parent = nullptr);
  ~TFAuswertung() override;

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
  QFrame* PZahlen = nullptr;
  QFrame* P50 = nullptr;
  QLabel* Image1 = nullptr;
  QToolButton* BCopy = nullptr;
  QFrame* P8 = nullptr;
  QLabel* Image2 = nullptr;
  // Built at run time: lot1 .. lot50 (index n) and lot81 .. lot812 (index s).
  std::array<QPushButton*, 51> mainButtons{};
  std::array<QPushButton*, 13> starButtons{};
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
  // Slip pages opened since start (the newest page's number) and evaluations run since start.
  int SlipPageCount = 0;
  int EvalCount = 0;
  // A new draw dated in Combo1 ("Neue Zahlen") whose numbers are not saved yet.
  bool newDrawPending() const { return pendingDate_.has_value(); }
  // The rows of every slip page opened since start, by page number - 1.
  const std::vector<std::vector<TSchein>>& slipRows() const { return slipRows_; }

  // The marked numbers: bit n of the 256-bit sets, as in a TSM half.
  std::array<std::uint8_t, 32> MarkedMain{};
  std::array<std::uint8_t, 32> MarkedStars{};
  int MarkedMainCount = 0;
  int MarkedStarCount = 0;

  void ToggleMain(int n);
  void ToggleStar(int s);
  void ClearMain();
  void ClearStars();
  void ShowDraw();
  void BNeuClick();
  void BSave1Click();
  void BCopyClick();
  void BOpenClick();
  void BDemoClick();
  void BAuswertenClick();
  void Image3Click();
  // "Datei" - "Gewinnreihen importieren...": a CSV file of draws, as kugelwerk-cli import-draws.
  void MenuImportDrawsClick();
  QAction* MenuImportDraws = nullptr;

  // Opens a slip file as a new slip page; false (after a message) when it cannot be read.
  bool OpenSlipPage(const QString& path);
  // Creates result page EvalCount.
  TFrFrame2* NewResultPage();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool shownOnce_ = false;

  void buildDesign();
  QWidget* buildLeftSide();
  QWidget* buildRightSide();
  QWidget* buildWelcomePanel();
  QWidget* buildPeriodControls();
  void setUpDrawList();
  void buildNumberButtons();
  void setMarkFont(QPushButton* button, bool star, bool marked);

  void FormCreate();
  void loadDrawHistory();
  void openRememberedSlips();
  // The draw list, the three date lists and the heading follow the history.
  void historyChanged();
  void CBbisClick();

  DataStore& store_;
  Navigation* navigation_ = nullptr;
  DrawListModel* drawList_ = nullptr;
  std::optional<double> pendingDate_;
  bool historyFileThere_ = false;
  std::vector<std::vector<TSchein>> slipRows_;  // per slip page, by its number - 1
};

}  // namespace kw::ui
