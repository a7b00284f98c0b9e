#include "printing/print_grid.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace kw {

namespace {

constexpr int kTop = 150;          // title and date line
constexpr int kRuleTop = 300;      // rule under the title
constexpr int kFirstRow = 350;
constexpr int kRowHeight = 36;
constexpr int kLeft = 200;
constexpr int kCellsLeft = 250;
constexpr int kDefaultColumnWidth = 64;  // when the caller gave no width for a column

// Draws text with its top edge at y, the way the printer's text output places it.
void TextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(QRectF(x, y, 100000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                   text);
}

// A font whose line (ascent plus descent) is `height` units tall, as the printer's font height
// means it, so that rows 36 units apart never overlap.
QFont PrintFont(int height) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  constexpr int kProbe = 1000;
  font.setPixelSize(kProbe);
  const double line = QFontMetricsF(font).height();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * kProbe / (line > 0 ? line : kProbe)))));
  return font;
}

// Whole millimetres of the physical page, times ten.
int TenthsOfPage(double millimetres) { return static_cast<int>(std::floor(millimetres + 1e-6)) * 10; }

}  // namespace

GridPageLayout PlanGridPages(int pageHeight, int rowCount, int columnCount) {
  // A page too small for even one row still gets one per page instead of dividing by zero.
  const int perPage = std::max(1, (pageHeight - 630) / kRowHeight);
  const int rows = std::max(0, rowCount);
  int pages = rows / perPage + (rows % perPage != 0 ? 1 : 0);
  pages = std::max(1, pages);
  return {perPage, pages, columnCount <= 26 ? 3.0 : 2.5};
}

bool PrintGrid(QPrinter& printer, const QAbstractItemModel& grid, const std::vector<int>& columnWidths,
               const QString& title, QPageLayout::Orientation orientation) {
  printer.setPageOrientation(orientation);
  printer.setDocName(title);

  const QRectF page = printer.pageLayout().fullRect(QPageLayout::Millimeter);
  const int w = TenthsOfPage(page.width());
  const int h = TenthsOfPage(page.height());

  const int columns = grid.columnCount();
  const int rowCount = grid.rowCount() + 1;  // the header row first
  const GridPageLayout plan = PlanGridPages(h, rowCount, columns);

  std::vector<int> advance(static_cast<std::size_t>(std::max(0, columns)));
  for (std::size_t c = 0; c < advance.size(); ++c) {
    const int pixels = c < columnWidths.size() ? columnWidths[c] : kDefaultColumnWidth;
    advance[c] = static_cast<int>(std::lround(pixels * plan.columnFactor));
  }
  auto cellText = [&grid](int row, int column) {
    if (row == 0) return grid.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return grid.data(grid.index(row - 1, column), Qt::DisplayRole).toString();
  };

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // Tenths of a millimetre from the top left corner of the printable page.
  const double scale = printer.resolution() / 254.0;
  painter.scale(scale, scale);
  painter.setPen(QPen(Qt::black, 5));

  painter.setFont(PrintFont(42));
  TextAt(painter, w - 450, kTop, QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
  TextAt(painter, kLeft, kTop, title);

  const QFont small = PrintFont(36);
  for (int p = 1; p <= plan.pages; ++p) {
    painter.setFont(small);
    painter.drawLine(kLeft, kRuleTop, w, kRuleTop);
    painter.drawLine(kLeft, h - 250, w, h - 250);

    const QString footer = QStringLiteral("Seite: %1 von %2").arg(p).arg(plan.pages);
    // A pixel-sized font measures in the painter's own units, here tenths of a millimetre.
    const int footerWidth = static_cast<int>(painter.fontMetrics().horizontalAdvance(footer));
    TextAt(painter, w / 2 - footerWidth / 2, h - 200, footer);

    const int first = (p - 1) * plan.rowsPerPage;
    const int last = std::min(rowCount, p * plan.rowsPerPage);
    for (int row = first; row < last; ++row) {
      const int y = kFirstRow + (row - first) * kRowHeight;
      int x = kCellsLeft;
      for (int c = 0; c < columns; ++c) {
        TextAt(painter, x, y, cellText(row, c));
        x += advance[static_cast<std::size_t>(c)];
      }
    }
    if (p < plan.pages) printer.newPage();
  }
  painter.end();
  return true;
}

}  // namespace kw
