#include "generation/systeme.h"

#include <array>

#include "generation/binomial.h"
#include "generation/system_matrices_data.h"

namespace kw {
namespace {

struct Family {
  int firstKey;
  std::uint8_t bz;
  std::uint8_t trg;
  bool mitBz;
  std::initializer_list<std::array<int, 2>> wzR;
};

// The catalogue in list order: families of consecutive keys, WZ:R per key.
const Family kFamilies[] = {
    {1, 2, 2, false, {{4, 3},    {5, 4},    {6, 6},    {7, 7},    {8, 11},   {9, 12},   {10, 17},  {11, 19},
                      {12, 24},  {13, 26},  {14, 33},  {15, 36},  {16, 43},  {17, 46},  {18, 54},  {19, 57},
                      {20, 67},  {21, 70},  {22, 81},  {23, 85},  {24, 96},  {25, 100}, {26, 113}, {27, 117},
                      {28, 131}, {29, 136}, {30, 150}, {31, 155}, {32, 171}, {33, 176}, {34, 193}, {35, 196},
                      {36, 216}, {37, 222}, {38, 241}, {39, 247}, {40, 267}}},
    {38, 2, 4, true, {{6, 6}, {9, 12}, {12, 24}, {15, 36}, {18, 54}}},
    {43,
     1,
     3,
     false,
     {{7, 12},
      {8, 14},
      {9, 25},
      {10, 30},
      {11, 47},
      {12, 57},
      {13, 78},
      {14, 91},
      {15, 124},
      {16, 140},
      {17, 183},
      {18, 207},
      {19, 258},
      {20, 285}}},
    {57,
     1,
     4,
     true,
     {{9, 25},
      {10, 30},
      {11, 47},
      {12, 57},
      {13, 78},
      {14, 91},
      {15, 124},
      {16, 140},
      {17, 183},
      {18, 207},
      {19, 258},
      {20, 285}}},
    {69,
     0,
     3,
     false,
     {{7, 5},
      {8, 8},
      {9, 12},
      {10, 17},
      {11, 20},
      {12, 29},
      {13, 34},
      {14, 43},
      {15, 56},
      {16, 65},
      {17, 68},
      {18, 94},
      {19, 108},
      {20, 133},
      {21, 151},
      {22, 172},
      {23, 187}}},
    {86, 0, 2, false, {{6, 3},   {7, 3},   {8, 4},   {9, 5},   {10, 6},   {11, 7},   {12, 9},   {13, 10},  {14, 12},
                       {15, 13}, {16, 15}, {17, 16}, {18, 18}, {19, 19},  {20, 21},  {21, 21},  {22, 27},  {23, 28},
                       {24, 30}, {25, 30}, {26, 37}, {27, 38}, {28, 40},  {29, 43},  {30, 48},  {31, 50},  {32, 52},
                       {33, 55}, {34, 62}, {35, 63}, {36, 66}, {37, 68},  {38, 76},  {39, 78},  {40, 82},  {41, 82},
                       {42, 93}, {43, 95}, {44, 98}, {45, 99}, {46, 111}, {47, 113}, {48, 117}, {49, 124}, {50, 130}}},
    {131, 0, 4, false, {{6, 5}, {7, 9}, {8, 20}, {9, 30}, {10, 51}, {11, 66}, {12, 113}, {13, 157}}},
    {139, 0, 0, false, {{14, 229}}},
    {140,
     0,
     0,
     false,
     {{32, 28},
      {33, 30},
      {34, 31},
      {35, 33},
      {36, 34},
      {37, 36},
      {38, 37},
      {39, 39},
      {40, 40},
      {41, 42},
      {42, 42},
      {43, 48},
      {44, 49},
      {45, 51},
      {46, 51},
      {47, 57},
      {48, 58},
      {49, 60},
      {50, 60}}},
    {159, 0, 0, false, {{9, 2},    {10, 2},   {11, 5},   {12, 6},   {13, 8},   {14, 10},  {15, 13},
                        {16, 14},  {17, 18},  {18, 22},  {19, 26},  {20, 32},  {21, 37},  {22, 40},
                        {23, 49},  {24, 54},  {25, 63},  {26, 68},  {27, 77},  {28, 86},  {29, 97},
                        {30, 102}, {31, 111}, {32, 124}, {33, 133}, {34, 136}, {35, 162}, {36, 176},
                        {37, 201}, {38, 216}, {39, 240}, {40, 255}, {41, 280}, {42, 295}, {43, 320},
                        {44, 338}, {45, 359}, {46, 374}, {47, 411}, {48, 432}, {49, 447}, {50, 491}}},
    {201, 0, 0, false, {{12, 4},   {14, 6},   {15, 8},   {16, 10},  {17, 12},  {18, 14},  {19, 17},  {20, 20},
                        {21, 24},  {22, 27},  {23, 31},  {24, 36},  {25, 39},  {26, 44},  {27, 51},  {28, 57},
                        {29, 63},  {30, 71},  {31, 77},  {32, 86},  {33, 95},  {34, 104}, {35, 111}, {36, 120},
                        {38, 140}, {39, 151}, {40, 163}, {41, 175}, {42, 189}, {43, 205}, {44, 219}, {45, 237},
                        {46, 256}, {47, 276}, {48, 296}, {49, 316}, {50, 338}}},
    {238, 0, 5, false, {{6, 6}, {7, 21}, {8, 56}, {9, 126}, {10, 252}, {11, 462}, {12, 792}}},
    {245, 1, 4, false, {{5, 5}, {6, 15}, {7, 35}, {8, 70}, {9, 126}, {10, 210}, {11, 330}, {12, 495}, {13, 715}}},
    {254,
     2,
     3,
     false,
     {{5, 10},
      {6, 20},
      {7, 35},
      {8, 56},
      {9, 84},
      {10, 120},
      {11, 165},
      {12, 220},
      {13, 286},
      {14, 364},
      {15, 455},
      {16, 560},
      {17, 680},
      {18, 816},
      {19, 969}}},
};

std::array<SystemEntry, kSystemCount + 1> makeCatalogue() {
  std::array<SystemEntry, kSystemCount + 1> table{};
  for (const Family& family : kFamilies) {
    int key = family.firstKey;
    for (const auto& [wz, r] : family.wzR) {
      table[key] = SystemEntry{static_cast<std::uint8_t>(wz), family.bz, family.trg, static_cast<std::uint16_t>(r),
                               family.mitBz};
      ++key;
    }
  }
  return table;
}

const std::array<SystemEntry, kSystemCount + 1>& catalogue() {
  static const auto table = makeCatalogue();
  return table;
}

struct FullMatrix {
  int wz = 0;
  PositionMatrix matrix;
};

FullMatrix& fullMatrix() {
  static FullMatrix matrix;
  return matrix;
}

bool validKey(int key) { return key >= 1 && key <= kSystemCount; }

}  // namespace

SystemEntry catalogueEntry(int key) { return validKey(key) ? catalogue()[key] : SystemEntry{}; }

SystemEntry entry(int key) {
  SystemEntry e = catalogueEntry(key);
  if (key >= 1 && key <= kReducedSystemCount) e.r = system_matrices::kMatrices[key].rows;
  return e;
}

int rowLength(int key) { return validKey(key) ? 5 - catalogue()[key].bz : 0; }

int position(int key, int r, int c) {
  if (!validKey(key)) return 0;
  const int k = rowLength(key);
  if (c < 1 || c > k || r < 1) return 0;
  if (key <= kReducedSystemCount) {
    const system_matrices::MatrixRef& m = system_matrices::kMatrices[key];
    if (r > m.rows || m.k != k) return 0;
    const std::size_t at = m.offset + static_cast<std::size_t>(r - 1) * m.k + static_cast<std::size_t>(c - 1);
    return at < system_matrices::kByteCount ? system_matrices::kBytes[at] : 0;
  }
  const FullMatrix& full = fullMatrix();
  if (full.wz != catalogue()[key].wz || full.matrix.k != k) return 0;
  if (static_cast<std::size_t>(r) > full.matrix.rows()) return 0;
  return full.matrix
      .cells[static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(k) + static_cast<std::size_t>(c - 1)];
}

const PositionMatrix& buildFullMatrix(int wz, int k) {
  FullMatrix& full = fullMatrix();
  full.wz = 0;
  full.matrix = PositionMatrix{};
  if (k < 3 || k > 5 || wz < k || wz > 50) return full.matrix;
  const auto count = binomial(wz, k);
  if (!count) return full.matrix;
  std::vector<std::uint8_t>& cells = full.matrix.cells;
  cells.reserve(static_cast<std::size_t>(*count) * static_cast<std::size_t>(k));
  // Odometer over ascending k-tuples: the same order as k nested loops.
  std::uint8_t row[5];
  for (int i = 0; i < k; ++i) row[i] = static_cast<std::uint8_t>(i + 1);
  for (;;) {
    cells.insert(cells.end(), row, row + k);
    int i = k - 1;
    while (i >= 0 && row[i] == wz - (k - 1 - i)) --i;
    if (i < 0) break;
    ++row[i];
    for (int j = i + 1; j < k; ++j) row[j] = static_cast<std::uint8_t>(row[j - 1] + 1);
  }
  full.wz = wz;
  full.matrix.k = k;
  return full.matrix;
}

std::string listText(int key) {
  if (!validKey(key)) return {};
  const SystemEntry e = entry(key);
  std::string text = std::to_string(e.wz) + " WZ, " + std::to_string(e.bz) + " BZ, " + std::to_string(e.r) + " R";
  if (e.trg > 0)
    text += ", " + std::to_string(e.trg) + "er TrG";
  else
    text += " ohne TrG";
  if (e.mitBz) text += " mit BZ";
  return text;
}

bool inBudget(int key, int item) {
  if (!validKey(key)) return false;
  const int r = entry(key).r;
  switch (item) {
    case 1:
      return r <= 5;
    case 2:
      return r >= 6 && r <= 12;
    case 3:
      return r >= 13 && r <= 25;
    case 4:
      return r >= 26 && r <= 50;
    case 5:
      return r >= 51 && r <= 125;
    case 6:
      return r > 250;
    default:
      return false;
  }
}

std::vector<int> filterSystems(const SystemFilter& filter) {
  std::vector<int> keys;
  for (int key = 1; key <= kSystemCount; ++key) {
    const SystemEntry e = entry(key);
    if (filter.bzItem > 0 && e.bz != filter.bzItem - 1) continue;
    if (filter.wzItem > 0 && e.wz != filter.wzItem + 6) continue;
    if (filter.garItem > 0 && e.trg < filter.garItem + 1) continue;
    if (filter.budgetItem > 0 && !inBudget(key, filter.budgetItem)) continue;
    keys.push_back(key);
  }
  return keys;
}

}  // namespace kw
