#pragma once
// The value records of one sheet of a binary .xls workbook, read straight from its "Workbook"
// stream. FreeXL skips formula results and truth values (and some negative whole numbers); a tip
// sheet filled by formulas would otherwise arrive with holes and no word of warning.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "import/workbook_cells.h"

namespace kw::workbook {

// The "Workbook" stream of a compound file; nothing when the file is not one or is damaged.
std::optional<QByteArray> CompoundWorkbookStream(const QByteArray& file);

// Number, formula-result and truth-value cells (rows and columns from 1) of the worksheet that is
// the index-th (from 0) in the workbook and has the given name; nothing when the stream does not
// hold such a sheet or its records are broken.
std::optional<std::vector<SheetCell>> XlsValueRecords(const QByteArray& stream, int index, const QString& name);

}  // namespace kw::workbook
