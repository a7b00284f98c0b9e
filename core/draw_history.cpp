#include "core/draw_history.h"

#include <algorithm>
#include <cmath>
#include <functional>

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
  const std::vector<TGewZahlen> records = DecodeDrawRecords(bytes);
  result.recordCount = records.size();
  result.tornBytes = bytes.size() % TGewZahlen::kSize;
  std::size_t dated = records.size();
  for (std::size_t i = 0; i < records.size(); ++i)
    if (!IsPlausibleDate(records[i].datum)) {
      dated = i;
      result.firstNonDate = static_cast<long long>(i);
      break;
    }

  // The longest run of complete draws with strictly rising dates: one misdated record then
  // hides itself only, not every draw after it. Built from the end, so that of two equally long
  // runs the one with the earlier records wins (a later record that breaks the order is held).
  // tails[k] starts the best run of length k + 1 found so far; tails' dates fall.
  std::vector<std::size_t> tails;
  std::vector<long long> next(dated, -1);
  for (std::size_t i = dated; i-- > 0;) {
    if (!IsCompleteDraw(records[i])) continue;
    const double date = records[i].datum;
    const auto pos = std::lower_bound(tails.begin(), tails.end(), date,
                                      [&](std::size_t t, double d) { return records[t].datum > d; });
    if (pos != tails.begin()) next[i] = static_cast<long long>(*(pos - 1));
    if (pos == tails.end())
      tails.push_back(i);
    else
      *pos = i;
  }
  std::vector<bool> shown(records.size(), false);
  for (long long i = tails.empty() ? -1 : static_cast<long long>(tails.back()); i >= 0;
       i = next[static_cast<std::size_t>(i)])
    shown[static_cast<std::size_t>(i)] = true;

  for (std::size_t i = 0; i < records.size(); ++i) {
    if (shown[i]) {
      result.draws.push_back(records[i]);
      continue;
    }
    HeldDrawRecord held;
    held.before = result.draws.size();
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * TGewZahlen::kSize), TGewZahlen::kSize,
                held.bytes.begin());
    result.held.push_back(held);
    if (i < dated) result.heldNumbers.push_back(i + 1);
    if (result.badRecord < 0) result.badRecord = static_cast<long long>(i);
  }
  return result;
}

std::vector<std::uint8_t> EncodeHistory(const std::vector<TGewZahlen>& draws, const std::vector<HeldDrawRecord>& held) {
  std::vector<std::uint8_t> out;
  out.reserve((draws.size() + held.size()) * TGewZahlen::kSize);
  std::size_t h = 0;
  for (std::size_t k = 0; k <= draws.size(); ++k) {
    // Held records stay in front of the draw that followed them; those behind the last draw
    // stay in front of draws appended later.
    while (h < held.size() && (held[h].before <= k || k == draws.size())) {
      out.insert(out.end(), held[h].bytes.begin(), held[h].bytes.end());
      ++h;
    }
    if (k < draws.size()) AppendRecord(out, draws[k]);
  }
  return out;
}

namespace {
std::string NumberList(const std::vector<std::size_t>& numbers) {
  constexpr std::size_t kShown = 10;
  std::string text;
  const std::size_t shown = std::min(numbers.size(), kShown);
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) text += i + 1 == shown && numbers.size() <= kShown ? " und " : ", ";
    text += std::to_string(numbers[i]);
  }
  if (numbers.size() > kShown) text += " und " + std::to_string(numbers.size() - kShown) + " weitere";
  return text;
}

