#include "evaluation/winnings_curve.h"

#include <cmath>
#include <limits>

#include "core/german_format.h"

namespace kw {

namespace {
std::int64_t MulSaturated(std::int64_t a, std::int64_t b) {
  if (a == 0 || b == 0) return 0;
  return a > std::numeric_limits<std::int64_t>::max() / b ? std::numeric_limits<std::int64_t>::max() : a * b;
}
}  // namespace

std::optional<std::int64_t> ParseStakeCents(std::string_view text) {
  // At most two decimals: "2,505" is no amount of money.
  const std::size_t comma = text.find(',');
  if (comma != std::string_view::npos) {
    std::size_t end = text.size();
    while (end > comma + 1 && text[end - 1] == ' ') --end;
    if (end - comma - 1 > 2) return std::nullopt;
  }
  const auto value = ParseGermanDecimal(text);
  if (!value || !std::isfinite(*value) || *value < 0) return std::nullopt;
  const auto cents = static_cast<std::int64_t>(std::llround(*value * 100.0));
  if (cents > kMaxStakePerRowCents) return std::nullopt;
  return cents;
}

std::string StakeText(std::int64_t cents) {
  std::string text = FormatGroupedInteger(cents / 100) + ",";
  text += static_cast<char>('0' + cents % 100 / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

WinningsCurve ComputeWinningsCurve(const EvalTable& table, std::int64_t stakePerRowCents) {
  WinningsCurve curve;
  const int draws = table.periodDrawCount();
  curve.points.reserve(static_cast<std::size_t>(draws));
  const std::int64_t stakePerDraw = MulSaturated(table.tipRowCount(), stakePerRowCents);
  // The table's rows stand in draw order; the last row of a draw carries its running total.
  int row = 1;
  std::int64_t won = 0;
  for (int position = 0; position < draws; ++position) {
    const int drawIndex = table.periodStart() + position;
    for (; row < table.rowCount() && table.drawIndex(row) == drawIndex; ++row) won = table.runningTotalCents(row);
    curve.points.push_back({table.drawDate(position), won, MulSaturated(stakePerDraw, position + 1)});
  }
  return curve;
}

std::string CurveSummaryText(const WinningsCurve& curve) {
  return "Gewinne " + FormatEuroCents(curve.winningsCents()) + ", Einsätze " + FormatEuroCents(curve.stakesCents()) +
         ", Ergebnis " + FormatEuroCents(curve.netCents());
}

}  // namespace kw
