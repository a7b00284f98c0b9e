#include "ui_fixture.h"

#include <QByteArray>

#include "core/dates.h"
#include "core/program.h"
#include "ui/Start.h"
#include "ui/dialog_commands.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"

namespace kwtest {

void UiTest::SetUp() {
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path() + "xdg"));
  kw::App() = kw::DataSet{};
  kw::ui::MessageBox::setTestMode(true);
  kw::ui::FileDialog::setTestMode(true);
  ASSERT_TRUE(kw::ui::InitialiseAppPaths(kw::App()).ok());
  kw::ui::RegisterDialogCommands();
}

void UiTest::TearDown() { kw::App() = kw::DataSet{}; }

std::string UiTest::dataDir() const { return home.path() + "xdg/Kugelwerk/"; }

void UiTest::writeDraws(const std::vector<kw::TGewZahlen>& draws) const {
  WriteBytes(dataDir() + kw::kDrawsFileName, kw::EncodeRecords(draws));
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

}  // namespace kwtest
