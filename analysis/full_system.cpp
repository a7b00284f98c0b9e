#include "analysis/full_system.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>

#include "core/german_format.h"
#include "generation/binomial.h"

namespace kw {

namespace {

// One left-to-right pass; the scan goes on behind each replacement.
void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out.append(to);
  }
  out.append(s, pos, std::string::npos);
  s = std::move(out);
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A whole number: optional sign, then digits only. Values too long to matter come back as a
// number beyond every range, so they count as invalid, not as malformed.
std::optional<long long> WholeNumber(std::string_view item) {
  item = TrimBlanks(item);
  bool negative = false;
  if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
    negative = item.front() == '-';
    item.remove_prefix(1);
  }
  if (item.empty()) return std::nullopt;
  long long value = 0;
  for (char c : item) {
    if (c < '0' || c > '9') return std::nullopt;
    if (value < 1000000000LL) value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::string NotWholeNumberMessage(std::string_view item, const char* what) {
  const std::string_view trimmed = TrimBlanks(item);
  std::string text = std::string("Bei den ") + what;
  if (trimmed.empty())
    text +=
        " steht ein leerer Eintrag, etwa durch ein Komma am Anfang oder am Ende oder durch zwei Kommas "
        "hintereinander. Bitte entfernen Sie das überzählige Komma.";
  else
    text += " ist \"" + std::string(item) + "\" keine ganze Zahl. Bitte trennen Sie die Zahlen nur durch Kommas.";
  return text + "\r\rIch breche erst einmal ab.";
}

void AppendNumber(std::string& out, int n) {
  if (n >= 10) out.push_back(static_cast<char>('0' + n / 10));
  out.push_back(static_cast<char>('0' + n % 10));
}

}  // namespace

std::string CleanNumberText(std::string_view text) {
  std::string s(text);
  while (s.find("  ") != std::string::npos) ReplaceAll(s, "  ", " ");
  ReplaceAll(s, "\r\n", ",");
  ReplaceAll(s, "\r", ",");
  ReplaceAll(s, "\n", ",");
  ReplaceAll(s, " ,", ",");
  ReplaceAll(s, ", ", ",");
  ReplaceAll(s, ",,", ",");
  return s;
}

Result<NumberChoice> ChooseNumbers(std::string_view cleaned, int lowest, int highest, const char* what) {
  NumberChoice choice;
  std::bitset<64> marked;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = cleaned.find(',', start);
    const std::string_view item =
        cleaned.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const auto value = WholeNumber(item);
    if (!value) return Refused(NotWholeNumberMessage(item, what));
    ++choice.items;
    if (*value >= lowest && *value <= highest) marked.set(static_cast<std::size_t>(*value));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  for (int n = lowest; n <= highest; ++n)
    if (marked.test(static_cast<std::size_t>(n))) choice.numbers.push_back(n);
  return choice;
}

Result<FullSystemPlan> PlanFullSystem(std::string_view tipText, std::string_view starText) {
  if (tipText.empty()) return Refused(kEmptyTipNumbersMessage);
  FullSystemPlan plan;
  plan.tipText = CleanNumberText(tipText);
  if (std::count(plan.tipText.begin(), plan.tipText.end(), ',') < 4) return Refused(kTooFewTipNumbersMessage);
  auto tips = ChooseNumbers(plan.tipText, 1, 50, "Tippzahlen");
  if (!tips) return tips.error();
  if (tips->numbers.size() < 5) return Refused(kTooFewTipNumbersMessage);
  const int ignoredTips = tips->ignored();
  plan.tips = std::move(tips->numbers);
  if (const int ignored = ignoredTips; ignored > 0)
    plan.info = std::to_string(ignored) + " doppelte bzw. ungültige " +
                (ignored == 1 ? "Tippzahl wurde" : "Tippzahlen wurden") + " ignoriert";
  plan.fiveRows = binomial(static_cast<std::int32_t>(plan.tips.size()), 5).value_or(0);

  plan.starsGiven = !starText.empty();
  if (plan.starsGiven) {
    plan.starText = CleanNumberText(starText);
    auto stars = ChooseNumbers(plan.starText, 1, 12, "Sternzahlen");
    if (!stars) return stars.error();
    const int ignoredStars = stars->ignored();
    plan.stars = std::move(stars->numbers);
    if (const int ignored = ignoredStars; ignored > 0) {
      if (!plan.info.empty())
        plan.info += ", " + std::to_string(ignored) + " bei den Sternzahlen.";
      else
        plan.info = std::to_string(ignored) + " doppelte bzw. ungültige " +
                    (ignored == 1 ? "Sternzahl wurde" : "Sternzahlen wurden") + " ignoriert.";
    }
    plan.starParts =
        plan.stars.size() <= 2 ? 1 : binomial(static_cast<std::int32_t>(plan.stars.size()), 2).value_or(0);
  }
  plan.total = plan.starParts >= 2 ? plan.fiveRows * plan.starParts : plan.fiveRows;
  return plan;
}

namespace {

// Calls visit(text, i) for every five-number row i in lexicographic order of the indices into
// the tips: the last index runs fastest and each index runs up to its last possible value.
template <class Visit>
void ForEachFiveRow(const std::vector<int>& tips, Visit&& visit) {
  const int n = static_cast<int>(tips.size());
  if (n < 5) return;
  std::array<int, 5> idx{0, 1, 2, 3, 4};
  char text[16];
  for (std::int64_t i = 0;; ++i) {
    std::size_t len = 0;
    for (std::size_t j = 0; j < 5; ++j) {
      if (j > 0) text[len++] = ',';
      const int v = tips[static_cast<std::size_t>(idx[j])];
      if (v >= 10) text[len++] = static_cast<char>('0' + v / 10);
      text[len++] = static_cast<char>('0' + v % 10);
    }
    visit(std::string_view(text, len), i);
    int j = 4;
    while (j >= 0 && idx[static_cast<std::size_t>(j)] == n - 5 + j) --j;
    if (j < 0) return;
    ++idx[static_cast<std::size_t>(j)];
    for (int k = j + 1; k < 5; ++k) idx[static_cast<std::size_t>(k)] = idx[static_cast<std::size_t>(k - 1)] + 1;
  }
}

}  // namespace

std::vector<std::string> FiveNumberRows(const std::vector<int>& tips) {
  std::vector<std::string> rows;
  if (tips.size() >= 5) rows.reserve(static_cast<std::size_t>(binomial(static_cast<std::int32_t>(tips.size()), 5).value_or(0)));
  ForEachFiveRow(tips, [&](std::string_view row, std::int64_t) { rows.emplace_back(row); });
  return rows;
}

std::vector<std::string> StarParts(const std::vector<int>& stars, bool starsGiven) {
  std::vector<std::string> parts;
  if (!starsGiven) return parts;
  if (stars.size() <= 1) {
    std::string part;
    if (stars.size() == 1) {
      part.push_back(',');
      AppendNumber(part, stars[0]);
    }
    parts.push_back(std::move(part));
    return parts;
  }
  for (std::size_t x = 0; x < stars.size(); ++x)
    for (std::size_t y = x + 1; y < stars.size(); ++y) {
      std::string part(1, ',');
      AppendNumber(part, stars[x]);
      part.push_back(',');
      AppendNumber(part, stars[y]);
      parts.push_back(std::move(part));
    }
  return parts;
}

std::string TooManyRowsMessage(std::int64_t rows) {
  return "Dieses Vollsystem hätte " + FormatGroupedInteger(rows) + " Tippreihen. Ich bilde höchstens " +
         FormatGroupedInteger(kMaxFullSystemRows) +
         " Tippreihen auf einmal. Bitte wählen Sie weniger Tippzahlen oder weniger Sternzahlen."
         "\r\rIch breche erst einmal ab.";
}

Result<FullSystemRows> BuildFullSystem(const FullSystemPlan& plan, const std::function<void(std::int64_t)>& progress) {
  if (plan.total > kMaxFullSystemRows) return Refused(TooManyRowsMessage(plan.total));
  const std::vector<std::string> parts = StarParts(plan.stars, plan.starsGiven);
  FullSystemRows out;
  out.text.reserve(static_cast<std::size_t>(plan.total) * 21);
  const std::int64_t last = plan.fiveRows - 1;
  ForEachFiveRow(plan.tips, [&](std::string_view five, std::int64_t i) {
    if (progress && (i % 256 == 0 || i == last)) progress(i);
    if (parts.empty()) {
      out.text += five;
      out.text.push_back('\n');
      ++out.count;
    }
    for (const std::string& part : parts) {
      out.text += five;
      out.text += part;
      out.text.push_back('\n');
      ++out.count;
    }
  });
  if (!out.text.empty()) out.text.pop_back();
  return out;
}

std::string BuiltHeading(std::int64_t lines) {
  if (lines == 1) return "Eine Tippreihe wurde gebildet.";
  return std::to_string(lines) + " Tippreihen wurden gebildet.";
}

}  // namespace kw
