#include "analysis/row_analysis.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "generation/binomial.h"

namespace kw {
namespace {

NumberMask Set(std::initializer_list<int> numbers) {
  NumberMask m = 0;
  for (int n : numbers) m |= NumberBit(n);
  return m;
}

std::vector<int> Numbers(NumberMask m) {
  std::vector<int> out;
  for (int n = 0; n < 64; ++n)
    if ((m >> n) & 1) out.push_back(n);
  return out;
}

const char* const kBracketForm =
    "(1,7,11,13,14),(1,8,10,12,13),(2,3,6,12,14),\r\n(2,4,5,9,12),(3,4,5,6,9),(7,8,10,11,14)";
const char* const kLineForm = "1,7,11,13,14\n1,8,10,12,13\n2,3,6,12,14,\n2,4,5,9,12\n3,4,5,6,9\n7,8,10,11,14";

const char* const kFullSystemOfSix = "1,2,3,4,5\n1,2,3,4,6\n1,2,3,5,6\n1,2,4,5,6\n1,3,4,5,6\n2,3,4,5,6";

TEST(ParseRowText, BothExampleFormsGiveTheSameSixRows) {
  const std::vector<NumberMask> expected = {Set({1, 7, 11, 13, 14}), Set({1, 8, 10, 12, 13}), Set({2, 3, 6, 12, 14}),
                                            Set({2, 4, 5, 9, 12}),   Set({3, 4, 5, 6, 9}),    Set({7, 8, 10, 11, 14})};
  for (const char* text : {kBracketForm, kLineForm}) {
    const auto p = ParseRowText(std::string("  \t") + text + " \r\n\r\n");
    ASSERT_TRUE(p) << p.error().message;
    EXPECT_EQ(p->text, kLineForm);
    EXPECT_EQ(p->rows, expected);
    EXPECT_EQ(p->rowCount(), 6);
    EXPECT_EQ(p->rowLength, 5);
    EXPECT_EQ(p->poolSize(), 14);
    EXPECT_EQ(p->pool, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(p->bankers, 0);
    EXPECT_EQ(p->counts[12], 3);
    EXPECT_EQ(p->counts[15], 0);
    EXPECT_EQ(p->states[12], NumberState::Used);
    EXPECT_EQ(p->states[15], NumberState::Absent);
  }
}

TEST(ParseRowText, RowLengthComesFromTheFirstLine) {
  struct Case {
    const char* text;
    int rowLength;
    std::vector<NumberMask> rows;
  };
  const Case cases[] = {
      // Only the first five of six count.
      {"1,2,3,4,5,6\n7,8,9,10,11,12", 5, {Set({1, 2, 3, 4, 5}), Set({7, 8, 9, 10, 11})}},
      // Three in the first line: every row keeps its first three, even invalid items beyond are ignored.
      {"1,2,3\n4,5,6,7,x", 3, {Set({1, 2, 3}), Set({4, 5, 6})}},
      // A trailing comma is no item of the row length.
      {"1,2,3,\n4,5,6,7", 3, {Set({1, 2, 3}), Set({4, 5, 6})}},
      // Empty items inside a row are skipped; blank lines are no rows.
      {"1,,3,4,5\n\n\n2, 3 ,4,5,6", 5, {Set({1, 3, 4, 5}), Set({2, 3, 4, 5, 6})}},
      // Blanks anywhere, also inside a number, as the text loses every blank first.
      {"( 1, 2 3,4 ),( 5,6,7,8 )", 3, {Set({1, 23, 4}), Set({5, 6, 7})}},
      {"+7,8", 2, {Set({7, 8})}},
  };
  for (const auto& c : cases) {
    const auto p = ParseRowText(c.text);
    ASSERT_TRUE(p) << c.text << ": " << p.error().message;
    EXPECT_EQ(p->rowLength, c.rowLength) << c.text;
    EXPECT_EQ(p->rows, c.rows) << c.text;
  }
}

TEST(ParseRowText, BankersAreNumbersInEveryRow) {
  const auto one = ParseRowText("7,1,2,3,4\n7,5,6,8,9\n10,11,12,13,7");
  ASSERT_TRUE(one);
  EXPECT_EQ(one->bankers, 1);
  EXPECT_EQ(one->states[7], NumberState::Banker);
  EXPECT_EQ(RowsSummaryLine(*one),
            "Getestet wurden 3 Reihen aus jeweils 5 Zahlen, die aus einem 13er Zahlenpool - darunter eine Bankzahl - "
            "gebildet wurden.");

  // A repeated item counts again but does not make 7 less of a banker, nor 1 more of one.
  const auto repeated = ParseRowText("7,7,1,2,3\n7,1,4,5,6");
  ASSERT_TRUE(repeated);
  EXPECT_EQ(repeated->counts[7], 3);
  EXPECT_EQ(repeated->states[7], NumberState::Banker);
  EXPECT_EQ(repeated->states[1], NumberState::Banker);
  EXPECT_EQ(repeated->bankers, 2);
  EXPECT_NE(RowsSummaryLine(*repeated).find(" - darunter zwei Bankzahlen - gebildet"), std::string::npos);

  const auto three = ParseRowText("1,2,3,4\n1,2,3,5");
  ASSERT_TRUE(three);
  EXPECT_EQ(RowsSummaryLine(*three),
            "Getestet wurden 2 Reihen aus jeweils 4 Zahlen, die aus einem 5er Zahlenpool gebildet wurden.");
}

TEST(ParseRowText, RefusesWhatIsNoRow) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "Das Textfeld ist leer. Es gibt nichts zu testen.\r\rIch breche erst einmal ab."},
      {" \r\n\t ", "Das Textfeld ist leer. Es gibt nichts zu testen.\r\rIch breche erst einmal ab."},
      {"(),()", "Im Textfeld stehen keine Tippreihen.\r\rIch breche erst einmal ab."},
      {"1,2,3\n4,51,6", "In Zeile 2 ist \"51\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"0,2,3", "In Zeile 1 ist \"0\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"1,2,-3", "In Zeile 1 ist \"-3\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"1;2;3", "In Zeile 1 ist \"1;2;3\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"1,2,3\n\n4,5,sechs", "In Zeile 2 ist \"sechs\" keine Zahl von 1 bis 50.\r\rIch breche erst einmal ab."},
      {"1,2,99999999999999999999999999", "In Zeile 1 ist \"99999999999999999999...\" keine Zahl von 1 bis 50.\r\r"
                                         "Ich breche erst einmal ab."},
      {"1,2,3\n,,,4", "In Zeile 2 steht keine Tippzahl.\r\rIch breche erst einmal ab."},
      {",,,\n1,2", "In Zeile 1 steht keine Tippzahl.\r\rIch breche erst einmal ab."},
  };
  for (const auto& c : cases) {
    const auto p = ParseRowText(c.text);
    ASSERT_FALSE(p) << c.text;
    EXPECT_EQ(p.error().message, c.message) << c.text;
  }
}

