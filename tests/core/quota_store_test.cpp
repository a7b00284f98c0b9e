#include "core/quota_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/game_rules.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Draw days as EuroMillions has them: Friday 13.02.2004, then Tuesday, Friday, ...
std::vector<TGewZahlen> MakeDraws(int n) {
  std::vector<TGewZahlen> draws;
  double day = kFirstDrawDay;
  for (int i = 0; i < n; ++i) {
    TGewZahlen d;
    d.datum = day;
    d.GZ = {1, 2, 3, 4, 5};
    d.SZ = {1, 2};
    draws.push_back(d);
    day += DayOfWeek(day) == kFriday ? 4 : 3;
  }
  return draws;
}

TQuoten Record(double day, float base) {
  TQuoten r;
  r.datum = day;
  for (int k = 1; k <= kClassCount; ++k) r.amount(k) = base * static_cast<float>(14 - k);
  r.reserved = {0xDE, 0xAD, 0xBE, 0xEF};
  return r;
}

class QuotaStore : public ::testing::Test {
 protected:
  void SetUp() override { s.DataDir = dir.path(); }
  std::string file() const { return dir.file(kQuotasFileName); }
  void writeFile(const std::vector<TQuoten>& records) { kwtest::WriteBytes(file(), EncodeRecords(records)); }
  std::vector<std::uint8_t> fileBytes() const { return kwtest::ReadBytes(file()); }

  kwtest::TempDir dir;
  DataSet s;
};

struct LoadCase {
  const char* name;
  int draws;
  std::vector<double> fileDays;  // dates of the records in the file
  std::vector<double> keptDays;
};

