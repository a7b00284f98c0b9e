#pragma once
// The statistics window "Gewinnreihen-Statistik": how often each number and star came in a period
// of the history, or how long each has stayed away, as a table of 50 number cells and a row of
// 12 star cells in one of three orders. Created at start; closing hides it.
#include <QMainWindow>
#include <array>

#include "analysis/draw_statistics.h"
#include "ui/window_context.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kw::ui {

class DataStore;
class Navigation;

class TFStatistik1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFStatistik1(const WindowContext& context, QWidget* parent = nullptr);

  Navigation* navigation() const { return navigation_; }

  QLabel* Label1 = nullptr;  // heading above both groups
  QFrame* P1 = nullptr;
  QLabel* PTop1 = nullptr;
  QFrame* P2 = nullptr;
  QLabel* PTop2 = nullptr;
  // Slot labels by slot (1..50, 1..12) and value fields by number; index 0 unused.
  std::array<QLabel*, 51> PNummer{};
  std::array<QLabel*, 51> PNummerWert{};
  std::array<QLabel*, 13> PNummerS{};
  std::array<QLabel*, 13> PNummerWertS{};
  QGroupBox* GroupBox1 = nullptr;  // "Auswertungs-Zeitraum"
  QComboBox* Co1 = nullptr;        // von
  QComboBox* Co2 = nullptr;        // bis
  QGroupBox* RG1 = nullptr;        // "Sortiert nach..."
  QButtonGroup* rg1Buttons = nullptr;
  QPushButton* BSort = nullptr;
  QPushButton* BCharts = nullptr;

  // The period: item indices of Co1 and Co2, set when the user picks a date.
  int von = 0;
  int bis = 0;

  void BSortClick();
  void BChartsClick();
  // Both date lists over the whole history, the period set to it.
  void ReloadPeriodLists();

  // The tables of the last frequency evaluation: what the charts show.
  const NumberTables& frequencies() const { return frequencies_; }
  // The slot (1-based) in which a number's value field stands now; 0 when none.
  int slotOfNumber(int number) const;
  int slotOfStar(int star) const;

 signals:
  // "Charts anzeigen": the frequencies to show.
  void chartsRequested(const kw::NumberTables& frequencies);
  // A new history was counted again without the user asking (the charts follow when they show).
  void frequenciesRefreshed(const kw::NumberTables& frequencies);

 private:
  void buildDesign();
  QFrame* buildNumberPanel();
  QFrame* buildStarPanel();
  QWidget* buildControls();
  void FormCreate();
  void historyChanged();
  // Lays out an evaluation: slot labels, value fields under the slot of their number, headings.
  void showView(const StatisticsView& view);
  // Every cell 0 in number order: the look before a history of two draws exists.
  void showZeros();

  DataStore& store_;
  Navigation* navigation_ = nullptr;
  NumberTables frequencies_{};
  StatisticsOrder lastOrder_ = StatisticsOrder::Numbers;
};

}  // namespace kw::ui
