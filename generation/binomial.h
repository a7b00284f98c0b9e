#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/result.h"

namespace kw {

// n over k for 0 <= k <= n. Empty when k is out of range or the result exceeds 64 bits:
// a result is exact or absent, never wrapped.
std::optional<std::int64_t> binomial(std::int32_t n, std::int32_t k);

inline constexpr const char* kNOverKNotPositiveMessage =
    "Sie müssen für \"n\" eine Zahl größer Null eingeben.\r\rIch breche erst einmal ab.";
inline constexpr const char* kNOverKSmallerMessage =
    "Die Zahl für \"n\" muss größer als die für \"k\" sein.\r\rIch breche erst einmal ab.";
inline constexpr const char* kNOverKNegativeMessage =
    "Die Zahl für \"k\" darf nicht negativ sein.\r\rIch breche erst einmal ab.";
inline constexpr const char* kNOverKTooLargeMessage =
    "Das Ergebnis ist zu groß für diese Rechnung.\r\rIch breche erst einmal ab.";
inline constexpr const char* kNOverKOutOfRangeMessage =
    "Bitte geben Sie für \"n\" und \"k\" Zahlen bis 2.147.483.647 ein.\r\rIch breche erst einmal ab.";

// The n-over-k window's "compute" on the two typed texts: an empty text or one that is no whole
// number counts 0. Refuses (information) n <= 0, n < k, a negative k, a number beyond 32 bits
// and a result beyond 64 bits, in this order.
Result<std::int64_t> NOverKOfTexts(std::string_view nText, std::string_view kText);

}  // namespace kw
