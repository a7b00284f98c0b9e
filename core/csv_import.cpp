#include "core/csv_import.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <optional>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/quota_store.h"
#include "core/game_rules.h"
#include "core/german_format.h"

namespace kw {

namespace {

constexpr const char* kAbort = "\r\rIch breche den Import ab, es wurde nichts geändert.";
// A quota file of a million draws; anything larger is not ours.
constexpr std::size_t kMaxQuotasFileBytes = 64u * 1024 * 1024;
// Far above any jackpot; keeps every amount exact enough for a float and far from overflow.
constexpr double kMaxAmount = 999'999'999.99;

constexpr std::size_t kDrawFields = 8;
constexpr std::size_t kQuotaFields = 1 + kClassCount;
constexpr const char* kDrawLayout = "Datum, fünf Gewinnzahlen, zwei Sternzahlen";
constexpr const char* kQuotaLayout = "Datum und die Quoten der Gewinnklassen 1 bis 13";

Error Abort(std::string problem) { return Refused(std::move(problem) + kAbort); }

Error LineError(std::size_t line, const std::string& problem) {
  return Abort("Zeile " + std::to_string(line) + ": " + problem);
}

// Length of the well-formed UTF-8 sequence at text[i], 0 if there is none.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = b(i);
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) n = 2;
  else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  if (b(i + 1) < lo || b(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
  return n;
}

// A field as it may appear in a message: short, valid UTF-8, no control characters.
std::string Shown(std::string_view field) {
  constexpr std::size_t kMaxBytes = 30;
  std::string out;
  std::size_t i = 0;
  while (i < field.size() && out.size() < kMaxBytes) {
    const std::size_t n = Utf8Length(field, i);
    const auto c = static_cast<unsigned char>(field[i]);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      out += '?';
      ++i;
    } else {
      out.append(field.substr(i, n));
      i += n;
    }
  }
  if (i < field.size()) out += "…";
  return "\"" + out + "\"";
}

struct Row {
  std::size_t line = 0;  // 1-based, the header counts
  std::vector<std::string> fields;
};

struct Table {
  char separator = ';';
  std::vector<Row> rows;
};

bool IsBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// Fields of one line; a field may be quoted ("" inside quotes is one quote). Blanks around a
// field do not count. nullopt when a quote is not closed or text follows a closing quote.
std::optional<std::vector<std::string>> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  for (;;) {
    std::string field;
    while (i < line.size() && line[i] == ' ') ++i;
    if (i < line.size() && line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        field += line[i++];
      }
      if (!closed) return std::nullopt;
      while (i < line.size() && line[i] == ' ') ++i;
      if (i < line.size() && line[i] != separator) return std::nullopt;
      while (!field.empty() && field.front() == ' ') field.erase(field.begin());
      while (!field.empty() && field.back() == ' ') field.pop_back();
    } else {
      const std::size_t end = std::min(line.find(separator, i), line.size());
      field.assign(line.substr(i, end - i));
      i = end;
      while (!field.empty() && field.back() == ' ') field.pop_back();
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) break;
    ++i;  // the separator
  }
  return fields;
}

bool StartsWithDatum(std::string_view field) {
  constexpr std::string_view kDatum = "datum";
  if (field.size() < kDatum.size()) return false;
  for (std::size_t i = 0; i < kDatum.size(); ++i) {
    char c = field[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kDatum[i]) return false;
  }
  return true;
}

std::string FieldCountProblem(bool header, std::size_t got, std::size_t expected, const char* layout) {
  return std::string(header ? "Die Kopfzeile" : "Die Zeile") + " hat " + std::to_string(got) + (got == 1 ? " Feld" : " Felder") +
         ", ich erwarte " + std::to_string(expected) + " (" + layout + ").";
}

