// Tip text parsing against a plain split-and-strtol of the same text: the ratio should stay
// constant as the text grows, i.e. the parse is linear in the number of lines.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "core/slip_file.h"
#include "core/tip_text.h"
#include "bench/bench_data.h"

namespace {

std::string Text(std::int64_t lines, bool messy) {
  std::string text;
  for (std::int64_t i = 0; i < lines; ++i)
    text += std::to_string(1 + i % 45) + (messy ? " ; 46  47 48,, 49 , 50,3 ;7\r\n" : ",46,47,48,49,50,3,7\r\n");
  return text;
}

void BM_ParseTipText(benchmark::State& state, bool check) {
  const std::string text = Text(state.range(0), check);
  for (auto _ : state) {
    std::vector<std::string> lines = kw::SplitTipLines(text);
    auto p = kw::ParseTipText(lines, check, [](const std::string&) { return kw::BlanksDecision::Separators; });
    benchmark::DoNotOptimize(p.rows.data());
  }
  state.SetComplexityN(state.range(0));
}

// The least any parser must do: cut lines and fields and convert each number.
void BM_PlainReference(benchmark::State& state) {
  const std::string text = Text(state.range(0), false);
  for (auto _ : state) {
    const auto rows = kwbench::PlainParse(text);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetComplexityN(state.range(0));
}

void BM_PlaceTipRows(benchmark::State& state) {
  std::vector<kw::TipRow> rows(static_cast<std::size_t>(state.range(0)), kw::TipRow{9, 3, 50, 1, 22, 12, 4});
  for (auto _ : state) {
    kw::TextTable table;
    kw::SetUpTipTable(table);
    kw::PlaceTipRows(rows, table, false);
    benchmark::DoNotOptimize(table.rowCount());
  }
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK_CAPTURE(BM_ParseTipText, unchecked, false)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK_CAPTURE(BM_ParseTipText, checked_and_tidied, true)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK(BM_PlainReference)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK(BM_PlaceTipRows)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK_MAIN();
