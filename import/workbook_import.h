#pragma once
// Reads the used range of one worksheet of a ".xls" or ".xlsx" workbook as text cells, written
// the way a spreadsheet shows them (7, not 7.0).
#include <QString>
#include <vector>

namespace kw {

struct WorkbookImport {
  bool ok = false;
  QString message;  // German message when !ok
  int rows = 0;     // last used row (Rmax)
  int columns = 0;  // last used column (Cmax)
  std::vector<std::vector<QString>> cells;  // cells[r][c]: worksheet row r + 1, column c + 1
};

// sheet is numbered from 1.
WorkbookImport ImportWorkbook(const QString& path, int sheet);

}  // namespace kw