TEST(Combinations, LexicographicByPoolIndex) {
  const auto list = Combinations({1, 2, 3, 4, 5, 6}, 3);
  ASSERT_EQ(list.size(), 20u);
  EXPECT_EQ(list[0], Set({1, 2, 3}));
  EXPECT_EQ(list[1], Set({1, 2, 4}));
  EXPECT_EQ(list[2], Set({1, 2, 5}));
  EXPECT_EQ(list[3], Set({1, 2, 6}));
  EXPECT_EQ(list[4], Set({1, 3, 4}));
  EXPECT_EQ(list.back(), Set({4, 5, 6}));

  const std::vector<int> pool = {3, 9, 17, 22, 30, 41, 50};
  for (int k = 2; k <= 5; ++k) {
    const auto l = Combinations(pool, k);
    EXPECT_EQ(static_cast<std::int64_t>(l.size()), binomial(7, k));
    for (std::size_t j = 1; j < l.size(); ++j) {
      EXPECT_LT(Numbers(l[j - 1]), Numbers(l[j])) << k << " " << j;
      EXPECT_EQ(std::popcount(l[j]), k);
    }
  }
  EXPECT_TRUE(Combinations(pool, 1).empty());
  EXPECT_TRUE(Combinations(pool, 6).empty());
  EXPECT_TRUE(Combinations({1, 2, 3}, 4).empty());
}

TEST(StepSize, Table) {
  const std::pair<std::int64_t, std::int64_t> cases[] = {
      {-1, 1},         {0, 1},           {999, 1},          {1000, 2},         {1999, 2},
      {2000, 10},      {9999, 10},       {10000, 100},      {499999, 100},     {500000, 5000},
      {999999, 5000},  {1000000, 10000}, {1499999, 10000},  {1500000, 20000},  {2118759, 20000}};
  for (const auto& [n, step] : cases) EXPECT_EQ(StepSize(n), step) << n;
}

