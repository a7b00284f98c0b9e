#pragma once
// Tip-row analysis: which k-combinations of the rows' number pool a set of tip rows covers
// (guarantee check) and how many hits the best row brings for each of them (total check).
// Sets of main numbers are 64-bit masks, number n = bit n.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "core/result.h"

namespace kw {

using NumberMask = std::uint64_t;

inline NumberMask NumberBit(int n) { return NumberMask{1} << n; }

enum class NumberState : std::uint8_t { Absent, Used, Banker };

struct ParsedRows {
  std::string text;  // one row per line, numbers separated by commas, lines joined by '\n'
  int rowLength = 0;  // m: items of the first line (trailing empty items not counted), at most 5
  std::vector<NumberMask> rows;
  std::array<std::int32_t, 51> counts{};  // C[n], index 0 unused; a repeated item counts again
  std::array<NumberState, 51> states{};   // Banker = in every row
  int bankers = 0;
  std::vector<int> pool;  // ascending

  int rowCount() const { return static_cast<int>(rows.size()); }
  int poolSize() const { return static_cast<int>(pool.size()); }
};

// Messages shown by the analysis.
inline constexpr const char* kEmptyRowTextMessage =
    "Das Textfeld ist leer. Es gibt nichts zu testen.\r\rIch breche erst einmal ab.";
inline constexpr const char* kAnalysisStoppedMessage = "Die Analyse wurde wunschgemäß abgebrochen.";

// Blanks and control characters off both ends.
std::string TrimRowText(std::string_view text);
// Blanks out, "),(" to line breaks, brackets out; empty lines dropped. Input is already trimmed.
std::string NormaliseRowText(std::string_view trimmed);
// Trim, normalise, split into rows. Refuses an empty text, items that are not whole numbers
// 1..50 and lines without a number.
Result<ParsedRows> ParseRowText(std::string_view text);

// Text of the rows of a slip file: per row its five main numbers in stored order ("3,12,25,38,47").
std::string RowTextOfSlip(const std::vector<TSchein>& rows);

// All k-subsets of the pool in lexicographic order of their pool indices (first index
// outermost). Empty for k outside 2..5.
std::vector<NumberMask> Combinations(const std::vector<int>& pool, int k);

// Combinations between two progress reports, by N - 1 (N = number of combinations).
std::int64_t StepSize(std::int64_t combinationsMinusOne);

// Called with index j before combination j is examined, for every j that is a multiple of
// StepSize(N - 1), in ascending order. Returning true stops the check (the window returns the
// stop request here, after letting pending events through). An empty hook never stops.
using ProgressHook = std::function<bool(std::int64_t index)>;

struct GuaranteeResult {
  bool stopped = false;
  std::int64_t uncovered = 0;  // combinations no row contains in full
  bool operator==(const GuaranteeResult&) const = default;
};

using HitHistogram = std::array<std::int64_t, 6>;  // H[h]: combinations whose best row hits h

struct TotalResult {
  bool stopped = false;
  HitHistogram histogram{};
  bool operator==(const TotalResult&) const = default;
};

// Fast cores: every k-subset of every row is marked once, then each combination is one look-up
// (the total check looks up the combination's smaller subsets too, from the largest down).
// Results and hook calls are those of the direct cores. Combinations hold at most 5 numbers.
GuaranteeResult GuaranteeCheck(const std::vector<NumberMask>& rows, const std::vector<NumberMask>& combinations,
                               int k, const ProgressHook& hook = {});
TotalResult TotalCheck(const std::vector<NumberMask>& rows, const std::vector<NumberMask>& combinations,
                       const ProgressHook& hook = {});

// Direct cores: every combination against every row; the guarantee check stops at the first
// row that covers the combination.
GuaranteeResult GuaranteeCheckDirect(const std::vector<NumberMask>& rows,
                                     const std::vector<NumberMask>& combinations, int k,
                                     const ProgressHook& hook = {});
TotalResult TotalCheckDirect(const std::vector<NumberMask>& rows, const std::vector<NumberMask>& combinations,
                             const ProgressHook& hook = {});

// The summary lines (without line breaks).
std::string RowsSummaryLine(const ParsedRows& parsed);
std::string CombinationsSummaryLine(int poolSize, std::int64_t combinations, int k);
std::string GuaranteeVerdict(std::int64_t uncovered, std::int64_t combinations, int k, int poolSize);
std::string TotalVerdict(const HitHistogram& histogram);

enum class CheckMode { Guarantee = 0, Total = 1 };

struct Analysis {
  ParsedRows parsed;
  int depth = 0;
  std::int64_t combinations = 0;
  bool stopped = false;  // then nothing below is set
  std::int64_t uncovered = 0;
  bool confirmed = false;  // guarantee check without an uncovered combination
  HitHistogram histogram{};
  std::array<std::string, 3> summary;
};

// The whole test on a row text at depth k (2..5). Refuses what ParseRowText refuses, a depth
// outside 2..5 and a pool smaller than k.
Result<Analysis> AnalyseRowText(std::string_view text, int k, CheckMode mode, const ProgressHook& hook = {});

}  // namespace kw
