// The statistics window and its charts, on the real history.
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>
#include <algorithm>
#include <numeric>
#include <sstream>

#include "analysis/draw_statistics.h"
#include "core/csv_import.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "support/temp_dir.h"
#include "ui/Chart1.h"
#include "ui/Statistik1.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

using kw::ui::MessageBox;
using kw::ui::TFChart1;
using kw::ui::TFStatistik1;

namespace kwtest {
namespace {

const std::vector<kw::TGewZahlen>& RealHistory() {
  static const std::vector<kw::TGewZahlen> draws = [] {
    const auto bytes = ReadBytes(HistoryDataFile("draws.csv"));
    auto parsed = kw::ParseDrawsCsv(std::string(bytes.begin(), bytes.end()));
    if (!parsed) ADD_FAILURE() << parsed.error().message;
    return parsed ? *parsed : std::vector<kw::TGewZahlen>{};
  }();
  return draws;
}

// Counted the plain way, apart from the core: every draw of von..bis, every number.
struct Counts {
  std::array<int, 51> numbers{};
  std::array<int, 13> stars{};
};
Counts Frequencies(const std::vector<kw::TGewZahlen>& draws, int von, int bis) {
  Counts c;
  for (int i = von; i <= bis; ++i) {
    for (auto n : draws[static_cast<std::size_t>(i)].GZ) ++c.numbers[n];
    for (auto s : draws[static_cast<std::size_t>(i)].SZ) ++c.stars[s];
  }
  return c;
}

// What the window shows: slot by slot, the number in the label and the value field under it.
struct Shown {
  std::vector<int> numbers;
  std::vector<int> values;
};
Shown NumberSlots(const TFStatistik1& w) {
  Shown s;
  for (int k = 1; k <= 50; ++k) {
    const int n = w.PNummer[static_cast<std::size_t>(k)]->text().toInt();
    s.numbers.push_back(n);
    EXPECT_EQ(w.slotOfNumber(n), k) << "the value field of " << n << " is not under its slot";
    s.values.push_back(w.PNummerWert[static_cast<std::size_t>(n)]->text().toInt());
  }
  return s;
}
Shown StarSlots(const TFStatistik1& w) {
  Shown s;
  for (int k = 1; k <= 12; ++k) {
    const int n = w.PNummerS[static_cast<std::size_t>(k)]->text().toInt();
    s.numbers.push_back(n);
    EXPECT_EQ(w.slotOfStar(n), k) << "the value field of star " << n << " is not under its slot";
    s.values.push_back(w.PNummerWertS[static_cast<std::size_t>(n)]->text().toInt());
  }
  return s;
}

int Sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

// Descending by value, equal values in ascending order of the number.
void ExpectDescending(const Shown& s) {
  for (std::size_t i = 1; i < s.values.size(); ++i) {
    EXPECT_GE(s.values[i - 1], s.values[i]) << "slot " << i + 1;
    if (s.values[i - 1] == s.values[i]) {
      EXPECT_LT(s.numbers[i - 1], s.numbers[i]) << "slot " << i + 1;
    }
  }
}

std::vector<qreal> Bars(const QBarSeries* series) {
  std::vector<qreal> values;
  if (series->barSets().size() != 1) return values;
  const QBarSet* set = series->barSets().front();
  for (int i = 0; i < set->count(); ++i) values.push_back(set->at(i));
  return values;
}

// The charts show these frequencies: 50 and 12 bars, every bar inside its axis.
void ExpectCharts(const TFChart1& charts, const Counts& expected) {
  const std::vector<qreal> numbers = Bars(charts.Series1), stars = Bars(charts.Series2);
  ASSERT_EQ(numbers.size(), 50u);
  ASSERT_EQ(stars.size(), 12u);
  for (int n = 1; n <= 50; ++n) EXPECT_EQ(numbers[static_cast<std::size_t>(n - 1)], expected.numbers[n]) << n;
  for (int s = 1; s <= 12; ++s) EXPECT_EQ(stars[static_cast<std::size_t>(s - 1)], expected.stars[s]) << s;
  EXPECT_LT(*std::max_element(numbers.begin(), numbers.end()), charts.numberAxis->max());
  EXPECT_LT(*std::max_element(stars.begin(), stars.end()), charts.starAxis->max());
  EXPECT_EQ(charts.numberAxis->min(), 0);
  EXPECT_EQ(charts.starAxis->min(), 0);
}

class StatisticsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_GT(RealHistory().size(), 1900u);
  }
  TFStatistik1& window() { return *catalogue().statistics(); }
  TFChart1& charts() { return *catalogue().charts(); }
  void choose(int von, int bis, int order) {
    window().Co1->setCurrentIndex(von);
    window().Co2->setCurrentIndex(bis);
    window().rg1Buttons->button(order)->setChecked(true);
    window().BSort->click();
  }
};

