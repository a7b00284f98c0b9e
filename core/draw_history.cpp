#include "core/draw_history.h"

#include <cmath>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/game_rules.h"

namespace kw {

namespace {
template <std::size_t N>
bool DistinctInRange(const std::array<std::uint8_t, N>& numbers, int max) {
  for (std::size_t i = 0; i < N; ++i) {
    if (numbers[i] < 1 || numbers[i] > max) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (numbers[i] == numbers[j]) return false;
  }
  return true;
}

bool IsPlausibleDate(double d) {
  // 01.01.1900 .. 31.12.9999, whole days.
  return std::isfinite(d) && d >= 2.0 && d <= 2958465.0 && d == std::floor(d);
}
}  // namespace

bool IsCompleteDraw(const TGewZahlen& draw) {
  return DistinctInRange(draw.GZ, kMaxMain) && DistinctInRange(draw.SZ, kMaxStar);
}

DecodedHistory DecodeHistory(const std::vector<std::uint8_t>& bytes) {
  DecodedHistory result;
  result.draws = DecodeDrawRecords(bytes);
  auto& draws = result.draws;
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const TGewZahlen& d = draws[i];
    const bool ascending = i == 0 || d.datum > draws[i - 1].datum;
    if (IsCompleteDraw(d) && IsPlausibleDate(d.datum) && ascending) continue;
    draws.resize(i);
    result.badRecord = static_cast<long long>(i);
    break;
  }
  return result;
}

Result<void> LoadDraws(DataSet& state) {
  state.Draws.clear();
  const std::string path = state.dataFile(kDrawsFileName);
  if (!FileExists(path)) return {};
  auto bytes = ReadWholeFile(path, kMaxDrawsFileBytes);
  if (!bytes) return bytes.error();
  DecodedHistory history = DecodeHistory(*bytes);
  state.Draws = std::move(history.draws);
  if (history.badRecord < 0) return {};
  const auto kept = state.Draws.size();
  std::string message = "Die Datei \"" + std::string(kDrawsFileName) + "\" ist beschädigt: Datensatz " +
                        std::to_string(kept + 1) + " enthält kein gültiges Datum oder ungültige Zahlen.\r\r" +
                        "Ich habe die " + std::to_string(kept) + " Ausspielungen davor eingelesen.";
  const std::string copy = path + ".defekt";
  if (auto saved = WriteFileAtomically(copy, *bytes); saved)
    message += " Die vollständige Datei ist als \"" + FileNameOf(copy) + "\" gesichert.";
  else
    message += "\r\r" + saved.error().message;
  return IoError(message);
}

Result<void> SaveDraws(const DataSet& data) {
  return WriteFileAtomically(data.dataFile(kDrawsFileName), EncodeRecords(data.Draws));
}

Result<void> StoreDraw(DataSet& data, std::size_t index, const TGewZahlen& draw) {
  if (!IsCompleteDraw(draw))
    return Refused("Bitte komplettieren Sie zunächst Ihre Angaben. Sie müssen 5 Gewinnzahlen und 2 Sternzahlen "
                   "wählen.\r\rIch breche erst einmal ab.");
  if (index > data.Draws.size()) return Refused("Diese Ausspielung gibt es nicht.\r\rIch breche erst einmal ab.");
  const bool appending = index == data.Draws.size();
  if (appending && !data.Draws.empty() && !(draw.datum > data.Draws.back().datum))
    return Refused("Die neue Ausspielung muss nach der letzten gespeicherten Ausspielung vom " +
                   DateText(data.Draws.back().datum) + " liegen.\r\rIch breche erst einmal ab.");
  // The change goes into a copy first so that a failed write leaves the history as it was.
  DataSet changed{data.DataDir, data.Draws, {}};
  if (appending) {
    changed.Draws.push_back(draw);
  } else {
    TGewZahlen& stored = changed.Draws[index];
    stored.GZ = draw.GZ;
    stored.SZ = draw.SZ;
  }
  if (auto written = SaveDraws(changed); !written) return written;
  data.Draws = std::move(changed.Draws);
  return {};
}

NextDraw NextDrawDate(double lastDate, double now) {
  NextDraw next;
  next.step = DayOfWeek(lastDate) == kTuesday ? 3.0 : 4.0;
  next.date = lastDate + next.step;
  next.inFuture = next.date > now;
  return next;
}

Result<NextDraw> PlanNewDraw(const std::vector<TGewZahlen>& draws, double now) {
  if (draws.empty() || !IsCompleteDraw(draws.back())) return Refused(kCompletePreviousMessage);
  return NextDrawDate(draws.back().datum, now);
}

std::vector<std::string> DrawDateTexts(const std::vector<TGewZahlen>& draws) {
  std::vector<std::string> texts;
  texts.reserve(draws.size());
  for (const auto& d : draws) texts.push_back(DateText(d.datum));
  return texts;
}

std::string DrawRangeText(const std::vector<TGewZahlen>& draws, int a, int b) {
  return std::to_string(b - a + 1) + " Gewinnreihen vom " + DateText(draws.at(static_cast<std::size_t>(a)).datum) +
         " bis " + DateText(draws.at(static_cast<std::size_t>(b)).datum);
}

std::string HistoryHeadingText(const std::vector<TGewZahlen>& draws) {
  if (draws.empty()) return "Noch keine Gewinnreihen vorhanden";
  return DrawRangeText(draws, 0, static_cast<int>(draws.size()) - 1);
}

}  // namespace kw
