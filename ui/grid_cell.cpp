#include "ui/grid_cell.h"

#include <QApplication>
#include <QPainter>

namespace kw::ui {

void DrawCellText(QPainter& painter, const QRect& cell, const QString& text, const CellStyle& style) {
  painter.save();
  painter.setClipRect(cell);
  painter.fillRect(cell, style.background);
  painter.setFont(style.font);
  painter.setPen(style.text);
  const QFontMetrics metrics(style.font);
  const int width = metrics.horizontalAdvance(text);
  int x = cell.left() + 2;
  if (style.align == CellAlign::Centre) x = cell.left() + (cell.width() - width) / 2;
  if (style.align == CellAlign::Right) x = cell.right() + 1 - 3 - width;
  painter.drawText(QPoint(x, cell.top() + 2 + metrics.ascent()), text);
  painter.restore();
}

GridCellDelegate::GridCellDelegate(StyleFor styleFor, QObject* parent)
    : QStyledItemDelegate(parent), styleFor_(std::move(styleFor)) {}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  DrawCellText(*painter, option.rect, index.data(Qt::DisplayRole).toString(), styleFor_(index, option));
}

CellStyle FixedCellStyle(const QStyleOptionViewItem& option) {
  CellStyle style;
  style.background = option.palette.color(QPalette::Button);
  style.text = option.palette.color(QPalette::ButtonText);
  style.font = option.font;
  style.align = CellAlign::Left;
  return style;
}

}  // namespace kw::ui
