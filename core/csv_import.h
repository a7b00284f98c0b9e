#pragma once
// Import of draws and prize quotas from semicolon (or comma, or tab) separated text:
// "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2" and "Datum;GK1;...;GK13", German or ISO dates, oldest first.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "core/data_set.h"

namespace kw {

// A CSV file of every draw there ever was stays far below this.
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t{64} << 20;

struct DrawImportSummary {
  int added = 0;
  int alreadyPresent = 0;
};

struct QuotaImportSummary {
  int merged = 0;
  int unknownDates = 0;
};

// One checked line of a quota file: q[k - 1] is the amount of class k, -1 where the field was empty.
struct CsvQuotaLine {
  double date = 0;
  std::array<float, 13> q{};
};

// Every line checked (date, Tuesday or Friday, dates ascending, five distinct main numbers 1..50,
// two distinct stars 1..12); numbers come back ascending. The first bad line refuses the whole
// text with a German message naming its line number (1-based, the header counts).
Result<std::vector<TGewZahlen>> ParseDrawsCsv(std::string_view csvText);
// Same line rules for the date; 13 amounts each empty or a non-negative decimal number.
Result<std::vector<CsvQuotaLine>> ParseQuotasCsv(std::string_view csvText);

// One record per draw, in draw order: the line of that date if there is one (keeping the reserved
// bytes of an existing record of that date), else the existing record of that date, else a record
// with every amount unknown (-1). Counts lines that found their draw and lines that did not.
std::vector<TQuoten> MergeQuotaLines(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& existing,
                                     const std::vector<CsvQuotaLine>& lines, QuotaImportSummary& summary);

// Appends the draws dated after the last draw of the history and rewrites "GZahlen.emz";
// lines dated on or before it count as already present. Nothing is written on any refusal,
// and a failed write leaves Draws as it was.
Result<DrawImportSummary> ImportDrawsCsv(DataSet& state, std::string_view csvText);
// Rebuilds Quotas aligned to Draws from the text and the existing "EMQuoten.emq" and rewrites
// that file. Lines whose date is no draw of the history are counted, not refused. Old records
// that no draw of the history takes stay in "EMQuoten.emq.sicherung" (numbered).
Result<QuotaImportSummary> ImportQuotasCsv(DataSet& state, std::string_view csvText);

// "1974 Ausspielungen übernommen, 0 waren bereits vorhanden."
std::string DrawImportSummaryText(const DrawImportSummary& summary);
// "Quoten von 1974 Ausspielungen übernommen, 0 Zeilen gehören zu keiner Ausspielung der Historie."
std::string QuotaImportSummaryText(const QuotaImportSummary& summary);

}  // namespace kw
