#pragma once
// Slip files (".emt"): headerless sequences of 7-byte TSchein records, one per tip row, and the
// routines that move them into and out of a tip table (8 columns: "Reihe", "Z 1".."Z 5", "S1", "S2").
#include <cstddef>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "core/text_table.h"

namespace kw {

// 64 MiB are over nine million rows; anything larger is not a slip file.
inline constexpr std::size_t kMaxSlipFileBytes = std::size_t{64} << 20;

// Column widths, headers and 17 numbered empty rows.
void SetUpTipTable(TextTable& table);
// Empties every tip cell; headers, row numbers and row count stay.
void ClearTipTable(TextTable& table);
// The number of rows before the first row whose column-1 cell is empty.
int LastFilledRow(const TextTable& table);

// The filled rows of the table (column-1 cell not empty) in table order; each number is kept as
// its low 8 bits. A cell that is no integer stops with the conversion error.
Result<std::vector<TSchein>> SlipRowsOfTable(const TextTable& table);
// Shows the rows as rows 1..n of the table, byte values as they are; row count := n + 1.
void ShowSlipRows(TextTable& table, const std::vector<TSchein>& rows);

// Writes the filled rows to path, replacing the file. On any failure, a cell that is no integer
// included, nothing is written and the old file stays as it was.
Result<void> SaveSlipFile(const TextTable& table, const std::string& path);
// Fills the table from the slip file. No file at path: nothing happens. A failed read leaves the
// table untouched.
Result<void> LoadSlipFile(TextTable& table, const std::string& path);

// The records of a slip file; a trailing remainder shorter than a record is ignored. A missing
// file is an error here.
Result<std::vector<TSchein>> LoadSlipRows(const std::string& path);
Result<void> SaveSlipRows(const std::vector<TSchein>& rows, const std::string& path);

}  // namespace kw
