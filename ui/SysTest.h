#pragma once
// The tip-row analysis "Tippreihen-Analyse": rows of main numbers, typed or read from a slip or
// text file, are tested for the hit guarantee they give (every k-combination of their numbers in
// one row) or for the best hit count of every k-combination (total check). The test runs beside
// the window, which stays usable and can stop it. Created at start; closing hides it.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "analysis/row_analysis.h"
#include "core/result.h"
#include "ui/window_context.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;
class QTextEdit;
class QThread;
class QTimer;

namespace kw::ui {

class DataStore;
class Navigation;

// What the window says about the tip centre: a system of the catalogue and what this window's
// total check confirms for it when all five drawn numbers lie among its chosen numbers.
inline constexpr const char* kTipCentreHint =
    "Übrigens, im Tippcenter finden Sie ein System, das Ihnen für 10 Tippzahlen in 51 Reihen eine Garantie "
    "für 4 Treffer gibt. ";

class TFSysTest : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFSysTest(const WindowContext& context, QWidget* parent = nullptr);
  ~TFSysTest() override;

  Navigation* navigation() const { return navigation_; }
  // A test is under way (BStop shown).
  bool testing() const { return worker_ != nullptr; }

  QLabel* LText = nullptr;       // what the window is for
  QLabel* LBeispiel = nullptr;   // the example of 10 numbers on 24 rows
  QLabel* LTippcenter = nullptr;  // the tip centre's system
  QLabel* LEinfuegen = nullptr;
  QLabel* LQuellen = nullptr;
  QPlainTextEdit* M1 = nullptr;  // the rows
  QPlainTextEdit* MBeispiel1 = nullptr;  // "Entweder so"
  QPlainTextEdit* MBeispiel2 = nullptr;  // "oder so"
  QPushButton* BOpen1 = nullptr;
  QPushButton* BDel = nullptr;
  QPushButton* BProof = nullptr;
  QPushButton* BStop = nullptr;
  QGroupBox* GroupPruef = nullptr;  // "Prüftiefe"
  QGroupBox* RG1 = nullptr;
  QButtonGroup* rg1Buttons = nullptr;
  QSpinBox* Spin2 = nullptr;
  QLabel* PAnzWz = nullptr;
  QLabel* PAnzR = nullptr;
  QLabel* PKombis = nullptr;
  QTableView* G1 = nullptr;
  QStandardItemModel* g1Model = nullptr;
  QTextEdit* RE1 = nullptr;
  QLabel* ImageJa = nullptr;
  QLabel* ImageNein = nullptr;
  QProgressBar* Pro1 = nullptr;
  QLabel* Panel13 = nullptr;
  QGroupBox* Panel11 = nullptr;
  // Label and value field of number n; index 0 unused.
  std::array<QLabel*, 51> PNummer{};
  std::array<QLabel*, 51> PNummerWert{};

  void BOpen1Click();
  void BDelClick();
  void BProofClick();
  void BStopClick();

 signals:
  // A test began (the stop button shows) or ended, stopped or not.
  void testStarted();
  void testFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildDesign();
  QWidget* buildTexts();
  QWidget* buildRowsColumn();
  QWidget* buildResultsColumn();
  void FormCreate();
  void readSettings();
  void writeSettings();
  void showCounts(const ParsedRows& parsed);
  void setInputsEnabled(bool enabled);
  // The test's end in the window; `quiet` when the window was closed meanwhile.
  void finishTest(bool quiet);
  void showProgress();

  DataStore& store_;
  Navigation* navigation_ = nullptr;
  QTimer* progressTimer_ = nullptr;
  // The running test: it reads the stop request at each progress report and leaves its result.
  QThread* worker_ = nullptr;
  std::atomic<bool> stopRequested_{false};
  std::atomic<std::int64_t> progress_{0};
  std::optional<Result<Analysis>> outcome_;
  CheckMode runMode_ = CheckMode::Guarantee;
  int runNumber_ = 0;
};

}  // namespace kw::ui
