#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QWindow>
#include <QtHelp/QHelpContentWidget>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ui/Auswertung.h"
#include "ui/Start.h"
#include "ui/HelpViewer.h"
#include "ui/help.h"
#include "ui/navigation.h"
#include "ui_fixture.h"

using kw::ui::Command;
using kw::ui::HelpViewer;
using kw::ui::Navigation;
using kw::ui::NavigationTable;
using kw::ui::TFAuswertung;

namespace kwtest {
namespace {

// The built help lies beside the test program, as it lies beside the program.
class HelpTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    HelpViewer::setSourceFolder(QCoreApplication::applicationDirPath());
  }
  void TearDown() override {
    HelpViewer::setSourceFolder(QString());
    UiTest::TearDown();
  }

  static HelpViewer* viewer() { return HelpViewer::existing(); }

  // Searches and waits for the indexer and the search thread by their signals.
  static QStringList searchFor(HelpViewer* v, const QString& text) {
    QSignalSpy finished(v, &HelpViewer::searchFinished);
    v->search(text);
    if (finished.isEmpty()) {
      EXPECT_TRUE(finished.wait(60000)) << "no search result for " << text.toStdString();
    }
    return v->resultTitles();
  }
};

struct WindowPage {
  const char* window;   // objectName of the window
  int context;          // its help page
  const char* heading;  // found in that page's title
};

const WindowPage kWindowPages[] = {
    {"FStart", 1001, "Inhalt"},
    {"FAuswertung", 1002, "Zentrale"},
    {"FEingabe", 1003, "Tippreihen-Eingabe"},
    {"FTippcenter", 1006, "Tipp-Center"},
    {"FSysTest", 1007, "Tippreihen-Analyse"},
    {"FGenerator", 1008, "Zufallsgenerator"},
    {"FNueberK", 1009, "n über k"},
    {"FKal", 1009, "Kalender"},
    {"FQuoten", 1010, "Quoten"},
    {"FQlinks", 1010, "Quoten-Favoriten"},
    {"FSysTool", 1010, "Vollsystem"},
    {"FStatistik1", 1011, "Statistik"},
    {"FChart1", 1011, "Charts"},
    {"FOptionen", 1011, "Einstellungen"},
    {"FUpdate", 1011, "Updates"},
    {"FInfo", 1011, "Info"},
    {"FBEDruck", 1001, "Inhalt"},  // the slip printing window has no page of its own
};

TEST_F(HelpTest, EveryWindowReachesItsPageInTheBuiltHelp) {
  for (const WindowPage& c : kWindowPages) {
    SCOPED_TRACE(c.window);
    EXPECT_EQ(kw::ui::HelpContextOf(QString::fromLatin1(c.window)), c.context);
    // F1 in a window of that name built on the shared navigation.
    QMainWindow window;
    window.setObjectName(QString::fromLatin1(c.window));
    Navigation navigation(&window, NavigationTable{}, commands());
    ASSERT_TRUE(navigation.run(Command::WindowHelp));
    ASSERT_NE(viewer(), nullptr);
    EXPECT_TRUE(viewer()->message().isEmpty()) << viewer()->message().toStdString();
    EXPECT_EQ(viewer()->currentContext(), c.context);
    EXPECT_TRUE(viewer()->Browser->documentTitle().contains(QString::fromUtf8(c.heading)))
        << viewer()->Browser->documentTitle().toStdString();
    EXPECT_FALSE(viewer()->Browser->toPlainText().trimmed().isEmpty());
  }
}

