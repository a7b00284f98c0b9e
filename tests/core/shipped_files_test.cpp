#include "core/shipped_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"
#include "core/program.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

std::vector<std::uint8_t> Bytes(std::uint8_t fill, std::size_t n) { return std::vector<std::uint8_t>(n, fill); }

TEST(ShippedFiles, ANewDataFolderGetsTheShippedHistoryAndAmountsOnly) {
  const auto shippedHistory = Bytes(0x11, 32), shippedQuotas = Bytes(0x22, 64);
  const auto userHistory = Bytes(0x33, 48), userQuotas = Bytes(0x44, 128);
  struct Case {
    const char* what;
    bool userHasHistory, userHasQuotas, historyShipped;
  };
  const Case cases[] = {
      {"fresh folder", false, false, true},
      {"the user's history stays, newer or older", true, false, true},
      {"the user's amounts stay", false, true, true},
      {"both of the user's stay", true, true, true},
      {"nothing shipped", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kwtest::TempDir shipped, data;
    if (c.historyShipped) kwtest::WriteBytes(shipped.file(kDrawsFileName), shippedHistory);
    kwtest::WriteBytes(shipped.file(kQuotasFileName), shippedQuotas);
    if (c.userHasHistory) kwtest::WriteBytes(data.file(kDrawsFileName), userHistory);
    if (c.userHasQuotas) kwtest::WriteBytes(data.file(kQuotasFileName), userQuotas);

    ASSERT_TRUE(PlaceShippedHistory(shipped.path(), data.path()));
    const bool placed = c.historyShipped && !c.userHasHistory;
    const auto history = FileExists(data.file(kDrawsFileName)) ? kwtest::ReadBytes(data.file(kDrawsFileName))
                                                               : std::vector<std::uint8_t>{};
    EXPECT_EQ(history, c.userHasHistory ? userHistory : placed ? shippedHistory : std::vector<std::uint8_t>{});
    const auto quotas = FileExists(data.file(kQuotasFileName)) ? kwtest::ReadBytes(data.file(kQuotasFileName))
                                                               : std::vector<std::uint8_t>{};
    EXPECT_EQ(quotas, c.userHasQuotas ? userQuotas : placed ? shippedQuotas : std::vector<std::uint8_t>{});
  }
}

TEST(ShippedFiles, AFolderUnderTheHistorysNameIsTheUsersToo) {
  kwtest::TempDir shipped, data;
  kwtest::WriteBytes(shipped.file(kDrawsFileName), Bytes(1, 16));
  std::filesystem::create_directory(data.file(kDrawsFileName));
  ASSERT_TRUE(PlaceShippedHistory(shipped.path(), data.path()));
  EXPECT_TRUE(std::filesystem::is_directory(data.file(kDrawsFileName)));
  EXPECT_FALSE(FileExists(data.file(kQuotasFileName)));
}

TEST(ShippedFiles, FoundBesideTheProgramOrInItsShareFolder) {
  kwtest::TempDir root;
  const std::string bin = root.path() + "bin/", share = root.path() + "share/kugelwerk/";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(share);
  EXPECT_EQ(ShippedFilesFolder(bin), bin);  // nothing anywhere: beside the program
  kwtest::WriteBytes(share + kDrawsFileName, Bytes(1, 16));
  EXPECT_EQ(ShippedFilesFolder(bin), bin + "../share/kugelwerk/");
  kwtest::WriteBytes(bin + kDemoSlipFileName, Bytes(1, 7));
  EXPECT_EQ(ShippedFilesFolder(bin), bin);  // a build folder has them beside the program
}

// The build turns the history of the repository into the shipped file beside the programs.
TEST(ShippedFiles, TheBuildShipsTheWholeHistory) {
  const std::string built = std::string(KW_BUILD_DIR) + "/" + kDrawsFileName;
  if (!FileExists(built)) GTEST_SKIP() << "no shipped history in this build";
  const auto bytes = kwtest::ReadBytes(built);
  EXPECT_GE(bytes.size(), 1974u * 16);
  EXPECT_EQ(bytes.size() % 16, 0u);
  const auto quotas = kwtest::ReadBytes(std::string(KW_BUILD_DIR) + "/" + kQuotasFileName);
  EXPECT_EQ(quotas.size() / 64, bytes.size() / 16);
}

}  // namespace
}  // namespace kw
