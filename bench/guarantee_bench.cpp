// Guarantee and total check of 1,000 random rows over the full 50-number pool at depth 5
// (2,118,760 combinations): the marking cores against the direct loop over every row.
#include <benchmark/benchmark.h>

#include <random>

#include "analysis/row_analysis.h"

namespace {

struct Input {
  std::vector<kw::NumberMask> rows;
  std::vector<kw::NumberMask> combinations;
};

const Input& TheInput() {
  static const Input input = [] {
    Input in;
    std::mt19937 rng(4711);
    std::vector<int> numbers;
    for (int n = 1; n <= 50; ++n) numbers.push_back(n);
    for (int r = 0; r < 1000; ++r) {
      std::shuffle(numbers.begin(), numbers.end(), rng);
      kw::NumberMask row = 0;
      for (int i = 0; i < 5; ++i) row |= kw::NumberBit(numbers[static_cast<std::size_t>(i)]);
      in.rows.push_back(row);
    }
    std::vector<int> pool;
    for (int n = 1; n <= 50; ++n) pool.push_back(n);
    in.combinations = kw::Combinations(pool, 5);
    return in;
  }();
  return input;
}

// The window's hook: one call per report, never stopping.
const kw::ProgressHook kHook = [](std::int64_t j) {
  benchmark::DoNotOptimize(j);
  return false;
};

void BM_GuaranteeFast(benchmark::State& state) {
  const Input& in = TheInput();
  for (auto _ : state) benchmark::DoNotOptimize(kw::GuaranteeCheck(in.rows, in.combinations, 5, kHook));
}

void BM_GuaranteeDirect(benchmark::State& state) {
  const Input& in = TheInput();
  for (auto _ : state) benchmark::DoNotOptimize(kw::GuaranteeCheckDirect(in.rows, in.combinations, 5, kHook));
}

void BM_TotalFast(benchmark::State& state) {
  const Input& in = TheInput();
  for (auto _ : state) benchmark::DoNotOptimize(kw::TotalCheck(in.rows, in.combinations, kHook));
}

void BM_TotalDirect(benchmark::State& state) {
  const Input& in = TheInput();
  for (auto _ : state) benchmark::DoNotOptimize(kw::TotalCheckDirect(in.rows, in.combinations, kHook));
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
