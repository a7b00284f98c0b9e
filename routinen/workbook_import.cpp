#include "routinen/workbook_import.h"

namespace kw {

WorkbookImport ImportWorkbook(const QString& path, int sheet) {
  // Placeholder until the readers exist.
  (void)path, (void)sheet;
  WorkbookImport result;
  result.message = QStringLiteral("Der Import von Excel-Dateien ist noch nicht verfügbar.");
  return result;
}

}  // namespace kw