std::string HeadingOf(const std::vector<kw::TGewZahlen>& draws, int von, int bis) {
  return "Häufigkeit der Gewinnzahlen in " + std::to_string(bis - von + 1) + " Gewinnreihen vom " +
         kw::DateText(draws[static_cast<std::size_t>(von)].datum) + " bis " +
         kw::DateText(draws[static_cast<std::size_t>(bis)].datum);
}

TEST_F(StatisticsTest, AtStartTheWholeHistoryIsCountedInNumberOrderAndTheChartsShowIt) {
  const auto& history = RealHistory();
  writeDraws(history);
  TFStatistik1& w = window();
  const int last = static_cast<int>(history.size()) - 1;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Gewinnreihen-Statistik"));
  EXPECT_EQ(w.BSort->text(), QStringLiteral("Auswertung\nstarten"));
  EXPECT_EQ(w.BCharts->text(), QStringLiteral("Charts\nanzeigen"));
  ASSERT_EQ(w.Co1->count(), last + 1);
  EXPECT_EQ(w.Co1->currentIndex(), 0);
  EXPECT_EQ(w.Co2->currentIndex(), last);
  EXPECT_EQ(w.von, 0);
  EXPECT_EQ(w.bis, last);
  EXPECT_EQ(w.Co2->currentText(), QString::fromStdString(kw::DateText(history.back().datum)));

  EXPECT_EQ(w.Label1->text().toStdString(), HeadingOf(history, 0, last));
  EXPECT_EQ(w.PTop1->text(), QStringLiteral("Häufigkeit nach Nummernfolge 1 - 50"));
  EXPECT_EQ(w.PTop2->text(), QStringLiteral("Häufigkeit nach Nummernfolge 1 - 12"));
  const Counts counts = Frequencies(history, 0, last);
  const Shown numbers = NumberSlots(w), stars = StarSlots(w);
  for (int k = 1; k <= 50; ++k) {
    EXPECT_EQ(numbers.numbers[static_cast<std::size_t>(k - 1)], k);
    EXPECT_EQ(numbers.values[static_cast<std::size_t>(k - 1)], counts.numbers[k]) << k;
  }
  for (int s = 1; s <= 12; ++s) EXPECT_EQ(stars.values[static_cast<std::size_t>(s - 1)], counts.stars[s]) << s;
  EXPECT_EQ(Sum(numbers.values), 5 * (last + 1));
  EXPECT_EQ(Sum(stars.values), 2 * (last + 1));
  EXPECT_TRUE(MessageBox::shown().empty());

  // The stars of the real history came far more often than a fixed axis of 312.5 could show.
  ASSERT_GT(*std::max_element(counts.stars.begin(), counts.stars.end()), 312);
  w.BCharts->click();
  EXPECT_TRUE(charts().isVisible());
  ExpectCharts(charts(), counts);
  EXPECT_EQ(charts().Chart1->chart()->title(), QStringLiteral("Für die Zahlen von 1 bis 50"));
  EXPECT_EQ(charts().Chart2->chart()->title(), QStringLiteral("Für die Sternzahlen von 1 bis 12"));
  // The numbers' bars are orange, fading to white towards their foot.
  const QGradient* fade = charts().Series1->barSets().front()->brush().gradient();
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(fade->stops().front().second, QColor(244, 189, 62));
  EXPECT_EQ(fade->stops().back().second, QColor(Qt::white));
  EXPECT_EQ(charts().Series2->barSets().front()->color(), QColor(241, 251, 130));
  EXPECT_EQ(charts().windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Statistik-Charts"));
  // Opening them again fills anew: still 50 and 12 bars, not 100 and 24.
  w.BCharts->click();
  ExpectCharts(charts(), counts);
}

TEST_F(StatisticsTest, OrdersOverAPeriodAndTheChartsKeepTheLastFrequencies) {
  const auto& history = RealHistory();
  writeDraws(history);
  TFStatistik1& w = window();
  const int last = static_cast<int>(history.size()) - 1;

  // Frequencies of the last 200 draws, descending.
  const int von = last - 199;
  choose(von, last, 1);
  EXPECT_EQ(w.PTop1->text(), QStringLiteral("Häufigkeit absteigend"));
  EXPECT_EQ(w.PTop2->text(), QStringLiteral("Häufigkeit absteigend"));
  EXPECT_EQ(w.Label1->text().toStdString(), HeadingOf(history, von, last));
  const Counts recent = Frequencies(history, von, last);
  Shown numbers = NumberSlots(w);
  ExpectDescending(numbers);
  ExpectDescending(StarSlots(w));
  for (std::size_t i = 0; i < 50; ++i) EXPECT_EQ(numbers.values[i], recent.numbers[numbers.numbers[i]]);
  EXPECT_EQ(Sum(numbers.values), 5 * 200);
  EXPECT_EQ(Sum(StarSlots(w).values), 2 * 200);
  // The real history has ties there; they stand in number order (checked above) and every
  // number has its slot once.
  std::vector<int> sorted = numbers.numbers;
  std::sort(sorted.begin(), sorted.end());
  for (int n = 1; n <= 50; ++n) EXPECT_EQ(sorted[static_cast<std::size_t>(n - 1)], n);

  // Absences of five draws: the last draw's numbers have 0 and stand at the end, numbers the
  // period never drew have 5 and lead, in number order.
  const int shortVon = last - 4;
  choose(shortVon, last, 2);
  EXPECT_EQ(w.PTop1->text(), QStringLiteral("Ausgeblieben absteigend"));
  EXPECT_EQ(w.PTop2->text(), QStringLiteral("Ausgeblieben absteigend"));
  EXPECT_EQ(w.Label1->text().toStdString(), HeadingOf(history, shortVon, last));
  numbers = NumberSlots(w);
  ExpectDescending(numbers);
  const Counts five = Frequencies(history, shortVon, last);
  std::vector<int> never;
  for (int n = 1; n <= 50; ++n)
    if (five.numbers[n] == 0) never.push_back(n);
  ASSERT_GE(never.size(), 25u);
  for (std::size_t i = 0; i < never.size(); ++i) {
    EXPECT_EQ(numbers.numbers[i], never[i]);
    EXPECT_EQ(numbers.values[i], 5);
  }
  std::vector<int> lastDraw(history.back().GZ.begin(), history.back().GZ.end());
  std::sort(lastDraw.begin(), lastDraw.end());
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(numbers.numbers[45 + i], lastDraw[i]);
    EXPECT_EQ(numbers.values[45 + i], 0);
  }
  const Shown stars = StarSlots(w);
  ExpectDescending(stars);
  EXPECT_EQ(stars.values.back(), 0);

  // The charts show the last frequency evaluation (the 200 draws), not the absences.
  w.BCharts->click();
  ExpectCharts(charts(), recent);
}

