// A result page for 10,000 tip rows over the whole real history (about 1.5 million result rows):
// evaluating, putting the table on the page and painting its first and last screenful, beside
// the evaluation alone. The difference is what the page costs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <array>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/dates.h"
#include "core/game_rules.h"
#include "evaluation/evaluation.h"
#include "ui/Frame2.h"

namespace {

std::string DataDir() {
  const char* env = std::getenv("KW_SHARED_DATA_DIR");
  return env && *env ? env : KW_SHARED_DATA_DIR;
}

struct Data {
  kw::AppState state;
  std::vector<kw::TSM> tips;
};

Data& LoadData() {
  static Data data = [] {
    Data d;
    std::ifstream in(DataDir() + "/draws.csv");
    if (!in) throw std::runtime_error("cannot read draws.csv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
      std::stringstream ss(line);
      std::string field;
      std::vector<std::string> f;
      while (std::getline(ss, field, ';')) f.push_back(field);
      if (f.size() < 8) continue;
      kw::TGewZahlen g;
      g.datum = kw::ParseDateText(f[0]).value_or(0);
      for (std::size_t i = 0; i < 5; ++i) g.GZ[i] = static_cast<std::uint8_t>(std::stoi(f[1 + i]));
      for (std::size_t i = 0; i < 2; ++i) g.SZ[i] = static_cast<std::uint8_t>(std::stoi(f[6 + i]));
      d.state.Draws.push_back(g);
    }
    std::mt19937 rng(20240318u);
    for (int r = 0; r < 10000; ++r) {
      kw::TSchein t;
      std::array<bool, 51> used{};
      for (auto& n : t.GZ) {
        do n = static_cast<std::uint8_t>(1 + rng() % 50); while (used[n]);
        used[n] = true;
      }
      t.SZ[0] = static_cast<std::uint8_t>(1 + rng() % 12);
      do t.SZ[1] = static_cast<std::uint8_t>(1 + rng() % 12); while (t.SZ[1] == t.SZ[0]);
      d.tips.push_back(kw::RowToSets(t));
    }
    return d;
  }();
  return data;
}

kw::EvalTable Evaluate() {
  Data& d = LoadData();
  if (!kw::CheckPeriod(d.state, {0, static_cast<int>(d.state.Draws.size()) - 1, true}))
    throw std::runtime_error("period refused");
  d.state.TipSets.assign(1, d.tips);
  return kw::EvaluateRows(d.state, {"Zufall"});
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