TEST(AnalyseRowText, FullSystemOfSixNumbers) {
  const auto five = AnalyseRowText(kFullSystemOfSix, 5, CheckMode::Guarantee);
  ASSERT_TRUE(five) << five.error().message;
  EXPECT_TRUE(five->confirmed);
  EXPECT_EQ(five->combinations, 6);
  EXPECT_EQ(five->summary[0],
            "Getestet wurden 6 Reihen aus jeweils 5 Zahlen, die aus einem 6er Zahlenpool ohne Bankzahl gebildet wurden.");
  EXPECT_EQ(five->summary[1], "Theoretisch können aus 6 Zahlen 6 Fünfer-Kombinationen gebildet werden.");
  EXPECT_EQ(five->summary[2], "Für 6 mögliche 5er-Kombinationen aus 6 Tippzahlen wird die Garantie für 5 Treffer bestätigt.");

  const auto four = AnalyseRowText(kFullSystemOfSix, 4, CheckMode::Guarantee);
  ASSERT_TRUE(four);
  EXPECT_EQ(four->summary[1], "Theoretisch können aus 6 Zahlen 15 Vierer-Kombinationen gebildet werden.");
  EXPECT_EQ(four->summary[2], "Für 15 mögliche 4er-Kombinationen aus 6 Tippzahlen wird die Garantie für 4 Treffer bestätigt.");

  const auto total = AnalyseRowText(kFullSystemOfSix, 5, CheckMode::Total);
  ASSERT_TRUE(total);
  EXPECT_EQ(total->histogram, (HitHistogram{0, 0, 0, 0, 0, 6}));
  EXPECT_EQ(total->summary[2],
            "Die Tippreihen garantieren fünf Treffer. Wegen der Trefferdetails wird auf die Tabelle links verwiesen.");
}

TEST(AnalyseRowText, ExampleRows) {
  const auto g = AnalyseRowText(kBracketForm, 3, CheckMode::Guarantee);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->combinations, 364);
  EXPECT_EQ(g->summary[1], "Theoretisch können aus 14 Zahlen 364 Dreier-Kombinationen gebildet werden.");
  // Six rows hold 60 triples, two of them twice ({4,5,9} and {7,11,14}).
  EXPECT_FALSE(g->confirmed);
  EXPECT_EQ(g->uncovered, 364 - 58);
  EXPECT_EQ(g->summary[2], "Der Garantietest verlief negativ. 306 mögliche 3er-Kombinationen werden nicht vollständig abgedeckt.");

  const auto t = AnalyseRowText(kLineForm, 2, CheckMode::Total);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->summary[1], "Theoretisch können aus 14 Zahlen 91 Zweier-Kombinationen gebildet werden.");
  EXPECT_EQ(t->histogram[0] + t->histogram[1] + t->histogram[2], 91);
  EXPECT_EQ(t->histogram[0], 0);  // every pool number is in some row
  EXPECT_EQ(t->summary[2],
            "Bei jeder Gewinnreihe bringen die Tippreihen mindestens einen Treffer. Wegen der Trefferdetails wird auf "
            "die Tabelle links verwiesen.");
}

TEST(AnalyseRowText, RefusesDepthAndTooSmallPool) {
  const auto small = AnalyseRowText("1,2,3\n2,3,4", 5, CheckMode::Guarantee);
  ASSERT_FALSE(small);
  EXPECT_EQ(small.error().message,
            "Aus 4 Zahlen lassen sich keine 5er-Kombinationen bilden. Der Zahlenpool muss mindestens 5 Zahlen "
            "umfassen.\r\rIch breche erst einmal ab.");
  EXPECT_TRUE(AnalyseRowText("1,2,3,4\n2,3,4,5", 5, CheckMode::Total));
  for (int k : {1, 6}) {
    const auto bad = AnalyseRowText(kLineForm, k, CheckMode::Guarantee);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().message, "Die Prüftiefe muss zwischen 2 und 5 Treffern liegen.\r\rIch breche erst einmal ab.");
  }
  EXPECT_EQ(AnalyseRowText("", 3, CheckMode::Guarantee).error().message, kEmptyRowTextMessage);
}

