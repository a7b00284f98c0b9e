#include "core/worksheet_tips.h"

#include <gtest/gtest.h>

#include "core/slip_file.h"
#include "core/tip_text.h"

namespace kw {
namespace {

using Sheet = std::vector<std::vector<std::string>>;

// A sheet `columns` wide with the seven numbers in A..G of each row and, where given, a note in
// one more column.
Sheet WideSheet(int columns, const std::vector<std::vector<std::string>>& numbers, int noteRow = -1,
                int noteColumn = -1) {
  Sheet sheet;
  for (std::size_t r = 0; r < numbers.size(); ++r) {
    std::vector<std::string> row(static_cast<std::size_t>(columns));
    for (std::size_t c = 0; c < numbers[r].size(); ++c) row[c] = numbers[r][c];
    if (static_cast<int>(r) == noteRow) row[static_cast<std::size_t>(noteColumn - 1)] = "Notiz";
    sheet.push_back(row);
  }
  return sheet;
}

TEST(WorksheetTipLines, TrailingEmptyCellsOfWideSheetsShrinkToAtMostOneComma) {
  struct Case {
    int columns;
    std::string line;
  };
  const Case cases[] = {
      {7, "2,7,12,22,38,4,7"},    // nothing else on the sheet: no surplus comma at all
      {8, "2,7,12,22,38,4,7,"},   // one empty cell: a single comma, left for the transfer
      {9, "2,7,12,22,38,4,7"},    // two: one pair removed
      {52, "2,7,12,22,38,4,7,"},  // column AZ: 45 commas, 28 + 12 + 2 x 2 removed
      {75, "2,7,12,22,38,4,7"},   // 68 commas exactly
      {20, "2,7,12,22,38,4,7,"},  // 13: 12 removed
  };
  for (const Case& c : cases) {
    const auto lines = WorksheetTipLines(WideSheet(c.columns, {{"2", "7", "12", "22", "38", "4", "7"}}));
    ASSERT_EQ(lines.size(), 1u) << c.columns;
    EXPECT_EQ(lines[0], c.line) << c.columns << " columns";
  }
}

// The sheet that made the cascade necessary: a note far right in one row makes every row 52
// cells wide. The plain rows still become one tip row per line.
TEST(WorksheetTipLines, NoteInColumnAzLeavesTheOtherRowsTransferable) {
  const Sheet sheet = WideSheet(52,
                                {{"2", "7", "12", "22", "38", "4", "7"},
                                 {"1", "2", "3", "4", "5", "6", "7"},
                                 {"50", "49", "48", "47", "46", "12", "11"}},
                                1, 52);
  auto lines = WorksheetTipLines(sheet);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "2,7,12,22,38,4,7,");
  EXPECT_EQ(lines[2], "50,49,48,47,46,12,11,");
  EXPECT_EQ(lines[1], "1,2,3,4,5,6,7," + std::string(44, ',') + "Notiz");  // the note row keeps its fields

  lines.erase(lines.begin() + 1);
  const TipParse parse = ParseTipText(lines, true, [](const std::string&) { return BlanksDecision::Cancel; });
  ASSERT_EQ(parse.status, TipParse::Status::Ok) << parse.message;
  EXPECT_EQ(lines, (std::vector<std::string>{"2,7,12,22,38,4,7", "50,49,48,47,46,12,11"}));
  EXPECT_EQ(parse.rows.size(), 2u);
}

TEST(WorksheetTipLines, RowsWithoutColumnAAreSkippedAndGapsBetweenNumbersStay) {
  const Sheet sheet = {
      {"Tipp", "vom", "Freitag"},
      {"", "1", "2", "3", "4", "5", "6", "7"},  // column A empty: not a tip row
      {},
      {"1", "", "2", "3", "4", "5", "6", "7"},  // the gap must not fuse 1 and 2 into 12
  };
  EXPECT_EQ(WorksheetTipLines(sheet), (std::vector<std::string>{"Tipp,vom,Freitag", "1,,2,3,4,5,6,7"}));
}

TEST(JoinSheetRow, QuotesCellsWithBlanksCommasAndQuotationMarks) {
  struct Case {
    std::vector<std::string> cells;
    std::string line;
  };
  const Case cases[] = {
      {{"1", "2"}, "1,2"},
      {{"Mein Tipp", "3"}, "\"Mein Tipp\",3"},
      {{"1,5", "x"}, "\"1,5\",x"},
      {{"sagte \"ja\""}, "\"sagte \"\"ja\"\"\""},
      {{"a", "", ""}, "a,,"},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinSheetRow(c.cells), c.line);
}

TEST(StripTrailingCommaRuns, LeavesTextInsideAndBeforeTheRunAlone) {
  EXPECT_EQ(StripTrailingCommaRuns("1,,2,,,"), "1,,2,");
  EXPECT_EQ(StripTrailingCommaRuns("\"a,,\""), "\"a,,\"");
  EXPECT_EQ(StripTrailingCommaRuns(""), "");
  EXPECT_EQ(StripTrailingCommaRuns(std::string(5, ',')), ",");
}

}  // namespace
}  // namespace kw
