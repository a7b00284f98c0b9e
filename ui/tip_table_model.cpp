#include "ui/tip_table_model.h"

#include <QHeaderView>
#include <algorithm>
#include <QTableView>

#include "ui/grid_cell.h"
#include "ui/look.h"

namespace kw::ui {

TipTableModel::TipTableModel(int defaultColumnWidth, QObject* parent)
    : QAbstractTableModel(parent), table_(8, 1, defaultColumnWidth) {}

void TipTableModel::change(const std::function<void(TextTable&)>& edit) {
  beginResetModel();
  edit(table_);
  endResetModel();
}

int TipTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, table_.rowCount() - 1);
}

int TipTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.columnCount(); }

QVariant TipTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(table_.cell(index.column(), index.row() + 1));
}

QVariant TipTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= table_.columnCount())
    return {};
  return QString::fromStdString(table_.cell(section, 0));
}

void ShowTipTable(QTableView* view, TipTableModel* model, int rowHeight) {
  view->setModel(model);
  view->setSelectionMode(QAbstractItemView::NoSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->setCornerButtonEnabled(false);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

  QHeaderView* rows = view->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(rowHeight);

  QHeaderView* columns = view->horizontalHeader();
  columns->setMinimumSectionSize(1);
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  columns->setFixedHeight(rowHeight + 1);
  // A model reset rebuilds the header sections, so the widths are set again after each one.
  const auto applyWidths = [view, model] {
    for (int c = 0; c < model->table().columnCount(); ++c) view->setColumnWidth(c, model->table().columnWidth(c));
  };
  applyWidths();
  QObject::connect(model, &QAbstractItemModel::modelReset, view, applyWidths);
  int width = 0;
  for (int c = 0; c < model->table().columnCount(); ++c) width += model->table().columnWidth(c);

  const QFont bold = BoldFont();
  view->setItemDelegate(new GridCellDelegate(
      [bold](const QModelIndex& index, const QStyleOptionViewItem& option) {
        if (index.column() == 0) return FixedCellStyle(option);
        const QColor fill = index.column() >= 6 ? QColor(0xF1, 0xFB, 0x82) : QColor(0xF4, 0xBD, 0x3E);
        return CellStyle{fill, Qt::black, bold, CellAlign::Centre};
      },
      view));
  view->setMinimumWidth(width + 2 * view->frameWidth() + 18);
}

}  // namespace kw::ui
