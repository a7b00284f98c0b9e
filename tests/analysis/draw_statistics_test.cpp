#include "analysis/draw_statistics.h"
#include "core/draw_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "core/csv_import.h"
#include "core/dates.h"
#include "support/draws.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using kwtest::MakeDraw;

// The real history, 1974 draws from 13.02.2004 to 21.08.2026.
const std::vector<TGewZahlen>& History() {
  static const std::vector<TGewZahlen> draws = [] {
    std::ifstream in(kwtest::HistoryDataFile("draws.csv"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    auto parsed = ParseDrawsCsv(text.str());
    if (!parsed) ADD_FAILURE() << parsed.error().message;
    return parsed ? *parsed : std::vector<TGewZahlen>{};
  }();
  return draws;
}
int Last() { return static_cast<int>(History().size()) - 1; }

// Index of the first real draw with a star above 9 (20.05.2011) and with star 12 (27.09.2016).
constexpr int kFirstStar10Or11 = 381;
constexpr int kFirstStar12 = 940;

std::int32_t Sum(const auto& table) { return std::accumulate(table.begin() + 1, table.end(), std::int32_t{0}); }

// The plain way: every number against every draw of the period, absences walking back per
// number, the descending order by scanning the values from the highest down.
NumberTables PlainFrequencies(const std::vector<TGewZahlen>& draws, DrawPeriod p) {
  NumberTables t;
  for (int n = 1; n <= 50; ++n)
    for (int i = p.von; i <= p.bis; ++i)
      for (auto g : draws[static_cast<std::size_t>(i)].GZ) t.numbers[static_cast<std::size_t>(n)] += g == n;
  for (int s = 1; s <= 12; ++s)
    for (int i = p.von; i <= p.bis; ++i)
      for (auto g : draws[static_cast<std::size_t>(i)].SZ) t.stars[static_cast<std::size_t>(s)] += g == s;
  return t;
}

NumberTables PlainAbsences(const std::vector<TGewZahlen>& draws, DrawPeriod p) {
  auto absence = [&](int n, bool star) {
    for (int i = p.bis; i >= p.von; --i) {
      const auto& d = draws[static_cast<std::size_t>(i)];
      const bool has = star ? std::count(d.SZ.begin(), d.SZ.end(), n) > 0 : std::count(d.GZ.begin(), d.GZ.end(), n) > 0;
      if (has) return p.bis - i;
    }
    return p.draws();
  };
  NumberTables t;
  for (int n = 1; n <= 50; ++n) t.numbers[static_cast<std::size_t>(n)] = absence(n, false);
  for (int s = 1; s <= 12; ++s) t.stars[static_cast<std::size_t>(s)] = absence(s, true);
  return t;
}

template <std::size_t N>
std::vector<Slot> PlainDescending(const std::array<std::int32_t, N>& values) {
  std::vector<Slot> slots;
  std::int32_t m = -1;
  for (std::size_t n = 1; n < N; ++n) m = std::max(m, values[n]);
  for (std::int32_t v = m; slots.size() < N - 1; --v)
    for (std::size_t n = 1; n < N; ++n)
      if (values[n] == v) slots.push_back({static_cast<int>(n), v});
  return slots;
}

template <std::size_t N>
std::vector<Slot> AsVector(const std::array<Slot, N>& slots) {
  return {slots.begin(), slots.end()};
}

std::vector<int> Numbers(const auto& slots, std::size_t first) {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < first; ++i) numbers.push_back(slots[i].number);
  return numbers;
}

TEST(DrawStatistics, RealHistoryIsThere) {
  ASSERT_EQ(History().size(), 1974u);
  EXPECT_EQ(DateText(History()[kFirstStar12].datum), "27.09.2016");
}

// Tables, sums and orders against the plain way on the whole history, the star eras and
// random periods of it.
TEST(DrawStatistics, MatchesThePlainWayOnTheRealHistory) {
  std::vector<DrawPeriod> periods = {{0, Last()},          {0, 1},
                                     {Last() - 1, Last()}, {0, kFirstStar10Or11 - 1},
                                     {0, kFirstStar12 - 1}, {kFirstStar12 - 1, kFirstStar12},
                                     {kFirstStar12, Last()}};
  std::mt19937 rng(1011);
  for (int k = 0; k < 200; ++k) {
    const int a = static_cast<int>(rng() % static_cast<unsigned>(Last()));
    const int b = a + 1 + static_cast<int>(rng() % static_cast<unsigned>(Last() - a));
    periods.push_back({a, b});
  }
  for (const DrawPeriod p : periods) {
    SCOPED_TRACE(::testing::Message() << "von " << p.von << " bis " << p.bis);
    const NumberTables h = CountFrequencies(History(), p), a = CountAbsences(History(), p);
    ASSERT_EQ(h, PlainFrequencies(History(), p));
    ASSERT_EQ(a, PlainAbsences(History(), p));
    EXPECT_EQ(Sum(h.numbers), 5 * p.draws());
    EXPECT_EQ(Sum(h.stars), 2 * p.draws());
    EXPECT_EQ(AsVector(OrderDescending(h.numbers)), PlainDescending(h.numbers));
    EXPECT_EQ(AsVector(OrderDescending(h.stars)), PlainDescending(h.stars));
    EXPECT_EQ(AsVector(OrderDescending(a.numbers)), PlainDescending(a.numbers));
    EXPECT_EQ(AsVector(OrderDescending(a.stars)), PlainDescending(a.stars));
  }
}

TEST(DrawStatistics, CountsStayInsideTheHistory) {
  EXPECT_EQ(CountFrequencies(History(), {-3, Last() + 9}), CountFrequencies(History(), {0, Last()}));
  const std::vector<TGewZahlen> none;
  EXPECT_EQ(CountFrequencies(none, {0, 4}), NumberTables{});
  EXPECT_EQ(Sum(CountAbsences(none, {0, 4}).numbers), 50 * 5);
}

TEST(DrawStatistics, AbsenceAtTheEndsOfARealPeriod) {
  // 13.02.2004: 16 29 32 36 41 / 7 9;  20.02.2004: 7 13 39 47 50 / 2 5.
  const NumberTables two = CountAbsences(History(), {0, 1});
  for (int n : {7, 13, 39, 47, 50}) EXPECT_EQ(two.numbers[static_cast<std::size_t>(n)], 0) << n;
  for (int n : {16, 29, 32, 36, 41}) EXPECT_EQ(two.numbers[static_cast<std::size_t>(n)], 1) << n;  // bis - von
  for (int n : {1, 8, 49}) EXPECT_EQ(two.numbers[static_cast<std::size_t>(n)], 2) << n;           // never: bis - von + 1
  EXPECT_EQ(two.stars[2], 0);
  EXPECT_EQ(two.stars[7], 1);
  EXPECT_EQ(two.stars[12], 2);

  // The last draw of the whole history (21.08.2026: 10 14 15 19 45 / 4 12) has absence 0.
  const NumberTables all = CountAbsences(History(), {0, Last()});
  for (int n : {10, 14, 15, 19, 45}) EXPECT_EQ(all.numbers[static_cast<std::size_t>(n)], 0) << n;
  EXPECT_EQ(all.stars[4], 0);
  EXPECT_EQ(all.stars[12], 0);
  EXPECT_EQ(std::count(all.numbers.begin() + 1, all.numbers.end(), 0), 5);

  // Stars 10 and 11 came first on 20.05.2011, star 12 on 27.09.2016: before, they were never drawn.
  const NumberTables nineStars = CountAbsences(History(), {0, kFirstStar10Or11 - 1});
  for (int s : {10, 11, 12}) EXPECT_EQ(nineStars.stars[static_cast<std::size_t>(s)], kFirstStar10Or11) << s;
  EXPECT_EQ(CountAbsences(History(), {0, kFirstStar12 - 1}).stars[12], kFirstStar12);
  EXPECT_EQ(CountAbsences(History(), {0, kFirstStar12}).stars[12], 0);
  EXPECT_EQ(CountFrequencies(History(), {100, kFirstStar12 - 1}).stars[12], 0);
}

// Every main number comes back within the last ten draws while star 12 stayed away longer.
TEST(DrawStatistics, AbsenceOfAStarBeyondTheLastMainNumber) {
  std::vector<TGewZahlen> draws = {MakeDraw(2024, 1, 2, {1, 2, 3, 4, 5}, {11, 12})};
  for (std::uint8_t k = 0; k < 10; ++k) {
    const auto n = static_cast<std::uint8_t>(5 * k + 1);
    draws.push_back(MakeDraw(2024, 1, 5 + k, {n, static_cast<std::uint8_t>(n + 1), static_cast<std::uint8_t>(n + 2),
                                              static_cast<std::uint8_t>(n + 3), static_cast<std::uint8_t>(n + 4)},
                             {1, 2}));
  }
  const NumberTables a = CountAbsences(draws, {0, 10});
  EXPECT_EQ(a, PlainAbsences(draws, {0, 10}));
  EXPECT_EQ(a.numbers[50], 0);
  EXPECT_EQ(a.numbers[1], 9);
  EXPECT_EQ(a.stars[12], 10);
  EXPECT_EQ(a.stars[11], 10);
  EXPECT_EQ(a.stars[3], 11);
}

TEST(DrawStatistics, TiesStandInNumberOrder) {
  std::array<std::int32_t, 51> h{};
  std::fill(h.begin() + 1, h.end(), 4);
  for (int n : {3, 17, 42}) h[static_cast<std::size_t>(n)] = 7;
  h[5] = 0;
  const NumberSlots slots = OrderDescending(h);
  EXPECT_EQ(Numbers(slots, 4), (std::vector<int>{3, 17, 42, 1}));
  EXPECT_EQ(slots[0], (Slot{3, 7}));
  EXPECT_EQ(slots[49], (Slot{5, 0}));

  // All equal: the descending order is the number order.
  std::array<std::int32_t, 13> same{};
  std::fill(same.begin() + 1, same.end(), 9);
  EXPECT_EQ(OrderDescending(same), InNumberOrder(same));

  // The first two real draws: ten numbers once, in ascending order, then the rest.
  const NumberSlots real = OrderDescending(CountFrequencies(History(), {0, 1}).numbers);
  EXPECT_EQ(Numbers(real, 13), (std::vector<int>{7, 13, 16, 29, 32, 36, 39, 41, 47, 50, 1, 2, 3}));
  EXPECT_EQ(real[9].value, 1);
  EXPECT_EQ(real[10].value, 0);
}

TEST(DrawStatistics, ViewPerOrder) {
  struct Case {
    StatisticsOrder order;
    const char* numberHeading;
    const char* starHeading;
    bool countsFrequencies;
  };
  const Case cases[] = {
      {StatisticsOrder::Numbers, "Häufigkeit nach Nummernfolge 1 - 50", "Häufigkeit nach Nummernfolge 1 - 12", true},
      {StatisticsOrder::Frequency, "Häufigkeit absteigend", "Häufigkeit absteigend", true},
      {StatisticsOrder::Absence, "Ausgeblieben absteigend", "Ausgeblieben absteigend", false},
  };
  const DrawPeriod whole{0, Last()};
  const NumberTables h = CountFrequencies(History(), whole), a = CountAbsences(History(), whole);
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.order));
    const auto view = EvaluateStatistics(History(), 0, Last(), c.order);
    ASSERT_TRUE(view) << view.error().message;
    // The same heading in every order, absences too.
    EXPECT_EQ(view->heading, "Häufigkeit der Gewinnzahlen in 1974 Gewinnreihen vom 13.02.2004 bis 21.08.2026");
    EXPECT_EQ(view->numberHeading, c.numberHeading);
    EXPECT_EQ(view->starHeading, c.starHeading);
    EXPECT_EQ(view->frequencies.has_value(), c.countsFrequencies);
    if (c.countsFrequencies) {
      EXPECT_EQ(*view->frequencies, h);
    }
  }
  const auto byNumber = EvaluateStatistics(History(), 0, Last(), StatisticsOrder::Numbers);
  EXPECT_EQ(byNumber->numberSlots, InNumberOrder(h.numbers));
  EXPECT_EQ(byNumber->starSlots, InNumberOrder(h.stars));
  const auto byAbsence = EvaluateStatistics(History(), 0, Last(), StatisticsOrder::Absence);
  EXPECT_EQ(byAbsence->numberSlots, OrderDescending(a.numbers));
  EXPECT_EQ(byAbsence->starSlots, OrderDescending(a.stars));
  EXPECT_EQ(byAbsence->numberSlots.back().value, 0);
}

