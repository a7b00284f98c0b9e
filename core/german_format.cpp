#include "core/german_format.h"

#include <algorithm>
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
  decimals = std::clamp(decimals, 0, 400);
  significant = std::max(significant, 1);
  // The exact decimal digits of |x|: a double's lowest bit is 2^(e - 53), so 53 - e places
  // after the point hold it exactly. The charconv routines ignore the C locale, which a GUI
  // toolkit may have switched to the user's.
  int e = 0;
  std::frexp(x, &e);
  const int places = std::clamp(53 - e, 0, 1100);
  char buf[1500];
  const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed, places).ptr;
  std::string digits;
  std::size_t intLength = 0;
  for (const char* p = buf; p != end; ++p) {
    if (*p == '.')
      intLength = digits.size();
    else
      digits += *p;
  }
  if (places == 0) intLength = digits.size();

  // One rounding, half away from zero, at whichever comes first: the last significant digit
  // or the last decimal. A 5 as the first digit dropped is half or more.
  const std::size_t firstSignificant = std::min(digits.find_first_not_of('0'), digits.size());
  const std::size_t keep = std::min(intLength + static_cast<std::size_t>(decimals),
                                    firstSignificant + static_cast<std::size_t>(significant));
  const bool up = keep < digits.size() && digits[keep] >= '5';
  digits.resize(std::min(keep, digits.size()));
  digits.resize(intLength + static_cast<std::size_t>(decimals), '0');
  if (up) {
    std::size_t i = keep;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++intLength;
    } else {
      ++digits[i - 1];
    }
  }

  std::string_view intPart(digits.data(), intLength);
  while (intPart.size() > 1 && intPart.front() == '0') intPart.remove_prefix(1);
  if (intPart.empty()) intPart = "0";
  // No "-0,00": a value that rounds to zero has no sign.
  const bool negative = x < 0 && digits.find_first_not_of('0') != std::string::npos;
  std::string out = negative ? "-" : "";
  out += GroupDigits(intPart);
  if (decimals > 0) {
    out += ',';
    out += std::string_view(digits).substr(intLength);
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
