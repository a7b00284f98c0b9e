// Draw and quota CSV parsing: never a crash, and what is accepted obeys the import's own rules.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/csv_import.h"
#include "core/dates.h"
#include "core/draw_history.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

void CheckRefusal(const kw::Error& e) {
  constexpr std::string_view kAbort = "\r\rIch breche den Import ab, es wurde nichts geändert.";
  Check(e.kind == kw::ErrorKind::Refused);
  Check(e.message.size() > kAbort.size() && e.message.ends_with(kAbort));
  Check(ValidUtf8(e.message));
}

void CheckDate(double date, double previous) {
  Check(date > previous);
  Check(date == std::floor(date));
  const int weekday = kw::DayOfWeek(date);
  Check(weekday == kw::kTuesday || weekday == kw::kFriday);
  Check(kw::ParseDateText(kw::DateText(date)) == date);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::vector<kw::TGewZahlen> draws;
  if (auto parsed = kw::ParseDrawsCsv(text)) {
    Check(!parsed->empty());
    double previous = -1;
    for (const auto& d : *parsed) {
      Check(kw::IsCompleteDraw(d));
      for (std::size_t i = 1; i < d.GZ.size(); ++i) Check(d.GZ[i - 1] < d.GZ[i]);
      Check(d.SZ[0] < d.SZ[1]);
      CheckDate(d.datum, previous);
      previous = d.datum;
    }
    // What the import accepts, the history file takes back unchanged.
    const auto history = kw::DecodeHistory(kw::EncodeRecords(*parsed));
    Check(history.badRecord == -1 && history.draws == *parsed);
    draws = *parsed;
  } else {
    CheckRefusal(parsed.error());
  }

  auto quotas = kw::ParseQuotasCsv(text);
  if (!quotas) {
    CheckRefusal(quotas.error());
    return 0;
  }
  Check(!quotas->empty());
  double previous = -1;
  for (const auto& line : *quotas) {
    CheckDate(line.date, previous);
    previous = line.date;
    for (float q : line.q) Check(q == -1.0f || (q >= 0.0f && q < 1.0e9f));
  }
  // Merge against a history made of every other quota date plus one date of its own.
  std::vector<kw::TGewZahlen> history;
  for (std::size_t i = 0; i < quotas->size(); i += 2) {
    kw::TGewZahlen d;
    d.datum = (*quotas)[i].date;
    history.push_back(d);
  }
  kw::TGewZahlen extra;
  extra.datum = quotas->back().date + 3;
  history.push_back(extra);
  std::vector<kw::TQuoten> existing(1);
  existing[0].datum = extra.datum;
  existing[0].reserved = {1, 2, 3, 4};
  kw::QuotaImportSummary summary;
  const auto merged = kw::MergeQuotaLines(history, existing, *quotas, summary);
  Check(merged.size() == history.size());
  Check(summary.merged == static_cast<int>(history.size() - 1));
  Check(summary.merged + summary.unknownDates == static_cast<int>(quotas->size()));
  for (std::size_t i = 0; i < merged.size(); ++i) Check(merged[i].datum == history[i].datum);
  for (std::size_t i = 0; i + 1 < merged.size(); ++i) Check(merged[i].q == (*quotas)[2 * i].q);
  Check(merged.back() == existing[0]);
  return 0;
}