TEST_F(QuotaStore, LoadKeepsOnlyRecordsMatchingTheDrawAtTheirPosition) {
  const auto draws = MakeDraws(12);
  auto day = [&](int i) { return draws[static_cast<std::size_t>(i)].datum; };
  auto days = [&](std::initializer_list<int> idx) {
    std::vector<double> v;
    for (int i : idx) v.push_back(day(i));
    return v;
  };
  std::vector<double> firstTen = days({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  std::vector<double> beforeFirst = firstTen;
  beforeFirst.insert(beforeFirst.begin(), day(0) - 1);
  std::vector<double> withNaN = {kNaN, day(0), day(1)};
  const LoadCase cases[] = {
      {"all match", 10, firstTen, firstTen},
      {"record one day before the first draw is dropped", 10, beforeFirst, firstTen},
      {"missing 10th record drops the rest", 12, days({0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11}),
       days({0, 1, 2, 3, 4, 5, 6, 7, 8})},
      {"records beyond the last draw are dropped", 5, firstTen, days({0, 1, 2, 3, 4})},
      {"a non-draw day in between is skipped", 4, {day(0), day(1), day(1) + 1, day(2), day(3)},
       days({0, 1, 2, 3})},
      {"NaN date is dropped", 3, withNaN, days({0, 1})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    s.Draws = MakeDraws(c.draws);
    s.Quotas.clear();
    std::vector<TQuoten> records;
    for (std::size_t i = 0; i < c.fileDays.size(); ++i) records.push_back(Record(c.fileDays[i], static_cast<float>(i + 1)));
    writeFile(records);
    const auto before = fileBytes();
    ASSERT_TRUE(LoadQuotas(s));
    std::vector<double> kept;
    for (const auto& q : s.Quotas) kept.push_back(q.datum);
    EXPECT_EQ(kept, c.keptDays);
    EXPECT_EQ(fileBytes(), EncodeRecords(s.Quotas));
    // Whatever the rewrite dropped is still there, in the copy beside the file.
    const bool dropped = c.keptDays.size() < c.fileDays.size();
    EXPECT_EQ(FileExists(file() + ".sicherung"), dropped);
    if (dropped) {
      EXPECT_EQ(kwtest::ReadBytes(file() + ".sicherung"), before);
    }
    std::filesystem::remove(file() + ".sicherung");
  }
}

// A missing or unreadable "GZahlen.emz" once turned "EMQuoten.emq" into 0 bytes.
TEST_F(QuotaStore, LoadLeavesTheFileAloneWhileTheHistoryIsEmptyOrDamaged) {
  const auto draws = MakeDraws(10);
  std::vector<TQuoten> records;
  for (const auto& d : draws) records.push_back(Record(d.datum, 2.5f));
  writeFile(records);
  const auto before = fileBytes();

  ASSERT_TRUE(LoadDraws(s));  // no "GZahlen.emz": an empty history
  ASSERT_TRUE(s.Draws.empty());
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_TRUE(s.Quotas.empty());
  EXPECT_EQ(fileBytes(), before);

  // A damaged history: draw 4 has a star 13 and is held back, so records 4.. would not match.
  auto damaged = draws;
  damaged[3].SZ[0] = 13;
  kwtest::WriteBytes(dir.file(kDrawsFileName), EncodeRecords(damaged));
  ASSERT_FALSE(LoadDraws(s));
  ASSERT_EQ(s.Draws.size(), 9u);
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(s.Quotas.size(), 9u);  // the held draw's record is skipped; the others serve the evaluation
  EXPECT_EQ(fileBytes(), before);
  EXPECT_FALSE(FileExists(file() + ".sicherung"));

  // Once the history is sound again, every amount is still there.
  kwtest::WriteBytes(dir.file(kDrawsFileName), EncodeRecords(draws));
  ASSERT_TRUE(LoadDraws(s));
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(s.Quotas, records);
  EXPECT_EQ(fileBytes(), before);
}

TEST_F(QuotaStore, CopiesOfDroppedRecordsAreNumberedAndNeverOverwritten) {
  s.Draws = MakeDraws(3);
  const std::vector<TQuoten> first = {Record(s.Draws[0].datum - 1, 1.0f), Record(s.Draws[0].datum, 1.0f)};
  writeFile(first);
  ASSERT_TRUE(LoadQuotas(s));
  const std::vector<TQuoten> second = {Record(s.Draws[0].datum, 3.0f), Record(s.Draws[1].datum + 1, 3.0f)};
  writeFile(second);
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(kwtest::ReadBytes(file() + ".sicherung"), EncodeRecords(first));
  EXPECT_EQ(kwtest::ReadBytes(file() + ".sicherung2"), EncodeRecords(second));
  // Nothing dropped: no further copy.
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_FALSE(FileExists(file() + ".sicherung3"));
}

TEST_F(QuotaStore, LoadRewritesUnchangedFileByteForByte) {
  s.Draws = MakeDraws(4);
  std::vector<TQuoten> records;
  for (const auto& d : s.Draws) records.push_back(Record(d.datum, 1.37f));
  // Odd amounts and spare bytes must survive untouched.
  records[1].amount(1) = -1.0f;
  records[1].amount(2) = std::numeric_limits<float>::quiet_NaN();
  records[2].amount(3) = std::numeric_limits<float>::infinity();
  records[2].amount(4) = -7.25f;
  records[3].reserved = {0, 0, 0, 0};
  writeFile(records);
  const auto before = fileBytes();
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(s.Quotas.size(), 4u);
  EXPECT_EQ(s.Quotas[0].reserved, (std::array<std::uint8_t, 4>{0xDE, 0xAD, 0xBE, 0xEF}));
  EXPECT_EQ(fileBytes(), before);
}

TEST_F(QuotaStore, LoadCountsWholeRecordsOfATruncatedFile) {
  s.Draws = MakeDraws(5);
  std::vector<TQuoten> records;
  for (const auto& d : s.Draws) records.push_back(Record(d.datum, 2.0f));
  auto bytes = EncodeRecords(records);
  bytes.resize(3 * 64 + 40);  // the 4th record is cut off
  kwtest::WriteBytes(file(), bytes);
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(s.Quotas.size(), 3u);
  bytes.resize(3 * 64);
  EXPECT_EQ(fileBytes(), bytes);
}

TEST_F(QuotaStore, MissingFileLeavesStoreAndFolderAlone) {
  s.Draws = MakeDraws(3);
  s.Quotas = {Record(s.Draws[0].datum, 1.0f)};
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(s.Quotas.size(), 1u);
  EXPECT_FALSE(FileExists(file()));
}

TEST_F(QuotaStore, HugeFileIsRefusedWithoutReading) {
  s.Draws = MakeDraws(3);
  kwtest::WriteBytes(file(), {});
  std::filesystem::resize_file(file(), kMaxQuotaFileBytes + 64);
  const auto result = LoadQuotas(s);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("EMQuoten.emq"), std::string::npos);
  EXPECT_NE(result.error().message.find("zu groß"), std::string::npos);
  EXPECT_TRUE(s.Quotas.empty());
  EXPECT_EQ(std::filesystem::file_size(file()), kMaxQuotaFileBytes + 64);
}

TEST_F(QuotaStore, FailedRewriteOnLoadKeepsOldFileAndReportsIt) {
  s.Draws = MakeDraws(2);
  writeFile({Record(s.Draws[0].datum - 1, 1.0f), Record(s.Draws[0].datum, 1.0f)});
  const auto before = fileBytes();
  testing::SimulateDiskFullAfter(10);
  const auto result = LoadQuotas(s);
  testing::SimulateDiskFullAfter(std::nullopt);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().kind, ErrorKind::Io);
  EXPECT_EQ(fileBytes(), before);
  EXPECT_EQ(s.Quotas.size(), 1u);  // the store is usable all the same
}

TEST(MakeDefaultQuotas, EveryTuesdayAndFridayUpToYesterdayInItsClassOrder) {
  DataSet s;
  const double today = EncodeDate(2016, 9, 30);  // a Friday: not itself included
  MakeDefaultQuotas(s, today);
  ASSERT_FALSE(s.Quotas.empty());
  EXPECT_EQ(s.Quotas.front().datum, kFirstDrawDay);
  EXPECT_EQ(s.Quotas.back().datum, EncodeDate(2016, 9, 27));
  int expected = 0;
  for (double d = kFirstDrawDay; d < today; ++d) expected += DayOfWeek(d) == kTuesday || DayOfWeek(d) == kFriday;
  EXPECT_EQ(static_cast<int>(s.Quotas.size()), expected);
  for (std::size_t i = 1; i < s.Quotas.size(); ++i) {
    const double gap = s.Quotas[i].datum - s.Quotas[i - 1].datum;
    ASSERT_TRUE(gap == 3 || gap == 4) << DateText(s.Quotas[i].datum);
  }
  const TQuoten& friday = s.Quotas[s.Quotas.size() - 2];
  const TQuoten& tuesday = s.Quotas.back();
  ASSERT_EQ(friday.datum, EncodeDate(2016, 9, 23));
  for (int k = 1; k <= kClassCount; ++k) {
    EXPECT_EQ(friday.amount(k), DefaultQuotasOld[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(tuesday.amount(k), DefaultQuotasNew[static_cast<std::size_t>(k)]) << k;
  }
  EXPECT_EQ(tuesday.reserved, (std::array<std::uint8_t, 4>{}));
}

TEST(MakeDefaultQuotas, LeavesAFilledStoreAndAbsurdDaysAlone) {
  DataSet s;
  s.Quotas = {Record(kFirstDrawDay, 1.0f)};
  MakeDefaultQuotas(s, EncodeDate(2024, 3, 18));
  EXPECT_EQ(s.Quotas.size(), 1u);
  DataSet early;
  MakeDefaultQuotas(early, kFirstDrawDay);
  EXPECT_TRUE(early.Quotas.empty());
  MakeDefaultQuotas(early, kNaN);
  EXPECT_TRUE(early.Quotas.empty());
}

struct ExtendCase {
  const char* name;
  double last;
  double today;
  std::vector<double> appended;
};

TEST(ExtendQuotas, AppendsTheDrawDaysUpToToday) {
  const double fri = EncodeDate(2024, 3, 15);
  const double tue = fri + 4;
  const ExtendCase cases[] = {
      {"Friday -> Monday: tomorrow's Tuesday", fri, fri + 3, {tue}},
      {"Friday -> Wednesday: the Tuesday", fri, fri + 5, {tue}},
      {"Friday -> next Friday: Tuesday and Friday", fri, fri + 7, {tue, fri + 7}},
      {"Friday -> Sunday: nothing yet", fri, fri + 2, {}},
      {"Friday -> same day: nothing", fri, fri, {}},
      {"Tuesday -> Thursday: tomorrow's Friday", tue, tue + 2, {tue + 3}},
      {"Friday -> two weeks on, Friday", fri, fri + 14, {tue, fri + 7, tue + 7, fri + 14}},
      {"last record in the future", fri, fri - 10, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DataSet s;
    s.Quotas = {Record(c.last - 3, 1.0f), Record(c.last, 1.0f)};
    TextTable table(kQuotaTableColumns, 3);
    const auto texts = ExtendQuotas(s, table, c.today);
    ASSERT_EQ(s.Quotas.size(), 2 + c.appended.size());
    ASSERT_EQ(texts.size(), c.appended.size());
    ASSERT_EQ(table.rowCount(), static_cast<int>(3 + c.appended.size()));
    for (std::size_t i = 0; i < c.appended.size(); ++i) {
      const TQuoten& r = s.Quotas[2 + i];
      EXPECT_EQ(r.datum, c.appended[i]);
      for (int k = 1; k <= kClassCount; ++k) EXPECT_EQ(r.amount(k), -1.0f);
      EXPECT_EQ(texts[i], DateText(c.appended[i]));
      EXPECT_EQ(table.cell(0, static_cast<int>(3 + i)), texts[i]);
      EXPECT_EQ(table.cell(13, static_cast<int>(3 + i)), "");
    }
  }
}

TEST(ExtendQuotas, NothingToExtendFromAnEmptyStoreOrABrokenDate) {
  DataSet s;
  TextTable table(kQuotaTableColumns, 1);
  EXPECT_TRUE(ExtendQuotas(s, table, EncodeDate(2024, 3, 18)).empty());
  for (double bad : {kNaN, -1e300, std::numeric_limits<double>::infinity(), 1e300}) {
    s.Quotas = {Record(bad, 1.0f)};
    EXPECT_TRUE(ExtendQuotas(s, table, EncodeDate(2024, 3, 18)).empty());
    EXPECT_EQ(s.Quotas.size(), 1u);
  }
  EXPECT_EQ(table.rowCount(), 1);
}

TEST(ShowQuotas, FormatsAmountsAndLeavesMissingCellsAlone) {
  DataSet s;
  TQuoten r = Record(EncodeDate(2024, 3, 15), 1.0f);
  r.amount(1) = 67951355.2f;
  r.amount(2) = 0.0f;
  r.amount(3) = -1.0f;
  r.amount(13) = 4.36f;
  s.Quotas = {r};
  TextTable table(kQuotaTableColumns, 5);
  table.setCell(3, 1, "195,20");  // typed but not yet saved
  table.setCell(0, 4, "stale");
  ShowQuotas(s, table);
  EXPECT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.cell(0, 1), "15.03.2024");
  EXPECT_EQ(table.cell(1, 1), "67.951.352,00");  // the float's value, not the typed one
  EXPECT_EQ(table.cell(2, 1), "0,00");
  EXPECT_EQ(table.cell(3, 1), "195,20");
  EXPECT_EQ(table.cell(13, 1), "4,36");
}

TEST_F(QuotaStore, SaveWritesRowsUpToTheLastClass13AmountAndRoundTrips) {
  s.Draws = MakeDraws(6);
  std::vector<TQuoten> records;
  for (const auto& d : s.Draws) records.push_back(Record(d.datum, 1.25f));
  records[2].amount(5) = -1.0f;
  records[2].amount(6) = 0.0f;
  writeFile(records);
  ASSERT_TRUE(LoadQuotas(s));
  const auto original = fileBytes();

  TextTable table(kQuotaTableColumns, 1);
  ShowQuotas(s, table);
  ASSERT_TRUE(SaveQuotas(s, table));
  EXPECT_EQ(fileBytes(), original);  // show + save + load changes no byte
  ASSERT_TRUE(LoadQuotas(s));
  EXPECT_EQ(fileBytes(), original);

  // Rows without a class-13 amount at the end are not saved.
  for (int row = 4; row <= 6; ++row) table.setCell(13, row, "");
  ASSERT_TRUE(SaveQuotas(s, table));
  ASSERT_EQ(s.Quotas.size(), 3u);
  EXPECT_EQ(fileBytes(), EncodeRecords(s.Quotas));
  EXPECT_EQ(std::vector<std::uint8_t>(original.begin(), original.begin() + 3 * 64), fileBytes());
}

TEST_F(QuotaStore, SaveStoresUnreadableAmountsAsMissingOrZero) {
  s.Draws = MakeDraws(1);
  TextTable table(kQuotaTableColumns, 2);
  table.setCell(0, 1, DateText(s.Draws[0].datum));
  table.setCell(1, 1, "1.248,50");
  table.setCell(2, 1, "195,20 EUR");
  table.setCell(3, 1, "12,3,4");
  table.setCell(13, 1, "4,36");
  ASSERT_TRUE(SaveQuotas(s, table));
  ASSERT_EQ(s.Quotas.size(), 1u);
  EXPECT_EQ(s.Quotas[0].datum, s.Draws[0].datum);
  EXPECT_EQ(s.Quotas[0].amount(1), 1248.5f);
  EXPECT_EQ(s.Quotas[0].amount(2), -1.0f);
  EXPECT_EQ(s.Quotas[0].amount(3), 0.0f);
  EXPECT_EQ(s.Quotas[0].amount(4), -1.0f);  // empty cell
  EXPECT_EQ(s.Quotas[0].reserved, (std::array<std::uint8_t, 4>{}));
  EXPECT_EQ(fileBytes(), EncodeRecords(s.Quotas));
}

TEST_F(QuotaStore, SaveRefusalsLeaveFileAndStoreUntouched) {
  s.Draws = MakeDraws(2);
  writeFile({Record(s.Draws[0].datum, 1.0f)});
  ASSERT_TRUE(LoadQuotas(s));
  const auto before = fileBytes();

  TextTable empty(kQuotaTableColumns, 3);
  empty.setCell(0, 1, DateText(s.Draws[0].datum));
  auto result = SaveQuotas(s, empty);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().kind, ErrorKind::Refused);
  EXPECT_EQ(result.error().message, "Es gibt nichts zu speichern.\r\rIch breche erst einmal ab.");

  TextTable badDate(kQuotaTableColumns, 3);
  badDate.setCell(0, 1, DateText(s.Draws[0].datum));
  badDate.setCell(0, 2, "31.02.2024");
  badDate.setCell(13, 2, "4,36");
  result = SaveQuotas(s, badDate);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("31.02.2024"), std::string::npos);

  TextTable good(kQuotaTableColumns, 1);
  ShowQuotas(s, good);
  good.setCell(13, 1, "5,00");
  testing::SimulateDiskFullAfter(0);
  result = SaveQuotas(s, good);
  testing::SimulateDiskFullAfter(std::nullopt);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().kind, ErrorKind::Io);

  EXPECT_EQ(fileBytes(), before);
  ASSERT_EQ(s.Quotas.size(), 1u);
  EXPECT_EQ(s.Quotas[0].amount(13), 1.0f);
}