TEST(Verdicts, TotalCheckNamesTheGuaranteedMinimum) {
  const std::pair<HitHistogram, const char*> cases[] = {
      {{1, 3, 0, 0, 0, 0}, "Es gibt eine Gewinnreihe ohne einen Treffer."},
      {{2, 3, 0, 0, 0, 0}, "Es gibt Gewinnreihen ohne einen Treffer."},
      {{0, 3, 1, 0, 0, 0}, "Bei jeder Gewinnreihe bringen die Tippreihen mindestens einen Treffer."},
      {{0, 0, 5, 1, 0, 0}, "Die Tippreihen garantieren mindestens zwei Treffer."},
      {{0, 0, 0, 5, 1, 0}, "Die Tippreihen garantieren mindestens drei Treffer."},
      {{0, 0, 0, 0, 5, 1}, "Die Tippreihen garantieren mindestens vier Treffer."},
      {{0, 0, 0, 0, 0, 1}, "Die Tippreihen garantieren fünf Treffer."},
  };
  for (const auto& [h, first] : cases)
    EXPECT_EQ(TotalVerdict(h), std::string(first) + " Wegen der Trefferdetails wird auf die Tabelle links verwiesen.");

  // A combination that meets no row at all, through the cores themselves.
  const std::vector<NumberMask> rows = {Set({1, 2})};
  const auto combos = Combinations({1, 2, 3, 4}, 2);
  for (const auto& t : {TotalCheck(rows, combos), TotalCheckDirect(rows, combos)})
    EXPECT_EQ(t.histogram, (HitHistogram{1, 4, 1, 0, 0, 0}));
}

TEST(Verdicts, SummaryExampleOfTenNumbers) {
  ParsedRows p;
  p.rows.assign(14, Set({1, 2, 3, 4, 5}));
  p.rowLength = 5;
  p.pool = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(RowsSummaryLine(p),
            "Getestet wurden 14 Reihen aus jeweils 5 Zahlen, die aus einem 10er Zahlenpool ohne Bankzahl gebildet wurden.");
  EXPECT_EQ(CombinationsSummaryLine(10, 252, 5), "Theoretisch können aus 10 Zahlen 252 Fünfer-Kombinationen gebildet werden.");
  // Large counts read as German numbers.
  EXPECT_EQ(CombinationsSummaryLine(50, 2118760, 5),
            "Theoretisch können aus 50 Zahlen 2.118.760 Fünfer-Kombinationen gebildet werden.");
  EXPECT_EQ(GuaranteeVerdict(11756, 19600, 3, 50),
            "Der Garantietest verlief negativ. 11.756 mögliche 3er-Kombinationen werden nicht vollständig abgedeckt.");
}

