// Building a full system of about 100,000 rows (the most the builder writes at once), in the
// core and through the window into its list, each beside a plain reference that only copies
// the finished lines.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "analysis/full_system.h"

#if __has_include(<QPlainTextEdit>)
#define KW_BENCH_WINDOW 1
#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>

#include "ui/SysTool.h"
#include "ui/message_box.h"
#endif

namespace {

std::string Range(int from, int to) {
  std::string out;
  for (int n = from; n <= to; ++n) out += (out.empty() ? "" : ",") + std::to_string(n);
  return out;
}

struct Input {
  const char* name;
  int tips;
  int stars;
};
// 28 numbers without stars: 98,280 rows; 14 numbers with 10 stars: 2,002 x 45 = 90,090 rows.
const Input kInputs[] = {{"28 Tippzahlen", 28, 0}, {"14 Tippzahlen, 10 Sterne", 14, 10}};

kw::FullSystemPlan PlanOf(const Input& in) {
  return *kw::PlanFullSystem(Range(1, in.tips), in.stars ? Range(1, in.stars) : "");
}

void BM_CoreBuild(benchmark::State& state) {
  const kw::FullSystemPlan plan = PlanOf(kInputs[state.range(0)]);
  for (auto _ : state) {
    auto rows = kw::BuildFullSystem(plan);
    benchmark::DoNotOptimize(rows->text.data());
  }
  state.SetItemsProcessed(state.iterations() * plan.total);
  state.SetLabel(kInputs[state.range(0)].name);
}
BENCHMARK(BM_CoreBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Reference: the same lines, already made, only joined.
void BM_CoreReferenceJoin(benchmark::State& state) {
  const kw::FullSystemPlan plan = PlanOf(kInputs[state.range(0)]);
  const std::string text = kw::BuildFullSystem(plan)->text;
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (auto _ : state) {
    std::string joined;
    joined.reserve(text.size() + 1);
    for (const std::string& line : lines) {
      joined += line;
      joined.push_back('\n');
    }
    benchmark::DoNotOptimize(joined.data());
  }
  state.SetItemsProcessed(state.iterations() * plan.total);
  state.SetLabel(kInputs[state.range(0)].name);
}
BENCHMARK(BM_CoreReferenceJoin)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#ifdef KW_BENCH_WINDOW
// The whole click: reading both fields, building, and filling the shown list.
void BM_WindowBuild(benchmark::State& state) {
  const Input& in = kInputs[state.range(0)];
  kw::ui::TFSysTool window;
  window.show();
  window.M1->setPlainText(QString::fromStdString(Range(1, in.tips)));
  window.M2->setPlainText(in.stars ? QString::fromStdString(Range(1, in.stars)) : QString());
  for (auto _ : state) {
    if (!in.stars) kw::ui::MessageBox::setNextAnswer(kw::ui::MessageBox::Yes);
    window.BKombisBildenClick();
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * window.Rows->lines());
  state.SetLabel(in.name);
}
BENCHMARK(BM_WindowBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Reference: the finished text put into a shown plain-text field.
void BM_WindowReferenceSetText(benchmark::State& state) {
  const Input& in = kInputs[state.range(0)];
  const QString text = QString::fromStdString(kw::BuildFullSystem(PlanOf(in))->text);
  QPlainTextEdit field;
  field.setReadOnly(true);
  field.resize(250, 300);
  field.show();
  for (auto _ : state) {
    field.setPlainText(text);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * field.document()->blockCount());
  state.SetLabel(in.name);
}
BENCHMARK(BM_WindowReferenceSetText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef KW_BENCH_WINDOW
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kw::ui::MessageBox::setTestMode(true);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
