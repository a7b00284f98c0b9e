#pragma once
// Workbooks come from anywhere: any bytes given as a workbook file must give a sheet within the
// limits or a refusal, never a crash, a hang or a range larger than the cells allow. Shared by
// the ".xls" and the ".xlsx" target, which differ only in the reader and the file name.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "import/workbook_import.h"

namespace kwfuzz {

inline void Require(bool ok) {
  if (!ok) std::abort();
}

// The readers take a path; in memory where possible, as a million disk writes would dominate.
inline std::string ScratchFile(const char* extension) {
  return std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/kw-fuzz-workbook-" +
         std::to_string(::getpid()) + extension;
}

template <class ReadSheet>
int FuzzWorkbook(const std::uint8_t* data, std::size_t size, const std::string& file, ReadSheet readSheet) {
  using namespace kw::workbook;
  std::FILE* f = std::fopen(file.c_str(), "wb");
  Require(f != nullptr);
  Require(std::fwrite(data, 1, size, f) == size);
  std::fclose(f);
  const QString path = QString::fromStdString(file);
  for (int sheet : {1, 2}) {
    const SheetRead read = readSheet(path, sheet);
    Require(read.textChars <= kMaxTextChars);
    if (read.failure != Failure::None) continue;
    Require(read.maxRow >= 0 && read.maxRow <= kMaxRows && read.maxColumn >= 0 && read.maxColumn <= kMaxColumns);
    Require(static_cast<std::int64_t>(read.maxRow) * read.maxColumn <= kMaxRangeCells);
    for (const SheetCell& cell : read.cells)
      Require(cell.row >= 1 && cell.row <= read.maxRow && cell.column >= 1 && cell.column <= read.maxColumn);
  }
  // The whole import, as the tip entry window calls it.
  const kw::WorkbookImport imported = kw::ImportWorkbook(path, 1);
  if (imported.ok) {
    Require(static_cast<int>(imported.cells.size()) == imported.rows);
    for (const auto& row : imported.cells) Require(static_cast<int>(row.size()) == imported.columns);
  } else {
    Require(!imported.message.isEmpty());
  }
  return 0;
}

}  // namespace kwfuzz
