#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <map>
#include <QPointer>
#include <QPushButton>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <filesystem>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/program.h"
#include "core/settings_ini.h"
#include "platform/paths.h"
#include "ui/Auswertung.h"
#include "ui/Eingabe.h"
#include "ui/HelpViewer.h"
#include "ui/Kal.h"
#include "ui/Statistik1.h"
#include "ui/SysTool.h"
#include "ui/help.h"
#include "ui/navigation.h"
#include "ui/Start.h"
#include "ui/data_store.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

using kw::ui::MessageBox;
using kw::ui::TFStart;

namespace kwtest {
namespace {

class StartTest : public UiTest {};

TEST_F(StartTest, WeiterWaitsForTheEndOfStartUpThenFadesOver) {
  QMainWindow main;  // not shown before the fade: it must not stand behind the splash

  QPointer<TFStart> splash = new TFStart;
  splash->show();
  EXPECT_EQ(splash->objectName(), QStringLiteral("FStart"));
  EXPECT_EQ(splash->windowTitle(), QStringLiteral("Kugelwerk 1.7.1.1"));
  EXPECT_EQ(splash->size(), QSize(400, 300));
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(splash->BWeiter->isEnabled());
  EXPECT_EQ(splash->BWeiter->cursor().shape(), Qt::WaitCursor);

  splash->setInitialisationDone(&main);
  EXPECT_FALSE(main.isVisible());
  EXPECT_TRUE(splash->BWeiter->isEnabled());
  EXPECT_EQ(splash->BWeiter->cursor().shape(), Qt::PointingHandCursor);

  TFStart::setFadePauseMs(0);
  splash->BWeiter->click();
  TFStart::setFadePauseMs(5);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
  EXPECT_DOUBLE_EQ(main.windowOpacity(), 1.0);
  EXPECT_TRUE(main.isVisible());
}

TEST_F(StartTest, DataFolderGetsTheDemoSlipWheneverItLacksOne) {
  const std::string demo = dataDir() + "Demo.emt";
  ASSERT_TRUE(std::filesystem::exists(demo));
  // A folder that exists but lost its demo slip gets it back at the next start.
  std::filesystem::remove(demo);
  const kw::ui::DataFolder folder = kw::ui::PrepareDataFolder();
  EXPECT_FALSE(folder.problem);
  EXPECT_EQ(folder.path, dataDir());
  EXPECT_TRUE(std::filesystem::exists(demo));
  // A demo slip of the user's own stays as it is.
  WriteBytes(demo, {1, 2, 3, 4, 5, 6, 7});
  ASSERT_FALSE(kw::ui::PrepareDataFolder().problem);
  EXPECT_EQ(ReadBytes(demo), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(kw::platform::ProgramDirectory().back(), '/');
  EXPECT_TRUE(kw::platform::TempFilePath().ends_with("/tmp.tmp"));
  // Closing before start-up is over has nothing to fade to.
  auto* splash = new TFStart;
  splash->close();
}

// A clone without anything beside it: the first start opens on the real history and the demo slip.
TEST_F(StartTest, AFreshDataFolderOpensOnTheShippedHistory) {
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path() + "fresh"));
  const kw::ui::DataFolder folder = kw::ui::PrepareDataFolder();
  ASSERT_FALSE(folder.problem) << folder.problem->message;
  EXPECT_TRUE(std::filesystem::exists(folder.path + "Demo.emt"));
  kw::ui::DataStore data(folder.path);
  kw::ui::CommandRegistry commands;
  kw::ui::TFAuswertung main({data, commands});
  EXPECT_TRUE(MessageBox::shown().empty()) << MessageBox::lastText().toStdString();
  EXPECT_GE(data.draws().size(), 1974u);
  EXPECT_EQ(data.quotas().size(), data.draws().size());
  EXPECT_GE(main.Combo1->count(), 1974);
  EXPECT_TRUE(main.LGa1->text().startsWith(QString::number(data.draws().size()) + QStringLiteral(" Gewinnreihen vom 13.02.2004 bis ")))
      << main.LGa1->text().toStdString();