// Splits the text into rows of exactly `fieldCount` fields; the separator is the first of ";",
// tab and "," found in the first line.
Result<Table> SplitTable(std::string_view text, std::size_t fieldCount, const char* layout) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && IsBlank(lines.back())) lines.pop_back();

  Table table;
  if (lines.empty()) return table;
  const std::string_view first = lines.front();
  table.separator = first.find(';') != std::string_view::npos    ? ';'
                    : first.find('\t') != std::string_view::npos ? '\t'
                                                                 : ',';
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::size_t lineNumber = n + 1;
    if (IsBlank(lines[n])) return LineError(lineNumber, "Die Zeile ist leer.");
    auto fields = SplitFields(lines[n], table.separator);
    if (!fields) return LineError(lineNumber, "Ein Anführungszeichen ist nicht richtig geschlossen.");
    const bool header = n == 0 && StartsWithDatum(fields->front());
    if (fields->size() != fieldCount)
      return LineError(lineNumber, FieldCountProblem(header, fields->size(), fieldCount, layout));
    if (header) continue;
    table.rows.push_back({lineNumber, std::move(*fields)});
  }
  return table;
}

const char* WeekdayName(double date) {
  static constexpr const char* kNames[] = {"Sonntag", "Montag", "Dienstag", "Mittwoch",
                                           "Donnerstag", "Freitag", "Samstag"};
  return kNames[DayOfWeek(date) - 1];
}

// The row's date: valid, a Tuesday or Friday, after the date of the row before.
Result<double> CheckedDate(const Row& row, std::optional<double> previous) {
  const std::string& text = row.fields[0];
  std::optional<double> date = ParseDateText(text);
  if (!date) date = ParseIsoDate(text);
  if (!date) return LineError(row.line, "Das Datum " + Shown(text) + " ist ungültig.");
  const int weekday = DayOfWeek(*date);
  if (weekday != kTuesday && weekday != kFriday)
    return LineError(row.line, "Der " + DateText(*date) + " ist ein " + WeekdayName(*date) +
                                   "; Ausspielungen gibt es nur dienstags und freitags.");
  if (previous && *date <= *previous)
    return LineError(row.line, "Das Datum " + DateText(*date) + " liegt nicht nach dem Datum der Zeile davor (" +
                                   DateText(*previous) + ").");
  return *date;
}

template <std::size_t N>
std::optional<Error> ReadNumbers(const Row& row, std::size_t firstField, int max, const char* noun,
                                 std::array<std::uint8_t, N>& out) {
  for (std::size_t i = 0; i < N; ++i) {
    const std::string& text = row.fields[firstField + i];
    const auto v = ParseStrictInt(text);
    if (!v || *v < 1 || *v > max)
      return LineError(row.line, Shown(text) + " ist keine " + noun + " von 1 bis " + std::to_string(max) + ".");
    out[i] = static_cast<std::uint8_t>(*v);
    for (std::size_t j = 0; j < i; ++j)
      if (out[j] == out[i])
        return LineError(row.line, "Die " + std::string(noun) + " " + std::to_string(*v) + " kommt zweimal vor.");
  }
  std::sort(out.begin(), out.end());
  return std::nullopt;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "15000000,00", "15.000.000,00" or "15000000": dots only as thousands grouping.
std::optional<std::string> GermanDigits(std::string_view s) {
  const auto comma = s.find(',');
  std::string_view whole = s.substr(0, comma), fraction;
  if (comma != std::string_view::npos) {
    fraction = s.substr(comma + 1);
    if (!AllDigits(fraction)) return std::nullopt;
  }
  std::string digits;
  if (whole.find('.') == std::string_view::npos) {
    if (!AllDigits(whole)) return std::nullopt;
    digits = whole;
  } else {
    std::size_t start = 0;
    for (std::size_t group = 0;; ++group) {
      const auto dot = whole.find('.', start);
      const std::string_view part = whole.substr(start, dot == std::string_view::npos ? whole.npos : dot - start);
      if (!AllDigits(part) || (group == 0 ? part.size() > 3 : part.size() != 3)) return std::nullopt;
      digits += part;
      if (dot == std::string_view::npos) break;
      start = dot + 1;
    }
  }
  if (comma != std::string_view::npos) digits += "." + std::string(fraction);
  return digits;
}

// "15000000.00" or "15000000".
std::optional<std::string> PointDigits(std::string_view s) {
  const auto point = s.find('.');
  if (point == std::string_view::npos) return AllDigits(s) ? std::optional<std::string>(s) : std::nullopt;
  if (!AllDigits(s.substr(0, point)) || !AllDigits(s.substr(point + 1))) return std::nullopt;
  return std::string(s);
}

// -1 for an empty field. A comma-separated file has no decimal comma outside quotes, so there
// a field without a comma is read with a decimal point.
std::optional<double> ParseAmountField(std::string_view text, char separator) {
  if (text.empty()) return -1.0;
  std::optional<std::string> digits;
  if (separator == ',' && text.find(',') == std::string_view::npos) digits = PointDigits(text);
  if (!digits) digits = GermanDigits(text);
  if (!digits || digits->size() > 40) return std::nullopt;
  double v = 0;
  const auto [end, ec] = std::from_chars(digits->data(), digits->data() + digits->size(), v);
  if (ec != std::errc() || end != digits->data() + digits->size() || v > kMaxAmount) return std::nullopt;
  return v;
}

std::string Plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

}  // namespace

