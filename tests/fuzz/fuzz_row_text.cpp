// Row text for the analysis is whatever the user pastes: any bytes end in rows or a message,
// and the fast cores agree with the direct ones on whatever rows come out.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "analysis/row_analysis.h"

namespace {
void Require(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kw;
  if (size < 1) return 0;
  const int k = 2 + data[0] % 4;
  const std::int64_t stopAt = data[0] >> 2;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto parsed = ParseRowText(text);
  if (!parsed) {
    Require(!parsed.error().message.empty());
    return 0;
  }
  const ParsedRows& p = *parsed;
  Require(!p.rows.empty() && p.rowLength >= 1 && p.rowLength <= 5);
  Require(p.text.find_first_of("\r ()") == std::string::npos);
  Require(p.text.find("\n\n") == std::string::npos && p.text.front() != '\n' && p.text.back() != '\n');
  NumberMask all = 0;
  int bankers = 0;
  for (const NumberMask r : p.rows) {
    Require(r != 0 && (r & ~(((NumberMask{1} << 51) - 1) & ~NumberMask{1})) == 0);
    Require(std::popcount(r) <= p.rowLength);
    all |= r;
  }
  for (int n = 1; n <= 50; ++n) {
    const auto i = static_cast<std::size_t>(n);
    const bool inPool = (all >> n) & 1;
    Require((p.counts[i] > 0) == inPool);
    Require((p.states[i] == NumberState::Absent) == !inPool);
    if (p.states[i] == NumberState::Banker) ++bankers;
  }
  Require(bankers == p.bankers && static_cast<int>(p.pool.size()) == std::popcount(all));

  // The normalised text stands on its own.
  const auto again = ParseRowText(p.text);
  Require(again && again->rows == p.rows && again->rowLength == p.rowLength);

  const auto combos = Combinations(p.pool, k);
  if (combos.size() * p.rows.size() > 200000) return 0;
  Require(GuaranteeCheck(p.rows, combos, k) == GuaranteeCheckDirect(p.rows, combos, k));
  Require(TotalCheck(p.rows, combos) == TotalCheckDirect(p.rows, combos));
  const auto stopHook = [stopAt](std::int64_t j) { return j >= stopAt; };
  Require(GuaranteeCheck(p.rows, combos, k, stopHook) == GuaranteeCheckDirect(p.rows, combos, k, stopHook));
  Require(TotalCheck(p.rows, combos, stopHook) == TotalCheckDirect(p.rows, combos, stopHook));

  const auto analysis = AnalyseRowText(text, k, CheckMode::Total);
  Require(analysis.ok() == (p.pool.size() >= static_cast<std::size_t>(k)));
  if (analysis) {
    std::int64_t sum = 0;
    for (const auto h : analysis->histogram) sum += h;
    Require(sum == static_cast<std::int64_t>(combos.size()) && analysis->histogram[0] == 0);
  }
  return 0;
}
