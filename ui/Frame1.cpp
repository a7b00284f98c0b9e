#include "ui/Frame1.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/grid_cell.h"
#include "ui/look.h"

namespace kw::ui {

namespace {
const QColor kNumberCell(0xF4, 0xBD, 0x3E);
const QColor kStarCell(0xF1, 0xFB, 0x82);
}  // namespace

SlipRowsModel::SlipRowsModel(std::vector<TSchein> rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)) {}

int SlipRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SlipRowsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant SlipRowsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const TSchein& row = rows_[static_cast<std::size_t>(index.row())];
  const int c = index.column();
  if (c == 0) return QString::number(index.row() + 1);
  if (c <= 5) return QString::number(row.GZ[static_cast<std::size_t>(c - 1)]);
  return QString::number(row.SZ[static_cast<std::size_t>(c - 6)]);
}

QVariant SlipRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section == 0) return QStringLiteral("Reihe");
  if (section <= 5) return QStringLiteral("Z %1").arg(section);
  return QStringLiteral("S%1").arg(section - 5);
}

TFrFrame1::TFrFrame1(int n, std::vector<TSchein> rows, QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("frG%1").arg(n));
  setProperty("tag", n);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  G1 = new QTableView(this);
  G1->setObjectName(QStringLiteral("G1"));
  G1->setModel(new SlipRowsModel(std::move(rows), G1));
  G1->setSelectionMode(QAbstractItemView::NoSelection);
  G1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  G1->setWordWrap(false);
  G1->setCornerButtonEnabled(false);
  G1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  G1->verticalHeader()->hide();
  G1->verticalHeader()->setMinimumSectionSize(1);
  G1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  G1->verticalHeader()->setDefaultSectionSize(16);
  QHeaderView* columns = G1->horizontalHeader();
  columns->setMinimumSectionSize(1);
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setDefaultSectionSize(30);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  columns->setFixedHeight(17);
  // The tip table's layout: a wider row-number column, narrow star columns.
  G1->setColumnWidth(0, 38);
  G1->setColumnWidth(6, 22);
  G1->setColumnWidth(7, 22);

  G1->setItemDelegate(new GridCellDelegate(
      [](const QModelIndex& index, const QStyleOptionViewItem& option) {
        if (index.column() == 0) return FixedCellStyle(option);
        QFont bold = option.font;
        bold.setBold(true);
        return CellStyle{index.column() <= 5 ? kNumberCell : kStarCell, Qt::black, bold, CellAlign::Centre};
      },
      G1));
  layout->addWidget(G1);
}

}  // namespace kw::ui
