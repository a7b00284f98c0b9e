#pragma once
// What the .xls and .xlsx readers hand to ImportWorkbook: the value cells of one sheet, already as
// text, plus the limits that keep a hostile file from taking all memory.
#include <QString>
#include <cstdint>
#include <vector>

namespace kw::workbook {

// The largest sheet a spreadsheet program can hold.
inline constexpr int kMaxRows = 1'048'576;
inline constexpr int kMaxColumns = 16'384;
// The used range becomes a dense table of rows x columns texts; tip-row sheets are far smaller.
inline constexpr std::int64_t kMaxRangeCells = 2'000'000;
// Shared strings let a small file repeat one long text in every cell; the caller joins the cells.
inline constexpr std::int64_t kMaxTextChars = 32LL * 1024 * 1024;

enum class Failure { None, Unreadable, Damaged, Encrypted, NoSuchSheet, TooLarge };

struct SheetCell {
  int row;     // from 1
  int column;  // from 1
  QString text;
};

struct SheetRead {
  Failure failure = Failure::None;
  int sheetCount = 0;  // set with NoSuchSheet
  int maxRow = 0;
  int maxColumn = 0;
  std::int64_t textChars = 0;
  std::vector<SheetCell> cells;

  // Keeps a cell with a value; empty texts do not widen the used range. Returns false (and sets
  // TooLarge or Damaged) when the cell lies outside any sheet or the range grows beyond the limit.
  bool Add(int row, int column, QString text);
  bool Fail(Failure why) {
    failure = why;
    return false;
  }
};

// A number the way the spreadsheet shows it in a general cell: 7, 2.5, 0.1, 1E+15. Decimals use a
// dot because the tip text joins cells with commas.
QString NumberText(double value);
// A date-formatted cell: "11.12.2026", "11.12.2026 08:30:00", or "08:30:00" below one day.
// serial counts days since 30.12.1899.
QString DateTimeText(double serial);

// Column letters to number: "A" -> 1, "Z" -> 26, "AZ" -> 52; 0 when not letters or too wide.
int ColumnNumber(QStringView letters);

}  // namespace kw::workbook
