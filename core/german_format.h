#pragma once
// The one place that formats and parses numbers the German way, whatever the machine's locale.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// x shown with dot grouping, decimal comma and `decimals` decimals, rounded once, half away from
// zero (the rule for every amount of the program), at the last decimal or the last of
// `significant` digits, whichever comes first: FormatGrouped(67951355.2, 2) == "67.951.355,20",
// FormatGrouped(17.125, 2) == "17,13". Empty for NaN or infinity.
std::string FormatGrouped(double x, int decimals, int significant = 10);
// Whole number with dot grouping: 2118760 -> "2.118.760".
std::string FormatGroupedInteger(std::int64_t v);
// Decimal comma number: optional blanks, optional sign, digits, optional "," and digits.
std::optional<double> ParseGermanDecimal(std::string_view text);
// Strict decimal integer: optional leading blanks, optional sign, digits; no overflow.
std::optional<std::int64_t> ParseStrictInt(std::string_view text);
// The platform's wording of a failed integer conversion.
std::string InvalidIntegerMessage(std::string_view text);

}  // namespace kw
