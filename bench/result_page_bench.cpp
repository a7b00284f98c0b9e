// A result page for 10,000 tip rows over the whole real history (about 1.5 million result rows):
// evaluating, putting the table on the page and painting its first and last screenful, beside
// the evaluation alone. The difference is what the page costs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/dates.h"
#include "core/game_rules.h"
#include "evaluation/evaluation.h"
#include "ui/Frame2.h"
#include "bench/bench_data.h"

namespace {

struct Data {
  kw::DataSet state;
  std::vector<kw::TSchein> tips;
};

const Data& LoadData() {
  static const Data data{kwbench::RealHistory(false), kwbench::RandomTips(10000, 20240318u)};
  return data;
}

kw::EvalTable Evaluate() {
  const Data& d = LoadData();
  auto result = kw::Evaluate({d.state.Draws, d.state.Quotas, {0, static_cast<int>(d.state.Draws.size()) - 1, true},
                              {{"Zufall", d.tips}}, 1});
  if (!result) throw std::runtime_error(result.error().message);
  return std::move(result->table);
}

void BM_EvaluateOnly(benchmark::State& state) {
  for (auto _ : state) {
    kw::EvalTable table = Evaluate();
    benchmark::DoNotOptimize(table.rowCount());
  }
}
BENCHMARK(BM_EvaluateOnly)->Unit(benchmark::kMillisecond);

void BM_EvaluateAndShowPage(benchmark::State& state) {
  int rows = 0;
  for (auto _ : state) {
    kw::ui::TFrFrame2 page(1, nullptr);
    page.resize(480, 600);
    page.show();
    page.showResult(Evaluate(), QStringLiteral("Auswertung"));
    QApplication::processEvents();
    benchmark::DoNotOptimize(page.GA1->viewport()->grab());
    page.GA1->verticalScrollBar()->setValue(page.GA1->verticalScrollBar()->maximum());
    benchmark::DoNotOptimize(page.GA1->viewport()->grab());
    rows = page.GA1->model()->rowCount();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_EvaluateAndShowPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
