#include "ui/WinningsCurve.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/program.h"
#include "core/settings_ini.h"
#include "ui/look.h"
#include "ui/message_box.h"

namespace kw::ui {

namespace {

// Day numbers count from 30.12.1899; the chart's time axis wants milliseconds since 1970 and shows
// them in local time. Noon keeps every draw on its day whatever the clock changes.
qreal ChartTime(double day) {
  const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(day)));
  return static_cast<qreal>(QDateTime(date, QTime(12, 0)).toMSecsSinceEpoch());
}

QLineSeries* Line(const QString& name, const char* objectName, const QColor& colour) {
  auto* series = new QLineSeries;
  series->setName(name);
  series->setObjectName(QString::fromLatin1(objectName));
  QPen pen(colour);
  pen.setWidthF(2);
  series->setPen(pen);
  return series;
}

}  // namespace

WinningsCurveWindow::WinningsCurveWindow(std::shared_ptr<const EvalTable> table, const QString& heading,
                                         std::string iniPath, QWidget* parent)
    : QWidget(parent, Qt::Window), table_(std::move(table)), heading_(heading), iniPath_(std::move(iniPath)) {
  setObjectName(QStringLiteral("FVerlauf"));
  setFont(ProgramFont());
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle(Q(WindowCaption("- Gewinnverlauf")));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(4);
  LHeading = new QLabel(this);
  LHeading->setObjectName(QStringLiteral("LHeading"));
  LHeading->setFont(BoldFont(9));
  LHeading->setWordWrap(true);
  LHeading->setTextFormat(Qt::PlainText);
  layout->addWidget(LHeading);

  auto* stakeRow = new QHBoxLayout;
  stakeRow->addWidget(new QLabel(QStringLiteral("Einsatz je Tippreihe und Ziehung:"), this));
  EEinsatz = new QDoubleSpinBox(this);
  EEinsatz->setObjectName(QStringLiteral("EEinsatz"));
  EEinsatz->setLocale(QLocale(QLocale::German, QLocale::Germany));
  EEinsatz->setDecimals(2);
  EEinsatz->setRange(0, static_cast<double>(kMaxStakePerRowCents) / 100.0);
  EEinsatz->setSingleStep(0.5);
  EEinsatz->setSuffix(QStringLiteral(" €"));
  EEinsatz->setKeyboardTracking(false);
  std::int64_t stake = kDefaultStakePerRowCents;
  if (!iniPath_.empty()) {
    const IniFile file = IniFile::Load(iniPath_);
    stake = ParseStakeCents(file.read(ini::kAuswertungEinsatz)).value_or(kDefaultStakePerRowCents);
  }
  EEinsatz->setValue(static_cast<double>(stake) / 100.0);
  stakeRow->addWidget(EEinsatz);
  stakeRow->addStretch(1);
  layout->addLayout(stakeRow);

  auto* chart = new QChart;
  chart->setLocalizeNumbers(true);
  chart->setLocale(QLocale(QLocale::German, QLocale::Germany));
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 8, 4));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setFont(ProgramFont());
  SeriesGewinne = Line(QStringLiteral("Gewinne bis zur Ziehung"), "SeriesGewinne", QColor(0x22, 0x8B, 0x22));
  SeriesEinsaetze = Line(QStringLiteral("Einsätze bis zur Ziehung"), "SeriesEinsaetze", QColor(0xC0, 0x00, 0x00));
  chart->addSeries(SeriesEinsaetze);
  chart->addSeries(SeriesGewinne);
  dateAxis = new QDateTimeAxis(chart);
  dateAxis->setLabelsFont(ProgramFont());
  dateAxis->setTickCount(7);
  chart->addAxis(dateAxis, Qt::AlignBottom);
  amountAxis = new QValueAxis(chart);
  amountAxis->setLabelsFont(ProgramFont());
  amountAxis->setLabelFormat(QStringLiteral("%.0f €"));
  chart->addAxis(amountAxis, Qt::AlignLeft);
  for (QLineSeries* s : {SeriesEinsaetze, SeriesGewinne}) {
    s->attachAxis(dateAxis);
    s->attachAxis(amountAxis);
  }
  ChartVerlauf = new QChartView(chart, this);
  ChartVerlauf->setObjectName(QStringLiteral("ChartVerlauf"));
  ChartVerlauf->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(ChartVerlauf, 1);

  connect(EEinsatz, &QDoubleSpinBox::valueChanged, this, [this] { recompute(); });
  recompute();
  resize(820, 520);
}

void WinningsCurveWindow::recompute() {
  const auto stake = static_cast<std::int64_t>(std::llround(EEinsatz->value() * 100.0));
  curve_ = ComputeWinningsCurve(*table_, stake);
  LHeading->setText(heading_ + QLatin1Char('\n') + Q(CurveSummaryText(curve_)));

  QList<QPointF> won, paid;
  won.reserve(static_cast<qsizetype>(curve_.points.size()));
  paid.reserve(static_cast<qsizetype>(curve_.points.size()));
  for (const CurvePoint& p : curve_.points) {
    const qreal x = ChartTime(p.datum);
    won.append({x, static_cast<qreal>(p.winningsCents) / 100.0});
    paid.append({x, static_cast<qreal>(p.stakesCents) / 100.0});
  }
  SeriesGewinne->replace(won);
  SeriesEinsaetze->replace(paid);

  if (curve_.points.empty()) return;
  const qreal first = ChartTime(curve_.points.front().datum), last = ChartTime(curve_.points.back().datum);
  // A single draw still gets a day on either side.
  const qreal day = 24.0 * 3600.0 * 1000.0;
  dateAxis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first == last ? first - day : first)),
                     QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first == last ? last + day : last)));
  const qreal years = (last - first) / (365.25 * day);
  dateAxis->setFormat(years >= 3 ? QStringLiteral("yyyy") : years >= 0.5 ? QStringLiteral("MM.yyyy")
                                                                          : QStringLiteral("dd.MM.yyyy"));
  const qreal top = std::max<qreal>(1.0, static_cast<qreal>(std::max(curve_.winningsCents(), curve_.stakesCents())) / 100.0);
  amountAxis->setRange(0, top * 1.05);
  amountAxis->applyNiceNumbers();
}

void WinningsCurveWindow::closeEvent(QCloseEvent* event) {
  if (!iniPath_.empty()) {
    const std::string stake =
        StakeText(static_cast<std::int64_t>(std::llround(EEinsatz->value() * 100.0)));
    const auto written = UpdateIniFile(iniPath_, [&](IniFile& f) { f.write(ini::kAuswertungEinsatz, stake); });
    if (!written) MessageBox::showError(this, written.error());
  }
  event->accept();
}

}  // namespace kw::ui
