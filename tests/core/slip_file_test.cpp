#include "core/slip_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> Row(const TextTable& t, int r) {
  std::vector<std::string> cells;
  for (int c = 0; c < t.columnCount(); ++c) cells.push_back(t.cell(c, r));
  return cells;
}

void FillRow(TextTable& t, int r, const std::vector<std::string>& numbers) {
  for (int c = 1; c <= 7; ++c) t.setCell(c, r, numbers[static_cast<std::size_t>(c - 1)]);
}

TEST(TipTable, SetUpGivesHeadersWidthsAndSeventeenNumberedRows) {
  TextTable t(8, 1, 64);
  SetUpTipTable(t);
  ASSERT_EQ(t.rowCount(), 18);
  EXPECT_EQ(Row(t, 0), (std::vector<std::string>{"Reihe", "Z 1", "Z 2", "Z 3", "Z 4", "Z 5", "S1", "S2"}));
  const int widths[8] = {38, 64, 64, 64, 64, 64, 22, 22};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(t.columnWidth(c), widths[c]) << c;
  for (int r = 1; r <= 17; ++r) {
    EXPECT_EQ(t.cell(0, r), std::to_string(r));
    EXPECT_EQ(t.cell(1, r), "");
  }
}

TEST(TipTable, ClearKeepsHeaderRowNumbersAndRowCount) {
  TextTable t;
  SetUpTipTable(t);
  t.setRowCount(25);
  t.setCell(0, 20, "20");
  for (int r = 1; r < 25; ++r) FillRow(t, r, {"1", "2", "3", "4", "5", "6", "7"});
  ClearTipTable(t);
  EXPECT_EQ(t.rowCount(), 25);
  EXPECT_EQ(t.cell(2, 0), "Z 2");
  EXPECT_EQ(t.cell(0, 20), "20");
  for (int r = 1; r < 25; ++r)
    for (int c = 1; c < 8; ++c) EXPECT_EQ(t.cell(c, r), "") << c << "," << r;
}

TEST(TipTable, LastFilledRowCountsRowsBeforeTheFirstGap) {
  struct Case {
    int rows;
    std::vector<int> filled;
    int expected;
  };
  const Case cases[] = {
      {1, {}, 0},               // header only
      {18, {}, 0},              // row 1 empty
      {18, {2, 3}, 0},          // row 1 empty, later rows do not count
      {18, {1, 2, 3, 4, 6}, 4}, // stops at the gap in row 5
      {5, {1, 2, 3, 4}, 4},     // every row filled
  };
  for (const auto& c : cases) {
    TextTable t(8, c.rows);
    for (int r : c.filled) t.setCell(1, r, "1");
    EXPECT_EQ(LastFilledRow(t), c.expected) << c.rows;
  }
}

class SlipFileTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUpTipTable(table); }
  void TearDown() override { testing::SimulateDiskFullAfter(std::nullopt); }
  kwtest::TempDir dir;
  std::string path = dir.file("Samstag.emt");
  TextTable table;
};

TEST_F(SlipFileTest, SaveSqueezesOutEmptyRowsAndLoadShowsExactlyTheFileRows) {
  FillRow(table, 1, {"2", "7", "12", "22", "38", "4", "7"});
  FillRow(table, 2, {"1", "2", "3", "4", "5", "11", "12"});
  FillRow(table, 4, {"46", "47", "48", "49", "50", "1", "2"});
  ASSERT_TRUE(SaveSlipFile(table, path));
  EXPECT_EQ(kwtest::ReadBytes(path),
            (Bytes{2, 7, 12, 22, 38, 4, 7, 1, 2, 3, 4, 5, 11, 12, 46, 47, 48, 49, 50, 1, 2}));

  TextTable loaded;
  SetUpTipTable(loaded);
  FillRow(loaded, 10, {"9", "9", "9", "9", "9", "9", "9"});
  ASSERT_TRUE(LoadSlipFile(loaded, path));
  ASSERT_EQ(loaded.rowCount(), 4);
  EXPECT_EQ(Row(loaded, 0)[0], "Reihe");
  EXPECT_EQ(Row(loaded, 1), (std::vector<std::string>{"1", "2", "7", "12", "22", "38", "4", "7"}));
  EXPECT_EQ(Row(loaded, 2), (std::vector<std::string>{"2", "1", "2", "3", "4", "5", "11", "12"}));
  EXPECT_EQ(Row(loaded, 3), (std::vector<std::string>{"3", "46", "47", "48", "49", "50", "1", "2"}));
}

TEST_F(SlipFileTest, SaveKeepsTheLowEightBitsOfEveryNumber) {
  FillRow(table, 1, {"300", "-1", "+7", " 0", "255", "256", "007"});
  ASSERT_TRUE(SaveSlipFile(table, path));
  EXPECT_EQ(kwtest::ReadBytes(path), (Bytes{44, 255, 7, 0, 255, 0, 7}));
}

