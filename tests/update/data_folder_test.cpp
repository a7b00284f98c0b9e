// The server tree published from a data folder, and the data folder a check is applied to.
#include "update/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/dates.h"
#include "core/file_io.h"
#include "real_history.h"
#include "update/version_info.h"

namespace kw::update {
namespace {

namespace fs = std::filesystem;

class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    kwtest::WriteBytes(dir_.file("GZahlen.emz"), EncodeRecords(kwtest::FirstRecords(kwtest::RealDraws(), 10)));
    kwtest::WriteBytes(dir_.file("EMQuoten.emq"), EncodeRecords(kwtest::FirstRecords(kwtest::RealQuotas(), 10)));
  }
  std::string out() const { return dir_.file("server"); }
  kwtest::TempDir dir_;
};

TEST_F(DataFolder, PublishWritesTheServerTree) {
  kwtest::WriteBytes(dir_.file("kugelwerk.sh"), {'#', '!'});
  const double today = EncodeDate(2024, 3, 19);
  auto files = PublishServerTree(dir_.path(), out(), "1.7.2.0", today, dir_.file("kugelwerk.sh"));
  ASSERT_TRUE(files) << files.error().message;
  std::vector<std::string> paths;
  for (const auto& f : *files) paths.push_back(f.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"downloads/GZahlen.emz", "downloads/EMQuoten.emq", "downloads/verinfos.ema",
                                             "EMI/aktuell.html", "downloads/emaupdate.sh"}));
  EXPECT_EQ(kwtest::ReadBytes(out() + "/downloads/GZahlen.emz"), kwtest::ReadBytes(dir_.file("GZahlen.emz")));
  EXPECT_EQ(kwtest::ReadBytes(out() + "/downloads/EMQuoten.emq"), kwtest::ReadBytes(dir_.file("EMQuoten.emq")));
  EXPECT_EQ(kwtest::ReadBytes(out() + "/downloads/emaupdate.sh"), (std::vector<std::uint8_t>{'#', '!'}));
  const auto version = ReadVersionInfo(kwtest::ReadBytes(out() + "/downloads/verinfos.ema"));
  ASSERT_TRUE(version);
  EXPECT_EQ(version->version, "1.7.2.0");
  EXPECT_EQ(version->date, today);
  const std::string html = kwtest::ReadText(out() + "/EMI/aktuell.html");
  EXPECT_NE(html.find("<p>Aktuelle Programmversion: 1.7.2.0</p>"), std::string::npos);
  EXPECT_NE(html.find("vom 13.02.2004 bis zum 16.04.2004 (10 Ausspielungen)"), std::string::npos) << html;
}

TEST_F(DataFolder, PublishRefusesDamagedOrMissingFilesAndWritesNothing) {
  struct Case {
    const char* name;
    std::function<void()> damage;
    const char* message;
  };
  const std::string draws = dir_.file("GZahlen.emz");
  const Case cases[] = {
      {"number out of range",
       [&] {
         auto b = kwtest::ReadBytes(draws);
         b[5 * 16 + 13] = 99;
         kwtest::WriteBytes(draws, b);
       },
       "Ihre Datei \"GZahlen.emz\" ist beschädigt: Datensatz 6 vom 19.03.2004 enthält die Sternzahl 99, erlaubt "
       "sind 1 bis 12.\r\rIch veröffentliche nichts."},
      {"quotas missing", [&] { fs::remove(dir_.file("EMQuoten.emq")); },
       "Im Datenordner fehlt die Datei \"EMQuoten.emq\".\r\rIch veröffentliche nichts."},
  };
  for (const Case& c : cases) {
    SetUp();
    c.damage();
    const auto refused = PublishServerTree(dir_.path(), out(), "1.7.1.1", 45000, "");
    ASSERT_FALSE(refused) << c.name;
    EXPECT_EQ(refused.error().message, c.message) << c.name;
    EXPECT_FALSE(fs::exists(out())) << c.name;
  }
  SetUp();
  EXPECT_FALSE(PublishServerTree(dir_.path(), out(), "1.7.1.1-beta12", 45000, ""));
  EXPECT_FALSE(fs::exists(out()));
}

TEST_F(DataFolder, ApplyWritesTheExtendedHistoryAndChangedQuotasOnly) {
  auto local = ReadLocalData(dir_.path());
  ASSERT_TRUE(local) << local.error().message;
  EXPECT_EQ(local->draws.size(), 10u);
  EXPECT_EQ(local->drawsFileSize, 160);
  const auto quotasBefore = kwtest::ReadBytes(dir_.file("EMQuoten.emq"));

  CheckResult result;
  result.draws.status = StepStatus::Updated;
  result.draws.appended = {kwtest::RealDraws()[10], kwtest::RealDraws()[11]};
  result.quotas.status = StepStatus::Updated;
  result.quotas.changed = false;
  ApplyToDataFolder(dir_.path(), local->draws, result);
  EXPECT_EQ(kwtest::ReadBytes(dir_.file("GZahlen.emz")), EncodeRecords(kwtest::FirstRecords(kwtest::RealDraws(), 12)));
  EXPECT_EQ(kwtest::ReadBytes(dir_.file("EMQuoten.emq")), quotasBefore);
  EXPECT_EQ(result.draws.status, StepStatus::Updated);

  // A write that fails turns the part into a failure; the old file stays.
  kw::testing::SimulateDiskFullAfter(10);
  result.quotas.changed = true;
  result.quotas.merged = kwtest::FirstRecords(kwtest::RealQuotas(), 12);
  ApplyToDataFolder(dir_.path(), local->draws, result);
  kw::testing::SimulateDiskFullAfter(std::nullopt);
  EXPECT_EQ(result.draws.status, StepStatus::Failed);
  EXPECT_EQ(result.quotas.status, StepStatus::Failed);
  EXPECT_NE(result.quotas.message.find("kein Platz mehr frei"), std::string::npos) << result.quotas.message;
  EXPECT_EQ(kwtest::ReadBytes(dir_.file("EMQuoten.emq")), quotasBefore);
}

TEST_F(DataFolder, DamagedLocalHistoryIsNotOverwritten) {
  auto b = kwtest::ReadBytes(dir_.file("GZahlen.emz"));
  b[3 * 16 + 8] = 0;
  kwtest::WriteBytes(dir_.file("GZahlen.emz"), b);
  const auto refused = ReadLocalData(dir_.path());
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message,
            "Ihre Datei \"GZahlen.emz\" ist beschädigt: Datensatz 4 enthält kein gültiges Datum oder ungültige Zahlen. "
            "Die Aktualisierung würde die Datei überschreiben.\r\rIch breche ab.");
}

}  // namespace
}  // namespace kw::update