Result<std::vector<TGewZahlen>> ParseDrawsCsv(std::string_view csvText) {
  auto table = SplitTable(csvText, kDrawFields, kDrawLayout);
  if (!table) return table.error();
  if (table->rows.empty()) return Abort("Die Datei enthält keine Zeile mit einer Ausspielung.");
  std::vector<TGewZahlen> draws;
  draws.reserve(table->rows.size());
  std::optional<double> previous;
  for (const Row& row : table->rows) {
    auto date = CheckedDate(row, previous);
    if (!date) return date.error();
    TGewZahlen draw;
    draw.datum = *date;
    if (auto bad = ReadNumbers(row, 1, kMaxMain, "Gewinnzahl", draw.GZ)) return *bad;
    if (auto bad = ReadNumbers(row, 1 + kMainCount, kMaxStar, "Sternzahl", draw.SZ)) return *bad;
    draws.push_back(draw);
    previous = *date;
  }
  return draws;
}

Result<std::vector<CsvQuotaLine>> ParseQuotasCsv(std::string_view csvText) {
  auto table = SplitTable(csvText, kQuotaFields, kQuotaLayout);
  if (!table) return table.error();
  if (table->rows.empty()) return Abort("Die Datei enthält keine Zeile mit Quoten.");
  std::vector<CsvQuotaLine> lines;
  lines.reserve(table->rows.size());
  std::optional<double> previous;
  for (const Row& row : table->rows) {
    auto date = CheckedDate(row, previous);
    if (!date) return date.error();
    CsvQuotaLine line;
    line.date = *date;
    for (int k = 1; k <= kClassCount; ++k) {
      const std::string& text = row.fields[static_cast<std::size_t>(k)];
      const auto amount = ParseAmountField(text, table->separator);
      if (!amount)
        return LineError(row.line, Shown(text) + " ist für Gewinnklasse " + std::to_string(k) +
                                       " kein Betrag (erwartet wird ein leeres Feld oder ein Betrag wie 1234,50).");
      line.q[static_cast<std::size_t>(k - 1)] = static_cast<float>(*amount);
    }
    lines.push_back(line);
    previous = *date;
  }
  return lines;
}

std::vector<TQuoten> MergeQuotaLines(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& existing,
                                     const std::vector<CsvQuotaLine>& lines, QuotaImportSummary& summary) {
  std::map<double, const TQuoten*> byDate;
  for (const TQuoten& q : existing) byDate.emplace(q.datum, &q);  // the first record of a date wins
  std::vector<bool> used(lines.size(), false);
  std::vector<TQuoten> merged;
  merged.reserve(draws.size());
  for (const TGewZahlen& draw : draws) {
    TQuoten record;
    record.datum = draw.datum;
    record.q.fill(-1.0f);
    const auto old = byDate.find(draw.datum);
    if (old != byDate.end()) record = *old->second;
    const auto line = std::lower_bound(lines.begin(), lines.end(), draw.datum,
                                       [](const CsvQuotaLine& l, double date) { return l.date < date; });
    if (line != lines.end() && line->date == draw.datum) {
      record.q = line->q;
      used[static_cast<std::size_t>(line - lines.begin())] = true;
    }
    merged.push_back(record);
  }
  summary.merged = static_cast<int>(std::count(used.begin(), used.end(), true));
  summary.unknownDates = static_cast<int>(lines.size()) - summary.merged;
  return merged;
}

