#pragma once
// Fixture data shared by the benchmarks: the real history beside the repository, random tip
// rows, rows for the guarantee check, and the plainest possible parse of tip text as the
// yardstick for the real parsers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/row_analysis.h"
#include "core/data_set.h"
#include "core/records.h"

namespace kwbench {

// The folder with draws.csv and quotas.csv; the environment may point elsewhere, e.g. from a
// checkout that does not sit beside "shared".
std::string DataDir();

// The real draws, and with withQuotas their prize amounts; throws when the files are unusable.
kw::DataSet RealHistory(bool withQuotas);

// count valid rows (five distinct numbers, two distinct stars), the same for the same seed.
std::vector<kw::TSchein> RandomTips(int count, std::uint32_t seed);

// 1,000 rows of five numbers drawn from all 50 (fixed seed), as masks and as the "n,n,n,n,n"
// lines a user pastes, and every 5-set of the 50 numbers (2,118,760).
struct GuaranteeInput {
  std::vector<kw::NumberMask> rows;
  std::string text;
  std::vector<kw::NumberMask> combinations;
};
const GuaranteeInput& ThousandRowsOverAllNumbers();

// The hook the window passes to the checks: called on every report, never stops.
kw::ProgressHook NeverStop();

// Cuts lines and fields of "n,n,n,n,n,s,s" text and converts each number, nothing checked.
std::vector<std::array<int, 7>> PlainParse(const std::string& text);

}  // namespace kwbench
