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
// Returns false when the printer could not be opened (nothing was printed).
bool PrintGrid(QPrinter& printer, const QAbstractItemModel& grid, const std::vector<int>& columnWidths,
               const QString& title, QPageLayout::Orientation orientation);

// The layout in tenths of a millimetre, for a page of width w and height h in the same unit.
struct GridPageLayout {
  int rowsPerPage;  // the header row counts as a row
  int pages;
  double columnFactor;  // screen pixels -> tenths of a millimetre
};
GridPageLayout PlanGridPages(int pageHeight, int rowCount, int columnCount);

}  // namespace kw
