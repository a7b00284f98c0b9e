// The random generator (every page after a steered run of 999 rows), the tip centre (start page,
// a filtered list, the 969 rows of key 268 with their frequencies) and the n-over-k calculator.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTabWidget>

#include "tools/screenshots/shots.h"
#include "ui/Generator.h"
#include "ui/NueberK.h"
#include "ui/Tippcenter.h"
#include "ui/window_catalogue.h"

KW_SCREENSHOTS("generation") {
  bool ok = true;
  kw::ui::WindowCatalogue& windows = kw::shots::Catalogue();
  {
    using kw::GeneratorGroup;
    using kw::ValueKind;
    kw::ui::TFGenerator& window = *windows.generator();
    for (int v : {3, 8, 13, 17, 22, 29, 36, 41, 44, 50}) window.lotClick(GeneratorGroup::Killer, ValueKind::Number, v);
    for (int s : {1, 12}) window.lotClick(GeneratorGroup::Killer, ValueKind::Star, s);
    for (int v : {7, 19, 33}) window.lotClick(GeneratorGroup::Banker, ValueKind::Number, v);
    window.lotClick(GeneratorGroup::Banker, ValueKind::Star, 5);
    for (int v : {2, 11, 24, 27, 38, 45}) window.lotClick(GeneratorGroup::Favourite, ValueKind::Number, v);
    for (int s : {3, 9}) window.lotClick(GeneratorGroup::Favourite, ValueKind::Star, s);
    window.rg1Buttons->button(6)->setChecked(true);
    window.EReihen->setText(QStringLiteral("999"));
    window.BitBtn2Click();
    const char* names[] = {"generator-start", "generator-quotenkiller", "generator-bankzahlen", "generator-favoriten",
                           "generator-tippreihen"};
    for (int page = 0; page < 5; ++page) {
      window.PC1->setCurrentIndex(page);
      ok &= kw::shots::Save(window, outDir + QStringLiteral("/%1.png").arg(QString::fromLatin1(names[page])));
    }
    window.hide();
  }
  {
    using kw::TipCentreGroup;
    using kw::ValueKind;
    kw::ui::TFTippcenter& window = *windows.tipCentre();
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/tippcenter-start.png"));
    // Key 268: 19 chosen numbers and two bankers, every star chosen.
    for (int v = 1; v <= 19; ++v) window.lotClick(TipCentreGroup::Chosen, ValueKind::Number, 2 * v + 4);
    window.lotClick(TipCentreGroup::Banker, ValueKind::Number, 1);
    window.lotClick(TipCentreGroup::Banker, ValueKind::Number, 3);
    window.lotClick(TipCentreGroup::Chosen, ValueKind::Star, 12);  // chosen at start
    window.lotClick(TipCentreGroup::Banker, ValueKind::Star, 12);
    window.ComboBZ->setCurrentIndex(3);
    window.ComboWZ->setCurrentIndex(19 - 6);
    window.PC1->setCurrentIndex(0);
    const int last = window.systemList()->rowCount() - 1;
    window.L1->selectionModel()->setCurrentIndex(window.systemList()->index(last), QItemSelectionModel::ClearAndSelect);
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/tippcenter-filter.png"));
    window.PC1->setCurrentIndex(1);
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/tippcenter-wahlzahlen.png"));
    window.PC1->setCurrentIndex(2);
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/tippcenter-bankzahlen.png"));
    window.BSysAnwendenClick();
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/tippcenter-tippreihen.png"));
    window.hide();
  }
  {
    kw::ui::TFNueberK& window = *windows.showNOverK();
    window.E1->setText(QStringLiteral("50"));
    window.E2->setText(QStringLiteral("5"));
    window.BitBtn1Click();
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/nueberk.png"));
    window.E1->setText(QStringLiteral("66"));
    window.E2->setText(QStringLiteral("33"));
    window.BitBtn1Click();
    ok &= kw::shots::Save(window, outDir + QStringLiteral("/nueberk-gross.png"));
    window.hide();
  }
  return ok;
}
