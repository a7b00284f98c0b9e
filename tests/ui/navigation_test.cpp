#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "ui/Auswertung.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

using kw::ui::Command;
using kw::ui::CommandRegistry;
using kw::ui::Navigation;
using kw::ui::TFAuswertung;

namespace kwtest {
namespace {

class NavigationTest : public UiTest {};

QStringList MenuTexts(QMenu* menu) {
  QStringList texts;
  for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return texts;
}

TEST_F(NavigationTest, MainWindowMenusReadAsDesigned) {
  TFAuswertung w(context());
  const std::vector<std::pair<QString, QStringList>> expected = {
      {QString::fromUtf8("&Datei"),
       Texts({"&Neuer Spielschein", "Spielschein-Datei ö&ffnen...", "Gewinnreihen importieren...", "-", "&Beenden"})},
      {QString::fromUtf8("&Tippreihen bilden"),
       Texts({"&Eingabe", "Zufallsgenerator", "&Tippcenter"})},
      {QString::fromUtf8("&Analyse"),
       Texts({"&Gewinnauswertung", "Gewinnreihen-Statisti&k", "Tippreihen-&Analyse"})},
      {QString::fromUtf8("A&ktualisierung"),
       Texts({"&Allgemeine Aktualisierungsprüfung", "&Manuelle Quotenaktualisierung"})},
      {QString::fromUtf8("T&ools"),
       Texts({"&Kalender", "&n über k", "&Taschenrechner"})},
      {QString::fromUtf8("E&xtras"),
       Texts({"Programm&einstellungen"})},
      {QString::fromUtf8("&Hilfe"),
       Texts({"&Inhalt", "&Hilfe benutzen", "-", "In&fo..."})},
  };
  const auto menus = w.menuBar()->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(menus[static_cast<qsizetype>(i)]->text(), expected[i].first);
    EXPECT_EQ(MenuTexts(menus[static_cast<qsizetype>(i)]->menu()), expected[i].second);
  }
}

TEST_F(NavigationTest, ToolBarHasPictureButtonsWithHints) {
  TFAuswertung& w = *catalogue().mainWindow();  // every window registered, so every button is shown
  w.show();
  auto* bar = w.findChild<QToolBar*>(QStringLiteral("PMenu"));
  ASSERT_NE(bar, nullptr);
  const char* names[] = {"BitBtn7", "BOpen", "BEingabe", "BDruck", "BStatistik", "BGenerator", "BitBtn3", "BSysTest",
                         "BUpdate", "BQuoten", "BKalender", "BNoverK", "BCalc", "BOptionen", "BitBtn2"};
  int previousX = -1;
  for (const char* name : names) {
    auto* button = bar->findChild<QToolButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->size(), QSize(48, 38)) << name;
    EXPECT_FALSE(button->icon().isNull()) << name;
    EXPECT_GT(button->x(), previousX) << name;
    previousX = button->x();
  }
  EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("BStatistik"))->toolTip(),
            QStringLiteral("Statistik für die Gewinnreihen aufrufen..."));
}

TEST_F(NavigationTest, EntriesOfMissingWindowsWakeUpWhenTheirWindowRegisters) {
  TFAuswertung w(context());
  auto* tool = w.findChild<QAction*>(QStringLiteral("BStatistik"));
  auto* menu = w.findChild<QAction*>(QStringLiteral("MenuStatistics"));
  ASSERT_TRUE(tool && menu);
  // Nothing is shown that would do nothing.
  EXPECT_FALSE(tool->isVisible());
  EXPECT_FALSE(menu->isVisible());
  // The main window's own entry stays disabled whatever is registered.
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("MenuEvaluation"))->isEnabled());

  int opened = 0;
  commands().set(Command::Statistics, [&opened] { ++opened; });
  commands().set(Command::TipEntry, [&opened] { opened += 10; });
  commands().set(Command::Evaluation, [] {});
  EXPECT_TRUE(tool->isEnabled());
  EXPECT_TRUE(tool->isVisible());
  tool->trigger();
  menu->trigger();
  EXPECT_EQ(opened, 2);
  // "Neuer Spielschein" and the "Eigene eingeben" buttons open the tip entry window.
  EXPECT_TRUE(w.BEigene->isEnabled());
  w.findChild<QAction*>(QStringLiteral("MenuNewSlip"))->trigger();
  w.BEigene2->click();
  EXPECT_EQ(opened, 22);
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("MenuEvaluation"))->isEnabled());

  commands().remove(Command::Statistics);
  commands().remove(Command::TipEntry);
  commands().remove(Command::Evaluation);
  EXPECT_FALSE(tool->isEnabled());
  EXPECT_FALSE(w.BEigene->isEnabled());
}

TEST_F(NavigationTest, NothingToPrintHidesThePrintEntriesAndQuitClosesTheWindow) {
  TFAuswertung w(context());
  w.show();
  EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("MenuPrint")), nullptr);
  EXPECT_FALSE(w.navigation()->run(Command::Print));
  EXPECT_TRUE(w.isVisible());

  // A right click on the menu bar or the tool bar offers nothing that could hide them.
  auto* bar = w.findChild<QToolBar*>(QStringLiteral("PMenu"));
  for (QWidget* target : {static_cast<QWidget*>(w.menuBar()), static_cast<QWidget*>(bar)}) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), target->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(target, &click);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(w.menuBar()->isVisible());

  w.findChild<QAction*>(QStringLiteral("MenuQuit"))->trigger();
  EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace kwtest
