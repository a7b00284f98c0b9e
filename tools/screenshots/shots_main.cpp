// The main window at work: two slips open, an evaluation of the last ten draws on a result page.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "core/file_io.h"
#include "core/slip_file.h"
#include "core/program.h"
#include "tools/screenshots/shots.h"
#include "ui/Auswertung.h"

KW_SCREENSHOTS("main") {
  using namespace kw;
  const std::string demo = App().dataFile(kDemoSlipFileName);
  const std::string friday = App().dataFile("Freitag.emt");
  std::vector<TSchein> rows;
  for (int i = 0; i < 25; ++i) {
    TSchein row;
    for (std::size_t j = 0; j < 5; ++j) row.GZ[j] = static_cast<std::uint8_t>(1 + (i + 9 * static_cast<int>(j)) % 50);
    row.SZ = {static_cast<std::uint8_t>(1 + i % 12), static_cast<std::uint8_t>(1 + (i + 5) % 12)};
    rows.push_back(row);
  }
  if (!SaveSlipRows(rows, friday).ok()) return false;

  ui::TFAuswertung window;
  if (!FileExists(demo) || !window.OpenSlipPage(QString::fromStdString(demo))) return false;
  if (!window.OpenSlipPage(QString::fromStdString(friday))) return false;
  window.CBAlle->setChecked(true);
  window.CBbis->setChecked(true);
  window.ComboBox1->setCurrentIndex(window.ComboBox1->count() - 60);
  window.BAuswerten->click();
  window.PC1->setCurrentIndex(0);
  return kw::shots::Save(window, outDir + QStringLiteral("/auswertung-auswertung.png"));
}
