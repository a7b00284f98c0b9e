#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "generation/binomial.h"
#include "ui/Auswertung.h"
#include "ui/NueberK.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

using kw::ui::Command;
using kw::ui::MessageBox;
using kw::ui::TFNueberK;

namespace kwtest {
namespace {

class NueberKTest : public UiTest {
 protected:
  // Types n and k as the user does and computes; the result panel's text afterwards.
  QString compute(const QString& n, const QString& k) {
    window.E1->clear();
    window.E2->clear();
    QTest::keyClicks(window.E1, n);
    QTest::keyClicks(window.E2, k);
    window.BitBtn1->click();
    return window.P1->text();
  }

  TFNueberK window;
};

TEST_F(NueberKTest, ComputesGroupedTheGermanWay) {
  EXPECT_EQ(window.objectName(), QStringLiteral("FNueberK"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1 - n über k"));
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"50", "5", "2.118.760"}, {"49", "6", "13.983.816"}, {"12", "2", "66"},   {"35", "3", "6.545"},
      {"7", "0", "1"},          {"7", "7", "1"},           {"7", "6", "7"},     {"19", "3", "969"},
      {"13", "4", "715"},       {"7", "", "1"},            {"66", "33", "7.219.428.434.016.265.740"}};
  for (const auto& [n, k, shown] : cases)
    EXPECT_EQ(compute(QString::fromLatin1(n), QString::fromLatin1(k)), QString::fromLatin1(shown)) << n << " " << k;
  EXPECT_TRUE(MessageBox::shown().empty());
}

TEST_F(NueberKTest, WrongInputIsRefusedAndTheLastResultStays) {
  ASSERT_EQ(compute(QStringLiteral("50"), QStringLiteral("5")), QStringLiteral("2.118.760"));
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "5", kw::kNOverKNotPositiveMessage},
      {"0", "0", kw::kNOverKNotPositiveMessage},
      {"5", "6", kw::kNOverKSmallerMessage},
      {"5", "-1", kw::kNOverKNegativeMessage},
      {"1000", "500", kw::kNOverKTooLargeMessage},
      {"9999999999", "2", kw::kNOverKOutOfRangeMessage},
  };
  for (const auto& [n, k, message] : cases) {
    MessageBox::clearShown();
    EXPECT_EQ(compute(QString::fromLatin1(n), QString::fromLatin1(k)), QStringLiteral("2.118.760")) << n << " " << k;
    ASSERT_EQ(MessageBox::shown().size(), 1u) << n << " " << k;
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Information);
    EXPECT_EQ(MessageBox::lastText(), QString::fromUtf8(message));
  }
  EXPECT_EQ(QString::fromUtf8(kw::kNOverKNotPositiveMessage),
            QStringLiteral("Sie müssen für \"n\" eine Zahl größer Null eingeben.\r\rIch breche erst einmal ab."));
  EXPECT_EQ(QString::fromUtf8(kw::kNOverKSmallerMessage),
            QStringLiteral("Die Zahl für \"n\" muss größer als die für \"k\" sein.\r\rIch breche erst einmal ab."));
}

TEST_F(NueberKTest, NTakesOnlyDigitsKAnythingAndEnterComputes) {
  QTest::keyClicks(window.E1, QStringLiteral("5a0-"));
  EXPECT_EQ(window.E1->text(), QStringLiteral("50"));
  QTest::keyClicks(window.E2, QStringLiteral("x5"));
  EXPECT_EQ(window.E2->text(), QStringLiteral("x5"));
  // "x5" is no number: k counts 0.
  QTest::keyClick(window.E2, Qt::Key_Return);
  EXPECT_EQ(window.P1->text(), QStringLiteral("1"));
  EXPECT_EQ(window.E1->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  EXPECT_EQ(window.E1->palette().color(QPalette::Base).name(), QStringLiteral("#ffe0c1"));
  EXPECT_EQ(window.P1->palette().color(QPalette::WindowText).name(), QStringLiteral("#000080"));
}

TEST_F(NueberKTest, AFixedWindowOpenedFromTheOthersInTheMiddleOfTheMainWindow) {
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_GE(window.width(), 362);
  EXPECT_GE(window.height(), 262);
  EXPECT_EQ(window.BitBtn7->toolTip(), QStringLiteral("Programm beenden"));
  EXPECT_EQ(window.BitBtn8->text(), QStringLiteral("Sch&ließen"));

  kw::ui::TFAuswertung* main = catalogue().mainWindow();
  main->setGeometry(100, 80, 800, 600);
  auto* tool = main->findChild<QAction*>(QStringLiteral("BNoverK"));
  ASSERT_TRUE(tool && tool->isEnabled());
  tool->trigger();
  // (The fixture's own window has the same name; the catalogue's is the one the program shows.)
  TFNueberK* shown = catalogue().nOverK();
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_TRUE(shown->isWindow());
  EXPECT_LE((shown->frameGeometry().center() - main->frameGeometry().center()).manhattanLength(), 2);
  shown->BitBtn8->click();
  EXPECT_FALSE(shown->isVisible());
  EXPECT_EQ(catalogue().nOverK(), shown);  // closing only hides
  main->navigation()->menuAction(Command::NOverK)->trigger();
  EXPECT_TRUE(shown->isVisible());
  shown->BitBtn7->trigger();  // the tool bar's first button closes it too
  EXPECT_FALSE(shown->isVisible());
}

}  // namespace
}  // namespace kwtest
