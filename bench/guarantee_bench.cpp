// Guarantee and total check of 1,000 random rows over the full 50-number pool at depth 5
// (2,118,760 combinations): the marking cores against the direct loop over every row.
#include <benchmark/benchmark.h>

#include "analysis/row_analysis.h"
#include "bench/bench_data.h"

namespace {

void BM_GuaranteeFast(benchmark::State& state) {
  const kwbench::GuaranteeInput& in = kwbench::ThousandRowsOverAllNumbers();
  for (auto _ : state) benchmark::DoNotOptimize(kw::GuaranteeCheck(in.rows, in.combinations, 5, kwbench::NeverStop()));
}

void BM_GuaranteeDirect(benchmark::State& state) {
  const kwbench::GuaranteeInput& in = kwbench::ThousandRowsOverAllNumbers();
  for (auto _ : state) benchmark::DoNotOptimize(kw::GuaranteeCheckDirect(in.rows, in.combinations, 5, kwbench::NeverStop()));
}

void BM_TotalFast(benchmark::State& state) {
  const kwbench::GuaranteeInput& in = kwbench::ThousandRowsOverAllNumbers();
  for (auto _ : state) benchmark::DoNotOptimize(kw::TotalCheck(in.rows, in.combinations, kwbench::NeverStop()));
}

void BM_TotalDirect(benchmark::State& state) {
  const kwbench::GuaranteeInput& in = kwbench::ThousandRowsOverAllNumbers();
  for (auto _ : state) benchmark::DoNotOptimize(kw::TotalCheckDirect(in.rows, in.combinations, kwbench::NeverStop()));
}

void BM_Combinations(benchmark::State& state) {
  std::vector<int> pool;
  for (int n = 1; n <= 50; ++n) pool.push_back(n);
  for (auto _ : state) benchmark::DoNotOptimize(kw::Combinations(pool, 5).data());
}

}  // namespace

BENCHMARK(BM_GuaranteeFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GuaranteeDirect)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TotalFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TotalDirect)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Combinations)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