std::string DamageMessage(const DecodedHistory& h, std::size_t shown) {
  std::string text = "Die Datei \"" + std::string(kDrawsFileName) + "\" ist beschädigt.\r\r";
  std::vector<std::string> findings;
  if (h.heldNumbers.size() == 1)
    findings.push_back("Datensatz " + NumberList(h.heldNumbers) +
                       " enthält ungültige Zahlen oder ein Datum außer der Reihe.");
  else if (!h.heldNumbers.empty())
    findings.push_back("Die Datensätze " + NumberList(h.heldNumbers) +
                       " enthalten ungültige Zahlen oder ein Datum außer der Reihe.");
  if (h.firstNonDate >= 0)
    findings.push_back("Ab Datensatz " + std::to_string(h.firstNonDate + 1) + " von " +
                       std::to_string(h.recordCount) + " steht kein gültiges Datum mehr.");
  if (h.tornBytes > 0)
    findings.push_back("Am Ende stehen " + std::to_string(h.tornBytes) +
                       " Bytes, die keinen ganzen Datensatz bilden; sie werden nicht mehr mitgespeichert.");
  for (std::size_t i = 0; i < findings.size(); ++i) text += (i ? " " : "") + findings[i];
  text += "\r\rIch habe " + std::to_string(shown) + " Ausspielungen eingelesen.";
  if (!h.held.empty())
    text += " Die übrigen " + std::to_string(h.held.size()) +
            " Datensätze zeige ich nicht an und werte sie nicht aus; beim Speichern bleiben sie erhalten.";
  return text;
}

Result<void> ReadHistoryFile(DataSet& state, bool keepCopy) {
  state.Draws.clear();
  state.HeldDraws.clear();
  state.HistoryUnreadable = false;
  const std::string path = state.dataFile(kDrawsFileName);
  if (NoFileAt(path)) return {};
  auto bytes = ReadWholeFile(path, kMaxDrawsFileBytes);
  if (!bytes) {
    state.HistoryUnreadable = true;
    return bytes.error();
  }
  DecodedHistory history = DecodeHistory(*bytes);
  state.Draws = std::move(history.draws);
  state.HeldDraws = history.held;
  if (!history.damaged()) return {};
  std::string message = DamageMessage(history, state.Draws.size());
  if (keepCopy) {
    // After a save the held records are still in the file, so the same damage comes back at
    // every start: a copy that holds those very records already serves.
    const auto sameDamage = [&](const std::vector<std::uint8_t>& kept) {
      const DecodedHistory earlier = DecodeHistory(kept);
      return earlier.held.size() == history.held.size() &&
             std::equal(earlier.held.begin(), earlier.held.end(), history.held.begin(),
                        [](const HeldDrawRecord& a, const HeldDrawRecord& b) { return a.bytes == b.bytes; });
    };
    std::function<bool(const std::vector<std::uint8_t>&)> alreadyKept;
    if (history.tornBytes == 0) alreadyKept = sameDamage;
    if (auto copy = KeepNumberedCopy(path, ".defekt", *bytes, alreadyKept); copy)
      message += " Die vollständige Datei ist als \"" + FileNameOf(*copy) + "\" gesichert.";
    else
      message += "\r\r" + copy.error().message;
  }
  return IoError(message);
}
}  // namespace

Result<void> LoadDraws(DataSet& state) { return ReadHistoryFile(state, true); }

Result<void> ReadDraws(DataSet& state) { return ReadHistoryFile(state, false); }

Result<void> SaveDraws(const DataSet& data) {
  if (data.HistoryUnreadable)
    return IoError("Die Datei \"" + std::string(kDrawsFileName) +
                   "\" konnte beim Start nicht gelesen werden. Damit sie nicht durch eine unvollständige "
                   "Historie ersetzt wird, speichere ich keine Gewinnreihen.\r\rBitte beheben Sie das Problem und "
                   "starten Sie das Programm neu.");
  return WriteFileAtomically(data.dataFile(kDrawsFileName), EncodeHistory(data.Draws, data.HeldDraws));
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
  DataSet changed{data.DataDir, data.Draws, {}, data.HeldDraws, data.HistoryUnreadable};
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
  if (draws.empty()) return Refused(kNoDrawsMessage);
  if (!IsCompleteDraw(draws.back())) return Refused(kCompletePreviousMessage);
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
