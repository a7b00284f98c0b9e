#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>

#include "ui/Start.h"
#include "ui_fixture.h"

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

TEST_F(StartTest, SplashSetsTheProgramPaths) {
  kw::App() = kw::DataSet{};
  auto* splash = new TFStart;
  EXPECT_EQ(kw::App().DataDir, dataDir());
  EXPECT_FALSE(kw::App().ProgramDir.empty());
  EXPECT_EQ(kw::App().ProgramDir.back(), '/');
  EXPECT_TRUE(kw::App().TempFile.ends_with("/tmp.tmp"));
  // Closing before start-up is over has nothing to fade to.
  splash->close();
}

TEST_F(StartTest, DataFolderIsCreatedWithItsMissingParents) {
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path() + "not/yet/there"));
  kw::DataSet state;
  ASSERT_TRUE(kw::ui::InitialiseAppPaths(state).ok());
  EXPECT_EQ(state.DataDir, home.path() + "not/yet/there/Kugelwerk/");
  EXPECT_TRUE(std::filesystem::is_directory(state.DataDir));
}

}  // namespace
}  // namespace kwtest
