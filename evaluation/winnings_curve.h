#pragma once
// The course of an evaluation over its period: what the evaluated rows won up to each draw
// beside what playing them cost up to that draw.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/evaluation.h"

namespace kw {

// What one tip row costs per draw when nothing else is set.
inline constexpr std::int64_t kDefaultStakePerRowCents = 250;
// More per row is certainly a typing error.
inline constexpr std::int64_t kMaxStakePerRowCents = 100'00;

// "2,50" -> 250; empty, negative, more than two decimals or above kMaxStakePerRowCents: none.
std::optional<std::int64_t> ParseStakeCents(std::string_view text);
// 250 -> "2,50".
std::string StakeText(std::int64_t cents);

struct CurvePoint {
  double datum = 0;                 // day number of the draw
  std::int64_t winningsCents = 0;   // won up to and including this draw
  std::int64_t stakesCents = 0;     // paid up to and including this draw
};

struct WinningsCurve {
  std::vector<CurvePoint> points;  // one per draw of the period, in history order
  std::int64_t winningsCents() const { return points.empty() ? 0 : points.back().winningsCents; }
  std::int64_t stakesCents() const { return points.empty() ? 0 : points.back().stakesCents; }
  std::int64_t netCents() const { return winningsCents() - stakesCents(); }
};

// Every draw of the table's period: the running total of its wins after that draw, and tip rows
// x draws so far x stake per row.
WinningsCurve ComputeWinningsCurve(const EvalTable& table, std::int64_t stakePerRowCents);

// "Gewinne 12,90 €, Einsätze 25,00 €, Ergebnis -12,10 €"
std::string CurveSummaryText(const WinningsCurve& curve);

}  // namespace kw