TEST_F(StatisticsTest, APeriodOfTwoDrawsIsTheShortestAndARefusedOneChangesNothing) {
  const auto& history = RealHistory();
  writeDraws(std::vector<kw::TGewZahlen>(history.begin(), history.begin() + 40));
  TFStatistik1& w = window();
  choose(10, 11, 0);
  EXPECT_TRUE(MessageBox::shown().empty());
  EXPECT_EQ(w.Label1->text().toStdString(), HeadingOf(history, 10, 11));
  EXPECT_EQ(Sum(NumberSlots(w).values), 10);

  const QString heading = w.Label1->text();
  for (const auto& [von, bis] : {std::pair{12, 12}, std::pair{20, 5}}) {
    MessageBox::clearShown();
    choose(von, bis, 1);
    ASSERT_EQ(MessageBox::shown().size(), 1u);
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Error);
    EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kInvalidPeriodMessage));
    EXPECT_EQ(w.Label1->text(), heading);
    EXPECT_EQ(w.PTop1->text(), QStringLiteral("Häufigkeit nach Nummernfolge 1 - 50"));
  }
  // A list without a chosen date is no period either.
  MessageBox::clearShown();
  w.Co1->setCurrentIndex(-1);
  w.BSort->click();
  EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(kw::kInvalidPeriodMessage));
}

TEST_F(StatisticsTest, FewerThanTwoDrawsShowZerosWithoutAMessage) {
  for (const std::size_t count : {std::size_t{0}, std::size_t{1}}) {
    restart();
    MessageBox::clearShown();
    writeDraws(std::vector<kw::TGewZahlen>(RealHistory().begin(), RealHistory().begin() + static_cast<long>(count)));
    TFStatistik1& w = window();
    EXPECT_TRUE(MessageBox::shown().empty()) << count;
    EXPECT_EQ(w.Co1->count(), static_cast<int>(count));
    const Shown numbers = NumberSlots(w);
    for (int k = 1; k <= 50; ++k) {
      EXPECT_EQ(numbers.numbers[static_cast<std::size_t>(k - 1)], k);
      EXPECT_EQ(numbers.values[static_cast<std::size_t>(k - 1)], 0);
    }
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(w.PNummerWertS[static_cast<std::size_t>(s)]->text(), QStringLiteral("0"));
    w.BCharts->click();
    ExpectCharts(charts(), Counts{});
  }
}