// Fast and direct cores: same results and the same hook calls, on random rows from small pools.
TEST(Cores, FastMatchesDirectOnRandomInput) {
  std::mt19937 rng(20261210);
  for (int round = 0; round < 400; ++round) {
    const int poolSize = 2 + static_cast<int>(rng() % 13);
    std::vector<int> numbers(50);
    for (int i = 0; i < 50; ++i) numbers[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(numbers.begin(), numbers.end(), rng);
    std::vector<int> pool(numbers.begin(), numbers.begin() + poolSize);
    std::sort(pool.begin(), pool.end());

    std::vector<NumberMask> rows(rng() % 12);
    for (auto& r : rows) {
      const int length = 1 + static_cast<int>(rng() % (round % 7 == 0 ? 20 : 5));
      // Mostly pool numbers, sometimes others, which must not matter.
      for (int i = 0; i < length; ++i)
        r |= NumberBit(rng() % 5 == 0 ? 1 + static_cast<int>(rng() % 50) : pool[rng() % pool.size()]);
    }
    for (int k = 2; k <= 5; ++k) {
      const auto combos = Combinations(pool, k);
      std::vector<std::int64_t> fastCalls, directCalls;
      const auto fastHook = [&](std::int64_t j) { fastCalls.push_back(j); return false; };
      const auto directHook = [&](std::int64_t j) { directCalls.push_back(j); return false; };
      EXPECT_EQ(GuaranteeCheck(rows, combos, k, fastHook), GuaranteeCheckDirect(rows, combos, k, directHook))
          << round << " " << k;
      EXPECT_EQ(fastCalls, directCalls);
      const auto step = static_cast<std::size_t>(StepSize(static_cast<std::int64_t>(combos.size()) - 1));
      EXPECT_EQ(fastCalls.size(), (combos.size() + step - 1) / step);
      EXPECT_EQ(TotalCheck(rows, combos), TotalCheckDirect(rows, combos)) << round << " " << k;
    }
  }
}

TEST(Cores, ArbitraryCombinationListsFallBackToTheSameResult) {
  // Mixed sizes and numbers outside 1..50: no marking possible, the answer must still agree.
  const std::vector<NumberMask> rows = {Set({1, 2, 3}), Set({0, 63, 5}), ~NumberMask{0}};
  const std::vector<NumberMask> combos = {Set({1, 2}), Set({1, 2, 3, 4}), Set({63}), Set({0, 5, 63}), 0};
  for (int k : {0, 1, 2, 3, 6}) EXPECT_EQ(GuaranteeCheck(rows, combos, k), GuaranteeCheckDirect(rows, combos, k)) << k;
  EXPECT_EQ(TotalCheck(rows, combos), TotalCheckDirect(rows, combos));
  EXPECT_EQ(TotalCheck({}, combos), TotalCheckDirect({}, combos));
  EXPECT_EQ(GuaranteeCheck({}, Combinations({1, 2, 3}, 2), 2).uncovered, 3);
}

TEST(Cores, StopTakesEffectAtTheReportWhereTheHookSaysSo) {
  // 20 numbers, depth 5: 15,504 combinations, a report every 100.
  std::vector<int> pool;
  for (int n = 1; n <= 20; ++n) pool.push_back(n);
  const auto combos = Combinations(pool, 5);
  ASSERT_EQ(combos.size(), 15504u);
  const std::vector<NumberMask> rows = {Set({1, 2, 3, 4, 5}), Set({6, 7, 8, 9, 10})};

  using Run = std::function<bool(const ProgressHook&)>;
  const std::pair<const char*, Run> runs[] = {
      {"fast guarantee", [&](const ProgressHook& h) { return GuaranteeCheck(rows, combos, 5, h).stopped; }},
      {"direct guarantee", [&](const ProgressHook& h) { return GuaranteeCheckDirect(rows, combos, 5, h).stopped; }},
      {"fast total", [&](const ProgressHook& h) { return TotalCheck(rows, combos, h).stopped; }},
      {"direct total", [&](const ProgressHook& h) { return TotalCheckDirect(rows, combos, h).stopped; }},
  };
  for (const auto& [name, run] : runs) {
    std::vector<std::int64_t> calls;
    bool stopRequest = false;
    const bool stopped = run([&](std::int64_t j) {
      calls.push_back(j);
      if (stopRequest) return true;
      if (j == 300) stopRequest = true;  // the user clicks while events are let through at 300
      return false;
    });
    EXPECT_TRUE(stopped) << name;
    EXPECT_EQ(calls, (std::vector<std::int64_t>{0, 100, 200, 300, 400})) << name;

    calls.clear();
    EXPECT_FALSE(run([&](std::int64_t j) { calls.push_back(j); return false; })) << name;
    ASSERT_EQ(calls.size(), 156u) << name;
    EXPECT_EQ(calls.back(), 15500) << name;
  }

  // A stopped analysis leaves no summary; the next one runs normally.
  const auto stopped = AnalyseRowText(kFullSystemOfSix, 4, CheckMode::Total, [](std::int64_t) { return true; });
  ASSERT_TRUE(stopped);
  EXPECT_TRUE(stopped->stopped);
  EXPECT_EQ(stopped->summary, (std::array<std::string, 3>{}));
  EXPECT_EQ(stopped->histogram, HitHistogram{});
  const auto again = AnalyseRowText(kFullSystemOfSix, 4, CheckMode::Total, [](std::int64_t) { return false; });
  ASSERT_TRUE(again);
  EXPECT_FALSE(again->stopped);
  EXPECT_EQ(again->histogram, (HitHistogram{0, 0, 0, 0, 15, 0}));
}

TEST(RowTextOfSlip, MainNumbersInStoredOrder) {
  std::vector<TSchein> rows(2);
  rows[0].GZ = {3, 12, 25, 38, 47};
  rows[0].SZ = {1, 2};
  rows[1].GZ = {50, 1, 7, 9, 2};
  EXPECT_EQ(RowTextOfSlip(rows), "3,12,25,38,47\n50,1,7,9,2");
  EXPECT_EQ(RowTextOfSlip({}), "");
}

}  // namespace
}  // namespace kw
