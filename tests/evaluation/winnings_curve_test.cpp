#include "evaluation/winnings_curve.h"

#include <gtest/gtest.h>

#include "core/data_set.h"
#include "support/draws.h"

namespace kw {
namespace {

using kwtest::MakeDraw;

// Four draws; the slips win on the first and the third only.
struct Fixture {
  DataSet data;
  std::vector<TSchein> slipA = {{{1, 2, 3, 4, 5}, {1, 2}}, {{1, 2, 3, 40, 41}, {9, 10}}, {{45, 46, 47, 48, 49}, {11, 12}}};
  std::vector<TSchein> slipB = {{{1, 2, 20, 21, 44}, {5, 6}}};
  Fixture() {
    data.Draws = {MakeDraw(2024, 1, 2, {1, 2, 3, 4, 5}, {1, 2}), MakeDraw(2024, 1, 5, {10, 11, 12, 13, 14}, {3, 4}),
                  MakeDraw(2024, 1, 9, {1, 2, 3, 20, 21}, {5, 6}), MakeDraw(2024, 1, 12, {30, 31, 32, 33, 34}, {7, 8})};
  }
  EvalTable evaluate(int from, int to) const {
    EvalRequest request{data.Draws, data.Quotas, {from, to, true}, {{"A", slipA}, {"B", slipB}}, 1};
    auto result = Evaluate(request);
    EXPECT_TRUE(result);
    return result ? std::move(result->table) : EvalTable{};
  }
};

// What the table's win rows of each draw add up to, by a separate path.
std::vector<std::int64_t> WonPerDraw(const EvalTable& t) {
  std::vector<std::int64_t> won(static_cast<std::size_t>(t.periodDrawCount()), 0);
  for (int row = 1; row < t.rowCount(); ++row)
    won[static_cast<std::size_t>(t.drawIndex(row) - t.periodStart())] += t.amountCents(row);
  return won;
}

TEST(WinningsCurve, RunningTotalsPerDrawBesideTheStakes) {
  const Fixture f;
  const EvalTable table = f.evaluate(0, 3);
  ASSERT_EQ(table.tipRowCount(), 4);
  const std::vector<std::int64_t> won = WonPerDraw(table);
  ASSERT_GT(won[0], 0);
  ASSERT_EQ(won[1], 0);
  ASSERT_GT(won[2], 0);
  ASSERT_EQ(won[3], 0);

  const WinningsCurve curve = ComputeWinningsCurve(table, 250);
  ASSERT_EQ(curve.points.size(), 4u);
  std::int64_t sum = 0;
  for (std::size_t j = 0; j < 4; ++j) {
    sum += won[j];
    EXPECT_EQ(curve.points[j].winningsCents, sum) << j;
    // Four rows at 2,50 € on every draw so far.
    EXPECT_EQ(curve.points[j].stakesCents, static_cast<std::int64_t>(j + 1) * 4 * 250) << j;
    EXPECT_EQ(curve.points[j].datum, f.data.Draws[j].datum) << j;
  }
  EXPECT_EQ(curve.winningsCents(), table.totalCents());
  EXPECT_EQ(curve.stakesCents(), 4000);
  EXPECT_EQ(curve.netCents(), table.totalCents() - 4000);
}

TEST(WinningsCurve, PeriodInsideTheHistoryAndItsOwnDates) {
  Fixture f;
  const EvalTable table = f.evaluate(1, 3);
  const WinningsCurve curve = ComputeWinningsCurve(table, 100);
  ASSERT_EQ(curve.points.size(), 3u);
  // The first draw of the period won nothing: the curve starts at zero, not at the earlier win.
  EXPECT_EQ(curve.points[0].winningsCents, 0);
  EXPECT_EQ(curve.points[0].datum, f.data.Draws[1].datum);
  EXPECT_EQ(curve.points[1].winningsCents, curve.points[2].winningsCents);
  EXPECT_EQ(curve.points[2].stakesCents, 3 * 4 * 100);
  // The result keeps its dates when the history changes afterwards.
  f.data.Draws.clear();
  EXPECT_EQ(ComputeWinningsCurve(table, 100).points[2].datum, MakeDraw(2024, 1, 12).datum);

  // One draw, stake nothing: only the wins count.
  const EvalTable one = Fixture{}.evaluate(0, 0);
  const WinningsCurve single = ComputeWinningsCurve(one, 0);
  ASSERT_EQ(single.points.size(), 1u);
  EXPECT_EQ(single.netCents(), one.totalCents());
  EXPECT_EQ(ComputeWinningsCurve(EvalTable{}, 250).points.size(), 0u);
}

TEST(WinningsCurve, SummaryInGermanAmounts) {
  WinningsCurve curve;
  curve.points = {{0, 0, 250}, {0, 123456, 1000}};
  EXPECT_EQ(CurveSummaryText(curve), "Gewinne 1.234,56 €, Einsätze 10,00 €, Ergebnis 1.224,56 €");
  curve.points = {{0, 1290, 2500}};
  EXPECT_EQ(CurveSummaryText(curve), "Gewinne 12,90 €, Einsätze 25,00 €, Ergebnis -12,10 €");
}

TEST(WinningsCurve, StakeTexts) {
  const struct {
    const char* text;
    std::optional<std::int64_t> cents;
  } cases[] = {{"2,50", 250},   {" 2,5 ", 250},      {"3", 300},         {"0", 0},       {"100,00", 10000},
               {"100,01", {}},  {"-1", {}},          {"2,505", {}},      {"", {}},       {"zwei", {}},
               {"2.50", {}},    {"1e3", {}}};
  for (const auto& c : cases) EXPECT_EQ(ParseStakeCents(c.text), c.cents) << c.text;
  EXPECT_EQ(StakeText(250), "2,50");
  EXPECT_EQ(StakeText(5), "0,05");
  EXPECT_EQ(StakeText(10000), "100,00");
}

}  // namespace
}  // namespace kw
