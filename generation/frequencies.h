#pragma once
// The frequency tiles below the result grid of the random generator and the tip centre: how
// often each number and star occurs among the rows, and the colours each tile shows.
#include <array>
#include <cstdint>
#include <vector>

#include "core/game_rules.h"
#include "core/records.h"
#include "generation/selection.h"

namespace kw {

// The colours of the tip-row grids.
inline constexpr Rgb kNumberLabelColour{0xFA, 0xE0, 0xA5};
inline constexpr Rgb kNumberCellColour{0xF4, 0xBD, 0x3E};
inline constexpr Rgb kStarLabelColour{0xFF, 0xFF, 0xCC};
inline constexpr Rgb kStarCellColour{0xF1, 0xFB, 0x82};
inline constexpr Rgb kRedColour{0xFF, 0x00, 0x00};
inline constexpr Rgb kGreenColour{0x00, 0x80, 0x00};
inline constexpr Rgb kWhiteColour{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kBlackColour{0x00, 0x00, 0x00};

struct TileColour {
  Rgb background;
  Rgb text;
};

inline bool operator==(const TileColour& a, const TileColour& b) {
  return a.background.r == b.background.r && a.background.g == b.background.g && a.background.b == b.background.b &&
         a.text.r == b.text.r && a.text.g == b.text.g && a.text.b == b.text.b;
}

// The tile of a value in no special state: number-cell or star-cell colour, black text.
TileColour PlainTile(ValueKind kind);

struct FrequencyTile {
  std::uint32_t count = 0;
  TileColour colour{};
};

// 50 number tiles and 12 star tiles, addressed by value.
class FrequencyBoard {
 public:
  FrequencyBoard() { clear(); }

  const FrequencyTile& tile(ValueKind kind, int value) const;
  std::uint32_t count(ValueKind kind, int value) const { return tile(kind, value).count; }

  // Every count 0, every tile in its plain colour.
  void clear();
  // Counts the row's numbers and stars; a byte outside 1..50 (1..12), possible in a foreign
  // slip file, is not counted.
  void countRow(const TSchein& row);
  void setColour(ValueKind kind, int value, TileColour colour);

  // Colours after opening a slip file of rowCount rows: a number in no row red, in every row
  // green; a star in no row or in every row red; the rest plain.
  void colourAsSlip(std::size_t rowCount);
  // Colours after applying a system of rowCount rows: a number in no row red, in every row
  // green; stars plain.
  void colourAsSystem(std::size_t rowCount);

 private:
  FrequencyTile& at(ValueKind kind, int value);

  std::array<FrequencyTile, 51> numbers_{};  // index 0 unused
  std::array<FrequencyTile, 13> stars_{};
};

}  // namespace kw