TEST_F(HelpTest, PageByNumberAndUnknownNumber) {
  kw::ui::ShowHelpPage(1002);
  HelpViewer* v = viewer();
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(v->isVisible());
  EXPECT_EQ(v->objectName(), QStringLiteral("FHelp"));
  EXPECT_EQ(v->currentUrl(), HelpViewer::PageUrl(1002));
  EXPECT_TRUE(v->Browser->toPlainText().contains(QStringLiteral("Auswerten")));

  // No page for 1004: the viewer says so and keeps working.
  EXPECT_FALSE(v->showPage(1004));
  EXPECT_TRUE(v->message().contains(QStringLiteral("1004")));
  EXPECT_TRUE(v->Browser->toPlainText().contains(QStringLiteral("1004")));
  EXPECT_EQ(v->currentContext(), 0);
  EXPECT_TRUE(v->showPage(1007));
  EXPECT_TRUE(v->message().isEmpty());
  EXPECT_EQ(v->currentContext(), 1007);
}

TEST_F(HelpTest, LinksBetweenPagesAndHistory) {
  kw::ui::ShowHelpPage(1001);
  HelpViewer* v = viewer();
  ASSERT_NE(v, nullptr);
  // The contents page links every other page.
  for (int context : {1002, 1003, 1006, 1007, 1008, 1009, 1010, 1011}) {
    SCOPED_TRACE(context);
    ASSERT_TRUE(v->showPage(1001));
    emit v->Browser->anchorClicked(QUrl(QStringLiteral("%1.html").arg(context)));
    EXPECT_EQ(v->currentContext(), context);
  }
  EXPECT_TRUE(v->BZurueck->isEnabled());
  v->BZurueck->click();
  EXPECT_EQ(v->currentContext(), 1001);
  v->BVor->click();
  EXPECT_EQ(v->currentContext(), 1011);

  // The contents list, filled by the engine in the background, opens the pages and follows them.
  auto* contents = qobject_cast<QHelpContentWidget*>(v->contentsList);
  ASSERT_NE(contents, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([contents] { return contents->indexOf(HelpViewer::PageUrl(1006)).isValid(); }, 30000));
  const QModelIndex root = contents->model()->index(0, 0);
  QStringList titles;
  for (int row = 0; row < contents->model()->rowCount(root); ++row)
    titles << contents->model()->index(row, 0, root).data().toString();
  EXPECT_EQ(titles, Texts({"Zentrale", "Tippreihen-Eingabe", "Zufallsgenerator", "Tipp-Center", "Tippreihen-Analyse",
                           "Quoten und Vollsysteme", "Statistik, Einstellungen, Updates", "n über k und Kalender"}));
  emit contents->clicked(contents->indexOf(HelpViewer::PageUrl(1006)));
  EXPECT_EQ(v->currentContext(), 1006);
  v->showPage(1009);
  EXPECT_EQ(contents->currentIndex(), contents->indexOf(HelpViewer::PageUrl(1009)));
}

TEST_F(HelpTest, SearchListsThePagesWithTheWordAndOpensThem) {
  kw::ui::ShowHelpSearch();
  HelpViewer* v = viewer();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->PCNavigation->currentWidget(), v->LBErgebnis->parentWidget());

  const QStringList hits = searchFor(v, QStringLiteral("Treffergarantie"));
  ASSERT_FALSE(hits.isEmpty());
  const auto analysis = hits.indexOf(QStringLiteral("Tippreihen-Analyse"));
  ASSERT_GE(analysis, 0) << hits.join(QLatin1Char('|')).toStdString();
  v->LBErgebnis->setCurrentRow(static_cast<int>(analysis));
  emit v->LBErgebnis->itemClicked(v->LBErgebnis->item(static_cast<int>(analysis)));
  EXPECT_EQ(v->currentContext(), 1007);

  // Each word lists exactly the pages that hold it (one with an umlaut, one in another case).
  const std::pair<const char*, QStringList> words[] = {
      {"Binomialkoeffizient", Texts({"n über k und Kalender"})},
      {"ausgeblieben", Texts({"Statistik, Charts, Einstellungen, Updates und Info"})},
      {"Quotenkiller", Texts({"Kugelwerk-Hilfe: Inhalt", "Zufallsgenerator"})},
      {"Zwischenablage", Texts({"Die Zentrale"})},
      {"Überschrieben", Texts({"Tippreihen-Eingabe"})},
  };
  for (const auto& [word, pages] : words) {
    QStringList found = searchFor(v, QString::fromUtf8(word));
    found.sort();
    EXPECT_EQ(found, pages) << word;
  }
  EXPECT_TRUE(searchFor(v, QStringLiteral("Quatschwort")).isEmpty());
  EXPECT_TRUE(v->LTreffer->text().contains(QStringLiteral("Quatschwort")));
}