  // A history of the user's own, even a shorter one, is never replaced by the shipped one.
  WriteBytes(folder.path + kw::kDrawsFileName, EncodeRecords(std::vector<kw::TGewZahlen>{Draw(15, 3, 2024, {3, 9, 20, 30, 44, 2, 11})}));
  ASSERT_FALSE(kw::ui::PrepareDataFolder().problem);
  EXPECT_EQ(ReadBytes(folder.path + kw::kDrawsFileName).size(), 16u);
}

TEST_F(StartTest, DataFolderIsCreatedWithItsMissingParents) {
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path() + "not/yet/there"));
  const kw::ui::DataFolder folder = kw::ui::PrepareDataFolder();
  ASSERT_FALSE(folder.problem);
  EXPECT_EQ(folder.path, home.path() + "not/yet/there/Kugelwerk/");
  EXPECT_TRUE(std::filesystem::is_directory(folder.path));
}

TEST_F(StartTest, TheCatalogueCreatesAndWiresEveryWindowAsAtStart) {
  kw::ui::WindowCatalogue& windows = catalogue();
  kw::ui::TFAuswertung* main = windows.mainWindow();
  ASSERT_NE(main, nullptr);
  // Created once, in the start-up order, all hidden until the splash fades over.
  const char* startUp[] = {"FAuswertung", "FEingabe", "FOptionen", "FStatistik1", "FQuoten",
                           "FChart1",     "FSysTest", "FTippcenter", "FQlinks",   "FNueberK",
                           "FKal",        "FUpdate",  "FGenerator",  "FSysTool"};
  for (const char* name : startUp) {
    QWidget* window = TopLevel(name);
    ASSERT_NE(window, nullptr) << name;
    EXPECT_FALSE(window->isVisible()) << name;
  }
  // Every entry whose window exists works from the main window; none stays grey by mistake.
  using kw::ui::Command;
  kw::ui::Navigation* nav = main->navigation();
  for (Command c : {Command::NewSlip, Command::OpenSlip, Command::Quit, Command::TipEntry, Command::Calendar,
                    Command::Calculator, Command::Settings, Command::HelpContents, Command::HelpSearch,
                    Command::About, Command::SlipPrint, Command::WindowHelp, Command::Generator,
                    Command::TipCentre, Command::NOverK, Command::Statistics, Command::TipAnalysis,
                    Command::UpdateCheck, Command::QuotaUpdate})
    EXPECT_TRUE(nav->isEnabled(c)) << kw::ui::Navigation::menuActionName(c);
  EXPECT_TRUE(main->BEigene->isEnabled());
  EXPECT_TRUE(main->BEigene2->isEnabled());
  EXPECT_TRUE(main->BOpen1->isEnabled());

  nav->run(Command::TipEntry);
  EXPECT_TRUE(windows.tipEntry()->isVisible());
  nav->run(Command::Calendar);
  EXPECT_TRUE(windows.calendar()->isVisible());
  nav->run(Command::Generator);
  EXPECT_TRUE(TopLevel("FGenerator")->isVisible());
  nav->run(Command::TipCentre);
  EXPECT_TRUE(TopLevel("FTippcenter")->isVisible());
  nav->run(Command::NOverK);
  EXPECT_TRUE(TopLevel("FNueberK")->isVisible());
  nav->run(Command::SlipPrint);
  EXPECT_NE(TopLevel("FBEDruck"), nullptr);
  nav->run(Command::About);
  EXPECT_NE(TopLevel("FInfo"), nullptr);
  nav->run(Command::Statistics);
  EXPECT_TRUE(TopLevel("FStatistik1")->isVisible());
  nav->run(Command::TipAnalysis);
  EXPECT_TRUE(TopLevel("FSysTest")->isVisible());
  // The charts open from the statistics window.
  windows.statistics()->BCharts->click();
  EXPECT_TRUE(TopLevel("FChart1")->isVisible());
  // The tip entry window's "Weiter" brings the full-system builder, whose rows come back to it.
  windows.tipEntry()->BWeiter->click();
  kw::ui::TFSysTool* builder = windows.fullSystemBuilder();
  EXPECT_TRUE(builder->isVisible());
  builder->M1->setPlainText(QStringLiteral("1,2,3,4,5"));
  builder->M2->setPlainText(QStringLiteral("1,2"));
  builder->BKombisBilden->click();
  builder->BTransfer->click();
  EXPECT_EQ(windows.tipEntry()->M1->toPlainText(), QStringLiteral("1,2,3,4,5,1,2"));
}

