// The evaluation over the whole real history with 10,000 tip rows, beside the plain method that
// compares number by number and keeps every row as six texts.
// Run with --verify to compare both results cell by cell instead of timing them.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/dates.h"
#include "core/game_rules.h"
#include "core/quota_store.h"
#include "evaluation/evaluation.h"
#include "bench/bench_data.h"

namespace {

using kw::DataSet;
using Texts = std::array<std::string, 6>;

struct Data {
  DataSet state;
  std::vector<kw::TSchein> tips;
};

const Data& LoadData() {
  static const Data data{kwbench::RealHistory(true), kwbench::RandomTips(10000, 20240318u)};
  return data;
}

const std::vector<std::string> kCaptions = {"Zufall"};

kw::EvalTable RunEngine(const DataSet& s, const std::vector<kw::TSchein>& tips) {
  const int last = static_cast<int>(s.Draws.size()) - 1;
  auto result = kw::Evaluate({s.Draws, s.Quotas, {0, last, true}, {{kCaptions[0], tips}}, 1});
  if (!result) throw std::runtime_error(result.error().message);
  return std::move(result->table);
}

// Number by number, every row kept as its six texts.
std::vector<Texts> RunPlain(const DataSet& s, const std::vector<kw::TSchein>& tips) {
  std::vector<Texts> rows;
  std::int64_t total = 0;
  for (std::size_t d = 0; d < s.Draws.size(); ++d) {
    const kw::TGewZahlen& draw = s.Draws[d];
    const bool current = kw::IsCurrentOrder(draw.datum);
    rows.push_back({kw::DateText(draw.datum), kCaptions[0], "--", "--", "", ""});
    bool won = false;
    for (std::size_t i = 0; i < tips.size(); ++i) {
      int m = 0, st = 0;
      for (auto a : tips[i].GZ)
        for (auto b : draw.GZ) m += a == b;
      for (auto a : tips[i].SZ)
        for (auto b : draw.SZ) st += a == b;
      const int k = kw::PrizeClass(m, st, current);
      if (k == 0) continue;
      if (won) rows.push_back({"", "", "", "", "", ""});
      won = true;
      const std::int64_t cents =
          std::llround(static_cast<double>(kw::QuotaFor(s.Quotas, static_cast<int>(d), k)) * 100.0);
      total += cents;
      Texts& row = rows.back();
      row[2] = std::to_string(i + 1);
      row[3] = std::to_string(k);
      row[4] = kw::FormatEuroCents(cents);
      row[5] = kw::FormatEuroCents(total);
    }
  }
  rows.back()[5] = kw::FormatEuroCents(total);
  return rows;
}

void BM_EvaluateRows(benchmark::State& st) {
  const DataSet& s = LoadData().state;
  const auto& tips = LoadData().tips;
  std::size_t rows = 0;
  for (auto _ : st) {
    const kw::EvalTable table = RunEngine(s, tips);
    rows = static_cast<std::size_t>(table.rowCount());
    benchmark::DoNotOptimize(table.totalCents());
  }
  st.counters["rows"] = static_cast<double>(rows);
  st.counters["pairs/s"] = benchmark::Counter(static_cast<double>(s.Draws.size() * tips.size()),
                                              benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EvaluateRows)->Unit(benchmark::kMillisecond);

void BM_PlainReference(benchmark::State& st) {
  const DataSet& s = LoadData().state;
  const auto& tips = LoadData().tips;
  std::size_t rows = 0;
  for (auto _ : st) {
    const auto table = RunPlain(s, tips);
    rows = table.size() + 1;
    benchmark::DoNotOptimize(table.data());
  }
  st.counters["rows"] = static_cast<double>(rows);
  st.counters["pairs/s"] = benchmark::Counter(static_cast<double>(s.Draws.size() * tips.size()),
                                              benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PlainReference)->Unit(benchmark::kMillisecond);

int Verify() {
  const DataSet& s = LoadData().state;
  const auto& tips = LoadData().tips;
  const kw::EvalTable table = RunEngine(s, tips);
  const auto plain = RunPlain(s, tips);
  if (table.rowCount() != static_cast<int>(plain.size()) + 1) {
    std::printf("row counts differ: %d vs %zu\n", table.rowCount(), plain.size() + 1);
    return 1;
  }
  for (int row = 1; row < table.rowCount(); ++row)
    for (int c = 0; c < 6; ++c)
      if (table.cell(c, row) != plain[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(c)]) {
        std::printf("row %d column %d: \"%s\" vs \"%s\"\n", row, c, table.cell(c, row).c_str(),
                    plain[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(c)].c_str());
        return 1;
      }
  std::printf("identical: %d rows (with header), %zu draws x %zu tip rows, total %s\n", table.rowCount(),
              s.Draws.size(), tips.size(), table.cell(5, table.rowCount() - 1).c_str());
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
