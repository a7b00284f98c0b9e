// The full-system builder after building six tip numbers with three stars.
#include <QPlainTextEdit>
#include <QPushButton>

#include "tools/screenshots/shots.h"
#include "ui/SysTool.h"
#include "ui/window_catalogue.h"

KW_SCREENSHOTS("systool") {
  kw::ui::TFSysTool& window = *kw::shots::Catalogue().fullSystemBuilder();
  window.M1->setPlainText(QStringLiteral("1,2,3,4,5,6,6"));
  window.M2->setPlainText(QStringLiteral("1,2,3"));
  window.BKombisBilden->click();
  return kw::shots::Save(window, outDir + QStringLiteral("/vollsystem.png"));
}
