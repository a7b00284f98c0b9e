#include "ui/draw_list_model.h"

#include "core/dates.h"

namespace kw::ui {

DrawListModel::DrawListModel(const std::vector<TGewZahlen>& draws, QObject* parent)
    : QAbstractTableModel(parent), draws_(draws) {}

void DrawListModel::setShownDraws(int n) {
  beginResetModel();
  rows_ = n < 0 ? 0 : n;
  endResetModel();
}

void DrawListModel::refreshRow(int row) { emit dataChanged(index(row, 0), index(row, 7)); }

int DrawListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DrawListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant DrawListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= draws_.size()) return {};
  const TGewZahlen& draw = draws_[row];
  const int column = index.column();
  if (column == 0) return QString::fromStdString(DateText(draw.datum));
  if (column <= 5) return QString::number(draw.GZ[static_cast<std::size_t>(column - 1)]);
  return QString::number(draw.SZ[static_cast<std::size_t>(column - 6)]);
}

QVariant DrawListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section == 0) return QStringLiteral("Datum");
  if (section <= 5) return QStringLiteral("GZ %1").arg(section);
  return QStringLiteral("S %1").arg(section - 5);
}

}  // namespace kw::ui
