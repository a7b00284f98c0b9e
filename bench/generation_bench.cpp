// The two generation clicks below their windows: applying the largest full system (key 268,
// 969 rows) with its star pairs and frequencies, and a random run of 999 rows; each beside a
// plain reference that only fills a vector with the same finished rows.
#include <benchmark/benchmark.h>

#include <vector>

#include "generation/generator.h"
#include "generation/tippcenter.h"

namespace {

kw::TipCentreCore KeyTwoSixtyEightChoice() {
  kw::TipCentreCore core;
  for (int v = 1; v <= 19; ++v) core.toggle(kw::TipCentreGroup::Chosen, kw::ValueKind::Number, v * 2);
  core.toggle(kw::TipCentreGroup::Banker, kw::ValueKind::Number, 1);
  core.toggle(kw::TipCentreGroup::Banker, kw::ValueKind::Number, 3);
  core.selectAll(kw::ValueKind::Star);
  return core;
}

kw::GeneratorCore SteeredGenerator() {
  kw::GeneratorCore core;
  for (int v : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) core.toggle(kw::GeneratorGroup::Killer, kw::ValueKind::Number, v);
  core.toggle(kw::GeneratorGroup::Banker, kw::ValueKind::Number, 25);
  for (int v : {30, 31, 32, 33}) core.toggle(kw::GeneratorGroup::Favourite, kw::ValueKind::Number, v);
  core.toggle(kw::GeneratorGroup::Favourite, kw::ValueKind::Star, 7);
  return core;
}

// Copies the finished rows one by one into a fresh vector: the least any producer must do.
void FillReference(benchmark::State& state, const std::vector<kw::TSchein>& rows) {
  for (auto _ : state) {
    std::vector<kw::TSchein> out;
    out.reserve(rows.size());
    for (const kw::TSchein& row : rows) out.push_back(row);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}

void BM_ApplyKey268(benchmark::State& state) {
  kw::TipCentreCore core = KeyTwoSixtyEightChoice();
  kw::RandomSource random(1);
  std::int64_t rows = 0;
  for (auto _ : state) {
    auto applied = core.apply(268, random);
    benchmark::DoNotOptimize(applied->rows.data());
    benchmark::DoNotOptimize(core.frequencies().count(kw::ValueKind::Number, 2));
    rows = static_cast<std::int64_t>(applied->rows.size());
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ApplyKey268)->Unit(benchmark::kMicrosecond);

void BM_ApplyKey268Reference(benchmark::State& state) {
  kw::TipCentreCore core = KeyTwoSixtyEightChoice();
  kw::RandomSource random(1);
  FillReference(state, core.apply(268, random)->rows);
}
BENCHMARK(BM_ApplyKey268Reference)->Unit(benchmark::kMicrosecond);

void BM_RandomRun999(benchmark::State& state) {
  kw::GeneratorCore core = SteeredGenerator();
  kw::RandomSource random(1);
  for (auto _ : state) {
    auto rows = core.generate(kw::kMaxGeneratedRows, random);
    benchmark::DoNotOptimize(rows->data());
  }
  state.SetItemsProcessed(state.iterations() * kw::kMaxGeneratedRows);
}
BENCHMARK(BM_RandomRun999)->Unit(benchmark::kMicrosecond);

void BM_RandomRun999Reference(benchmark::State& state) {
  kw::GeneratorCore core = SteeredGenerator();
  kw::RandomSource random(1);
  FillReference(state, *core.generate(kw::kMaxGeneratedRows, random));
}
BENCHMARK(BM_RandomRun999Reference)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
