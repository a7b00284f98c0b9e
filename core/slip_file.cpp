#include "core/slip_file.h"

#include <limits>
#include <optional>

#include "core/file_io.h"
#include "core/german_format.h"

namespace kw {

namespace {
constexpr int kTipColumns = 8;
constexpr int kNumberedRows = 17;

std::optional<int> CellToInt(const std::string& text) {
  const auto v = ParseStrictInt(text);
  if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(*v);
}

std::uint8_t LowByte(int v) { return static_cast<std::uint8_t>(static_cast<unsigned>(v) & 0xFFu); }

}  // namespace

void SetUpTipTable(TextTable& table) {
  table.setColumnWidth(0, 38);
  table.setColumnWidth(6, 22);
  table.setColumnWidth(7, 22);
  table.setRowCount(kNumberedRows + 1);
  static const char* const kHeaders[kTipColumns] = {"Reihe", "Z 1", "Z 2", "Z 3", "Z 4", "Z 5", "S1", "S2"};
  for (int c = 0; c < kTipColumns; ++c) table.setCell(c, 0, kHeaders[c]);
  for (int r = 1; r <= kNumberedRows; ++r) table.setCell(0, r, std::to_string(r));
}

void ClearTipTable(TextTable& table) {
  for (int r = 1; r < table.rowCount(); ++r)
    for (int c = 1; c < table.columnCount(); ++c) table.setCell(c, r, {});
}

int LastFilledRow(const TextTable& table) {
  for (int r = 1; r < table.rowCount(); ++r)
    if (table.cell(1, r).empty()) return r - 1;
  return table.rowCount() - 1;
}

Result<std::vector<TSchein>> SlipRowsOfTable(const TextTable& table) {
  std::vector<TSchein> rows;
  for (int r = 1; r < table.rowCount(); ++r) {
    if (table.cell(1, r).empty()) continue;
    TSchein s;
    for (int c = 1; c <= 7; ++c) {
      const std::string& text = table.cell(c, r);
      const auto v = CellToInt(text);
      if (!v) return Refused(InvalidIntegerMessage(text));
      (c <= 5 ? s.GZ[static_cast<std::size_t>(c - 1)] : s.SZ[static_cast<std::size_t>(c - 6)]) = LowByte(*v);
    }
    rows.push_back(s);
  }
  return rows;
}

void ShowSlipRows(TextTable& table, const std::vector<TSchein>& rows) {
  const int n = static_cast<int>(rows.size());
  table.setRowCount(n + 1);
  for (int i = 0; i < n; ++i) {
    const TSchein& s = rows[static_cast<std::size_t>(i)];
    const int r = i + 1;
    table.setCell(0, r, std::to_string(r));
    for (int c = 1; c <= 5; ++c) table.setCell(c, r, std::to_string(s.GZ[static_cast<std::size_t>(c - 1)]));
    for (int c = 6; c <= 7; ++c) table.setCell(c, r, std::to_string(s.SZ[static_cast<std::size_t>(c - 6)]));
  }
}

Result<void> SaveSlipFile(const TextTable& table, const std::string& path) {
  // Convert everything before writing anything: a bad cell must not cost the old file.
  auto rows = SlipRowsOfTable(table);
  if (!rows) return rows.error();
  return SaveSlipRows(*rows, path);
}

Result<void> LoadSlipFile(TextTable& table, const std::string& path) {
  if (NoFileAt(path)) return {};
  auto rows = LoadSlipRows(path);
  if (!rows) return rows.error();
  ShowSlipRows(table, *rows);
  return {};
}

Result<std::vector<TSchein>> LoadSlipRows(const std::string& path) {
  if (NoFileAt(path))
    return IoError("Die Spielschein-Datei \"" + FileNameOf(path) +
                   "\" wurde nicht gefunden.\r\rIch breche erst einmal ab.");
  auto bytes = ReadWholeFile(path, kMaxSlipFileBytes);
  if (!bytes) return bytes.error();
  return DecodeSlipRecords(*bytes);
}

Result<void> SaveSlipRows(const std::vector<TSchein>& rows, const std::string& path) {
  return WriteFileAtomically(path, EncodeRecords(rows));
}

}  // namespace kw