TEST(DrawStatistics, HeadingOfAShortPeriod) {
  const std::vector<TGewZahlen> draws = {MakeDraw(2024, 3, 5), MakeDraw(2024, 3, 8), MakeDraw(2024, 3, 12),
                                         MakeDraw(2024, 3, 15)};
  EXPECT_EQ(DrawRangeText(draws, 1, 3), "3 Gewinnreihen vom 08.03.2024 bis 15.03.2024");
  const auto view = EvaluateStatistics(draws, 1, 3, StatisticsOrder::Absence);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->heading, "Häufigkeit der Gewinnzahlen in 3 Gewinnreihen vom 08.03.2024 bis 15.03.2024");
}

TEST(DrawStatistics, PeriodNeedsTwoDrawsOfTheHistory) {
  struct Case {
    int von, bis;
    bool accepted;
  };
  const Case cases[] = {
      {0, 1, true},            {Last() - 1, Last(), true}, {0, Last(), true},
      {0, 0, false},           {7, 7, false},               {Last(), Last(), false},
      {8, 7, false},           {Last(), 0, false},          {-1, Last(), false},  // no "von" date chosen
      {0, -1, false},          {-1, -1, false},             {0, Last() + 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "von " << c.von << " bis " << c.bis);
    const auto checked = CheckStatisticsPeriod(History(), c.von, c.bis);
    ASSERT_EQ(checked.ok(), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(*checked, (DrawPeriod{c.von, c.bis}));
    } else {
      EXPECT_EQ(checked.error().message,
                "Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\r\rIch breche erst einmal ab.");
      EXPECT_FALSE(EvaluateStatistics(History(), c.von, c.bis, StatisticsOrder::Numbers));
    }
  }
  const std::vector<TGewZahlen> none, one = {MakeDraw(2024, 3, 15)};
  EXPECT_EQ(CheckStatisticsPeriod(none, 0, -1).error().message, kInvalidPeriodMessage);
  EXPECT_EQ(CheckStatisticsPeriod(none, 0, 0).error().message, kInvalidPeriodMessage);
  EXPECT_EQ(CheckStatisticsPeriod(one, 0, 0).error().message, kInvalidPeriodMessage);
}

