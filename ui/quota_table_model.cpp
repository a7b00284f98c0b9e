#include "ui/quota_table_model.h"

#include <set>

#include "core/dates.h"
#include "core/game_rules.h"
#include "core/quota_store.h"

namespace kw::ui {

QuotaTableModel::QuotaTableModel(const std::vector<TQuoten>& quotas, QObject* parent)
    : QAbstractTableModel(parent), quotas_(quotas) {}

void QuotaTableModel::reload() {
  beginResetModel();
  std::set<double> days;
  for (const TQuoten& r : quotas_) days.insert(r.datum);
  std::erase_if(unsaved_, [&](const auto& entry) { return days.count(entry.first) == 0; });
  endResetModel();
}

void QuotaTableModel::setAmounts(int row, const Amounts& amounts) {
  if (row < 0 || static_cast<std::size_t>(row) >= quotas_.size()) return;
  unsaved_[quotas_[static_cast<std::size_t>(row)].datum] = amounts;
  emit dataChanged(index(row, 1), index(row, kClassCount));
}

void QuotaTableModel::dropUnsavedRows() {
  if (unsaved_.empty()) return;
  unsaved_.clear();
  if (!quotas_.empty()) emit dataChanged(index(0, 1), index(rowCount() - 1, kClassCount));
}

std::string QuotaTableModel::cellText(int row, int column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= quotas_.size() || column < 0 || column > kClassCount) return {};
  const TQuoten& r = quotas_[static_cast<std::size_t>(row)];
  if (column == 0) return DateText(r.datum);
  if (const auto it = unsaved_.find(r.datum); it != unsaved_.end()) return it->second[static_cast<std::size_t>(column - 1)];
  const float amount = r.amount(column);
  return amount == kMissingAmount ? std::string() : FormatAmount(amount, 2);
}

TextTable QuotaTableModel::table() const {
  const int rows = static_cast<int>(quotas_.size());
  TextTable t(kClassCount + 1, rows + 1);
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column <= kClassCount; ++column) t.setCell(column, row + 1, cellText(row, column));
  return t;
}

void QuotaTableModel::setCurrentOrder(bool current) {
  if (current == currentOrder_) return;
  currentOrder_ = current;
  emit headerDataChanged(Qt::Horizontal, 1, kClassCount);
}

int QuotaTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(quotas_.size());
}

int QuotaTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kClassCount + 1; }

QVariant QuotaTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(cellText(index.row(), index.column()));
}

QVariant QuotaTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section > kClassCount) return {};
  if (role == Qt::DisplayRole) return section == 0 ? QStringLiteral("Datum") : QStringLiteral("GK %1").arg(section);
  if (role == Qt::ToolTipRole && section > 0) {
    const auto& hits = currentOrder_ ? ClassHitsNew : ClassHitsOld;
    return QStringLiteral("Gewinnklasse %1: %2").arg(section).arg(QString::fromUtf8(hits[static_cast<std::size_t>(section)]));
  }
  return {};
}

}  // namespace kw::ui
