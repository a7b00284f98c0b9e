#pragma once
// The real draws and quotas beside the repository, as the update tests' server and local data.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/csv_import.h"
#include "core/records.h"
#include "support/temp_dir.h"

namespace kwtest {

inline std::string ReadText(const std::string& path) {
  const auto bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

inline const std::vector<kw::TGewZahlen>& RealDraws() {
  static const std::vector<kw::TGewZahlen> draws = [] {
    auto parsed = kw::ParseDrawsCsv(ReadText(HistoryDataFile("draws.csv")));
    if (!parsed) throw std::runtime_error(parsed.error().message);
    return *parsed;
  }();
  return draws;
}

// One record per real draw.
inline const std::vector<kw::TQuoten>& RealQuotas() {
  static const std::vector<kw::TQuoten> quotas = [] {
    auto lines = kw::ParseQuotasCsv(ReadText(HistoryDataFile("quotas.csv")));
    if (!lines) throw std::runtime_error(lines.error().message);
    kw::QuotaImportSummary summary;
    return kw::MergeQuotaLines(RealDraws(), {}, *lines, summary);
  }();
  return quotas;
}

template <class Record>
std::vector<Record> FirstRecords(const std::vector<Record>& all, std::size_t n) {
  return std::vector<Record>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace kwtest