// Between appending a new draw and saving it, the history ends in a record without numbers.
TEST(DrawStatistics, PeriodWithTheUnsavedNewDrawIsRefused) {
  std::vector<TGewZahlen> draws = History();
  TGewZahlen pending;
  pending.datum = EncodeDate(2026, 8, 25);
  draws.push_back(pending);
  const int last = static_cast<int>(draws.size()) - 1;
  const auto refused = CheckStatisticsPeriod(draws, 0, last);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message,
            "Die Ausspielung vom 25.08.2026 ist noch nicht vollständig eingetragen.\r\r"
            "Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\r\rIch breche erst einmal ab.");
  // Half-entered, repeated or out-of-range numbers are no draw either.
  struct Broken {
    std::array<std::uint8_t, 5> gz;
    std::array<std::uint8_t, 2> sz;
  };
  const Broken broken[] = {{{1, 2, 3, 4, 0}, {6, 7}}, {{1, 2, 3, 3, 5}, {6, 7}}, {{9, 9, 9, 4, 5}, {6, 7}},
                           {{1, 2, 3, 4, 51}, {6, 7}}, {{1, 2, 3, 4, 255}, {6, 7}}, {{1, 2, 3, 4, 5}, {6, 6}},
                           {{1, 2, 3, 4, 5}, {6, 13}}, {{1, 2, 3, 4, 5}, {0, 7}},   {{0, 0, 0, 0, 0}, {200, 200}}};
  for (const Broken& b : broken) {
    draws.back().GZ = b.gz;
    draws.back().SZ = b.sz;
    EXPECT_FALSE(CheckStatisticsPeriod(draws, last - 5, last)) << int{b.gz[4]} << " " << int{b.sz[1]};
  }
  draws.back().GZ = {50, 1, 2, 3, 4};
  draws.back().SZ = {12, 1};
  EXPECT_TRUE(CheckStatisticsPeriod(draws, last - 5, last));
  EXPECT_TRUE(CheckStatisticsPeriod(draws, 0, last - 1));
}

}  // namespace
}  // namespace kw
