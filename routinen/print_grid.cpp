#include "routinen/print_grid.h"

#include <QAbstractItemModel>
#include <QPrinter>

namespace kw {

void PrintGrid(QPrinter& printer, const QAbstractItemModel& grid, const std::vector<int>& columnWidths,
               const QString& title, QPageLayout::Orientation orientation) {
  // Placeholder until the paginated list is written.
  (void)printer, (void)grid, (void)columnWidths, (void)title, (void)orientation;
}

}  // namespace kw