TEST_F(SlipFileTest, BadCellStopsTheSaveAndTheOldFileStays) {
  const Bytes old{1, 2, 3, 4, 5, 6, 7};
  kwtest::WriteBytes(path, old);
  // 4294967297 would be byte 1 if it were cut to 64 bits and then to 8: it is no int at all.
  for (const std::string bad : {"x", "", "7 ", "4294967297", "2147483648", "1.5"}) {
    FillRow(table, 1, {"1", "2", "3", "4", "5", "6", "7"});
    FillRow(table, 2, {"1", "2", "3", "4", "5", "6", bad});
    const auto r = SaveSlipFile(table, path);
    ASSERT_FALSE(r) << bad;
    EXPECT_EQ(r.error().message, "'" + bad + "' ist kein gültiger Integerwert");
    EXPECT_EQ(kwtest::ReadBytes(path), old) << bad;
  }
  const std::string fresh = dir.file("neu.emt");
  EXPECT_FALSE(SaveSlipFile(table, fresh));
  EXPECT_FALSE(FileExists(fresh));
}

TEST_F(SlipFileTest, DiskFullHalfWayLeavesTheOldFileIntact) {
  const Bytes old{10, 11, 12, 13, 14, 1, 2, 20, 21, 22, 23, 24, 3, 4};
  kwtest::WriteBytes(path, old);
  table.setRowCount(101);
  for (int r = 1; r <= 100; ++r) FillRow(table, r, {"1", "2", "3", "4", "5", "6", "7"});
  testing::SimulateDiskFullAfter(350);
  const auto r = SaveSlipFile(table, path);
  testing::SimulateDiskFullAfter(std::nullopt);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error().kind, ErrorKind::Io);
  EXPECT_NE(r.error().message.find("Samstag.emt"), std::string::npos);
  EXPECT_EQ(kwtest::ReadBytes(path), old);
  ASSERT_TRUE(SaveSlipFile(table, path));
  EXPECT_EQ(kwtest::ReadBytes(path).size(), 700u);
}

TEST_F(SlipFileTest, LoadTakesWholeRecordsOnlyAndShowsBytesAsTheyAre) {
  struct Case {
    std::size_t size;
    int rowCount;
  };
  for (const Case c : {Case{0, 1}, Case{6, 1}, Case{7, 2}, Case{15, 3}}) {
    Bytes bytes(c.size);
    for (std::size_t i = 0; i < c.size; ++i) bytes[i] = static_cast<std::uint8_t>(250 + i);
    kwtest::WriteBytes(path, bytes);
    SetUpTipTable(table);
    ASSERT_TRUE(LoadSlipFile(table, path));
    EXPECT_EQ(table.rowCount(), c.rowCount) << c.size;
    auto rows = LoadSlipRows(path);
    ASSERT_TRUE(rows);
    EXPECT_EQ(static_cast<int>(rows->size()), c.rowCount - 1);
  }
  // Of 15 bytes the second record is bytes 7..13, wrapping past 255; byte 14 is never read.
  EXPECT_EQ(Row(table, 2), (std::vector<std::string>{"2", "1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_EQ(Row(table, 1), (std::vector<std::string>{"1", "250", "251", "252", "253", "254", "255", "0"}));
}

TEST_F(SlipFileTest, MissingFileLeavesTheTableButRowsNeedAFile) {
  FillRow(table, 3, {"1", "2", "3", "4", "5", "6", "7"});
  ASSERT_TRUE(LoadSlipFile(table, dir.file("fehlt.emt")));
  EXPECT_EQ(table.rowCount(), 18);
  EXPECT_EQ(table.cell(1, 3), "1");

  const auto rows = LoadSlipRows(dir.file("fehlt.emt"));
  ASSERT_FALSE(rows);
  EXPECT_EQ(rows.error().message,
            "Die Spielschein-Datei \"fehlt.emt\" wurde nicht gefunden.\r\rIch breche erst einmal ab.");
}

TEST_F(SlipFileTest, UnreadableOrHugeFileIsRefusedAndTheTableStays) {
  FillRow(table, 1, {"1", "2", "3", "4", "5", "6", "7"});
  const std::string huge = dir.file("riesig.emt");
  kwtest::WriteBytes(huge, {});
  std::filesystem::resize_file(huge, kMaxSlipFileBytes + 1);  // sparse: costs no disk
  const auto r = LoadSlipFile(table, huge);
  ASSERT_FALSE(r);
  EXPECT_NE(r.error().message.find("riesig.emt"), std::string::npos);
  EXPECT_NE(r.error().message.find("zu groß"), std::string::npos);
  EXPECT_FALSE(LoadSlipRows(huge));

  std::filesystem::create_directory(dir.file("ordner.emt"));
  EXPECT_FALSE(LoadSlipFile(table, dir.file("ordner.emt")));
  EXPECT_EQ(table.rowCount(), 18);
  EXPECT_EQ(table.cell(7, 1), "7");
}

TEST_F(SlipFileTest, RoundTripIsByteIdentical) {
  Bytes bytes;
  for (int i = 0; i < 7 * 256; ++i) bytes.push_back(static_cast<std::uint8_t>((i * 113 + 5) & 0xFF));
  kwtest::WriteBytes(path, bytes);
  ASSERT_TRUE(LoadSlipFile(table, path));
  ASSERT_EQ(table.rowCount(), 257);
  const std::string copy = dir.file("Kopie.emt");
  ASSERT_TRUE(SaveSlipFile(table, copy));
  EXPECT_EQ(kwtest::ReadBytes(copy), bytes);

  auto rows = LoadSlipRows(path);
  ASSERT_TRUE(rows);
  ASSERT_TRUE(SaveSlipRows(*rows, copy));
  EXPECT_EQ(kwtest::ReadBytes(copy), bytes);
}

}  // namespace
}  // namespace kw