TEST_F(HelpTest, MainWindowHelpCommands) {
  TFAuswertung w(context());
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

  QTest::keyClick(&w, Qt::Key_F1);
  ASSERT_NE(viewer(), nullptr);
  EXPECT_EQ(viewer()->currentContext(), 1002);

  w.findChild<QAction*>(QStringLiteral("MenuHelpContents"))->trigger();
  EXPECT_EQ(viewer()->currentContext(), 1001);

  auto* button = w.findChild<QToolButton*>(QStringLiteral("BitBtn2"));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isEnabled());
  button->click();
  EXPECT_EQ(viewer()->currentContext(), 1002);

  // "&Hilfe benutzen" opens the search page.
  auto* useHelp = w.findChild<QAction*>(QStringLiteral("MenuHelpSearch"));
  ASSERT_TRUE(useHelp && useHelp->isEnabled());
  useHelp->trigger();
  EXPECT_EQ(viewer()->PCNavigation->currentWidget(), viewer()->LBErgebnis->parentWidget());
  EXPECT_TRUE(viewer()->isVisible());
}

TEST_F(HelpTest, SplashHelpKeyOpensContents) {
  kw::ui::ShowHelpPage(1003);
  kw::ui::TFStart splash;
  splash.setAttribute(Qt::WA_DeleteOnClose, false);
  splash.show();
  splash.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&splash));
  QTest::keyClick(&splash, Qt::Key_F1);
  EXPECT_EQ(viewer()->currentContext(), 1001);
}

// F1 in a modal dialog opens its page, and the viewer can be used while the dialog stays open.
TEST_F(HelpTest, ViewerStaysUsableBesideAModalDialog) {
  QDialog dialog;
  dialog.setObjectName(QStringLiteral("FOptionen"));
  dialog.setWindowModality(Qt::ApplicationModal);
  kw::ui::InstallHelpKey(&dialog);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(&dialog, Qt::Key_F1);
  HelpViewer* v = viewer();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->currentContext(), 1011);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(v));
  // A click as the window system delivers it, which honours modality.
  QTest::mouseClick(v->windowHandle(), Qt::LeftButton, {}, v->BInhalt->mapTo(v, v->BInhalt->rect().center()));
  EXPECT_EQ(v->currentContext(), 1001);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(HelpTest, ContentsCommandAndHelpKeyInOtherWindows) {
  for (const char* name : {"FQlinks", "FSysTool", "FKal", "FEingabe"}) {
    SCOPED_TRACE(name);
    QMainWindow window;
    window.setObjectName(QString::fromLatin1(name));
    NavigationTable table;
    table.helpSearchEntry = true;
    Navigation navigation(&window, table, commands());
    ASSERT_EQ(navigation.menuAction(Command::HelpSearch)->text(), QStringLiteral("In Hilfe &suchen..."));
    navigation.menuAction(Command::HelpContents)->trigger();
    EXPECT_EQ(viewer()->currentContext(), 1001);
  }
  // F1 opens the page also where the help button is hidden.
  {
    QMainWindow window;
    window.setObjectName(QStringLiteral("FStatistik1"));
    NavigationTable table;
    table.toolBar = {{Command::WindowHelp, "BitBtn2", "Hilfe"}};
    table.hidden = {Command::WindowHelp};
    Navigation navigation(&window, table, commands());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(viewer()->currentContext(), 1011);
  }
  // A table may name its page itself.
  QMainWindow window;
  window.setObjectName(QStringLiteral("FAuswertung"));
  NavigationTable table;
  table.helpContext = 1008;
  Navigation navigation(&window, table, commands());
  navigation.run(Command::WindowHelp);
  EXPECT_EQ(viewer()->currentContext(), 1008);
}