// Every menu entry and tool button a window shows does something there; only the entry of the
// window itself is grey.
TEST_F(StartTest, NoMenuEntryOrToolButtonOfAnyWindowStaysGrey) {
  catalogue();
  const std::map<QString, QString> own = {
      {QStringLiteral("FAuswertung"), QStringLiteral("MenuEvaluation")},
      {QStringLiteral("FEingabe"), QStringLiteral("MenuTipEntry")},
      {QStringLiteral("FOptionen"), QStringLiteral("MenuSettings")},
      {QStringLiteral("FStatistik1"), QStringLiteral("MenuStatistics")},
      {QStringLiteral("FQuoten"), QStringLiteral("MenuQuotaUpdate")},
      {QStringLiteral("FSysTest"), QStringLiteral("MenuTipAnalysis")},
      {QStringLiteral("FTippcenter"), QStringLiteral("MenuTipCentre")},
      {QStringLiteral("FUpdate"), QStringLiteral("MenuUpdateCheck")},
      {QStringLiteral("FGenerator"), QStringLiteral("MenuGenerator")},
  };
  int windows = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<QMainWindow*>(top);
    if (!window || !window->findChild<kw::ui::Navigation*>()) continue;
    ++windows;
    const auto mine = own.find(window->objectName());
    std::vector<QAction*> entries;
    for (QAction* menu : window->menuBar()->actions())
      if (menu->isVisible() && menu->menu())
        for (QAction* entry : menu->menu()->actions()) entries.push_back(entry);
    if (auto* bar = window->findChild<QToolBar*>(QStringLiteral("PMenu")))
      for (QAction* button : bar->actions()) entries.push_back(button);
    for (QAction* entry : entries) {
      if (!entry->isVisible() || entry->isSeparator() || entry->objectName().isEmpty()) continue;
      const bool isOwn = mine != own.end() && entry->objectName() == mine->second;
      EXPECT_EQ(entry->isEnabled(), !isOwn) << window->objectName().toStdString() << " "
                                            << entry->objectName().toStdString();
    }
  }
  EXPECT_GE(windows, 10);
}

TEST_F(StartTest, ClosingTheMainWindowEndsTheProgramAndEveryWindowKeepsItsSettings) {
  kw::ui::WindowCatalogue& windows = catalogue();
  kw::ui::TFAuswertung* main = windows.mainWindow();
  kw::ui::TFEingabe* entry = windows.tipEntry();
  main->show();
  entry->show();
  kw::ui::ShowHelpPage(kw::ui::kHelpContents);
  QPointer<QWidget> help = kw::ui::HelpViewer::existing();
  ASSERT_TRUE(help && help->isVisible());
  main->CBAlle->setChecked(false);
  entry->cb1->setChecked(false);

  QTimer::singleShot(0, main, [main] { main->close(); });
  // Should the program not end by itself, the test ends the loop and fails.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);
  guard.start(10000);
  QApplication::exec();
  EXPECT_TRUE(guard.isActive()) << "the event loop did not end after the main window closed";
  guard.stop();

  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(entry->isVisible());
  EXPECT_TRUE(!help || !help->isVisible());
  const kw::IniFile ini = kw::IniFile::Load(dataDir() + kw::kIniFileName);
  EXPECT_TRUE(ini.hasKey("Auswertung", "Alle"));
  EXPECT_FALSE(ini.read(kw::ini::kAuswertungAlle));
  EXPECT_TRUE(ini.hasKey("Eingabe", "proof"));
  EXPECT_FALSE(ini.read(kw::ini::kEingabeProof));
  // Sizes and places are kept for the next start.
  EXPECT_TRUE(ini.hasKey("Fenster", "FAuswertung"));
  EXPECT_TRUE(ini.hasKey("Fenster", "FEingabe"));
}

}  // namespace
}  // namespace kwtest
