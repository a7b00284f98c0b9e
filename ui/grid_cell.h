#pragma once
// Cell painting shared by the program's grids: text 2 px below the cell's top edge, clipped, on an
// opaque background; left 2 px from the left edge, centred, or ending 3 px from the right edge.
#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>
#include <functional>

namespace kw::ui {

enum class CellAlign { Left, Centre, Right };

struct CellStyle {
  QColor background;
  QColor text;
  QFont font;
  CellAlign align = CellAlign::Left;
};

void DrawCellText(QPainter& painter, const QRect& cell, const QString& text, const CellStyle& style);

// A delegate whose style comes from the grid's owner; DisplayRole is the text.
class GridCellDelegate : public QStyledItemDelegate {
 public:
  using StyleFor = std::function<CellStyle(const QModelIndex&, const QStyleOptionViewItem&)>;
  GridCellDelegate(StyleFor styleFor, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  StyleFor styleFor_;
};

// The look of a grid's fixed cells (header row, first column): button face, left-aligned.
CellStyle FixedCellStyle(const QStyleOptionViewItem& option);

}  // namespace kw::ui
