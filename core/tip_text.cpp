#include "core/tip_text.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "core/german_format.h"
#include "core/slip_file.h"

namespace kw {

namespace {
const char* const kAbort = "\r\rIch breche erst einmal ab.";
const char* const kEnterHint =
    "\r\rBitte geben Sie Ihre Tippzahlen, 5 aus 50 und 2 aus 12 zeilenweise, jeweils durch Kommata getrennt ein.";
const char* const kBlanksQuestion =
    "Dienen die vorhandenen Leerzeichen der Trennung der Zahlen?\r\r"
    "Wenn Sie mit \"Nein\" antworten, sind sie überflüssig und werden gelöscht.\r\r"
    "Wenn Sie mit \"Ja\" antworten, werden die Leerzeichen in Kommata umgewandelt.";

// One left-to-right pass replacing every non-overlapping occurrence.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  for (;;) {
    const std::size_t p = s.find(from, i);
    if (p == std::string_view::npos) break;
    out.append(s.substr(i, p - i));
    out.append(to);
    i = p + from.size();
  }
  out.append(s.substr(i));
  return out;
}

std::string CollapseBlanks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return out;
}

void ReplaceEachLine(std::vector<std::string>& lines, std::string_view from, std::string_view to) {
  for (auto& line : lines)
    if (line.find(from) != std::string::npos) line = ReplaceAll(line, from, to);
}

bool Tidy(std::vector<std::string>& lines, const AskBlanks& ask) {
  // No pattern spans a line break, so working line by line equals working on the whole text.
  for (auto& line : lines) line = CollapseBlanks(line);
  ReplaceEachLine(lines, ";", ",");
  ReplaceEachLine(lines, " ,", ",");
  ReplaceEachLine(lines, ", ", ",");
  ReplaceEachLine(lines, ",,", ",");
  const bool blanks =
      std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.find(' ') != std::string::npos; });
  if (blanks) {
    const BlanksDecision decision = ask ? ask(kBlanksQuestion) : BlanksDecision::Cancel;
    if (decision == BlanksDecision::Cancel) return false;
    ReplaceEachLine(lines, " ", decision == BlanksDecision::Separators ? "," : "");
  }
  for (auto& line : lines)
    if (!line.empty() && line.back() == ',') line.pop_back();
  return true;
}

std::optional<int> FieldToInt(std::string_view field) {
  const auto v = ParseStrictInt(field);
  if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(*v);
}

TipParse Refuse(std::string message) {
  TipParse p;
  p.status = TipParse::Status::Refused;
  p.message = std::move(message);
  return p;
}

std::string LineNo(std::size_t i) { return std::to_string(i + 1); }

std::optional<std::string> RangeFault(const TipRow& row, std::size_t line) {
  for (int j = 1; j <= 7; ++j) {
    const int v = row[static_cast<std::size_t>(j - 1)];
    if (j <= 5 && (v < 1 || v > 50))
      return "In Zeile " + LineNo(line) + " ist die " + std::to_string(j) + ". Zahl, die " + std::to_string(v) +
             ", keine gültige Tippzahl.\r\rDie fünf Tippzahlen sind aus der Zahlenreihe 1 bis 50 zu wählen." + kAbort;
    if (j > 5 && (v < 1 || v > 12))
      return "In Zeile " + LineNo(line) + " ist die " + std::to_string(j) + ". Zahl, die " + std::to_string(v) +
             ", keine gültige Sternzahl.\r\rDie beiden Sternzahlen sind aus der Zahlenreihe 1 bis 12 zu wählen." +
             kAbort;
  }
  return std::nullopt;
}

std::optional<std::string> DuplicateFault(const TipRow& row, std::size_t line) {
  for (std::size_t i = 0; i < 5; ++i)
    for (std::size_t k = i + 1; k < 5; ++k)
      if (row[i] == row[k])
        return "In Zeile " + LineNo(line) + " ist die " + std::to_string(i + 1) + ". und die " +
               std::to_string(k + 1) +
               ". Zahl gleich.\r\rBitte wählen Sie fünf verschiedene Tippzahlen aus der Zahlenreihe 1 bis 50." + kAbort;
  if (row[5] == row[6])
    return "In Zeile " + LineNo(line) +
           " sind die beiden Sternzahlen gleich.\r\rBitte wählen Sie zwei verschiedene Zahlen aus der Zahlenreihe 1 bis "
           "12." +
           kAbort;
  return std::nullopt;
}
}  // namespace

std::vector<std::string> SplitTipLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

TipParse ParseTipText(std::vector<std::string>& lines, bool check, const AskBlanks& ask) {
  if (lines.empty() || (lines.size() == 1 && lines[0].empty()))
    return Refuse(std::string("Das Textfeld ist leer. Es gibt nichts zu übertragen.") + kAbort);

  if (check) {
    if (!Tidy(lines, ask)) return TipParse{TipParse::Status::Cancelled, {}, {}};
    for (std::size_t n = 0; n < lines.size(); ++n)
      if (std::count(lines[n].begin(), lines[n].end(), ',') != 6)
        return Refuse("In Zeile " + LineNo(n) + " kann ich keine sieben Zahlen ausmachen." + kEnterHint + kAbort);
  }

  std::vector<TipRow> rows;
  rows.reserve(lines.size());
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string_view line = lines[n];
    TipRow row{};  // missing fields count as 0
    if (!line.empty()) {
      std::size_t start = 0;
      for (std::size_t j = 0;; ++j) {
        const std::size_t comma = line.find(',', start);
        if (j == 7)
          return Refuse("In Zeile " + LineNo(n) + " stehen mehr als sieben Zahlen." + kEnterHint + kAbort);
        const std::string_view field = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
        const auto v = FieldToInt(field);
        if (!v) return Refuse(InvalidIntegerMessage(field));
        row[j] = *v;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
      }
    }
    rows.push_back(row);
  }

  // Range faults anywhere come before duplicates anywhere.
  for (std::size_t n = 0; n < rows.size(); ++n)
    if (auto fault = RangeFault(rows[n], n)) return Refuse(std::move(*fault));
  for (std::size_t n = 0; n < rows.size(); ++n)
    if (auto fault = DuplicateFault(rows[n], n)) return Refuse(std::move(*fault));

  return TipParse{TipParse::Status::Ok, std::move(rows), {}};
}

void PlaceTipRows(const std::vector<TipRow>& rows, TextTable& table, bool append) {
  const int start = append ? LastFilledRow(table) : 0;
  table.setRowCount(start + static_cast<int>(rows.size()) + 1);
  int t = start;
  for (TipRow row : rows) {
    ++t;
    // Sorting puts each value where its rank says; unlike placing by rank it also fills every
    // cell when a caller passes a row with equal values.
    std::sort(row.begin(), row.begin() + 5);
    std::sort(row.begin() + 5, row.end());
    table.setCell(0, t, std::to_string(t));
    for (int c = 1; c <= 7; ++c) table.setCell(c, t, std::to_string(row[static_cast<std::size_t>(c - 1)]));
  }
}

}  // namespace kw
