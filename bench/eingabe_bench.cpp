// The tip entry window's heavy paths at 100,000 rows, each beside the least any program must do
// for the same data: pasted rows checked and placed into the slip grid (core routines plus the
// grid model with its view, and the whole "Übertragen" click), and a slip saved and loaded.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/slip_file.h"
#include "core/tip_text.h"
#include "bench/bench_data.h"
#include "ui/Eingabe.h"
#include "ui/data_store.h"
#include "ui/navigation.h"
#include "ui/message_box.h"
#include "ui/tip_table_model.h"

namespace {

// Seven numbers per line, all valid: the main numbers rotate so that rows differ.
std::string ValidText(std::int64_t lines) {
  std::string text;
  for (std::int64_t i = 0; i < lines; ++i)
    text += std::to_string(1 + i % 45) + ",46,47,48,49," + std::to_string(1 + i % 11) + ",12\r\n";
  return text;
}

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_CheckAndPlaceIntoGrid(benchmark::State& state) {
  const std::string text = ValidText(state.range(0));
  kw::ui::TipTableModel model(26, nullptr);
  model.change([](kw::TextTable& t) { kw::SetUpTipTable(t); });
  QTableView view;
  kw::ui::ShowTipTable(&view, &model, 18);
  view.resize(240, 320);
  for (auto _ : state) {
    std::vector<std::string> lines = kw::SplitTipLines(text);
    const auto parse = kw::ParseTipText(lines, true, [](const std::string&) { return kw::BlanksDecision::Cancel; });
    if (parse.status != kw::TipParse::Status::Ok) state.SkipWithError("rows refused");
    model.change([&](kw::TextTable& t) { kw::PlaceTipRows(parse.rows, t, false); });
    benchmark::DoNotOptimize(model.rowCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole click: text field to slip grid, as the user does it.
void BM_TransferClick(benchmark::State& state) {
  // A data store on a folder nobody reads: the window only needs it for its dialogs' folder.
  kw::ui::DataStore store((std::filesystem::temp_directory_path() / "kw_eingabe_bench").string());
  kw::ui::CommandRegistry commands;
  kw::ui::TFEingabe window(kw::ui::WindowContext{store, commands});
  window.M1->setPlainText(QString::fromStdString(ValidText(state.range(0))));
  for (auto _ : state) {
    window.BTransferClick();
    benchmark::DoNotOptimize(window.slipModel()->rowCount());
  }
  if (!kw::ui::MessageBox::shown().empty()) state.SkipWithError("the transfer gave a message");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reference: cut lines and fields and convert each number, nothing checked, nothing shown.
void BM_PlainParseReference(benchmark::State& state) {
  const std::string text = ValidText(state.range(0));
  for (auto _ : state) {
    const auto rows = kwbench::PlainParse(text);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SlipSaveAndLoad(benchmark::State& state) {
  const std::string path = TempPath("kw_eingabe_bench.emt");
  kw::ui::TipTableModel slip(26, nullptr);
  std::vector<std::string> lines = kw::SplitTipLines(ValidText(state.range(0)));
  const auto parse = kw::ParseTipText(lines, false, {});
  slip.change([&](kw::TextTable& t) {
    kw::SetUpTipTable(t);
    kw::PlaceTipRows(parse.rows, t, false);
  });
  kw::ui::TipTableModel opened(25, nullptr);
  QTableView view;
  kw::ui::ShowTipTable(&view, &opened, 16);
  for (auto _ : state) {
    if (!kw::SaveSlipFile(slip.table(), path)) state.SkipWithError("save failed");
    kw::Result<void> loaded;
    opened.change([&](kw::TextTable& t) { loaded = kw::LoadSlipFile(t, path); });
    if (!loaded || opened.rowCount() != state.range(0)) state.SkipWithError("load failed");
  }
  std::filesystem::remove(path);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reference: the same bytes written and read back with stdio, no table on either side.
void BM_RawBytesReference(benchmark::State& state) {
  const std::string path = TempPath("kw_eingabe_bench.raw");
  const std::vector<unsigned char> bytes(static_cast<std::size_t>(state.range(0)) * 7, 9);
  std::vector<unsigned char> back(bytes.size());
  for (auto _ : state) {
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    FILE* in = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(back.data(), 1, back.size(), in));
    std::fclose(in);
  }
  std::filesystem::remove(path);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_CheckAndPlaceIntoGrid)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferClick)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainParseReference)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlipSaveAndLoad)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawBytesReference)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kw::ui::MessageBox::setTestMode(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
