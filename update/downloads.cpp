#include "update/downloads.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/game_rules.h"
#include "core/german_format.h"

namespace kw::update {

namespace {

constexpr const char* kNothingTaken = "\r\rIch habe nichts übernommen.";

bool IsPlausibleDay(double d) { return std::isfinite(d) && d >= 2.0 && d <= 2958465.0 && d == std::floor(d); }

// The same checks serve downloads and the files a server is published from.
struct Origin {
  const char* prefix;  // "Die heruntergeladene Datei"
  const char* ending;  // what was (not) done
};
constexpr Origin kDownloaded{"Die heruntergeladene Datei", kNothingTaken};
constexpr Origin kLocal{"Ihre Datei", "\r\rIch veröffentliche nichts."};

Error Damaged(const Origin& origin, const char* fileName, const std::string& problem) {
  return Refused(std::string(origin.prefix) + " \"" + fileName + "\" ist beschädigt: " + problem + origin.ending);
}

std::string RecordName(std::size_t index, double day) {
  std::string name = "Datensatz " + FormatGroupedInteger(static_cast<std::int64_t>(index) + 1);
  if (IsPlausibleDay(day)) name += " vom " + DateText(day);
  return name;
}

std::string PartialRecordProblem(std::size_t size, std::size_t recordSize) {
  return "Sie endet mit einem unvollständigen Datensatz (" + FormatGroupedInteger(static_cast<std::int64_t>(size)) +
         " Bytes sind kein Vielfaches von " + std::to_string(recordSize) + ").";
}

// Empty when the numbers are sound, else what is wrong with them.
template <std::size_t N>
std::string NumbersProblem(const std::array<std::uint8_t, N>& numbers, int max, const char* what) {
  for (std::size_t i = 0; i < N; ++i) {
    const int v = numbers[i];
    if (v < 1 || v > max)
      return std::string("enthält die ") + what + " " + std::to_string(v) + ", erlaubt sind 1 bis " +
             std::to_string(max) + ".";
    for (std::size_t j = 0; j < i; ++j)
      if (numbers[j] == numbers[i]) return std::string("enthält die ") + what + " " + std::to_string(v) + " zweimal.";
  }
  return {};
}

// Main numbers and stars as sets: the same draw may be stored in drawn or in sorted order.
bool SameNumbers(const TGewZahlen& a, const TGewZahlen& b) {
  auto gzA = a.GZ, gzB = b.GZ;
  auto szA = a.SZ, szB = b.SZ;
  std::sort(gzA.begin(), gzA.end());
  std::sort(gzB.begin(), gzB.end());
  std::sort(szA.begin(), szA.end());
  std::sort(szB.begin(), szB.end());
  return gzA == gzB && szA == szB;
}

TQuoten MissingRecord(double day) {
  TQuoten r;
  r.datum = day;
  r.q.fill(-1.0f);
  return r;
}

bool IsMissing(float amount) { return amount < 0.0f; }

// The server's amounts over the local record; a missing server amount keeps the local one.
TQuoten Overlay(TQuoten local, const TQuoten& server) {
  for (std::size_t k = 0; k < local.q.size(); ++k)
    if (!IsMissing(server.q[k])) local.q[k] = server.q[k];
  return local;
}

}  // namespace

std::string DrawNumbersText(const TGewZahlen& draw) {
  std::string text;
  for (std::size_t i = 0; i < draw.GZ.size(); ++i) text += (i ? " " : "") + std::to_string(draw.GZ[i]);
  return text + " + " + std::to_string(draw.SZ[0]) + " " + std::to_string(draw.SZ[1]);
}

static Result<std::vector<TGewZahlen>> ParseHistory(const std::vector<std::uint8_t>& bytes, const Origin& origin) {
  if (bytes.size() % TGewZahlen::kSize != 0)
    return Damaged(origin, kDrawsFileName, PartialRecordProblem(bytes.size(), TGewZahlen::kSize));
  std::vector<TGewZahlen> draws = DecodeDrawRecords(bytes);
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const TGewZahlen& d = draws[i];
    if (!IsPlausibleDay(d.datum)) return Damaged(origin, kDrawsFileName, RecordName(i, d.datum) + " hat kein gültiges Datum.");
    if (i > 0 && d.datum <= draws[i - 1].datum)
      return Damaged(origin, kDrawsFileName, RecordName(i, d.datum) + " ist nicht später datiert als der Datensatz davor (vom " +
                                         DateText(draws[i - 1].datum) + ").");
    std::string problem = NumbersProblem(d.GZ, kMaxMain, "Zahl");
    if (problem.empty()) problem = NumbersProblem(d.SZ, kMaxStar, "Sternzahl");
    if (!problem.empty()) return Damaged(origin, kDrawsFileName, RecordName(i, d.datum) + " " + problem);
  }
  return draws;
}

