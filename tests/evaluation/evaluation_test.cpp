#include "evaluation/evaluation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "core/dates.h"
#include "core/game_rules.h"
#include "core/german_format.h"
#include "core/quota_store.h"

namespace kw {
namespace {

TGewZahlen Draw(double day, std::array<std::uint8_t, 5> gz, std::array<std::uint8_t, 2> sz) {
  TGewZahlen d;
  d.datum = day;
  d.GZ = gz;
  d.SZ = sz;
  return d;
}

TSchein Tip(std::array<std::uint8_t, 5> gz, std::array<std::uint8_t, 2> sz) { return {gz, sz}; }

std::array<std::string, 6> RowTexts(const EvalTable& t, int row) {
  std::array<std::string, 6> texts;
  for (int c = 0; c < 6; ++c) texts[static_cast<std::size_t>(c)] = t.cell(c, row);
  return texts;
}

using Texts = std::array<std::string, 6>;

// A slip that loses against everything below: no number of 40..50 or star 12 is drawn there.
const TSchein kLoser = Tip({41, 42, 43, 44, 45}, {3, 12});

struct Fixture {
  DataSet s;
  int number = 1;
  std::string caption;
  EvalTable run(const std::vector<std::vector<TSchein>>& slips, const std::vector<std::string>& captions,
                PeriodChoice p) {
    EvalRequest request{s.Draws, s.Quotas, p, {}, number};
    for (std::size_t i = 0; i < slips.size(); ++i) request.slips.push_back({captions[i], slips[i]});
    auto result = Evaluate(request);
    EXPECT_TRUE(result) << (result ? "" : result.error().message);
    if (!result) return {};
    caption = result->caption;
    return std::move(result->table);
  }
};

TEST(EvaluateRows, ThreePlusTwoChangesClassWithTheRuleChange) {
  const struct {
    double day;
    int expected;
  } cases[] = {
      {EncodeDate(2016, 9, 23), 7},
      {kRuleChangeDay, 7},  // 25.09.2016 still has the earlier order
      {EncodeDate(2016, 9, 27), 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(DateText(c.day));
    Fixture t;
    t.s.Draws = {Draw(c.day, {3, 9, 20, 30, 44}, {2, 11})};
    const auto table = t.run({{Tip({3, 9, 17, 28, 44}, {2, 11})}}, {"Samstag"}, {0, 0, false});
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(3, 1), std::to_string(c.expected));
    EXPECT_EQ(table.prizeClass(1), c.expected);
    const float amount = DefaultQuotasNew[static_cast<std::size_t>(c.expected)];
    EXPECT_EQ(table.cell(4, 1), FormatEuro(amount));
  }
  // 4+0 the other way round.
  Fixture t;
  t.s.Draws = {Draw(kRuleChangeDay, {3, 9, 20, 30, 44}, {2, 11}), Draw(kRuleChangeDay + 2, {3, 9, 20, 30, 44}, {2, 11})};
  const auto table = t.run({{Tip({3, 9, 20, 30, 1}, {4, 5})}}, {"A"}, {0, 1, true});
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(table.prizeClass(1), 6);
  EXPECT_EQ(table.prizeClass(2), 7);
}

TEST(EvaluateRows, DrawWithoutWinGivesOneMarkedRow) {
  Fixture t;
  t.s.Draws = {Draw(EncodeDate(2024, 3, 15), {1, 2, 3, 4, 5}, {1, 2})};
  t.number = 7;
  const auto table = t.run({{kLoser, kLoser}}, {"Samstag"}, {0, 0, false});
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(RowTexts(table, 0), (Texts{"Datum", "Datei", "Feld", "GKl.", "Gewinn", "Gewinnsumme"}));
  EXPECT_EQ(RowTexts(table, 1), (Texts{"15.03.2024", "Samstag", "--", "--", "", "0,00 €"}));
  EXPECT_EQ(table.prizeClass(1), 0);
  EXPECT_EQ(t.caption, "7: Samstag");
}

TEST(EvaluateRows, TwoWinsOfOneSlipInOneDrawAndTheRunningSum) {
  Fixture t;
  const double day = EncodeDate(2024, 3, 15);
  t.s.Draws = {Draw(day, {1, 2, 3, 4, 5}, {1, 2})};
  TQuoten q;
  q.datum = day;
  q.q.fill(-1.0f);
  q.amount(9) = 17.5f;  // class 13 stays missing: 4,36 €
  t.s.Quotas = {q};
  const std::vector<TSchein> slip = {kLoser, Tip({1, 2, 41, 42, 43}, {7, 8}), kLoser, kLoser,
                                     Tip({1, 2, 3, 42, 43}, {1, 8})};
  const auto table = t.run({slip}, {"Samstag"}, {0, 0, false});
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(RowTexts(table, 1), (Texts{"15.03.2024", "Samstag", "2", "13", "4,36 €", "4,36 €"}));
  EXPECT_EQ(RowTexts(table, 2), (Texts{"", "", "5", "9", "17,50 €", "21,86 €"}));
  EXPECT_EQ(table.totalCents(), 2186);
  EXPECT_EQ(table.drawIndex(2), 0);
  // The window tells the standard amount of a missing quota apart from a real one.
  EXPECT_TRUE(table.isStandardAmount(1));
  EXPECT_FALSE(table.isStandardAmount(2));
  EXPECT_FALSE(table.isStandardAmount(0));
}

TEST(EvaluateRows, PeriodOfSeveralDrawsAndTwoSlips) {
  Fixture t;
  const double fri = EncodeDate(2024, 3, 8);
  t.s.Draws = {Draw(fri - 3, {10, 11, 12, 13, 14}, {5, 6}), Draw(fri, {1, 2, 3, 4, 5}, {1, 2}),
               Draw(fri + 4, {20, 21, 22, 23, 24}, {9, 10}), Draw(fri + 7, {1, 2, 3, 4, 5}, {1, 2})};
  t.number = 3;
  const std::vector<TSchein> winner = {Tip({1, 2, 30, 31, 32}, {7, 8})};  // 2+0 in draws 1 and 3
  const auto table = t.run({{kLoser}, winner}, {"Dienstag", "Freitag"}, {1, 3, true});
  const std::vector<Texts> expected = {
      {"08.03.2024", "Dienstag", "--", "--", "", ""},
      {"", "Freitag", "1", "13", "4,36 €", "4,36 €"},
      {"12.03.2024", "Dienstag", "--", "--", "", ""},
      {"", "Freitag", "--", "--", "", ""},
      {"15.03.2024", "Dienstag", "--", "--", "", ""},
      {"", "Freitag", "1", "13", "4,36 €", "8,72 €"},
  };
  ASSERT_EQ(table.rowCount(), 7);
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(RowTexts(table, row), expected[static_cast<std::size_t>(row - 1)]) << row;
  EXPECT_EQ(t.caption, "3: 2 Dateien");
  EXPECT_EQ(table.drawIndex(1), 1);
  EXPECT_EQ(table.drawIndex(6), 3);
}

TEST(EvaluateRows, TwoLosingSlipsTogetherEndWithTheZeroSum) {
  Fixture t;
  t.s.Draws = {Draw(EncodeDate(2024, 3, 15), {1, 2, 3, 4, 5}, {1, 2})};
  const auto table = t.run({{kLoser}, {kLoser, kLoser}}, {"A", "B"}, {0, 0, false});
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(RowTexts(table, 1), (Texts{"15.03.2024", "A", "--", "--", "", ""}));
  EXPECT_EQ(RowTexts(table, 2), (Texts{"", "B", "--", "--", "", "0,00 €"}));
}

TEST(EvaluateRows, MissingQuotaFallsBackToTheStandardAmount) {
  for (bool withRecord : {false, true}) {
    Fixture t;
    const double day = EncodeDate(2010, 5, 7);  // earlier order: the fallback is still the current amount
    t.s.Draws = {Draw(day, {1, 2, 3, 4, 5}, {1, 2})};
    if (withRecord) {
      TQuoten q;
      q.datum = day;  // all amounts 0
      t.s.Quotas = {q};
    }
    const auto table = t.run({{Tip({1, 2, 40, 41, 42}, {3, 4})}}, {"A"}, {0, 0, false});
    EXPECT_EQ(table.cell(4, 1), "4,36 €");
    EXPECT_EQ(table.cell(5, 1), "4,36 €");
  }
}

TEST(EvaluateRows, RunningSumKeepsEveryCent) {
  // In single precision 190000000 + 4.36 is 190000000 and 49223032 + 4.36 is 49223036.
  Fixture t;
  const double day = EncodeDate(2024, 3, 15);
  t.s.Draws = {Draw(day, {1, 2, 3, 4, 5}, {1, 2})};
  TQuoten q;
  q.datum = day;
  q.q.fill(-1.0f);
  q.amount(1) = 190000000.0f;
  q.amount(12) = 9.49f;
  t.s.Quotas = {q};
  std::vector<TSchein> slip = {Tip({1, 2, 3, 4, 5}, {1, 2})};
  for (int i = 0; i < 1000; ++i) slip.push_back(Tip({1, 2, 40, 41, 42}, {1, 12}));  // 2+1: 9,49 €
  const auto table = t.run({slip}, {"A"}, {0, 0, false});
  ASSERT_EQ(table.rowCount(), 1002);
  EXPECT_EQ(table.cell(4, 1), "190.000.000,00 €");
  EXPECT_EQ(table.cell(4, 2), "9,49 €");
  EXPECT_EQ(table.cell(5, 2), "190.000.009,49 €");
  EXPECT_EQ(table.totalCents(), 19'000'000'000 + 1000 * 949);
  EXPECT_EQ(table.cell(5, 1001), "190.009.490,00 €");
  EXPECT_EQ(FormatEuro(static_cast<double>(table.totalCents()) / 100.0), "190.009.490,00 €");
}

// The plain method, number by number through the shared routines, as the table has to read.
std::vector<Texts> Reference(const DataSet& s, int periodStart, const std::vector<TSM>& periodSets,
                             const std::vector<std::vector<TSM>>& tipSets, const std::vector<std::string>& captions) {
  std::vector<Texts> rows;
  std::int64_t total = 0;
  for (std::size_t j = 0; j < periodSets.size(); ++j) {
    const int d = periodStart + static_cast<int>(j);
    const bool current = IsCurrentOrder(s.Draws[static_cast<std::size_t>(d)].datum);
    bool firstOfDraw = true;
    for (std::size_t f = 0; f < tipSets.size(); ++f) {
      rows.push_back({firstOfDraw ? DateText(s.Draws[static_cast<std::size_t>(d)].datum) : "", captions[f], "--", "--",
                      "", ""});
      firstOfDraw = false;
      bool won = false;
      for (std::size_t i = 0; i < tipSets[f].size(); ++i) {
        const TSM& tip = tipSets[f][i];
        const TSM& draw = periodSets[j];
        std::array<std::uint8_t, 32> gz{}, sz{};
        for (std::size_t b = 0; b < 32; ++b) {
          gz[b] = static_cast<std::uint8_t>(tip.GZ[b] & draw.GZ[b]);
          sz[b] = static_cast<std::uint8_t>(tip.SZ[b] & draw.SZ[b]);
        }
        const int k = PrizeClass(CountBits(gz.data(), 32), CountBits(sz.data(), 32), current);
        if (k == 0) continue;
        if (won) rows.push_back({"", "", "", "", "", ""});
        won = true;
        const std::int64_t cents = std::llround(static_cast<double>(QuotaFor(s.Quotas, d, k)) * 100.0);
        total += cents;
        rows.back()[2] = std::to_string(i + 1);
        rows.back()[3] = std::to_string(k);
        rows.back()[4] = FormatEuroCents(cents);
        rows.back()[5] = FormatEuroCents(total);
      }
    }
  }
  if (!rows.empty()) rows.back()[5] = FormatEuroCents(total);
  return rows;
}

TSM RandomSets(std::mt19937& rng, bool anyBits) {
  TSM t;
  if (anyBits) {
    // Whatever a set may carry: many bits, far beyond 50 and 12.
    for (auto& b : t.GZ) b = static_cast<std::uint8_t>(rng() & rng());
    for (auto& b : t.SZ) b = static_cast<std::uint8_t>(rng() & rng() & rng());
    return t;
  }
  TSchein row;
  // Small pools give many wins of every class.
  for (auto& n : row.GZ) n = static_cast<std::uint8_t>(1 + rng() % 12);
  for (auto& n : row.SZ) n = static_cast<std::uint8_t>(1 + rng() % 4);
  return RowToSets(row);
}

TEST(EvaluateRows, EqualsThePlainMethodOnRandomData) {
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    std::mt19937 rng(static_cast<unsigned>(round));
    const bool anyBits = round % 4 == 3;
    DataSet s;
    double day = kRuleChangeDay - 30;
    for (int i = 0; i < 25; ++i) {
      TGewZahlen d;
      d.datum = day;
      s.Draws.push_back(d);
      day += 3 + static_cast<double>(rng() % 2);
      TQuoten q;
      q.datum = d.datum;
      for (auto& a : q.q) a = rng() % 3 == 0 ? -1.0f : static_cast<float>(rng() % 100000) / 100.0f;
      if (rng() % 5 != 0) s.Quotas.push_back(q);
    }
    std::vector<std::string> captions;
    std::vector<std::vector<TSM>> tipSets;
    const int files = 1 + static_cast<int>(rng() % 3);
    for (int f = 0; f < files; ++f) {
      captions.push_back("S" + std::to_string(f));
      std::vector<TSM> tips(rng() % 30);
      for (auto& t : tips) t = RandomSets(rng, anyBits);
      tipSets.push_back(tips);
    }
    const int from = static_cast<int>(rng() % 10);
    const auto period = CheckPeriod({from, from + static_cast<int>(rng() % 15), true}, static_cast<int>(s.Draws.size()));
    ASSERT_TRUE(period);
    std::vector<TSM> periodSets = BuildPeriodSets(s.Draws, period->first, period->last - period->first);
    for (auto& p : periodSets) p = RandomSets(rng, anyBits);

    const auto table = EvaluateRows(s.Draws, s.Quotas, period->first, periodSets, tipSets, captions);
    const auto expected = Reference(s, period->first, periodSets, tipSets, captions);
    ASSERT_EQ(table.rowCount(), static_cast<int>(expected.size()) + 1);
    for (int row = 1; row < table.rowCount(); ++row) {
      ASSERT_EQ(RowTexts(table, row), expected[static_cast<std::size_t>(row - 1)]) << "row " << row;
      const std::string& k = expected[static_cast<std::size_t>(row - 1)][3];
      EXPECT_EQ(table.prizeClass(row), k == "--" ? 0 : std::stoi(k));
    }
  }
}

TEST(EvaluateRows, NothingToEvaluateGivesOnlyTheHeader) {
  DataSet s;
  const auto table = EvaluateRows(s.Draws, s.Quotas, 0, {}, {}, {});
  EXPECT_EQ(table.rowCount(), 1);
  EXPECT_EQ(table.cell(0, 0), "Datum");
  EXPECT_EQ(table.cell(0, 1), "");
  EXPECT_EQ(table.cell(9, 0), "");
  // "Auswerten" without a slip refuses before anything else.
  s.Draws = {Draw(EncodeDate(2024, 3, 15), {1, 2, 3, 4, 5}, {1, 2})};
  const auto result = Evaluate({s.Draws, s.Quotas, {0, 0, false}, {}, 2});
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().message,
            "Es gibt nichts auszuwerten. Bitte laden Sie zunächst eine Datei mit Tippreihen (Spielschein-Datei).\r\r"
            "Ich breche erst einmal ab.");
}

TEST(CheckPeriod, ValidatesTheChoice) {
  const std::string periodMessage =
      "Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\r\rIch breche erst einmal ab.";
  const struct {
    const char* name;
    int draws;
    PeriodChoice choice;
    int start;  // -1: refused
    int count;
    const char* messagePart;
  } cases[] = {
      {"period", 5, {1, 3, true}, 1, 3, ""},
      {"unticked ignores bis", 5, {2, 0, false}, 2, 1, ""},
      {"equal dates: one draw", 5, {2, 2, true}, 2, 1, ""},
      {"bis before für", 5, {3, 1, true}, -1, 0, "korrigieren"},
      {"bis not chosen", 5, {1, -1, true}, -1, 0, "korrigieren"},
      {"bis beyond the history", 5, {1, 9, true}, -1, 0, "korrigieren"},
      {"für not chosen", 5, {-1, 3, true}, -1, 0, "wählen"},
      {"für beyond the history", 5, {5, 5, false}, -1, 0, "wählen"},
      {"empty history: no draw to ask for", 0, {-1, -1, false}, -1, 0, "Noch keine Gewinnreihen vorhanden"},
      {"last draw alone", 5, {4, 4, false}, 4, 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TGewZahlen> draws;
    for (int i = 0; i < c.draws; ++i) draws.push_back(Draw(40000.0 + 3 * i, {1, 2, 3, 4, static_cast<std::uint8_t>(5 + i)}, {1, 2}));
    const auto result = CheckPeriod(c.choice, c.draws);
    if (c.start < 0) {
      ASSERT_FALSE(result);
      EXPECT_EQ(result.error().kind, ErrorKind::Refused);
      EXPECT_NE(result.error().message.find(c.messagePart), std::string::npos) << result.error().message;
      EXPECT_NE(result.error().message.find("\r\rIch breche erst einmal ab."), std::string::npos);
      if (std::string(c.messagePart) == "korrigieren") {
        EXPECT_EQ(result.error().message, periodMessage);
      }
    } else {
      ASSERT_TRUE(result) << result.error().message;
      EXPECT_EQ(result->first, c.start);
      ASSERT_EQ(result->count(), c.count);
      const auto sets = BuildPeriodSets(draws, result->first, result->last - result->first);
      ASSERT_EQ(static_cast<int>(sets.size()), c.count);
      EXPECT_EQ(sets.back(), RowToSets(draws[static_cast<std::size_t>(c.start + c.count - 1)]));
    }
  }
}

TEST(EvalTexts, HeadingAndEuroAmounts) {
  EXPECT_EQ(MakeEvalHeading("15.03.2024", "15.03.2024", true), "Auswertung für den 15.03.2024");
  EXPECT_EQ(MakeEvalHeading("12.03.2024", "15.03.2024", false),
            "Auswertung der Ausspielungen vom 12.03.2024 bis 15.03.2024");
  const struct {
    double x;
    const char* expected;
  } cases[] = {
      {0.0, "0,00 €"},
      {4.36, "4,36 €"},
      {4.36f, "4,36 €"},
      {17.5, "17,50 €"},
      {1234567.891, "1.234.567,89 €"},
      {49223032.0f, "49.223.032,00 €"},
      {190000004.36, "190.000.004,36 €"},  // ten significant digits would say 4,40
      {-12.5, "-12,50 €"},
      {std::numeric_limits<double>::quiet_NaN(), "0,00 €"},
      {std::numeric_limits<double>::infinity(), "0,00 €"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatEuro(c.x), c.expected) << c.x;
  EXPECT_EQ(FormatEuroCents(0), "0,00 €");
  EXPECT_EQ(FormatEuroCents(5), "0,05 €");
  EXPECT_EQ(FormatEuroCents(123456789012), "1.234.567.890,12 €");
  EXPECT_EQ(FormatEuroCents(-101), "-1,01 €");
  EXPECT_EQ(FormatEuroCents(std::numeric_limits<std::int64_t>::min()), "-92.233.720.368.547.758,08 €");
  for (std::int64_t cents : {1LL, 436LL, 999999999LL, 10000000001LL, 4'999'999'999'999LL})
    EXPECT_EQ(FormatEuro(static_cast<double>(cents) / 100.0), FormatEuroCents(cents)) << cents;
}

TEST(EvalTable, ColumnsOfTheResultGrid) {
  const char* headers[] = {"Datum", "Datei", "Feld", "GKl.", "Gewinn", "Gewinnsumme"};
  const int widths[] = {63, 72, 33, 28, 74, 96};
  for (int c = 0; c < EvalTable::kColumns; ++c) {
    EXPECT_STREQ(EvalTable::header(c), headers[c]);
    EXPECT_EQ(EvalTable::columnWidth(c), widths[c]);
  }
  EXPECT_EQ(EvalTable().columnCount(), 6);
  EXPECT_LE(sizeof(EvalTable::Row), 24u);
}

}  // namespace
}  // namespace kw

namespace kw {
namespace {

// "17,125" once showed "17,12" in the quota table but paid "17,13 €": one rule for all of them.
TEST(MoneyRounding, HalvesGoAwayFromZeroInTableDisplayAndPayout) {
  const struct {
    float amount;      // as the quota file holds it
    const char* shown; // two decimals
  } cases[] = {
      {17.125f, "17,13"},
      {0.125f, "0,13"},
      {0.375f, "0,38"},
      {2.5f, "2,50"},
      {1.015625f, "1,02"},       // exactly half a cent and a little more: 1,015625
      {4.36f, "4,36"},
      {2.675f, "2,67"},          // the float lies just below the half: 2,67499995...
      {1.005f, "1,00"},          // 1,00499999...
      {999.995f, "999,99"},      // 999,99499511...
      {1234.5625f, "1.234,56"},  // exact, below the half
      {65535.125f, "65.535,13"},
      {-17.125f, "-17,13"},
  };
  const TGewZahlen draw = Draw(EncodeDate(2024, 3, 15), {1, 2, 3, 4, 5}, {1, 2});
  const std::vector<TSM> periodSets = {RowToSets(draw)};
  const std::vector<std::vector<TSM>> tipSets = {{RowToSets(Tip({1, 2, 40, 41, 42}, {11, 12}))}};  // 2+0: class 13
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(FormatAmount(c.amount, 2), c.shown);
    EXPECT_EQ(FormatEuro(c.amount), std::string(c.shown) + " €");
    if (c.amount < 1.0f) continue;  // below one euro the standard amount is paid
    TQuoten q;
    q.datum = draw.datum;
    q.q.fill(-1.0f);
    q.amount(13) = c.amount;
    const EvalTable table = EvaluateRows({draw}, {q}, 0, periodSets, tipSets, {"Schein"});
    ASSERT_EQ(table.prizeClass(1), 13);
    EXPECT_EQ(table.cell(4, 1), std::string(c.shown) + " €");
  }
  // Whole numbers and ten significant digits round the same way.
  EXPECT_EQ(FormatGrouped(2.5, 0), "3");
  EXPECT_EQ(FormatGrouped(-0.5, 0), "-1");
  EXPECT_EQ(FormatGrouped(12345678.125, 2), "12.345.678,13");
  EXPECT_EQ(FormatGrouped(123456789.25, 2), "123.456.789,30");  // the tenth digit is the last
  EXPECT_EQ(FormatEuro(123456789.125), "123.456.789,13 €");
  EXPECT_EQ(FormatEuro(0.005), "0,01 €");                        // 0,005000000000000000104...
  EXPECT_EQ(FormatGrouped(9.995, 2), "9,99");                    // 9,9949999999999992...
  EXPECT_EQ(FormatGrouped(99999.996, 2), "100.000,00");
}

}  // namespace
}  // namespace kw
