#include "generation/frequencies.h"

#include <stdexcept>

namespace kw {

TileColour PlainTile(ValueKind kind) {
  return {kind == ValueKind::Number ? kNumberCellColour : kStarCellColour, kBlackColour};
}

namespace {
constexpr TileColour kRedTile{kRedColour, kWhiteColour};
constexpr TileColour kGreenTile{kGreenColour, kWhiteColour};
}  // namespace

FrequencyTile& FrequencyBoard::at(ValueKind kind, int value) {
  if (value < 1 || value > HighestValue(kind)) throw std::out_of_range("no tile for " + std::to_string(value));
  return kind == ValueKind::Number ? numbers_[static_cast<std::size_t>(value)] : stars_[static_cast<std::size_t>(value)];
}

const FrequencyTile& FrequencyBoard::tile(ValueKind kind, int value) const {
  return const_cast<FrequencyBoard*>(this)->at(kind, value);
}

void FrequencyBoard::clear() {
  for (auto& t : numbers_) t = {0, PlainTile(ValueKind::Number)};
  for (auto& t : stars_) t = {0, PlainTile(ValueKind::Star)};
}

void FrequencyBoard::countRow(const TSchein& row) {
  for (std::uint8_t v : row.GZ)
    if (v >= 1 && v <= 50) ++numbers_[v].count;
  for (std::uint8_t s : row.SZ)
    if (s >= 1 && s <= 12) ++stars_[s].count;
}

void FrequencyBoard::setColour(ValueKind kind, int value, TileColour colour) { at(kind, value).colour = colour; }

void FrequencyBoard::colourAsSlip(std::size_t rowCount) {
  for (int v = 1; v <= 50; ++v) {
    FrequencyTile& t = at(ValueKind::Number, v);
    t.colour = t.count == 0 ? kRedTile : t.count == rowCount ? kGreenTile : PlainTile(ValueKind::Number);
  }
  for (int s = 1; s <= 12; ++s) {
    FrequencyTile& t = at(ValueKind::Star, s);
    t.colour = t.count == 0 || t.count == rowCount ? kRedTile : PlainTile(ValueKind::Star);
  }
}

void FrequencyBoard::colourAsSystem(std::size_t rowCount) {
  for (int v = 1; v <= 50; ++v) {
    FrequencyTile& t = at(ValueKind::Number, v);
    t.colour = t.count == 0 ? kRedTile : t.count == rowCount ? kGreenTile : PlainTile(ValueKind::Number);
  }
  for (int s = 1; s <= 12; ++s) at(ValueKind::Star, s).colour = PlainTile(ValueKind::Star);
}

}  // namespace kw
