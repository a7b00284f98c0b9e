#pragma once
// Each window test gets its own data folder (XDG_DATA_HOME), a fresh application state and
// message boxes that answer by themselves.
#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/records.h"
#include "support/temp_dir.h"

namespace kwtest {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Data folder of the program: <temp>/Kugelwerk/
  std::string dataDir() const;
  void writeDraws(const std::vector<kw::TGewZahlen>& draws) const;

  TempDir home;
};

kw::TGewZahlen Draw(int day, int month, int year, std::vector<int> numbers);
QStringList Texts(std::initializer_list<const char*> texts);

}  // namespace kwtest
