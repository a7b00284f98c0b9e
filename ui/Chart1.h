#pragma once
// The charts window "Statistik-Charts": the frequencies of the statistics window as two bar
// charts, the 50 numbers above the 12 stars. It keeps what it was filled with last.
#include <QMainWindow>
#include <array>
#include <cstdint>

#include "analysis/draw_statistics.h"
#include "ui/window_context.h"

class QBarSeries;
class QBarSet;
class QChartView;
class QSplitter;
class QValueAxis;

namespace kw::ui {

class Navigation;

class TFChart1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFChart1(const WindowContext& context, QWidget* parent = nullptr);

  Navigation* navigation() const { return navigation_; }

  QSplitter* Splitter1 = nullptr;
  QChartView* Chart1 = nullptr;  // numbers
  QChartView* Chart2 = nullptr;  // stars
  QBarSeries* Series1 = nullptr;
  QBarSeries* Series2 = nullptr;
  QValueAxis* numberAxis = nullptr;  // value axes
  QValueAxis* starAxis = nullptr;

  // Each clears its chart first, so a second fill never adds bars.
  void FillNumberChart(const std::array<std::int32_t, 51>& frequencies);
  void FillStarChart(const std::array<std::int32_t, 13>& frequencies);
  void showFrequencies(const kw::NumberTables& frequencies);

  // A value axis for the largest bar: its upper end, with room above the bar for its value
  // mark, and the distance of its labels.
  struct AxisScale {
    double top;
    double step;
  };
  static AxisScale AxisScaleFor(std::int32_t largest);

 private:
  Navigation* navigation_ = nullptr;
};

}  // namespace kw::ui
