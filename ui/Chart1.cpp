#include "ui/Chart1.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLinearGradient>
#include <QLocale>
#include <QSplitter>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/program.h"
#include "ui/look.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {

const QColor kNumberColour(244, 189, 62);
const QColor kStarColour(241, 251, 130);
constexpr int kStarChartHeight = 240;
constexpr int kMaxAxisSteps = 6;

NavigationTable ChartTable() {
  NavigationTable table;
  table.toolBar = {
      {Command::Quit, "BitBtn7", "Charts schließen"},
      {Command::TipEntry, "BEingabe", "Tippreihen eingeben..."},
      {Command::Statistics, "BStatistik", "Statistik für die Gewinnreihen aufrufen..."},
      {Command::Generator, "BGenerator", "Zufallsgenerator"},
      {Command::TipCentre, "BitBtn3", "Tippcenter"},
      {Command::TipAnalysis, "BSysTest", "Tippreihen-Analyse"},
      {Command::Settings, "BOptionen", "Einstellungen für das Programm vornehmen..."},
      {Command::WindowHelp, "BitBtn2", "Hilfe"},
  };
  table.hidden = {Command::OpenSlip, Command::Print, Command::PrinterSetup};
  table.closeInsteadOfQuit = true;
  table.helpSearchEntry = true;
  return table;
}

struct BarChart {
  QChartView* view;
  QBarSeries* series;
  QValueAxis* axis;
};

BarChart MakeBarChart(QWidget* parent, const char* viewName, const char* seriesName, int bars, bool numbers) {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 2, 4, 2));
  QFont title = BoldFont(9);
  chart->setTitleFont(title);
  chart->setLocalizeNumbers(true);
  chart->setLocale(QLocale(QLocale::German, QLocale::Germany));

  auto* series = new QBarSeries(chart);
  series->setObjectName(QString::fromLatin1(seriesName));
  series->setBarWidth(numbers ? 0.7 : 0.6);
  series->setLabelsVisible(true);
  series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  series->setLabelsFormat(QStringLiteral("@value"));
  // Fifty marks side by side would run into each other: upright they fit over their bars.
  if (numbers) series->setLabelsAngle(-90);
  chart->addSeries(series);

  QStringList categories;
  for (int i = 1; i <= bars; ++i) categories << QString::number(i);
  auto* categoryAxis = new QBarCategoryAxis(chart);
  categoryAxis->append(categories);
  chart->addAxis(categoryAxis, Qt::AlignBottom);
  series->attachAxis(categoryAxis);
  // The number is given by the bar's place.
  categoryAxis->setVisible(false);

  auto* valueAxis = new QValueAxis(chart);
  valueAxis->setLabelFormat(QStringLiteral("%.0f"));
  valueAxis->setLabelsFont(ProgramFont());
  valueAxis->setGridLineVisible(!numbers);
  valueAxis->setMinorGridLineVisible(false);
  chart->addAxis(valueAxis, Qt::AlignLeft);
  series->attachAxis(valueAxis);

  auto* view = new QChartView(chart, parent);
  view->setObjectName(QString::fromLatin1(viewName));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumHeight(120);
  return {view, series, valueAxis};
}

// One set of bars in one colour; the numbers' bars fade to white towards their foot.
void Fill(QBarSeries* series, QValueAxis* axis, const std::int32_t* values, int count, const QColor& colour,
          bool gradient) {
  series->clear();
  auto* bars = new QBarSet(QString());
  std::int32_t largest = 0;
  for (int i = 0; i < count; ++i) {
    *bars << values[i];
    largest = std::max(largest, values[i]);
  }
  bars->setColor(colour);
  bars->setBorderColor(colour.darker(135));
  bars->setLabelColor(Qt::black);
  QFont label = ProgramFont();
  label.setPointSize(7);
  bars->setLabelFont(label);
  if (gradient) {
    QLinearGradient fade(0, 0, 0, 1);
    fade.setCoordinateMode(QGradient::ObjectBoundingMode);
    fade.setColorAt(0, colour);
    fade.setColorAt(1, Qt::white);
    bars->setBrush(fade);
  }
  series->append(bars);
  const TFChart1::AxisScale scale = TFChart1::AxisScaleFor(largest);
  axis->setRange(0, scale.top);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(scale.step);
}

}  // namespace

TFChart1::TFChart1(const WindowContext& context, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FChart1"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, ChartTable(), context.commands);

  Splitter1 = new QSplitter(Qt::Vertical, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(5);
  Splitter1->setChildrenCollapsible(false);
  const BarChart numbers = MakeBarChart(Splitter1, "Chart1", "Series1", 50, true);
  const BarChart stars = MakeBarChart(Splitter1, "Chart2", "Series2", 12, false);
  Chart1 = numbers.view;
  Series1 = numbers.series;
  numberAxis = numbers.axis;
  Chart2 = stars.view;
  Series2 = stars.series;
  starAxis = stars.axis;
  Splitter1->addWidget(Chart1);
  Splitter1->addWidget(Chart2);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  setCentralWidget(Splitter1);

  showFrequencies(NumberTables{});
  setWindowTitle(Q(WindowCaption("- Statistik-Charts")));
  resize(900, 640);
  Splitter1->setSizes({640 - kStarChartHeight, kStarChartHeight});
}

TFChart1::AxisScale TFChart1::AxisScaleFor(std::int32_t largest) {
  if (largest <= 0) return {1, 1};
  // A tenth above the largest bar keeps its value mark inside the chart. At most six steps of a
  // round size: closer labels would not fit a low chart, which then shows them as "...".
  const double wanted = largest * 1.1;
  const double magnitude = std::pow(10.0, std::floor(std::log10(wanted)));
  for (const double factor : {0.1, 0.2, 0.25, 0.5, 1.0, 2.0, 2.5, 5.0}) {
    const double step = std::max(1.0, magnitude * factor);
    const double top = std::ceil(wanted / step) * step;
    if (top / step <= kMaxAxisSteps) return {top, step};
  }
  return {std::ceil(wanted / magnitude) * magnitude, magnitude};
}

void TFChart1::FillNumberChart(const std::array<std::int32_t, 51>& frequencies) {
  Chart1->chart()->setTitle(QStringLiteral("Für die Zahlen von 1 bis 50"));
  Fill(Series1, numberAxis, frequencies.data() + 1, 50, kNumberColour, true);
}

void TFChart1::FillStarChart(const std::array<std::int32_t, 13>& frequencies) {
  Chart2->chart()->setTitle(QStringLiteral("Für die Sternzahlen von 1 bis 12"));
  Fill(Series2, starAxis, frequencies.data() + 1, 12, kStarColour, false);
}

void TFChart1::showFrequencies(const NumberTables& frequencies) {
  FillNumberChart(frequencies.numbers);
  FillStarChart(frequencies.stars);
}

}  // namespace kw::ui