TEST_F(StatisticsTest, DrawsAppendedThroughTheStoreRefreshTheListsAndTheTable) {
  const auto& history = RealHistory();
  writeDraws(std::vector<kw::TGewZahlen>(history.begin(), history.begin() + 30));
  TFStatistik1& w = window();
  choose(3, 9, 2);
  w.BCharts->click();
  ASSERT_EQ(w.Co2->count(), 30);

  // The draw entry's way: one new draw stored.
  ASSERT_TRUE(store().storeDraw(30, history[30]).ok());
  EXPECT_EQ(w.Co1->count(), 31);
  EXPECT_EQ(w.Co2->count(), 31);
  EXPECT_EQ(w.Co1->currentIndex(), 0);
  EXPECT_EQ(w.Co2->currentIndex(), 30);
  EXPECT_EQ(w.von, 0);
  EXPECT_EQ(w.bis, 30);
  // The table follows in the order it showed last.
  EXPECT_EQ(w.Label1->text().toStdString(), HeadingOf(history, 0, 30));
  EXPECT_EQ(w.PTop1->text(), QStringLiteral("Ausgeblieben absteigend"));

  // The online update's way: a whole block of draws in one change, now in number order.
  choose(0, 30, 0);
  const std::vector<kw::TGewZahlen> more(history.begin() + 31, history.begin() + 60);
  store().change([&](kw::DataSet& d) {
    d.Draws.insert(d.Draws.end(), more.begin(), more.end());
    return true;
  });
  EXPECT_EQ(w.Co2->count(), 60);
  EXPECT_EQ(w.Co2->currentIndex(), 59);
  EXPECT_EQ(w.Label1->text().toStdString(), HeadingOf(history, 0, 59));
  EXPECT_EQ(Sum(NumberSlots(w).values), 5 * 60);
  // The open charts follow the new count.
  ExpectCharts(charts(), Frequencies(history, 0, 59));
}

TEST_F(StatisticsTest, NavigationOfBothWindows) {
  writeDraws(std::vector<kw::TGewZahlen>(RealHistory().begin(), RealHistory().begin() + 3));
  using kw::ui::Command;
  kw::ui::Navigation* stats = window().navigation();
  EXPECT_FALSE(stats->isEnabled(Command::Statistics));
  EXPECT_FALSE(stats->isEnabled(Command::Print));
  EXPECT_EQ(stats->menuAction(Command::OpenSlip), nullptr);
  EXPECT_TRUE(stats->isEnabled(Command::TipAnalysis));
  EXPECT_EQ(stats->helpContext(), 1011);
  kw::ui::Navigation* chart = charts().navigation();
  EXPECT_TRUE(chart->isEnabled(Command::Statistics));
  EXPECT_TRUE(chart->isEnabled(Command::TipAnalysis));
  EXPECT_TRUE(chart->isEnabled(Command::Calendar));
  EXPECT_EQ(chart->menuAction(Command::Print), nullptr);
  EXPECT_EQ(chart->menuAction(Command::Quit)->text(), QStringLiteral("Sch&ließen"));
  EXPECT_EQ(chart->helpContext(), 1011);
  // The charts' tool bar leads back to the statistics.
  charts().show();
  chart->run(Command::Statistics);
  EXPECT_TRUE(window().isVisible());
  window().close();
  EXPECT_FALSE(window().isVisible());
}

TEST(ChartAxis, RoomAboveTheLargestBar) {
  for (const std::int32_t largest : {0, 1, 2, 7, 99, 100, 312, 313, 399, 480, 1000, 2345, 99999}) {
    const auto scale = TFChart1::AxisScaleFor(largest);
    EXPECT_GE(scale.top, largest * 1.1 - 1e-9) << largest;
    EXPECT_LE(scale.top, std::max(2.0, largest * 1.5)) << largest;
    EXPECT_GE(scale.step, 1) << largest;
    const double steps = scale.top / scale.step;
    EXPECT_LE(steps, 6) << largest;
    EXPECT_DOUBLE_EQ(steps, std::round(steps)) << largest;
  }
}

}  // namespace
}  // namespace kwtest
