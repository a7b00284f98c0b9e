#include "core/german_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kw {

namespace {
std::string GroupDigits(std::string_view digits) {
  std::string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out;
}
}  // namespace

std::string FormatGrouped(double x, int decimals, int significant) {
  if (!std::isfinite(x)) return {};
  // Round to the significant digits first, as a 10-digit float format would. The charconv
  // routines ignore the C locale, which a GUI toolkit may have switched to the user's.
  char sig[64];
  const auto sigEnd = std::to_chars(sig, sig + sizeof sig, x, std::chars_format::scientific, significant - 1).ptr;
  double rounded = 0;
  std::from_chars(sig, sigEnd, rounded);
  char fixed[400];
  const auto fixedEnd = std::to_chars(fixed, fixed + sizeof fixed, std::fabs(rounded), std::chars_format::fixed, decimals).ptr;
  std::string_view s(fixed, static_cast<std::size_t>(fixedEnd - fixed));
  const auto dot = s.find('.');
  std::string out;
  const std::string_view intPart = s.substr(0, dot);
  // No "-0,00": a value that rounds to zero has no sign.
  bool negative = rounded < 0;
  if (negative) {
    bool allZero = true;
    for (char c : s)
      if (c >= '1' && c <= '9') allZero = false;
    negative = !allZero;
  }
  if (negative) out += '-';
  out += GroupDigits(intPart);
  if (dot != std::string_view::npos) {
    out += ',';
    out += s.substr(dot + 1);
  }
  return out;
}

std::string FormatGroupedInteger(std::int64_t v) {
  const std::string digits = std::to_string(v);
  if (v >= 0) return GroupDigits(digits);
  // Appending instead of "-" + ...: GCC 12 -O3 reports a false -Wrestrict on the latter.
  std::string out = "-";
  out += GroupDigits(std::string_view(digits).substr(1));
  return out;
}

std::optional<double> ParseGermanDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::size_t end = text.size();
  while (end > i && text[end - 1] == ' ') --end;
  text = text.substr(i, end - i);
  if (text.empty()) return std::nullopt;
  std::string ascii;
  std::size_t p = 0;
  if (text[0] == '+' || text[0] == '-') ascii += text[p++];
  bool digitsBefore = false, digitsAfter = false, comma = false;
  for (; p < text.size(); ++p) {
    const char c = text[p];
    if (c >= '0' && c <= '9') {
      (comma ? digitsAfter : digitsBefore) = true;
      ascii += c;
    } else if (c == ',' && !comma) {
      comma = true;
      ascii += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digitsBefore && !digitsAfter) return std::nullopt;
  double v = 0;
  const auto parsed = std::from_chars(ascii.data() + (ascii[0] == '+' ? 1 : 0), ascii.data() + ascii.size(), v);
  if (parsed.ec != std::errc() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<std::int64_t> ParseStrictInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::uint64_t v = 0;
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : std::numeric_limits<std::int64_t>::max();
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    const auto d = static_cast<std::uint64_t>(c - '0');
    if (v > (limit - d) / 10) return std::nullopt;
    v = v * 10 + d;
  }
  if (negative) return v == (std::uint64_t{1} << 63) ? std::numeric_limits<std::int64_t>::min()
                                                      : -static_cast<std::int64_t>(v);
  return static_cast<std::int64_t>(v);
}

std::string InvalidIntegerMessage(std::string_view text) {
  std::string out = "'";
  out += text;
  out += "' ist kein gültiger Integerwert";
  return out;
}

}  // namespace kw
