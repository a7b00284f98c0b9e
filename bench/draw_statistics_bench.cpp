// Draw statistics over the real history: frequencies, absences and the descending order,
// each beside the plain way (every draw against every number; absences from the draws' hit
// sets, walking back once per number; the order by scanning the values from the highest down).
// Run with --verify to compare both ways on every period ending at the last draw instead.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "analysis/draw_statistics.h"
#include "bench/bench_data.h"
#include "core/draw_history.h"
#include "core/game_rules.h"

namespace {

using kw::DrawPeriod;
using kw::NumberTables;
using kw::TGewZahlen;

const std::vector<TGewZahlen>& Draws() {
  static const std::vector<TGewZahlen> draws = kwbench::RealHistory(false).Draws;
  return draws;
}

DrawPeriod Whole() { return {0, static_cast<int>(Draws().size()) - 1}; }
// Up to the last draw before star 12 came (26.09.2016): star 12 never comes, so the absences
// walk the whole period.
DrawPeriod BeforeStar12() { return {0, 939}; }

NumberTables PlainFrequencies(const std::vector<TGewZahlen>& draws, DrawPeriod p) {
  NumberTables t;
  for (int i = p.von; i <= p.bis; ++i) {
    const TGewZahlen& d = draws[static_cast<std::size_t>(i)];
    for (int n = 1; n <= 50; ++n)
      for (auto g : d.GZ) t.numbers[static_cast<std::size_t>(n)] += g == n;
    for (int s = 1; s <= 12; ++s)
      for (auto g : d.SZ) t.stars[static_cast<std::size_t>(s)] += g == s;
  }
  return t;
}

bool Has(const std::array<std::uint8_t, 32>& set, int n) {
  return (set[static_cast<std::size_t>(n / 8)] >> (n % 8)) & 1;
}

NumberTables PlainAbsences(const std::vector<TGewZahlen>& draws, DrawPeriod p) {
  std::vector<kw::TSM> sets;
  sets.reserve(static_cast<std::size_t>(p.draws()));
  for (int i = p.von; i <= p.bis; ++i) sets.push_back(kw::RowToSets(draws[static_cast<std::size_t>(i)]));
  auto absence = [&](int n, bool star) {
    for (std::size_t j = sets.size(); j-- > 0;)
      if (Has(star ? sets[j].SZ : sets[j].GZ, n)) return static_cast<std::int32_t>(sets.size() - 1 - j);
    return static_cast<std::int32_t>(sets.size());
  };
  NumberTables t;
  for (int n = 1; n <= 50; ++n) t.numbers[static_cast<std::size_t>(n)] = absence(n, false);
  for (int s = 1; s <= 12; ++s) t.stars[static_cast<std::size_t>(s)] = absence(s, true);
  return t;
}

template <std::size_t N>
std::array<kw::Slot, N - 1> PlainDescending(const std::array<std::int32_t, N>& values) {
  std::array<kw::Slot, N - 1> slots{};
  std::size_t placed = 0;
  std::int32_t m = -1;
  for (std::size_t n = 1; n < N; ++n) m = std::max(m, values[n]);
  for (std::int32_t v = m; placed < N - 1; --v)
    for (std::size_t n = 1; n < N; ++n)
      if (values[n] == v) slots[placed++] = {static_cast<int>(n), v};
  return slots;
}

void BM_Frequencies(benchmark::State& st) {
  for (auto _ : st) benchmark::DoNotOptimize(kw::CountFrequencies(Draws(), Whole()));
  st.counters["draws"] = Whole().draws();
}
BENCHMARK(BM_Frequencies);

void BM_FrequenciesPlain(benchmark::State& st) {
  for (auto _ : st) benchmark::DoNotOptimize(PlainFrequencies(Draws(), Whole()));
}
BENCHMARK(BM_FrequenciesPlain);

void BM_Absences(benchmark::State& st) {
  const DrawPeriod p = st.range(0) ? BeforeStar12() : Whole();
  for (auto _ : st) benchmark::DoNotOptimize(kw::CountAbsences(Draws(), p));
  st.counters["draws"] = p.draws();
}
BENCHMARK(BM_Absences)->ArgName("beforeStar12")->Arg(0)->Arg(1);

void BM_AbsencesPlain(benchmark::State& st) {
  const DrawPeriod p = st.range(0) ? BeforeStar12() : Whole();
  for (auto _ : st) benchmark::DoNotOptimize(PlainAbsences(Draws(), p));
}
BENCHMARK(BM_AbsencesPlain)->ArgName("beforeStar12")->Arg(0)->Arg(1);

// Both groups of the whole history's frequencies and absences.
void BM_OrderDescending(benchmark::State& st) {
  const NumberTables h = kw::CountFrequencies(Draws(), Whole()), a = kw::CountAbsences(Draws(), Whole());
  for (auto _ : st) {
    benchmark::DoNotOptimize(kw::OrderDescending(h.numbers));
    benchmark::DoNotOptimize(kw::OrderDescending(h.stars));
    benchmark::DoNotOptimize(kw::OrderDescending(a.numbers));
    benchmark::DoNotOptimize(kw::OrderDescending(a.stars));
  }
}
BENCHMARK(BM_OrderDescending);

void BM_OrderDescendingPlain(benchmark::State& st) {
  const NumberTables h = kw::CountFrequencies(Draws(), Whole()), a = kw::CountAbsences(Draws(), Whole());
  for (auto _ : st) {
    benchmark::DoNotOptimize(PlainDescending(h.numbers));
    benchmark::DoNotOptimize(PlainDescending(h.stars));
    benchmark::DoNotOptimize(PlainDescending(a.numbers));
    benchmark::DoNotOptimize(PlainDescending(a.stars));
  }
}
BENCHMARK(BM_OrderDescendingPlain);

// The check that every draw of the period is complete, beside the history's own draw check.
void BM_CheckPeriod(benchmark::State& st) {
  for (auto _ : st) benchmark::DoNotOptimize(kw::CheckStatisticsPeriod(Draws(), 0, Whole().bis));
}
BENCHMARK(BM_CheckPeriod);

void BM_CheckPeriodPlain(benchmark::State& st) {
  for (auto _ : st) {
    bool complete = true;
    for (const TGewZahlen& d : Draws()) complete = complete && kw::IsCompleteDraw(d);
    benchmark::DoNotOptimize(complete);
  }
}
BENCHMARK(BM_CheckPeriodPlain);

// What one click on "Auswertung starten" costs over the whole history, heading included.
void BM_EvaluateStatistics(benchmark::State& st) {
  const auto order = static_cast<kw::StatisticsOrder>(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(kw::EvaluateStatistics(Draws(), 0, Whole().bis, order));
}
BENCHMARK(BM_EvaluateStatistics)->ArgName("order")->Arg(0)->Arg(1)->Arg(2);

int Verify() {
  const int last = Whole().bis;
  for (int von = 0; von < last; ++von) {
    const DrawPeriod p{von, last};
    const NumberTables h = kw::CountFrequencies(Draws(), p), a = kw::CountAbsences(Draws(), p);
    bool same = h == PlainFrequencies(Draws(), p) && a == PlainAbsences(Draws(), p);
    for (const NumberTables* t : {&h, &a})
      same = same && kw::OrderDescending(t->numbers) == PlainDescending(t->numbers) &&
             kw::OrderDescending(t->stars) == PlainDescending(t->stars);
    if (!same) {
      std::printf("period %d..%d differs\n", von, last);
      return 1;
    }
  }
  std::printf("identical: %d periods ending at draw %d\n", last, last);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--verify") == 0) return Verify();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
