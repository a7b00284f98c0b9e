#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// The MIP solver cbc (looked up on PATH), for the searches that choose rows exactly.
namespace coverings {

// Solves the LP file `lp` (binary variables named x0, x1, ...) within `seconds`; its solution and
// log go beside it. The indices of the variables set in the best solution found, or nothing when
// there is none or cbc did not run. A seed other than 0 is handed to cbc.
std::optional<std::vector<std::size_t>> runCbc(const std::filesystem::path& lp, double seconds, std::uint64_t seed = 0);

}  // namespace coverings
