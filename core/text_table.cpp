#include "core/text_table.h"

#include <stdexcept>

namespace kw {

TextTable::TextTable(int columns, int rows, int defaultColumnWidth)
    : rowCount_(0), widths_(static_cast<std::size_t>(columns), defaultColumnWidth) {
  setRowCount(rows);
}

void TextTable::setRowCount(int rows) {
  if (rows < 0) throw std::out_of_range("TextTable::setRowCount");
  rowCount_ = rows;
  rows_.resize(static_cast<std::size_t>(rows), std::vector<std::string>(widths_.size()));
}

const std::string& TextTable::cell(int column, int row) const {
  if (row < 0 || row >= rowCount_) throw std::out_of_range("TextTable::cell row");
  return rows_[static_cast<std::size_t>(row)].at(static_cast<std::size_t>(column));
}

void TextTable::setCell(int column, int row, std::string text) {
  if (row < 0 || row >= rowCount_) throw std::out_of_range("TextTable::setCell row");
  rows_[static_cast<std::size_t>(row)].at(static_cast<std::size_t>(column)) = std::move(text);
}

}  // namespace kw
