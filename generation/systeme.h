#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kw {

// The 268 lottery systems of the tip centre, numbered 1..268 in list order.
inline constexpr int kSystemCount = 268;
// Keys 1..237 are reduced systems with a stored row matrix; 238..268 are full systems.
inline constexpr int kReducedSystemCount = 237;

struct SystemEntry {
  std::uint8_t wz = 0;   // chosen numbers the system needs
  std::uint8_t bz = 0;   // bankers, in every row
  std::uint8_t trg = 0;  // hit guarantee, 0 = none
  std::uint16_t r = 0;   // rows
  bool mitBz = false;    // the guarantee counts the bankers
};

// The catalogue as published, with its own row counts. Zero entry for a key outside 1..268.
SystemEntry catalogueEntry(int key);

// The entry the program works with. For keys 1..237 R is the row count of the shipped matrix,
// which is larger than the catalogue's where no matrix of that size keeps the guarantee.
// Zero entry for a key outside 1..268.
SystemEntry entry(int key);

// Chosen numbers per row (5 - BZ); 0 for a key outside 1..268.
int rowLength(int key);

// Position (1..WZ) in the ascending list of chosen numbers that column c of row r holds,
// both 1-based. Keys 238..268 read the matrix of the last buildFullMatrix call and need it to
// have been built for the key's WZ and k. Returns 0 for any argument outside the matrix;
// nothing is ever read beyond it.
int position(int key, int r, int c);

// R rows of k positions, stored row by row.
struct PositionMatrix {
  int k = 0;
  std::vector<std::uint8_t> cells;

  std::size_t rows() const { return k > 0 ? cells.size() / static_cast<std::size_t>(k) : 0; }
  // Row i (0-based) as k positions.
  std::vector<std::uint8_t> row(std::size_t i) const {
    return {cells.begin() + static_cast<std::ptrdiff_t>(i * k),
            cells.begin() + static_cast<std::ptrdiff_t>((i + 1) * k)};
  }
};

// Every k-subset of 1..wz in lexicographic order, rows ascending. Replaces the matrix of the
// previous call and returns it. k must be 3, 4 or 5 and wz at least k and at most 50; otherwise
// the matrix becomes empty.
const PositionMatrix& buildFullMatrix(int wz, int k);

// The text of the tip centre's list, e.g. "4 WZ, 2 BZ, 3 R, 2er TrG"; empty for an unknown key.
std::string listText(int key);

// Budget filter on the row count; items 1..6 of the budget list. False for other items.
bool inBudget(int key, int item);

// The tip centre's four lists, each as its item index: -1 = nothing chosen, 0 = "egal".
// BZ items "0", "1", "2" are 1..3; WZ items "7".."50" are 1..44; guarantee items
// "minimal 2".."5" are 1..4; budget items "bis 10".."über 500" are 1..6.
struct SystemFilter {
  int bzItem = -1;
  int wzItem = -1;
  int garItem = -1;
  int budgetItem = -1;
};

// Keys of the systems the filter lets through, in list order.
std::vector<int> filterSystems(const SystemFilter& filter);

}  // namespace kw