TEST_F(QuotaStore, MergeTakesOverDownloadedRecords) {
  const auto draws = MakeDraws(5);
  std::vector<TQuoten> local, download;
  for (const auto& d : draws) local.push_back(Record(d.datum, 1.0f));
  for (int i = 0; i < 3; ++i) download.push_back(Record(draws[static_cast<std::size_t>(i)].datum, 9.0f));

  // Shorter download: only the first records change, the local tail stays.
  s.Quotas = local;
  TextTable table(kQuotaTableColumns, 1);
  ASSERT_TRUE(MergeQuotas(s, download, &table));
  ASSERT_EQ(s.Quotas.size(), 5u);
  EXPECT_EQ(s.Quotas[2].amount(13), 9.0f);
  EXPECT_EQ(s.Quotas[3].amount(13), 1.0f);
  EXPECT_EQ(fileBytes(), EncodeRecords(s.Quotas));
  EXPECT_EQ(table.rowCount(), 6);
  EXPECT_EQ(table.cell(13, 1), "9,00");

  // A download at least as long replaces everything, without checking dates against Draws.
  download.push_back(Record(12345.0, 3.0f));
  download.push_back(Record(12346.0, 3.0f));
  download.push_back(Record(12347.0, 3.0f));
  ASSERT_TRUE(MergeQuotas(s, download, nullptr));
  EXPECT_EQ(s.Quotas.size(), 6u);
  EXPECT_EQ(fileBytes(), EncodeRecords(download));

  // A corrupt download is not taken over.
  const auto before = fileBytes();
  auto broken = download;
  broken[4].datum = kNaN;
  const auto result = MergeQuotas(s, broken, &table);
  ASSERT_FALSE(result);
  EXPECT_EQ(fileBytes(), before);
  EXPECT_EQ(s.Quotas.size(), 6u);
}

