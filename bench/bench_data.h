#pragma once
// Fixture data shared by the benchmarks: the real history beside the repository, random tip
// rows, and the plainest possible parse of tip text as the yardstick for the real parsers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/data_set.h"

namespace kwbench {

// The folder with draws.csv and quotas.csv; the environment may point elsewhere, e.g. from a
// checkout that does not sit beside "shared".
std::string DataDir();

// The real draws, and with withQuotas their prize amounts; throws when the files are unusable.
kw::DataSet RealHistory(bool withQuotas);

// count valid rows (five distinct numbers, two distinct stars), the same for the same seed.
std::vector<kw::TSchein> RandomTips(int count, std::uint32_t seed);

// Cuts lines and fields of "n,n,n,n,n,s,s" text and converts each number, nothing checked.
std::vector<std::array<int, 7>> PlainParse(const std::string& text);

}  // namespace kwbench
