#include "core/quota_store.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/game_rules.h"
#include "core/german_format.h"

namespace kw {

namespace {
// 01.01.1900 .. 31.12.9999: the dates a table cell can show and read back.
constexpr double kLowestDay = 2.0;
constexpr double kHighestDay = 2958465.0;

bool IsPlausibleDay(double day) { return std::isfinite(day) && day >= kLowestDay && day <= kHighestDay; }

std::string DateTextOrEmpty(double day) { return IsPlausibleDay(day) ? DateText(day) : std::string(); }

std::string QuotaPath(const DataSet& s) { return s.dataFile(kQuotasFileName); }

TQuoten MissingRecord(double day) {
  TQuoten r;
  r.datum = day;
  r.q.fill(kMissingAmount);
  return r;
}

TQuoten DefaultRecord(double day) {
  TQuoten r;
  r.datum = day;
  const auto& defaults = IsCurrentOrder(day) ? DefaultQuotasNew : DefaultQuotasOld;
  for (int k = 1; k <= kClassCount; ++k) r.amount(k) = defaults[static_cast<std::size_t>(k)];
  return r;
}
}  // namespace

namespace {
// The store is matched by position: a record only counts if it is dated like the draw that
// would be its partner.
std::vector<TQuoten> AlignedRecords(const std::vector<std::uint8_t>& bytes, const std::vector<TGewZahlen>& draws) {
  std::vector<TQuoten> kept;
  const std::size_t count = bytes.size() / TQuoten::kSize;
  kept.reserve(std::min(count, draws.size()));
  for (std::size_t i = 0; i < count && kept.size() < draws.size(); ++i) {
    const TQuoten r = DecodeQuoten(bytes.data() + i * TQuoten::kSize);
    if (r.datum == draws[kept.size()].datum) kept.push_back(r);
  }
  return kept;
}
}  // namespace

Result<void> ReadQuotasAligned(DataSet& s) {
  const std::string path = QuotaPath(s);
  if (!FileExists(path)) return {};
  auto bytes = ReadWholeFile(path, kMaxQuotaFileBytes);
  if (!bytes) return bytes.error();
  s.Quotas = AlignedRecords(*bytes, s.Draws);
  return {};
}

Result<void> LoadQuotas(DataSet& s) {
  const std::string path = QuotaPath(s);
  if (!FileExists(path)) return {};
  auto bytes = ReadWholeFile(path, kMaxQuotaFileBytes);
  if (!bytes) return bytes.error();
  s.Quotas = AlignedRecords(*bytes, s.Draws);
  // An empty or damaged history is no measure of which amounts belong to it: the file stays.
  if (s.Draws.empty() || s.historyDamaged()) return {};
  const std::vector<std::uint8_t> kept = EncodeRecords(s.Quotas);
  if (kept == *bytes) return {};
  // Records the rewrite drops stay in a copy beside the file.
  if (kept.size() < bytes->size())
    if (auto copy = KeepNumberedCopy(path, kQuotaCopySuffix, *bytes); !copy) return copy.error();
  return WriteFileAtomically(path, kept);
}

void MakeDefaultQuotas(DataSet& s, double today) {
  if (!s.Quotas.empty()) return;
  const double end = std::min(today, kHighestDay + 1.0);
  for (double d = kFirstDrawDay; d < end; d += 1.0) {
    const int weekday = DayOfWeek(d);
    if (weekday == kTuesday || weekday == kFriday) s.Quotas.push_back(DefaultRecord(d));
  }
}

std::vector<std::string> ExtendQuotas(DataSet& s, TextTable& table, double today) {
  std::vector<std::string> added;
  if (s.Quotas.empty() || !IsPlausibleDay(s.Quotas.back().datum) || !std::isfinite(today)) return added;
  const double limit = std::min(today, kHighestDay - 8.0) + 1.0;
  double d = s.Quotas.back().datum;
  double step = DayOfWeek(d) == kFriday ? 4.0 : 3.0;
  if (d + step > limit) return added;
  do {
    d += step;
    s.Quotas.push_back(MissingRecord(d));
    const int row = table.rowCount();
    table.setRowCount(row + 1);
    std::string text = DateText(d);
    table.setCell(0, row, text);
    added.push_back(std::move(text));
    step = step == 3.0 ? 4.0 : 3.0;
  } while (d + step < limit);
  return added;
}

void ShowQuotas(const DataSet& s, TextTable& table) {
  table.setRowCount(static_cast<int>(s.Quotas.size()) + 1);
  for (std::size_t i = 0; i < s.Quotas.size(); ++i) {
    const TQuoten& r = s.Quotas[i];
    const int row = static_cast<int>(i) + 1;
    table.setCell(0, row, DateTextOrEmpty(r.datum));
    for (int k = 1; k <= kClassCount; ++k)
      if (r.amount(k) != kMissingAmount) table.setCell(k, row, FormatAmount(r.amount(k), 2));
  }
}

Result<void> SaveQuotas(DataSet& s, const TextTable& table) {
  int last = table.rowCount() - 1;
  while (last >= 1 && table.cell(13, last).empty()) --last;
  if (last < 1) return Refused("Es gibt nichts zu speichern.\r\rIch breche erst einmal ab.");

  std::vector<TQuoten> records;
  records.reserve(static_cast<std::size_t>(last));
  for (int row = 1; row <= last; ++row) {
    const std::string& dateText = table.cell(0, row);
    const auto day = ParseDateText(dateText);
    if (!day)
      return Refused("In Zeile " + std::to_string(row) + " der Quotentabelle steht kein gültiges Datum (\"" +
                     dateText + "\").\r\rIch breche erst einmal ab.");
    TQuoten r;
    r.datum = *day;
    // The four spare bytes of a record read from the file go back unchanged.
    const auto index = static_cast<std::size_t>(row - 1);
    if (index < s.Quotas.size() && s.Quotas[index].datum == r.datum) r.reserved = s.Quotas[index].reserved;
    for (int k = 1; k <= kClassCount; ++k) r.amount(k) = ParseAmount(table.cell(k, row), kMissingAmount);
    records.push_back(r);
  }
  if (auto written = WriteFileAtomically(QuotaPath(s), EncodeRecords(records)); !written) return written;
  s.Quotas = std::move(records);
  return {};
}

Result<void> MergeQuotas(DataSet& s, const std::vector<TQuoten>& downloaded, TextTable* table) {
  for (const TQuoten& r : downloaded)
    if (!IsPlausibleDay(r.datum))
      return Refused("Die heruntergeladenen Quoten enthalten ein ungültiges Datum und werden nicht "
                     "übernommen.\r\rIch breche ab.");
  std::vector<TQuoten> merged;
  if (downloaded.size() < s.Quotas.size()) {
    merged = s.Quotas;
    std::copy(downloaded.begin(), downloaded.end(), merged.begin());
  } else {
    merged = downloaded;
  }
  if (auto written = WriteFileAtomically(QuotaPath(s), EncodeRecords(merged)); !written) return written;
  s.Quotas = std::move(merged);
  if (table) ShowQuotas(s, *table);
  return {};
}

float ParseAmount(std::string_view text, float dflt) {
  if (text.empty()) return dflt;
  std::string digits;
  digits.reserve(text.size());
  for (char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return dflt;
    if (c != '.') digits += c;
  }
  const auto value = ParseGermanDecimal(digits);
  // Beyond single precision the amount is as unreadable as any other bad text.
  if (!value || std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) return 0.0f;
  return static_cast<float>(*value);
}

std::string FormatAmount(double x, int decimals) {
  decimals = std::clamp(decimals, 0, 20);
  if (x == 0.0) return decimals < 2 ? "0" : "0,00";
  return FormatGrouped(x, decimals, 10);
}

bool HasRealQuota(const std::vector<TQuoten>& quotas, int drawIndex, int prizeClass) {
  if (prizeClass < 1 || prizeClass > kClassCount) return false;
  if (drawIndex < 0 || static_cast<std::size_t>(drawIndex) >= quotas.size()) return false;
  const float amount = quotas[static_cast<std::size_t>(drawIndex)].amount(prizeClass);
  return std::isfinite(amount) && amount >= 1.0f;
}

float QuotaFor(const std::vector<TQuoten>& quotas, int drawIndex, int prizeClass) {
  if (prizeClass < 1 || prizeClass > kClassCount) return 0.0f;
  if (HasRealQuota(quotas, drawIndex, prizeClass)) return quotas[static_cast<std::size_t>(drawIndex)].amount(prizeClass);
  return DefaultQuotasNew[static_cast<std::size_t>(prizeClass)];
}

}  // namespace kw