Result<DrawsUpdate> UpdateDraws(const std::vector<TGewZahlen>& localDraws, const std::vector<std::uint8_t>& bytes) {
  // A draw entered but not yet saved has no numbers; the server's numbers of that date would
  // count as a difference and the draw could never be completed.
  if (!localDraws.empty() && !IsCompleteDraw(localDraws.back()))
    return Refused(kUnsavedDrawMessage);
  auto server = ParseDownloadedHistory(bytes);
  if (!server) return server.error();

  DrawsUpdate update;
  const std::size_t common = std::min(localDraws.size(), server->size());
  std::size_t firstDiffering = common;
  for (std::size_t i = 0; i < common; ++i) {
    const TGewZahlen& mine = localDraws[i];
    const TGewZahlen& theirs = (*server)[i];
    if (mine.datum != theirs.datum)
      return Refused("Die heruntergeladene Datei \"" + std::string(kDrawsFileName) +
                     "\" passt nicht zu Ihren Gewinnzahlen: die " + FormatGroupedInteger(static_cast<std::int64_t>(i) + 1) +
                     ". Ausspielung ist dort vom " + DateText(theirs.datum) + ", bei Ihnen vom " +
                     DateText(mine.datum) + "." + kNothingTaken);
    if (!SameNumbers(mine, theirs)) {
      if (update.differing == 0) firstDiffering = i;
      ++update.differing;
    }
  }
  if (update.differing > 0) {
    const TGewZahlen& mine = localDraws[firstDiffering];
    const TGewZahlen& theirs = (*server)[firstDiffering];
    const std::string detail = " (auf dem Server " + DrawNumbersText(theirs) + ", bei Ihnen " + DrawNumbersText(mine) + ")";
    update.notice = update.differing == 1
                        ? "Die Ausspielung vom " + DateText(mine.datum) +
                              " steht auf dem Server mit anderen Zahlen als bei Ihnen" + detail + "."
                        : std::to_string(update.differing) +
                              " Ausspielungen stehen auf dem Server mit anderen Zahlen als bei Ihnen, die erste ist die "
                              "vom " +
                              DateText(mine.datum) + detail + ".";
    update.notice += " Ihre Zahlen bleiben unverändert.";
  }
  update.appended.assign(server->begin() + static_cast<std::ptrdiff_t>(common), server->end());
  return update;
}

static Result<std::vector<TQuoten>> ParseQuotas(const std::vector<std::uint8_t>& bytes, const Origin& origin) {
  if (bytes.size() % TQuoten::kSize != 0)
    return Damaged(origin, kQuotasFileName, PartialRecordProblem(bytes.size(), TQuoten::kSize));
  std::vector<TQuoten> records = DecodeQuotaRecords(bytes);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TQuoten& r = records[i];
    if (!IsPlausibleDay(r.datum)) return Damaged(origin, kQuotasFileName, RecordName(i, r.datum) + " hat kein gültiges Datum.");
    if (i > 0 && r.datum <= records[i - 1].datum)
      return Damaged(origin, kQuotasFileName, RecordName(i, r.datum) + " ist nicht später datiert als der Datensatz davor (vom " +
                                          DateText(records[i - 1].datum) + ").");
    for (int k = 1; k <= kClassCount; ++k) {
      const float a = r.amount(k);
      const bool sound = a == -1.0f || (std::isfinite(a) && a >= 0.0f && a <= kMaxDownloadedAmount);
      if (!sound)
        return Damaged(origin, kQuotasFileName, RecordName(i, r.datum) + " enthält für Gewinnklasse " + std::to_string(k) +
                                            " keinen gültigen Betrag.");
    }
  }
  return records;
}

Result<QuotasUpdate> UpdateQuotas(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& localQuotas,
                                  const std::vector<std::uint8_t>& bytes) {
  auto server = ParseDownloadedQuotas(bytes);
  if (!server) return server.error();
  std::map<double, const TQuoten*> serverByDate;
  for (const TQuoten& r : *server) serverByDate.emplace(r.datum, &r);
  std::map<double, const TQuoten*> localByDate;
  for (const TQuoten& r : localQuotas)
    if (IsPlausibleDay(r.datum)) localByDate.emplace(r.datum, &r);  // the first of a date wins

  QuotasUpdate update;
  update.merged.reserve(draws.size());
  for (const TGewZahlen& d : draws) {
    const auto local = localByDate.find(d.datum);
    TQuoten record = local != localByDate.end() ? *local->second : MissingRecord(d.datum);
    if (const auto s = serverByDate.find(d.datum); s != serverByDate.end()) {
      record = Overlay(record, *s->second);
      ++update.taken;
    }
    update.merged.push_back(record);
  }
  // Days after the last draw: the quota window keeps records for coming draws.
  const double last = draws.empty() ? -std::numeric_limits<double>::infinity() : draws.back().datum;
  std::map<double, TQuoten> tail;
  for (const auto& [day, r] : localByDate)
    if (day > last) tail.emplace(day, *r);
  // Server records of draws the history does not have yet would be dropped at the next start;
  // only days the user keeps ahead take the server's amounts.
  for (auto& [day, r] : tail) {
    if (const auto s = serverByDate.find(day); s != serverByDate.end()) {
      r = Overlay(r, *s->second);
      ++update.taken;
    }
  }
  for (const auto& [day, r] : tail) update.merged.push_back(r);
  update.changed = update.merged != localQuotas;
  return update;
}

Result<std::vector<TGewZahlen>> ParseDownloadedHistory(const std::vector<std::uint8_t>& bytes) {
  return ParseHistory(bytes, kDownloaded);
}
Result<std::vector<TQuoten>> ParseDownloadedQuotas(const std::vector<std::uint8_t>& bytes) {
  return ParseQuotas(bytes, kDownloaded);
}
Result<std::vector<TGewZahlen>> CheckHistoryForPublishing(const std::vector<std::uint8_t>& bytes) {
  return ParseHistory(bytes, kLocal);
}
Result<std::vector<TQuoten>> CheckQuotasForPublishing(const std::vector<std::uint8_t>& bytes) {
  return ParseQuotas(bytes, kLocal);
}

}  // namespace kw::update
