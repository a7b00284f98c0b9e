#include "core/quota_entry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <charconv>
#include <set>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/game_rules.h"
#include "core/german_format.h"
#include "core/program.h"
#include "core/quota_store.h"

namespace kw {

namespace {

constexpr std::string_view kEuroSign = "\xE2\x82\xAC";
// Web pages put these between a number and its currency.
constexpr std::array<std::string_view, 3> kWideBlanks = {"\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};

bool StartsWith(std::string_view text, std::size_t at, std::string_view part) {
  return text.size() - at >= part.size() && text.substr(at, part.size()) == part;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view part) {
  if (text.size() - at < part.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i)
    if (Lower(text[at + i]) != Lower(part[i])) return false;
  return true;
}

// Length of a blank at `at`: 1 for ' ', the byte count of a wide blank, else 0.
std::size_t BlankAt(std::string_view text, std::size_t at) {
  if (text[at] == ' ') return 1;
  for (std::string_view wide : kWideBlanks)
    if (StartsWith(text, at, wide)) return wide.size();
  return 0;
}

// Blank, wide blank or control character at `at`.
std::size_t SpaceAt(std::string_view text, std::size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (c < 0x20 || c == 0x7F) return 1;
  return BlankAt(text, at);
}

std::string_view TrimSpace(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t n = SpaceAt(text, begin);
    if (n == 0) break;
    begin += n;
  }
  text.remove_prefix(begin);
  // From the end: a trailing wide blank ends in a continuation byte, so look back by its length.
  for (;;) {
    if (text.empty()) break;
    const auto last = static_cast<unsigned char>(text.back());
    if (last < 0x20 || last == 0x7F || last == ' ') {
      text.remove_suffix(1);
      continue;
    }
    bool cut = false;
    for (std::string_view wide : kWideBlanks)
      if (text.size() >= wide.size() && text.substr(text.size() - wide.size()) == wide) {
        text.remove_suffix(wide.size());
        cut = true;
        break;
      }
    if (!cut) break;
  }
  return text;
}

// Deletes every occurrence of `part` (ASCII case ignored when noCase).
std::string DeleteAll(std::string_view text, std::string_view part, bool noCase) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (noCase ? StartsWithNoCase(text, i, part) : StartsWith(text, i, part)) {
      i += part.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

// "0.00" in German: two decimals, decimal comma, no grouping.
std::string FixedTwoDecimals(double value) {
  // The largest double has 309 digits before the point.
  std::array<char, 400> buffer{};
  const auto done = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
  std::string out(buffer.data(), done.ptr);
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  // A final line break, or blank lines copied along at the end, are no classes.
  while (!lines.empty() && TrimSpace(lines.back()).empty()) lines.pop_back();
  return lines;
}

// A record whose amounts are all missing or all the standard amounts of its day holds nothing
// that a user typed or downloaded.
bool HoldsRealAmounts(const TQuoten& r) {
  const auto& defaults = IsCurrentOrder(r.datum) ? DefaultQuotasNew : DefaultQuotasOld;
  for (int k = 1; k <= kClassCount; ++k) {
    const float a = r.amount(k);
    if (a != kMissingAmount && a != defaults[static_cast<std::size_t>(k)]) return true;
  }
  return false;
}

}  // namespace

NormalisedAmount NormaliseAmountText(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t blank = BlankAt(text, i)) {
      i += blank;
    } else if (StartsWith(text, i, kEuroSign)) {
      i += kEuroSign.size();
    } else if (text[i] == '.') {
      ++i;
    } else {
      kept += text[i++];
    }
  }
  std::string sign;
  if (!kept.empty() && kept.front() == '-') {
    sign = "-";
    kept.erase(0, 1);
  }
  kept.erase(std::remove(kept.begin(), kept.end(), '+'), kept.end());
  if (kept.empty()) return {"", true};
  // A second sign is no number.
  const auto value = kept.front() == '-' ? std::nullopt : ParseGermanDecimal(kept);
  if (!value) return {kInvalidAmountText, false};
  return {sign + FixedTwoDecimals(*value), true};
}

bool AmountKeyAccepted(std::u16string_view fieldText, std::size_t caret, char16_t key) {
  if (key == u'\b' || key == u'.' || (key >= u'0' && key <= u'9')) return true;
  if (key == u' ') return caret > 0;
  if (key == u',') {
    const std::size_t comma = fieldText.find(u',');
    // The position of the comma counts from 1, the caret from 0.
    return comma == std::u16string_view::npos || caret < comma + 1;
  }
  return false;
}

std::string CleanImportedAmount(std::string_view field) {
  std::string text(TrimSpace(field));
  text = DeleteAll(text, "Euro", true);
  text = DeleteAll(text, "Eur", true);
  text = DeleteAll(text, kEuroSign, false);
  return DeleteAll(text, ".", false);
}

QuotaTextImport ImportQuotaText(std::string_view text, int column) {
  QuotaTextImport out;
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() > static_cast<std::size_t>(kQuotaTextLines)) {
    out.error = Refused("Das Textfeld enthält " + std::to_string(lines.size()) +
                        " Zeilen. Übertragen werden genau 13 Zeilen, eine je Gewinnklasse in der Reihenfolge der "
                        "Gewinnklassen; bitte entfernen Sie die übrigen Zeilen.\r\rIch breche erst einmal ab.");
    return out;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string_view> fields;
    std::string_view rest = lines[i];
    for (;;) {
      const std::size_t tab = rest.find('\t');
      fields.push_back(rest.substr(0, tab));
      if (tab == std::string_view::npos) break;
      rest.remove_prefix(tab + 1);
    }
    if (column < 1 || static_cast<std::size_t>(column) > fields.size()) {
      out.error = Refused("Zeile " + std::to_string(i + 1) + " des Textfelds hat keine Spalte " + std::to_string(column) +
                          ".\r\rListenindex außerhalb des gültigen Bereichs (" + std::to_string(column - 1) + ")");
      return out;
    }
    out.amounts.push_back(CleanImportedAmount(fields[static_cast<std::size_t>(column - 1)]));
  }
  return out;
}