TEST(QuotaAmounts, ParseAmount) {
  const struct {
    const char* text;
    float expected;
  } cases[] = {
      {"1.248,50", 1248.5f},
      {"195,20 EUR", -1.0f},
      {"", -1.0f},
      {"12,3,4", 0.0f},
      {"67.951.355,20", 67951355.2f},
      {"195,20", 195.2f},
      {"4", 4.0f},
      {"  4,36 ", 4.36f},
      {"-1", -1.0f},
      {"1e5", -1.0f},        // letters
      {"4,36 €", 0.0f},      // no ASCII letter, but not a number
      {"...", 0.0f},
      {"999999999999999999999999999999999999999999,0", 0.0f},  // beyond single precision
  };
  for (const auto& c : cases) EXPECT_EQ(ParseAmount(c.text, -1.0f), c.expected) << '"' << c.text << '"';
}

TEST(QuotaAmounts, FormatAmount) {
  const struct {
    double x;
    int decimals;
    const char* expected;
  } cases[] = {
      {0.0, 2, "0,00"}, {0.0, 1, "0"},     {0.0, 0, "0"},         {4.36, 2, "4,36"},
      {67951355.2, 2, "67.951.355,20"},    {1248.5, 2, "1.248,50"}, {-3.5, 2, "-3,50"},
      {kNaN, 2, ""},    {4.36f, 2, "4,36"}, {310751.47f, 2, "310.751,47"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.x, c.decimals), c.expected) << c.x;
}