TEST_F(HelpTest, MissingHelpFileIsReportedAndNothingBreaks) {
  HelpViewer::setSourceFolder(QString::fromStdString(home.path() + "ohne-hilfe"));
  TFAuswertung w(context());
  w.findChild<QAction*>(QStringLiteral("BitBtn2"))->trigger();
  HelpViewer* v = viewer();
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(v->isVisible());
  EXPECT_FALSE(v->helpAvailable());
  EXPECT_TRUE(v->message().contains(QStringLiteral("\"Kugelwerk.qch\" wurde nicht gefunden")))
      << v->message().toStdString();
  EXPECT_TRUE(v->Browser->toPlainText().contains(QStringLiteral("nicht gefunden")));
  EXPECT_EQ(v->currentContext(), 0);

  // Every help command still answers, the search included.
  w.findChild<QAction*>(QStringLiteral("MenuHelpContents"))->trigger();
  w.findChild<QAction*>(QStringLiteral("MenuHelpSearch"))->trigger();
  EXPECT_TRUE(searchFor(v, QStringLiteral("Quoten")).isEmpty());
  EXPECT_FALSE(v->LTreffer->text().isEmpty());
  EXPECT_TRUE(v->message().contains(QStringLiteral("nicht gefunden")));
  EXPECT_EQ(viewer(), v);
}

// The viewer works on a copy of the help in the data folder; a damaged copy must not break the
// help for good, and a damaged installed file must only give a message.
TEST_F(HelpTest, DamagedHelpFilesAreRepairedOrReported) {
  const QString built = QCoreApplication::applicationDirPath();
  const QString work = QString::fromStdString(dataDir()) + QStringLiteral("Hilfe/");
  struct Case {
    const char* file;
    QByteArray content;
  };
  const Case cases[] = {
      {"Kugelwerk.qch", QByteArray("kaputt")},
      {"Kugelwerk.qhc", QByteArray("kaputt")},
      {"Kugelwerk.qhc", QByteArray()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " / " + c.content.toStdString());
    HelpViewer::setSourceFolder(built);
    kw::ui::ShowHelpPage(1003);
    ASSERT_EQ(viewer()->currentContext(), 1003);
    HelpViewer::setSourceFolder(built);  // as after a restart
    QFile damaged(work + QString::fromLatin1(c.file));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(c.content);
    damaged.close();
    kw::ui::ShowHelpPage(1002);
    EXPECT_TRUE(viewer()->message().isEmpty()) << viewer()->message().toStdString();
    EXPECT_EQ(viewer()->currentContext(), 1002);
  }

  // A damaged file in the program folder cannot be repaired: the viewer says so.
  const QString source = QString::fromStdString(home.path() + "programm/");
  ASSERT_TRUE(QDir().mkpath(source));
  ASSERT_TRUE(QFile::copy(built + QStringLiteral("/Kugelwerk.qhc"), source + QStringLiteral("Kugelwerk.qhc")));
  QFile pages(source + QStringLiteral("Kugelwerk.qch"));
  ASSERT_TRUE(pages.open(QIODevice::WriteOnly));
  pages.write("kaputt");
  pages.close();
  HelpViewer::setSourceFolder(source);
  kw::ui::ShowHelpPage(1002);
  ASSERT_NE(viewer(), nullptr);
  EXPECT_FALSE(viewer()->helpAvailable());
  EXPECT_TRUE(viewer()->message().contains(QString::fromUtf8("beschädigt"))) << viewer()->message().toStdString();
}

}  // namespace
}  // namespace kwtest
