#pragma once
// Prints a string grid as a paginated list: title and date-time on page 1, rules and
// "Seite: p von P" on every page, cells at their on-screen widths scaled to tenths of a millimetre.
#include <QPageLayout>
#include <QString>
#include <vector>

class QAbstractItemModel;
class QPrinter;

namespace kw {

// The grid's horizontal header is printed as its first row, followed by every model row.
// columnWidths holds the on-screen width in pixels of each column.
void PrintGrid(QPrinter& printer, const QAbstractItemModel& grid, const std::vector<int>& columnWidths,
               const QString& title, QPageLayout::Orientation orientation);

}  // namespace kw
