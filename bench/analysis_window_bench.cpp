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
#include <stdexcept>

#include "analysis/row_analysis.h"
#include "bench/bench_data.h"
#include "ui/SysTest.h"
#include "ui/data_store.h"
#include "ui/message_box.h"
#include "ui/navigation.h"

namespace {

void BM_GuaranteeCore(benchmark::State& state) {
  const kwbench::GuaranteeInput& in = kwbench::ThousandRowsOverAllNumbers();
  for (auto _ : state) benchmark::DoNotOptimize(kw::GuaranteeCheck(in.rows, in.combinations, 5, kwbench::NeverStop()));
}
BENCHMARK(BM_GuaranteeCore)->Unit(benchmark::kMillisecond);

void BM_GuaranteeWindow(benchmark::State& state) {
  const kwbench::GuaranteeInput& in = kwbench::ThousandRowsOverAllNumbers();
  QTemporaryDir folder;
  kw::ui::DataStore store(folder.path().toStdString() + "/");
  kw::ui::CommandRegistry commands;
  kw::ui::TFSysTest window(kw::ui::WindowContext{store, commands});
  window.show();
  window.Spin2->setValue(5);
  window.rg1Buttons->button(0)->setChecked(true);
  for (auto _ : state) {
    state.PauseTiming();
    window.M1->setPlainText(QString::fromStdString(in.text));
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
