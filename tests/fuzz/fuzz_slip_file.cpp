// Slip files come from anywhere: any bytes must load, and whatever loads must save back unchanged.
// The tail of the input also serves as table cells for the save-side conversion.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/german_format.h"
#include "core/slip_file.h"

namespace {
void Require(bool ok) {
  if (!ok) std::abort();
}

// In memory where possible: a million rewrites of a disk file make the disk the bottleneck.
const std::string& ScratchFile() {
  static const std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/kw-fuzz-slip-" + std::to_string(::getpid()) + ".emt";
  return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kw;
  const std::vector<std::uint8_t> bytes(data, data + size);

  // Bytes -> table -> records -> bytes is the identity on whole records.
  const std::vector<TSchein> records = DecodeSlipRecords(bytes);
  Require(records.size() == size / TSchein::kSize);
  TextTable table;
  SetUpTipTable(table);
  ShowSlipRows(table, records);
  Require(table.rowCount() == static_cast<int>(records.size()) + 1);
  Require(LastFilledRow(table) == static_cast<int>(records.size()));
  auto back = SlipRowsOfTable(table);
  Require(back.ok() && *back == records);
  const std::vector<std::uint8_t> encoded = EncodeRecords(*back);
  Require(encoded.size() == records.size() * TSchein::kSize);
  Require(std::equal(encoded.begin(), encoded.end(), bytes.begin()));

  // The same through a real file.
  if (std::FILE* f = std::fopen(ScratchFile().c_str(), "wb")) {
    const bool written = std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    if (written) {
      TextTable fromFile;
      SetUpTipTable(fromFile);
      Require(LoadSlipFile(fromFile, ScratchFile()).ok());
      auto rows = SlipRowsOfTable(fromFile);
      Require(rows.ok() && *rows == records);
    }
    std::remove(ScratchFile().c_str());
  }

  // Input split at newlines as cell texts: either every filled row converts, or the message
  // names the first cell that does not.
  TextTable cells;
  SetUpTipTable(cells);
  std::size_t pos = 0;
  for (int r = 1; r < cells.rowCount() && pos < size; ++r)
    for (int c = 1; c <= 7 && pos < size; ++c) {
      std::size_t end = pos;
      while (end < size && data[end] != '\n') ++end;
      cells.setCell(c, r, std::string(reinterpret_cast<const char*>(data + pos), end - pos));
      pos = end + 1;
    }
  auto converted = SlipRowsOfTable(cells);
  if (converted) {
    std::size_t k = 0;
    for (int r = 1; r < cells.rowCount(); ++r) {
      if (cells.cell(1, r).empty()) continue;
      Require(k < converted->size());
      const TSchein& s = (*converted)[k++];
      for (int c = 1; c <= 7; ++c) {
        const auto v = ParseStrictInt(cells.cell(c, r));
        Require(v.has_value());
        const auto stored = c <= 5 ? s.GZ[static_cast<std::size_t>(c - 1)] : s.SZ[static_cast<std::size_t>(c - 6)];
        Require(stored == static_cast<std::uint8_t>(static_cast<std::uint64_t>(*v) & 0xFF));
      }
    }
    Require(k == converted->size());
  } else {
    const std::string& m = converted.error().message;
    Require(m.size() >= 1 && m[0] == '\'');
  }
  return 0;
}
