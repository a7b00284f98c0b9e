#pragma once
// Each window test gets its own data folder (XDG_DATA_HOME), its own data store and commands,
// and message boxes that answer by themselves. Windows made through catalogue() are created and
// wired as at start and deleted once, when the test ends.
#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/records.h"
#include "support/temp_dir.h"
#include "ui/data_store.h"
#include "ui/navigation.h"
#include "ui/window_catalogue.h"
#include "ui/window_context.h"

namespace kwtest {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Data folder of the program: <temp>/Kugelwerk/
  std::string dataDir() const;
  void writeDraws(const std::vector<kw::TGewZahlen>& draws) const;

  // The data store of the folder and the program-wide commands, made on first use.
  kw::ui::DataStore& store();
  kw::ui::CommandRegistry& commands();
  kw::ui::WindowContext context() { return {store(), commands()}; }
  // Every window of the program, created and wired by the same catalogue as at start.
  kw::ui::WindowCatalogue& catalogue();
  // As a restarted program: the windows of the catalogue go, a new store reads the folder again.
  void restart();

  TempDir home;

 private:
  std::unique_ptr<kw::ui::DataStore> store_;
  std::unique_ptr<kw::ui::CommandRegistry> commands_;
  std::unique_ptr<kw::ui::WindowCatalogue> catalogue_;
};

kw::TGewZahlen Draw(int day, int month, int year, std::vector<int> numbers);
QStringList Texts(std::initializer_list<const char*> texts);
// A top-level window by its objectName ("FKal"), null when there is none: what a user sees.
QWidget* TopLevel(const char* objectName);

}  // namespace kwtest
