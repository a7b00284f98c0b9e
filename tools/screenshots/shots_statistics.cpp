// The statistics window in its three orders (and without a history), the charts, the tip-row
// analysis after a guarantee check, after a total check and over 999 rows of all 50 numbers, and
// the winnings curve of the demo slip over the whole history.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <random>

#include "core/program.h"
#include "generation/systeme.h"
#include "tools/screenshots/shots.h"
#include "ui/Auswertung.h"
#include "ui/Chart1.h"
#include "ui/Frame2.h"
#include "ui/Statistik1.h"
#include "ui/SysTest.h"
#include "ui/WinningsCurve.h"
#include "ui/data_store.h"
#include "ui/navigation.h"
#include "ui/window_catalogue.h"

namespace {

// The rows of a catalogue system over the numbers 1..WZ.
QString SystemRows(int key) {
  QString text;
  for (int r = 1; r <= kw::entry(key).r; ++r) {
    for (int c = 1; c <= kw::rowLength(key); ++c)
      text += (c > 1 ? QStringLiteral(",") : QString()) + QString::number(kw::position(key, r, c));
    text += QLatin1Char('\n');
  }
  return text;
}

// The largest input the window takes: 999 rows, every one of the 50 numbers used.
QString ManyRows() {
  std::mt19937 random(999);
  std::vector<int> numbers(50);
  QString text;
  for (int r = 0; r < 999; ++r) {
    for (int i = 0; i < 50; ++i) numbers[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(numbers.begin(), numbers.end(), random);
    std::sort(numbers.begin(), numbers.begin() + 5);
    for (int c = 0; c < 5; ++c)
      text += (c > 0 ? QStringLiteral(",") : QString()) + QString::number(numbers[static_cast<std::size_t>(c)]);
    text += QLatin1Char('\n');
  }
  return text;
}

bool RunTest(kw::ui::TFSysTest& window, const QString& rows, int depth, int mode) {
  window.M1->setPlainText(rows);
  window.Spin2->setValue(depth);
  window.rg1Buttons->button(mode)->setChecked(true);
  QEventLoop loop;
  QObject::connect(&window, &kw::ui::TFSysTest::testFinished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  window.BProof->click();
  if (window.testing()) loop.exec();
  return !window.testing();
}

}  // namespace

KW_SCREENSHOTS("statistics") {
  using namespace kw;
  bool ok = true;
  ui::TFStatistik1& stats = *shots::Catalogue().statistics();
  ok &= shots::Save(stats, outDir + QStringLiteral("/statistik-nummern.png"));
  stats.rg1Buttons->button(1)->setChecked(true);
  stats.BSort->click();
  ok &= shots::Save(stats, outDir + QStringLiteral("/statistik-haeufigkeit.png"));
  // Absences over the last hundred draws.
  stats.Co1->setCurrentIndex(stats.Co1->count() - 100);
  stats.rg1Buttons->button(2)->setChecked(true);
  stats.BSort->click();
  ok &= shots::Save(stats, outDir + QStringLiteral("/statistik-ausgeblieben.png"));
  // The charts show the whole history's frequencies, counted before the absences.
  stats.BCharts->click();
  ok &= shots::Save(*shots::Catalogue().charts(), outDir + QStringLiteral("/statistik-charts.png"));
  stats.hide();
  shots::Catalogue().charts()->hide();

  ui::TFSysTest& analysis = *shots::Catalogue().tipAnalysis();
  const QString example = QStringLiteral("1,7,11,13,14\n1,8,10,12,13\n2,3,6,12,14,\n2,4,5,9,12\n3,4,5,6,9\n7,8,10,11,14");
  ok &= RunTest(analysis, example, 3, 0);
  ok &= shots::Save(analysis, outDir + QStringLiteral("/tippreihen-analyse-garantie.png"));
  // The tip centre's system that the window names: 10 numbers in 51 rows, at least four hits.
  ok &= RunTest(analysis, SystemRows(135), 5, 1);
  ok &= shots::Save(analysis, outDir + QStringLiteral("/tippreihen-analyse-gesamt.png"));
  ok &= RunTest(analysis, ManyRows(), 3, 0);
  ok &= shots::Save(analysis, outDir + QStringLiteral("/tippreihen-analyse-999.png"));
  analysis.hide();

  // The demo slip over the whole history, and its winnings curve.
  ui::TFAuswertung main(shots::Catalogue().context());
  if (!main.OpenSlipPage(QString::fromStdString(shots::Store().dataFile(kDemoSlipFileName)))) return false;
  main.CBbis->setChecked(true);
  main.ComboBox1->setCurrentIndex(0);
  main.Combo2->setCurrentIndex(main.Combo2->count() - 1);
  main.BAuswerten->click();
  auto* frame = main.PCF1->currentWidget()->findChild<ui::TFrFrame2*>();
  if (!frame) return false;
  ok &= shots::Save(*frame->BVerlaufClick(), outDir + QStringLiteral("/gewinnverlauf-demo.png"));
  return ok;
}
