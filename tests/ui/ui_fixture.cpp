#include "ui_fixture.h"

#include <QApplication>
#include <QByteArray>
#include <QWidget>
#include <filesystem>

#include "core/dates.h"
#include "core/program.h"
#include "ui/HelpViewer.h"
#include "ui/Start.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"

namespace kwtest {

void UiTest::SetUp() {
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path() + "xdg"));
  kw::ui::MessageBox::setTestMode(true);
  kw::ui::FileDialog::setTestMode(true);
  const kw::ui::DataFolder folder = kw::ui::PrepareDataFolder();
  ASSERT_FALSE(folder.problem) << folder.problem->message;
  ASSERT_EQ(folder.path, dataDir());
  // The start put the shipped history in; each test lays out the history it is about itself.
  std::filesystem::remove(dataDir() + kw::kDrawsFileName);
  std::filesystem::remove(dataDir() + kw::kQuotasFileName);
  // The help viewer keeps its working copy in this test's folder, not in an earlier test's.
  kw::ui::HelpViewer::setDataFolder(QString::fromStdString(dataDir()));
}

void UiTest::TearDown() {
  catalogue_.reset();
  store_.reset();
  commands_.reset();
}

std::string UiTest::dataDir() const { return home.path() + "xdg/Kugelwerk/"; }

void UiTest::writeDraws(const std::vector<kw::TGewZahlen>& draws) const {
  WriteBytes(dataDir() + kw::kDrawsFileName, kw::EncodeRecords(draws));
}

kw::ui::DataStore& UiTest::store() {
  if (!store_) store_ = std::make_unique<kw::ui::DataStore>(dataDir());
  return *store_;
}

kw::ui::CommandRegistry& UiTest::commands() {
  if (!commands_) commands_ = std::make_unique<kw::ui::CommandRegistry>();
  return *commands_;
}

kw::ui::WindowCatalogue& UiTest::catalogue() {
  if (!catalogue_) {
    catalogue_ = std::make_unique<kw::ui::WindowCatalogue>(store());
    catalogue_->createWindows();
  }
  return *catalogue_;
}

void UiTest::restart() {
  catalogue_.reset();
  store_.reset();
  commands_.reset();
}

kw::TGewZahlen Draw(int day, int month, int year, std::vector<int> numbers) {
  kw::TGewZahlen d;
  d.datum = kw::EncodeDate(year, month, day);
  for (std::size_t i = 0; i < 5; ++i) d.GZ[i] = static_cast<std::uint8_t>(numbers.at(i));
  for (std::size_t i = 0; i < 2; ++i) d.SZ[i] = static_cast<std::uint8_t>(numbers.at(5 + i));
  return d;
}

QStringList Texts(std::initializer_list<const char*> texts) {
  QStringList out;
  for (const char* t : texts) out << QString::fromUtf8(t);
  return out;
}

QWidget* TopLevel(const char* objectName) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String(objectName)) return widget;
  return nullptr;
}

}  // namespace kwtest
