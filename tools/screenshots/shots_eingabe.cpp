// The tip entry window: typed rows, the slip they were placed into, and an opened slip page.
#include <QPlainTextEdit>
#include <QTabWidget>

#include "core/slip_file.h"
#include "core/tip_text.h"
#include "core/program.h"
#include "tools/screenshots/shots.h"
#include "ui/Eingabe.h"
#include "ui/tip_table_model.h"
#include "ui/window_catalogue.h"

KW_SCREENSHOTS("eingabe") {
  bool ok = true;
  kw::ui::TFEingabe& window = *kw::shots::Catalogue().tipEntry();
  window.M1->setPlainText(QStringLiteral("2,7,12,22,38,4,7\n49,17,23,41,5,11,2\n3,9,28,33,45,1,8\n"
                                         "14,19,26,31,50,6,10\n8,16,24,37,42,3,12\n11,21,"));
  std::vector<std::string> lines = {"2,7,12,22,38,4,7", "49,17,23,41,5,11,2", "3,9,28,33,45,1,8",
                                    "14,19,26,31,50,6,10", "8,16,24,37,42,3,12", "1,13,27,35,44,5,9"};
  const auto parse = kw::ParseTipText(lines, true, {});
  window.slipModel()->change([&](kw::TextTable& t) { kw::PlaceTipRows(parse.rows, t, false); });
  ok &= kw::shots::Save(window, outDir + QStringLiteral("/eingabe.png"));

  window.openedSlipModel()->change([&](kw::TextTable& t) { kw::PlaceTipRows(parse.rows, t, false); });
  window.PC1->setCurrentIndex(1);
  ok &= kw::shots::Save(window, outDir + QStringLiteral("/eingabe-spielschein.png"));
  window.PC1->setCurrentIndex(2);
  ok &= kw::shots::Save(window, outDir + QStringLiteral("/eingabe-import.png"));
  window.PC1->setCurrentIndex(3);
  ok &= kw::shots::Save(window, outDir + QStringLiteral("/eingabe-system.png"));
  return ok;
}
