#pragma once
// The quota store: Quotas (one TQuoten per draw, same index as Draws), its file "EMQuoten.emq"
// and the 14-column quota table (date + classes 1..13) through which the quota window edits it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "core/text_table.h"
#include "core/data_set.h"

namespace kw {

inline constexpr int kQuotaTableColumns = 14;
// Friday 13.02.2004, the first EuroMillions draw.
inline constexpr double kFirstDrawDay = 38030.0;
// Marks an amount that was never entered.
inline constexpr float kMissingAmount = -1.0f;
// About a million records; anything bigger is not a quota file.
inline constexpr std::size_t kMaxQuotaFileBytes = std::size_t{64} << 20;
// The copy of a quota file whose rewrite dropped records: "EMQuoten.emq.sicherung".
inline constexpr const char* kQuotaCopySuffix = ".sicherung";

// Reads "EMQuoten.emq" into Quotas, keeping only records whose date equals the draw at the same
// position, and rewrites the file with them. No file: Quotas stays as it is and nothing is
// created. With an empty or damaged history the file is not rewritten; a rewrite that drops
// records first keeps the old file as "EMQuoten.emq.sicherung" (numbered). A failed rewrite is
// reported, but Quotas already holds the kept records.
Result<void> LoadQuotas(DataSet& s);
// The same matching without rewriting the file, for readers that must not change data files.
Result<void> ReadQuotasAligned(DataSet& s);

// Standard amounts for every Tuesday and Friday from 13.02.2004 up to the day before `today`.
// Does nothing when Quotas is not empty, so the store never loses its alignment with Draws.
void MakeDefaultQuotas(DataSet& s, double today);

// Appends records without amounts for the draw days after the last record up to `today` (the
// first may be tomorrow), one table row each; returns the date texts of the appended records.
std::vector<std::string> ExtendQuotas(DataSet& s, TextTable& table, double today);

// Row i + 1 of the table shows record i; cells of missing amounts are left as they are.
void ShowQuotas(const DataSet& s, TextTable& table);

// Writes rows 1 .. the last row with a class-13 amount to the file; Quotas becomes what was
// written. Refused when no row has a class-13 amount or a date cell is not a date; on any
// failure the file and Quotas stay as they were.
Result<void> SaveQuotas(DataSet& s, const TextTable& table);

// Takes over downloaded records (a shorter download only replaces the first records), rewrites
// the file and, with a table, shows the result. Records with impossible dates are refused.
Result<void> MergeQuotas(DataSet& s, const std::vector<TQuoten>& downloaded, TextTable* table);

// "1.248,50" -> 1248.5; empty or letters -> dflt; anything else unreadable -> 0.
float ParseAmount(std::string_view text, float dflt);
// Grouped German number with `decimals` decimals; 0 is "0" below 2 decimals, else "0,00".
std::string FormatAmount(double x, int decimals);

// The amount of class k (1..13) in draw i; the current standard amount whenever the store has
// no usable amount (no record, below 1 euro, not finite).
float QuotaFor(const std::vector<TQuoten>& quotas, int drawIndex, int prizeClass);
// Whether the store holds a usable amount of class k in draw i (QuotaFor falls back otherwise).
bool HasRealQuota(const std::vector<TQuoten>& quotas, int drawIndex, int prizeClass);

}  // namespace kw