TEST(QuotaAmounts, QuotaForFallsBackToCurrentStandardAmounts) {
  DataSet s;
  TQuoten r;
  r.datum = EncodeDate(2010, 1, 1);  // an old-order draw still falls back to the new amounts
  r.amount(1) = 1.0f;
  r.amount(2) = 0.99f;
  r.amount(3) = 0.5f;
  r.amount(4) = 0.0f;
  r.amount(5) = -1.0f;
  r.amount(6) = std::numeric_limits<float>::quiet_NaN();
  r.amount(7) = std::numeric_limits<float>::infinity();
  r.amount(8) = -25.0f;
  r.amount(13) = 3.75f;
  s.Quotas = {r};
  EXPECT_EQ(QuotaFor(s.Quotas, 0, 1), 1.0f);
  EXPECT_TRUE(HasRealQuota(s.Quotas, 0, 1));
  for (int k = 2; k <= 8; ++k) {
    EXPECT_EQ(QuotaFor(s.Quotas, 0, k), DefaultQuotasNew[static_cast<std::size_t>(k)]) << k;
    EXPECT_FALSE(HasRealQuota(s.Quotas, 0, k)) << k;
  }
  EXPECT_EQ(QuotaFor(s.Quotas, 0, 13), 3.75f);
  EXPECT_EQ(QuotaFor(s.Quotas, 1, 13), 4.36f);
  EXPECT_FALSE(HasRealQuota(s.Quotas, 1, 13));
  EXPECT_EQ(QuotaFor(s.Quotas, -1, 13), 4.36f);
  EXPECT_EQ(QuotaFor(s.Quotas, 0, 0), 0.0f);
  EXPECT_EQ(QuotaFor(s.Quotas, 0, 14), 0.0f);
}

}  // namespace
}  // namespace kw
