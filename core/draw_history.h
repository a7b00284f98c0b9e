#pragma once
// The draw history "GZahlen.emz": loading, writing back, dating the next draw, list texts.
#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/var_def.h"

namespace kw {

inline constexpr const char* kChooseText = "wählen...";
inline constexpr const char* kCompletePreviousMessage =
    "Bitte komplettieren Sie zunächst Ihre vorherigen Angaben.\r\rIch breche erst einmal ab.";
inline constexpr const char* kClairvoyanceMessage =
    "Ihre hellseherischen Fähigkeiten imponieren mir. Bitte teilen Sie mir die künftigen Gewinnzahlen mit.";
// A history beyond this is no history of this game (a million draws).
inline constexpr std::size_t kMaxDrawsFileBytes = 16u * 1024 * 1024;

// Five distinct main numbers 1..50 and two distinct stars 1..12.
bool IsCompleteDraw(const TGewZahlen& draw);

// The draws of a "GZahlen.emz" image up to its first damaged record (numbers out of range,
// an implausible date, a date not after the one before); badRecord is that record's 0-based
// index, or -1 when every whole record is sound.
struct DecodedHistory {
  std::vector<TGewZahlen> draws;
  long long badRecord = -1;
};
DecodedHistory DecodeHistory(const std::vector<std::uint8_t>& bytes);

// Reads DataDir + "GZahlen.emz" into Draws. A missing file is an empty history. A file whose
// record n is damaged (numbers out of range, dates not ascending) keeps the n draws before it,
// keeps a copy of the whole file as "GZahlen.emz.defekt" so that a later save loses nothing,
// and reports both in the returned message.
Result<void> LoadDraws(AppState& state);

// Writes all of Draws back. Entry i of dateTexts (the draw chooser's list) dates draw i; draws
// without an entry, or whose entry does not parse, keep their own date, so the file is never
// shorter than Draws. A failed write leaves Draws and NewDrawPending as they were.
Result<void> SaveDraws(AppState& state, const std::vector<std::string>& dateTexts);

struct NextDraw {
  double step = 0;        // 3 after a Tuesday, else 4
  double date = 0;        // last date + step
  bool inFuture = false;  // later than `now`: the clairvoyance message is due
};
NextDraw NextDrawDate(double lastDate, double now);

// Appends the zero record of a new draw after a complete last draw (date set to the next draw
// date) and sets NewDrawPending; refuses with kCompletePreviousMessage otherwise.
Result<NextDraw> AppendPendingDraw(AppState& state, double now);

// One date text per draw, in history order: the entries of every date list.
std::vector<std::string> DrawDateTexts(const std::vector<TGewZahlen>& draws);
// "<b-a+1> Gewinnreihen vom <date a> bis <date b>".
std::string DrawRangeText(const AppState& state, int a, int b);
// The heading above the draw list; an empty history says so instead of a range.
std::string HistoryHeadingText(const AppState& state);

}  // namespace kw