Result<DrawImportSummary> ImportDrawsCsv(DataSet& state, std::string_view csvText) {
  auto parsed = ParseDrawsCsv(csvText);
  if (!parsed) return parsed.error();
  // An incomplete last draw would stay a zero record in the middle of the history.
  if (!state.Draws.empty() && !IsCompleteDraw(state.Draws.back()))
    return Abort("Die neue Ausspielung ist noch nicht vollständig gespeichert. Bitte komplettieren und speichern Sie "
                 "sie zuerst.");
  DrawImportSummary summary;
  const std::size_t before = state.Draws.size();
  for (const TGewZahlen& draw : *parsed) {
    if (!state.Draws.empty() && draw.datum <= state.Draws.back().datum) {
      ++summary.alreadyPresent;
      continue;
    }
    state.Draws.push_back(draw);
    ++summary.added;
  }
  if (summary.added == 0) return summary;
  if (auto saved = SaveDraws(state); !saved) {
    state.Draws.resize(before);
    return saved.error();
  }
  return summary;
}

Result<QuotaImportSummary> ImportQuotasCsv(DataSet& state, std::string_view csvText) {
  auto parsed = ParseQuotasCsv(csvText);
  if (!parsed) return parsed.error();
  if (state.Draws.empty())
    return Abort("Es gibt noch keine Ausspielungen, denen ich die Quoten zuordnen kann. Bitte importieren Sie "
                 "zuerst die Gewinnzahlen.");
  const std::string path = state.dataFile(kQuotasFileName);
  std::vector<std::uint8_t> oldBytes;
  const bool hadFile = FileExists(path);
  if (hadFile) {
    auto read = ReadWholeFile(path, kMaxQuotasFileBytes);
    // Without the old amounts a rewrite would lose them.
    if (!read) return Error{read.error().kind, read.error().message + kAbort};
    oldBytes = std::move(*read);
  }
  QuotaImportSummary summary;
  const std::vector<TQuoten> oldRecords = DecodeQuotaRecords(oldBytes);
  std::vector<TQuoten> merged = MergeQuotaLines(state.Draws, oldRecords, *parsed, summary);
  const std::vector<std::uint8_t> bytes = EncodeRecords(merged);
  // Old records of dates that are no draw of the history (or a torn end) leave the file: they
  // stay in a copy beside it.
  std::set<double> drawDays;
  for (const TGewZahlen& d : state.Draws) drawDays.insert(d.datum);
  std::set<double> keptDays;
  for (const TQuoten& q : oldRecords)
    if (drawDays.count(q.datum)) keptDays.insert(q.datum);
  if (keptDays.size() * TQuoten::kSize < oldBytes.size())
    if (auto copy = KeepNumberedCopy(path, kQuotaCopySuffix, oldBytes); !copy) return copy.error();
  if (!hadFile || bytes != oldBytes) {
    if (auto saved = WriteFileAtomically(path, bytes); !saved) return saved.error();
  }
  state.Quotas = std::move(merged);
  return summary;
}

std::string DrawImportSummaryText(const DrawImportSummary& summary) {
  return Plural(summary.added, "Ausspielung", "Ausspielungen") + " übernommen, " +
         Plural(summary.alreadyPresent, "war", "waren") + " bereits vorhanden.";
}

std::string QuotaImportSummaryText(const QuotaImportSummary& summary) {
  return "Quoten von " + Plural(summary.merged, "Ausspielung", "Ausspielungen") + " übernommen, " +
         Plural(summary.unknownDates, "Zeile gehört", "Zeilen gehören") + " zu keiner Ausspielung der Historie.";
}

}  // namespace kw
