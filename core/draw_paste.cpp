#include "core/draw_paste.h"

#include <string>

namespace kw {

namespace {

constexpr const char* kNotADrawMessage =
    "Der Text in der Zwischenablage enthält keine lesbaren Gewinnzahlen.\r\r"
    "Erwartet werden sieben Zeilen mit je einer Zahl (fünf Gewinnzahlen, dann zwei Sternzahlen) "
    "oder die fünf Gewinnzahlen in einer Zeile und die zwei Sternzahlen zwei Zeilen darunter.\r\r"
    "Ich breche ab.";

// Blanks and control characters, as a line is taken without them at both ends.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

// Lines split at "\n", "\r\n" or "\r"; a final line break ends the last line and opens none.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Digits only, 1..limit.
int NumberOrZero(std::string_view digits, int limit) {
  if (digits.empty() || digits.size() > 3) return 0;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n <= limit ? n : 0;
}

Error OutOfRange(std::string_view part, bool star) {
  return Refused("\"" + std::string(part) + "\" ist keine " + (star ? "Sternzahl (1 bis 12)" : "Gewinnzahl (1 bis 50)") +
                 ".\r\rDie Zahlen aus der Zwischenablage werden nicht übernommen. Ich breche ab.");
}

}  // namespace

std::vector<std::string_view> SplitGluedNumbers(std::string_view line, int count) {
  std::vector<std::string_view> parts;
  for (int remaining = count; remaining > 0; --remaining) {
    if (line.empty()) return {};
    const std::size_t take = static_cast<std::size_t>(remaining) < line.size() ? 2 : 1;
    parts.push_back(line.substr(line.size() - take));
    line.remove_suffix(take);
  }
  if (!line.empty()) return {};
  return parts;
}

Result<std::vector<PastedNumber>> ParsePastedDraw(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  std::vector<PastedNumber> numbers;
  if (lines.size() == 7) {
    for (std::size_t i = 0; i < 7; ++i) {
      const std::string_view line = Trim(lines[i]);
      if (line.empty()) break;
      const bool star = i >= 5;
      const int n = NumberOrZero(line, star ? 12 : 50);
      if (n == 0) return OutOfRange(line, star);
      numbers.push_back({star, n});
    }
    return numbers;
  }
  if (lines.size() == 3 || lines.size() == 4) {
    for (const bool star : {false, true}) {
      const std::string_view line = Trim(lines[star ? 2 : 0]);
      const auto parts = SplitGluedNumbers(line, star ? 2 : 5);
      if (parts.empty()) return Refused(kNotADrawMessage);
      for (std::string_view part : parts) {
        const int n = NumberOrZero(part, star ? 12 : 50);
        if (n == 0) return OutOfRange(part, star);
        numbers.push_back({star, n});
      }
    }
    return numbers;
  }
  if (lines.size() <= 2 && !Trim(text).empty()) return Refused(kNotADrawMessage);
  return numbers;
}

}  // namespace kw