std::string QuotaTextSample() {
  struct Line {
    const char* name;
    const char* hits;
    const char* winners;
    const char* amount;
  };
  static constexpr Line lines[] = {
      {"GK I", "5 Zahlen, 2 Sterne", "0", "67.951.355,20"},  {"GK II", "5 Zahlen, 1 Stern", "3", "411.540,60"},
      {"GK III", "5 Zahlen, 0 Sterne", "5", "47.018,50"},    {"GK IV", "4 Zahlen, 2 Sterne", "24", "3.175,80"},
      {"GK V", "4 Zahlen, 1 Stern", "548", "174,40"},        {"GK VI", "3 Zahlen, 2 Sterne", "1.073", "100,50"},
      {"GK VII", "4 Zahlen, 0 Sterne", "1.201", "54,70"},    {"GK VIII", "2 Zahlen, 2 Sterne", "17.339", "18,90"},
      {"GK IX", "3 Zahlen, 1 Stern", "26.672", "14,40"},     {"GK X", "3 Zahlen, 0 Sterne", "58.880", "12,10"},
      {"GK XI", "1 Zahl, 2 Sterne", "90.003", "8,90"},       {"GK XII", "2 Zahlen, 1 Stern", "392.640", "6,90"},
      {"GK XIII", "2 Zahlen, 0 Sterne", "1.592.326", "3,90"},
  };
  std::string text;
  for (const Line& l : lines) {
    if (!text.empty()) text += '\n';
    text += std::string(l.name) + " (" + l.hits + ")\t" + l.winners + " x\t" + l.amount + " EUR";
  }
  return text;
}

Result<std::string> LoadQuotasKeepingAmounts(DataSet& s) {
  const std::string path = s.dataFile(kQuotasFileName);
  if (!FileExists(path)) return std::string();
  auto bytes = ReadWholeFile(path, kMaxQuotaFileBytes);
  if (!bytes) return bytes.error();
  if (auto read = ReadQuotasAligned(s); !read) return read.error();

  // The kept records are a subsequence of the file's: walk both to find the dropped ones.
  const std::vector<TQuoten> records = DecodeQuotaRecords(*bytes);
  std::set<double> drawDays;
  for (const TGewZahlen& d : s.Draws) drawDays.insert(d.datum);
  const double lastDraw = s.Draws.empty() ? -HUGE_VAL : s.Draws.back().datum;
  std::size_t next = 0;
  int lost = 0;
  double firstLost = 0;
  for (const TQuoten& r : records) {
    if (next < s.Quotas.size() && r.datum == s.Quotas[next].datum) {
      ++next;
      continue;
    }
    const bool ofADraw = drawDays.count(r.datum) > 0 || (std::isfinite(r.datum) && r.datum > lastDraw);
    if (ofADraw && HoldsRealAmounts(r)) {
      if (lost++ == 0) firstLost = r.datum;
    }
  }
  if (lost == 0) {
    if (auto written = WriteFileAtomically(path, EncodeRecords(s.Quotas)); !written) return written.error();
    return std::string();
  }

  std::string copy = path + ".sicherung";
  for (int n = 1; FileExists(copy) && n < 100; ++n) copy = path + ".sicherung." + std::to_string(n);
  std::string notice = "Die Datei \"" + std::string(kQuotasFileName) + "\" enthält die Quoten von " +
                       std::to_string(lost) + (lost == 1 ? " Ausspielung" : " Ausspielungen") +
                       ", die nicht zu den gespeicherten Gewinnzahlen passen (die erste vom " + DateText(firstLost) +
                       "). Sie werden nicht verwendet.";
  if (FileExists(copy) || !WriteFileAtomically(copy, *bytes)) {
    notice += "\r\rDie Datei konnte nicht gesichert werden und bleibt deshalb unverändert. Wenn Sie Quoten "
              "speichern, gehen diese Quoten verloren.";
    return notice;
  }
  if (auto written = WriteFileAtomically(path, EncodeRecords(s.Quotas)); !written) return written.error();
  notice += "\r\rDie vollständige Datei ist als \"" + FileNameOf(copy) + "\" gesichert.";
  return notice;
}

void MakeDefaultQuotasForHistory(DataSet& s, double today) {
  if (!s.Quotas.empty()) return;
  MakeDefaultQuotas(s, today);
  if (s.Draws.empty()) return;
  // One record per draw, whatever its weekday, then the draw days after the last draw.
  const double lastDraw = s.Draws.back().datum;
  std::vector<TQuoten> records;
  records.reserve(s.Draws.size() + 8);
  for (const TGewZahlen& d : s.Draws) {
    TQuoten r;
    r.datum = d.datum;
    const auto& defaults = IsCurrentOrder(d.datum) ? DefaultQuotasNew : DefaultQuotasOld;
    for (int k = 1; k <= kClassCount; ++k) r.amount(k) = defaults[static_cast<std::size_t>(k)];
    records.push_back(r);
  }
  for (const TQuoten& r : s.Quotas)
    if (r.datum > lastDraw) records.push_back(r);
  s.Quotas = std::move(records);
}

}  // namespace kw
