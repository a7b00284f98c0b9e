#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QPushButton>

#include "ui/Auswertung.h"
#include "ui/Kal.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

namespace kwtest {
namespace {

class KalTest : public UiTest {
 protected:
  static int Count() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("FKal")) ++n;
    return n;
  }
};

TEST_F(KalTest, OpensOnTodayWithItsCaption) {
  kw::ui::TFKal w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - Kalender"));
  EXPECT_EQ(w.MC1->selectedDate(), QDate::currentDate());
  EXPECT_EQ(w.BitBtn8->text(), QStringLiteral("Sch&ließen"));
  EXPECT_GE(w.MC1->minimumWidth(), 614);
  EXPECT_GE(w.MC1->minimumHeight(), 396);
}

TEST_F(KalTest, ToolBarAndMenuFindTheOneCalendarAndShowItAsTheUserLeftIt) {
  kw::ui::TFAuswertung& main = *catalogue().mainWindow();
  auto* tool = main.findChild<QAction*>(QStringLiteral("BKalender"));
  auto* menu = main.findChild<QAction*>(QStringLiteral("MenuCalendar"));
  ASSERT_TRUE(tool && menu && tool->isEnabled());
  tool->trigger();
  ASSERT_EQ(Count(), 1);
  auto* calendar = qobject_cast<kw::ui::TFKal*>(TopLevel("FKal"));
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(calendar->isVisible());

  calendar->MC1->setSelectedDate(QDate(2024, 3, 19));
  calendar->BitBtn8->click();
  EXPECT_FALSE(calendar->isVisible());
  EXPECT_EQ(TopLevel("FKal"), calendar);  // closing only hides

  calendar->show();
  calendar->showMinimized();
  ASSERT_TRUE(calendar->isMinimized());
  menu->trigger();
  EXPECT_EQ(Count(), 1);
  EXPECT_TRUE(calendar->isVisible());
  EXPECT_FALSE(calendar->isMinimized());
  EXPECT_EQ(calendar->MC1->selectedDate(), QDate(2024, 3, 19));
}

TEST_F(KalTest, StartUpCreatesTheCalendarHidden) {
  catalogue();
  EXPECT_EQ(Count(), 1);
  EXPECT_FALSE(TopLevel("FKal")->isVisible());
  EXPECT_NE(TopLevel("FOptionen"), nullptr);
}

}  // namespace
}  // namespace kwtest
