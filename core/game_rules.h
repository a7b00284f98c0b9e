#pragma once
// Prize classes, their two historical orders, hit sets and the class tables.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/records.h"

namespace kw {

inline constexpr int kMainCount = 5;    // main numbers per row
inline constexpr int kStarCount = 2;    // stars per row
inline constexpr int kMaxMain = 50;
inline constexpr int kMaxStar = 12;
inline constexpr int kClassCount = 13;
// Draws after this day number (Sunday 25.09.2016) use the current class order.
inline constexpr double kRuleChangeDay = 42638.0;

TSM RowToSets(const TSchein& row);
TSM RowToSets(const TGewZahlen& draw);
// The hit sets of the draws a .. a + n, in draw order.
std::vector<TSM> BuildPeriodSets(const std::vector<TGewZahlen>& draws, int a, int n);
int CountBits(const std::uint8_t* bytes, std::size_t length);
int PrizeClass(int mainHits, int starHits, bool currentOrder);
bool IsCurrentOrder(double date);

struct Rgb {
  std::uint8_t r, g, b;
};

// Indexed by prize class 1..13; index 0 is unused so that callers write ClassColors[k].
extern const std::array<const char*, 14> ClassHitsOld;
extern const std::array<const char*, 14> ClassHitsNew;
extern const std::array<float, 14> DefaultQuotasOld;
extern const std::array<float, 14> DefaultQuotasNew;
extern const std::array<Rgb, 14> ClassColors;
extern const std::array<Rgb, 14> ClassTextColors;

}  // namespace kw
