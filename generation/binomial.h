#pragma once
#include <cstdint>
#include <optional>

namespace kw {

// n over k for 0 <= k <= n. Empty when k is out of range or the result exceeds 64 bits:
// a result is exact or absent, never wrapped.
std::optional<std::int64_t> binomial(std::int32_t n, std::int32_t k);

}  // namespace kw
