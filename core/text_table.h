#pragma once
// A GUI-free table of text cells addressed (column, row) like a string grid; the window
// grids adapt it. Row 0 is the header row. Column widths are in pixels.
#include <string>
#include <vector>

namespace kw {

class TextTable {
 public:
  explicit TextTable(int columns = 8, int rows = 1, int defaultColumnWidth = 64);

  int columnCount() const { return static_cast<int>(widths_.size()); }
  int rowCount() const { return rowCount_; }
  // Shrinking drops the cut rows' texts; growing adds empty rows.
  void setRowCount(int rows);

  const std::string& cell(int column, int row) const;
  void setCell(int column, int row, std::string text);

  int columnWidth(int column) const { return widths_.at(static_cast<std::size_t>(column)); }
  void setColumnWidth(int column, int width) { widths_.at(static_cast<std::size_t>(column)) = width; }

 private:
  int rowCount_;
  std::vector<int> widths_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace kw
