#pragma once
// "Gewinnverlauf" of a result page: what the evaluated rows won up to each draw of the period,
// beside what playing them cost, with the net result in the heading. The stake per row is kept
// in "Einstellungen.ini".
#include <QWidget>
#include <memory>
#include <string>

#include "evaluation/winnings_curve.h"

class QChartView;
class QDateTimeAxis;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace kw::ui {

class WinningsCurveWindow : public QWidget {
  Q_OBJECT
 public:
  // iniPath empty: the stake is the standard one and is not kept.
  WinningsCurveWindow(std::shared_ptr<const EvalTable> table, const QString& heading, std::string iniPath,
                      QWidget* parent = nullptr);

  const WinningsCurve& curve() const { return curve_; }

  QLabel* LHeading = nullptr;
  QDoubleSpinBox* EEinsatz = nullptr;  // stake per row and draw, in euros
  QChartView* ChartVerlauf = nullptr;
  QLineSeries* SeriesGewinne = nullptr;
  QLineSeries* SeriesEinsaetze = nullptr;
  QDateTimeAxis* dateAxis = nullptr;
  QValueAxis* amountAxis = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void recompute();

  std::shared_ptr<const EvalTable> table_;
  QString heading_;
  std::string iniPath_;
  WinningsCurve curve_;
};

}  // namespace kw::ui
