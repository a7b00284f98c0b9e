#pragma once
// Office Open XML workbooks (.xlsx): the zip container read with libzip, its parts with
// QXmlStreamReader.
#include <QString>

#include "import/workbook_cells.h"

namespace kw::workbook {

// sheet counts from 1 in the workbook's tab order.
SheetRead ReadXlsxSheet(const QString& path, int sheet);

}  // namespace kw::workbook
