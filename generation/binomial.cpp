#include "generation/binomial.h"

#include <cmath>
#include <limits>
#include <vector>

#include "core/german_format.h"

namespace kw {

namespace {
__extension__ typedef unsigned __int128 u128;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// Multiplicative form: every intermediate value is itself a binomial coefficient no larger
// than the result, so an overflow of the result is seen before anything wraps.
std::optional<std::int64_t> ExactBinomial(std::int64_t n, std::int64_t k) {
  u128 r = 1;
  for (std::int64_t i = 1; i <= k; ++i) {
    r = r * static_cast<u128>(n - k + i) / static_cast<u128>(i);
    if (r > static_cast<u128>(kMax)) return std::nullopt;
  }
  return static_cast<std::int64_t>(r);
}
}  // namespace

std::optional<std::int64_t> binomial(std::int32_t n, std::int32_t k) {
  if (k < 0 || n < 0 || k > n) return std::nullopt;
  const std::int64_t kk = std::min<std::int64_t>(k, std::int64_t{n} - k);
  if (kk == 0) return 1;
  // The exact value first: it stops within a few dozen steps once the result outgrows 64 bits,
  // which keeps the cancelling below (quadratic in k) to small k.
  const auto exact = ExactBinomial(n, kk);
  if (!exact) return std::nullopt;

  // Cancel each divisor k, k-1, ..., 2 into the last numerator factor it divides.
  std::vector<std::int64_t> numerators, divisors;
  for (std::int64_t i = 0; i < kk; ++i) numerators.push_back(n - i);
  for (std::int64_t d = kk; d >= 2; --d) divisors.push_back(d);
  for (std::int64_t& d : divisors) {
    for (auto it = numerators.rbegin(); it != numerators.rend(); ++it) {
      if (*it % d == 0) {
        *it /= d;
        d = 1;
        break;
      }
    }
  }
  u128 p = 1, q = 1;
  for (std::int64_t f : numerators) {
    p *= static_cast<u128>(f);
    if (p > static_cast<u128>(kMax)) return exact;
  }
  for (std::int64_t d : divisors) q *= static_cast<u128>(d);  // at most (k-1)! of the uncancelled rest
  if (q > static_cast<u128>(kMax)) return exact;
  // P and Q fit in 64 bits, so their extended-precision quotient rounds to the exact integer.
  const long double quotient = static_cast<long double>(static_cast<std::int64_t>(p)) /
                               static_cast<long double>(static_cast<std::int64_t>(q));
  return static_cast<std::int64_t>(std::nearbyintl(quotient));
}

Result<std::int64_t> NOverKOfTexts(std::string_view nText, std::string_view kText) {
  // Trailing blanks are as harmless as leading ones; anything else that is no number counts 0.
  // A number too long for 64 bits is taken as the largest one, so it is refused as too large.
  const auto number = [](std::string_view text) -> std::int64_t {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (const auto v = ParseStrictInt(text)) return *v;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    return negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
  };
  const std::int64_t n = number(nText);
  const std::int64_t k = number(kText);
  if (n <= 0) return Refused(kNOverKNotPositiveMessage);
  if (n < k) return Refused(kNOverKSmallerMessage);
  if (k < 0) return Refused(kNOverKNegativeMessage);
  if (n > std::numeric_limits<std::int32_t>::max()) return Refused(kNOverKOutOfRangeMessage);
  const auto result = binomial(static_cast<std::int32_t>(n), static_cast<std::int32_t>(k));
  if (!result) return Refused(kNOverKTooLargeMessage);
  return *result;
}

}  // namespace kw
