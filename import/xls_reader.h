#pragma once
// Binary Excel 97-2003 workbooks (.xls) through FreeXL.
#include <QString>

#include "import/workbook_cells.h"

namespace kw::workbook {

// sheet counts from 1 in the workbook's tab order.
SheetRead ReadXlsSheet(const QString& path, int sheet);

}  // namespace kw::workbook
