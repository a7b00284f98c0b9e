// The guarantee check at depth 5 on 1,000 random rows over all 50 numbers (2,118,760
// combinations), run the way the tip-row analysis window runs it: the rows read from its text
// field, the combinations built, the check beside the window with progress and stop look-ups,
// the summary shown. Beside it the core alone, as guarantee_bench times it. The window should
// stay within twice the core.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QButtonGroup>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>
#include <random>
#include <stdexcept>

#include "analysis/row_analysis.h"
#include "ui/SysTest.h"
#include "ui/data_store.h"
#include "ui/message_box.h"
#include "ui/navigation.h"

namespace {

struct Input {
  std::vector<kw::NumberMask> rows;
  std::vector<kw::NumberMask> combinations;
  QString text;
};

// The rows of guarantee_bench: the same seed, the same shuffles.
const Input& TheInput() {
  static const Input input = [] {
    Input in;
    std::mt19937 rng(4711);
    std::vector<int> numbers;
    for (int n = 1; n <= 50; ++n) numbers.push_back(n);
    for (int r = 0; r < 1000; ++r) {
      std::shuffle(numbers.begin(), numbers.end(), rng);
      kw::NumberMask row = 0;
      for (int i = 0; i < 5; ++i) {
        row |= kw::NumberBit(numbers[static_cast<std::size_t>(i)]);
        in.text += QString::number(numbers[static_cast<std::size_t>(i)]) + (i < 4 ? QStringLiteral(",") : QStringLiteral("\n"));
      }
      in.rows.push_back(row);
    }
    std::vector<int> pool(50);
    for (int n = 1; n <= 50; ++n) pool[static_cast<std::size_t>(n - 1)] = n;
    in.combinations = kw::Combinations(pool, 5);
    return in;
  }();
  return input;
}

const kw::ProgressHook kHook = [](std::int64_t j) {
  benchmark::DoNotOptimize(j);
  return false;
};

void BM_GuaranteeCore(benchmark::State& state) {
  const Input& in = TheInput();
  for (auto _ : state) benchmark::DoNotOptimize(kw::GuaranteeCheck(in.rows, in.combinations, 5, kHook));
}
BENCHMARK(BM_GuaranteeCore)->Unit(benchmark::kMillisecond);

void BM_GuaranteeWindow(benchmark::State& state) {
  const Input& in = TheInput();
  QTemporaryDir folder;
  kw::ui::DataStore store(folder.path().toStdString() + "/");
  kw::ui::CommandRegistry commands;
  kw::ui::TFSysTest window(kw::ui::WindowContext{store, commands});
  window.show();
  window.Spin2->setValue(5);
  window.rg1Buttons->button(0)->setChecked(true);
  for (auto _ : state) {
    state.PauseTiming();
    window.M1->setPlainText(in.text);
    QApplication::processEvents();
    state.ResumeTiming();
    QEventLoop loop;
    QObject::connect(&window, &kw::ui::TFSysTest::testFinished, &loop, &QEventLoop::quit);
    window.BProof->click();
    if (window.testing()) loop.exec();
  }
  if (!window.RE1->toPlainText().contains(QStringLiteral("Garantietest verlief negativ")))
    state.SkipWithError("the window gave no verdict");
}
BENCHMARK(BM_GuaranteeWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kw::ui::MessageBox::setTestMode(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
