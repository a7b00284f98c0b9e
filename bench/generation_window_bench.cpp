// The two generation clicks as the user sees them: "System anwenden" on key 268 (969 rows) in
// the tip centre, with the star pairs, the frequency tiles and the grid painted, and a random
// run of 999 rows in the random generator, shown the same way; each beside a plain reference
// that only fills a vector with the same finished rows.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTableView>
#include <filesystem>
#include <vector>

#include "core/slip_file.h"
#include "generation/random_source.h"
#include "ui/Generator.h"
#include "ui/Tippcenter.h"
#include "ui/data_store.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/tip_table_model.h"

namespace {

std::string BenchFolder() { return (std::filesystem::temp_directory_path() / "kw_generation_window_bench").string(); }

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

std::vector<kw::TSchein> GridRows(const kw::ui::TipTableModel& model) {
  auto rows = kw::SlipRowsOfTable(model.table());
  return rows ? *rows : std::vector<kw::TSchein>{};
}

// 19 chosen numbers, 2 bankers, every star, the list filtered to "2" bankers and 19 chosen
// numbers with key 268 selected.
struct TipCentre {
  kw::ui::DataStore store{BenchFolder()};
  kw::ui::CommandRegistry commands;
  kw::RandomSource random{1};
  kw::ui::TFTippcenter window{kw::ui::WindowContext{store, commands}, random};

  TipCentre() {
    for (int v = 1; v <= 19; ++v) window.lotClick(kw::TipCentreGroup::Chosen, kw::ValueKind::Number, 2 * v);
    window.lotClick(kw::TipCentreGroup::Banker, kw::ValueKind::Number, 1);
    window.lotClick(kw::TipCentreGroup::Banker, kw::ValueKind::Number, 3);
    window.ComboBZ->setCurrentIndex(3);
    window.ComboWZ->setCurrentIndex(19 - 6);
    const QStringList texts = window.systemList()->stringList();
    const int row = static_cast<int>(texts.size()) - 1;  // the full system comes last
    window.L1->selectionModel()->setCurrentIndex(window.systemList()->index(row),
                                                 QItemSelectionModel::ClearAndSelect);
    window.show();
  }
};

void BM_TipCentreApplyKey268Shown(benchmark::State& state) {
  TipCentre tc;
  for (auto _ : state) {
    tc.window.BSysAnwendenClick();
    tc.window.G1->viewport()->repaint();
    benchmark::DoNotOptimize(tc.window.rowsModel()->rowCount());
  }
  if (tc.window.rowsModel()->rowCount() != 969 || !kw::ui::MessageBox::shown().empty())
    state.SkipWithError("key 268 did not give its 969 rows");
  state.SetItemsProcessed(state.iterations() * 969);
}
BENCHMARK(BM_TipCentreApplyKey268Shown)->Unit(benchmark::kMicrosecond);

void BM_TipCentreApplyKey268Reference(benchmark::State& state) {
  TipCentre tc;
  tc.window.BSysAnwendenClick();
  FillReference(state, GridRows(*tc.window.rowsModel()));
}
BENCHMARK(BM_TipCentreApplyKey268Reference)->Unit(benchmark::kMicrosecond);

struct Generator {
  kw::ui::DataStore store{BenchFolder()};
  kw::ui::CommandRegistry commands;
  kw::RandomSource random{1};
  kw::ui::TFGenerator window{kw::ui::WindowContext{store, commands}, random};

  Generator() {
    for (int v = 1; v <= 10; ++v) window.lotClick(kw::GeneratorGroup::Killer, kw::ValueKind::Number, v);
    window.lotClick(kw::GeneratorGroup::Banker, kw::ValueKind::Number, 25);
    for (int v : {30, 31, 32, 33}) window.lotClick(kw::GeneratorGroup::Favourite, kw::ValueKind::Number, v);
    window.lotClick(kw::GeneratorGroup::Favourite, kw::ValueKind::Star, 7);
    window.rg1Buttons->button(6)->setChecked(true);
    window.EReihen->setText(QStringLiteral("999"));
    window.show();
  }
};

void BM_GeneratorRun999Shown(benchmark::State& state) {
  Generator g;
  for (auto _ : state) {
    g.window.BitBtn2Click();
    g.window.G1->viewport()->repaint();
    benchmark::DoNotOptimize(g.window.rowsModel()->rowCount());
  }
  if (g.window.rowsModel()->rowCount() != 999 || !kw::ui::MessageBox::shown().empty())
    state.SkipWithError("the run did not give 999 rows");
  state.SetItemsProcessed(state.iterations() * 999);
}
BENCHMARK(BM_GeneratorRun999Shown)->Unit(benchmark::kMicrosecond);

void BM_GeneratorRun999Reference(benchmark::State& state) {
  Generator g;
  g.window.BitBtn2Click();
  FillReference(state, GridRows(*g.window.rowsModel()));
}
BENCHMARK(BM_GeneratorRun999Reference)->Unit(benchmark::kMicrosecond);

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
