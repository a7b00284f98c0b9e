// The main window: as it opens on the real history, at work with two slips and an evaluation
// of the last sixty draws, and a result page with the biggest real jackpot.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/program.h"
#include "core/slip_file.h"
#include "tools/screenshots/shots.h"
#include "ui/Auswertung.h"
#include "ui/data_store.h"
#include "ui/window_catalogue.h"

namespace {

int DrawIndexOf(const std::vector<kw::TGewZahlen>& draws, const char* date) {
  const auto day = kw::ParseDateText(date);
  for (std::size_t i = 0; i < draws.size(); ++i)
    if (day && draws[i].datum == *day) return static_cast<int>(i);
  return -1;
}

}  // namespace

KW_SCREENSHOTS("main") {
  using namespace kw;
  auto& store = shots::Store();
  bool ok = shots::Save(*shots::Catalogue().mainWindow(), outDir + QStringLiteral("/zentrale.png"));

  const std::string demo = store.dataFile(kDemoSlipFileName);
  const std::string friday = store.dataFile("Freitag.emt");
  std::vector<TSchein> rows;
  for (int i = 0; i < 25; ++i) {
    TSchein row;
    for (std::size_t j = 0; j < 5; ++j) row.GZ[j] = static_cast<std::uint8_t>(1 + (i + 9 * static_cast<int>(j)) % 50);
    row.SZ = {static_cast<std::uint8_t>(1 + i % 12), static_cast<std::uint8_t>(1 + (i + 5) % 12)};
    rows.push_back(row);
  }
  if (!SaveSlipRows(rows, friday).ok()) return false;
  {
    ui::TFAuswertung window(shots::Catalogue().context());
    if (!FileExists(demo) || !window.OpenSlipPage(QString::fromStdString(demo))) return false;
    if (!window.OpenSlipPage(QString::fromStdString(friday))) return false;
    window.CBAlle->setChecked(true);
    window.CBbis->setChecked(true);
    window.ComboBox1->setCurrentIndex(window.ComboBox1->count() - 60);
    window.BAuswerten->click();
    window.PC1->setCurrentIndex(0);
    ok &= shots::Save(window, outDir + QStringLiteral("/auswertung-auswertung.png"));
  }

  // 28.03.2025: 250.000.000,00 € for 5+2, with a long slip name and the running total beyond it.
  const std::string jackpot = store.dataFile("Mittwochsrunde Familie Sommer.emt");
  const std::vector<TSchein> tips = {{{10, 21, 30, 42, 45}, {1, 9}}, {{10, 21, 30, 42, 45}, {1, 8}},
                                     {{10, 21, 30, 41, 44}, {1, 9}}, {{3, 21, 30, 42, 44}, {2, 9}}};
  if (!SaveSlipRows(tips, jackpot).ok()) return false;
  const int day = DrawIndexOf(store.draws(), "28.03.2025");
  if (day < 0) return false;
  ui::TFAuswertung window(shots::Catalogue().context());
  window.resize(1060, 720);  // wide enough for every column of the result
  if (!window.OpenSlipPage(QString::fromStdString(jackpot))) return false;
  window.CBAlle->setChecked(false);
  window.CBbis->setChecked(true);
  window.ComboBox1->setCurrentIndex(day - 2);
  window.Combo2->setCurrentIndex(day + 2);
  window.BAuswerten->click();
  ok &= shots::Save(window, outDir + QStringLiteral("/auswertung-jackpot.png"));
  return ok;
}
