// The winnings curve of a result page: the demo slip over the whole real history.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QValueAxis>

#include "core/csv_import.h"
#include "core/file_io.h"
#include "core/program.h"
#include "core/settings_ini.h"
#include "core/slip_file.h"
#include "evaluation/winnings_curve.h"
#include "support/temp_dir.h"
#include "ui/Auswertung.h"
#include "ui/Frame2.h"
#include "ui/WinningsCurve.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

using kw::ui::TFAuswertung;
using kw::ui::TFrFrame2;
using kw::ui::WinningsCurveWindow;

namespace kwtest {
namespace {

class CurveTest : public UiTest {
 protected:
  void importHistory() {
    for (const bool quotas : {false, true}) {
      const auto bytes = ReadBytes(HistoryDataFile(quotas ? "quotas.csv" : "draws.csv"));
      const std::string text(bytes.begin(), bytes.end());
      ASSERT_TRUE(store().change([&](kw::DataSet& d) {
        return quotas ? kw::ImportQuotasCsv(d, text).ok() : kw::ImportDrawsCsv(d, text).ok();
      }));
    }
  }
  // The demo slip over the whole history: the result page's frame.
  TFrFrame2* evaluateDemo(TFAuswertung& w) {
    EXPECT_TRUE(w.OpenSlipPage(QString::fromStdString(dataDir() + kw::kDemoSlipFileName)));
    w.CBbis->setChecked(true);
    w.ComboBox1->setCurrentIndex(0);
    w.Combo2->setCurrentIndex(w.Combo2->count() - 1);
    w.BAuswerten->click();
    return w.PCF1->currentWidget()->findChild<TFrFrame2*>();
  }
};

TEST_F(CurveTest, DemoSlipOverTheWholeHistory) {
  importHistory();
  const int draws = static_cast<int>(store().draws().size());
  const auto demo = kw::LoadSlipRows(dataDir() + kw::kDemoSlipFileName);
  ASSERT_TRUE(demo);
  const auto rows = static_cast<std::int64_t>(demo->size());

  TFAuswertung w(context());
  TFrFrame2* frame = evaluateDemo(w);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->BVerlauf->isEnabled());
  WinningsCurveWindow* curve = frame->BVerlaufClick();
  ASSERT_NE(curve, nullptr);
  EXPECT_TRUE(curve->isVisible());
  EXPECT_EQ(curve->objectName(), QStringLiteral("FVerlauf"));
  EXPECT_EQ(curve->windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Gewinnverlauf"));

  // One point per draw; the wins end on the page's sum, the stakes on rows x draws x 2,50 €.
  const kw::EvalTable& table = static_cast<const kw::ui::ResultModel*>(frame->GA1->model())->table();
  ASSERT_EQ(curve->SeriesGewinne->count(), draws);
  ASSERT_EQ(curve->SeriesEinsaetze->count(), draws);
  EXPECT_EQ(curve->curve().winningsCents(), table.totalCents());
  EXPECT_GT(table.totalCents(), 0);
  EXPECT_EQ(curve->curve().stakesCents(), rows * draws * 250);
  EXPECT_DOUBLE_EQ(curve->SeriesGewinne->at(draws - 1).y(), static_cast<double>(table.totalCents()) / 100.0);
  EXPECT_DOUBLE_EQ(curve->SeriesEinsaetze->at(0).y(), static_cast<double>(rows) * 2.5);
  for (int i = 1; i < draws; ++i) ASSERT_GE(curve->SeriesGewinne->at(i).y(), curve->SeriesGewinne->at(i - 1).y());
  EXPECT_GE(curve->amountAxis->max(), curve->SeriesEinsaetze->at(draws - 1).y());
  // The heading: the page's heading, then the sums and the net result in German amounts.
  const QStringList heading = curve->LHeading->text().split(QLatin1Char('\n'));
  ASSERT_EQ(heading.size(), 2);
  EXPECT_EQ(heading[0], frame->LGA1->text());
  EXPECT_EQ(heading[1].toStdString(), kw::CurveSummaryText(curve->curve()));
  EXPECT_TRUE(heading[1].endsWith(QString::fromStdString(kw::FormatEuroCents(table.totalCents() - rows * draws * 250))));

  // Another stake: the stakes follow; it is kept for the next curve.
  curve->EEinsatz->setValue(3.0);
  EXPECT_EQ(curve->curve().stakesCents(), rows * draws * 300);
  EXPECT_EQ(curve->curve().winningsCents(), table.totalCents());
  EXPECT_EQ(frame->BVerlaufClick(), curve);
  curve->close();
  EXPECT_EQ(kw::IniFile::Load(dataDir() + kw::kIniFileName).read(kw::ini::kAuswertungEinsatz), "3,00");
  TFrFrame2* second = evaluateDemo(w);
  ASSERT_NE(second, frame);
  EXPECT_DOUBLE_EQ(second->BVerlaufClick()->EEinsatz->value(), 3.0);
}

TEST_F(CurveTest, AStakeThatIsNoAmountReadsAsTheStandardOne) {
  WriteBytes(dataDir() + kw::kIniFileName, {'[', 'A', 'u', 's', 'w', 'e', 'r', 't', 'u', 'n', 'g', ']', '\n', 'E', 'i',
                                            'n', 's', 'a', 't', 'z', '=', 'v', 'i', 'e', 'l', '\n'});
  writeDraws({Draw(2, 1, 2024, {1, 2, 3, 4, 5, 1, 2}), Draw(5, 1, 2024, {6, 7, 8, 9, 10, 3, 4})});
  TFAuswertung w(context());
  TFrFrame2* frame = evaluateDemo(w);
  ASSERT_NE(frame, nullptr);
  EXPECT_DOUBLE_EQ(frame->BVerlaufClick()->EEinsatz->value(), 2.5);
  EXPECT_EQ(frame->BVerlaufClick()->curve().points.size(), 2u);
  // An empty page has no curve to show.
  TFrFrame2 empty(1, nullptr);
  EXPECT_FALSE(empty.BVerlauf->isEnabled());
}

}  // namespace
}  // namespace kwtest
