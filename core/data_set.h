#pragma once
// The draw history and the prize amounts of one data folder: what the program's windows share
// through the data store, and what the command-line tool works on.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/program.h"
#include "core/records.h"

namespace kw {

// A record of "GZahlen.emz" that is no usable draw (numbers out of range, a date out of order,
// or anything from the first record whose date cannot be a date on). It is neither shown nor
// evaluated, but written back where it stood, so a save never loses it.
struct HeldDrawRecord {
  std::size_t before = 0;  // how many records of Draws stand in front of it in the file
  std::array<std::uint8_t, TGewZahlen::kSize> bytes{};
  bool operator==(const HeldDrawRecord&) const = default;
};

struct DataSet {
  std::string DataDir;  // with trailing "/"
  std::vector<TGewZahlen> Draws;
  std::vector<TQuoten> Quotas;  // Quotas[i] belongs to Draws[i]
  // Whoever replaces Draws wholesale decides about these too (clear them, or keep their places).
  std::vector<HeldDrawRecord> HeldDraws = {};
  // "GZahlen.emz" is there but could not be read (locked, unreadable, far too large): writing
  // the history now would replace it with what little Draws holds.
  bool HistoryUnreadable = false;

  std::string dataFile(const char* name) const { return DataDir + name; }
  // The history file had records that Draws does not show.
  bool historyDamaged() const { return !HeldDraws.empty() || HistoryUnreadable; }
};

}  // namespace kw
