#pragma once
// The draw history "GZahlen.emz": loading, writing back, dating the next draw, list texts.
#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/data_set.h"

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
Result<void> LoadDraws(DataSet& data);

// Writes all of Draws back to "GZahlen.emz".
Result<void> SaveDraws(const DataSet& data);

// Stores the numbers of draw `index` and writes the history: an index one past the end appends
// a new draw (complete, dated after the last one), any other index corrects a draw's numbers
// (its date stays). A refusal or a failed write leaves Draws and the file as they were.
Result<void> StoreDraw(DataSet& data, std::size_t index, const TGewZahlen& draw);

struct NextDraw {
  double step = 0;        // 3 after a Tuesday, else 4
  double date = 0;        // last date + step
  bool inFuture = false;  // later than `now`: the clairvoyance message is due
};
NextDraw NextDrawDate(double lastDate, double now);

// The date of the next new draw after a complete last draw; refuses with
// kCompletePreviousMessage after an incomplete one or without any draw.
Result<NextDraw> PlanNewDraw(const std::vector<TGewZahlen>& draws, double now);

// One date text per draw, in history order: the entries of every date list.
std::vector<std::string> DrawDateTexts(const std::vector<TGewZahlen>& draws);
// "<b-a+1> Gewinnreihen vom <date a> bis <date b>".
std::string DrawRangeText(const std::vector<TGewZahlen>& draws, int a, int b);
// The heading above the draw list; an empty history says so instead of a range.
std::string HistoryHeadingText(const std::vector<TGewZahlen>& draws);

}  // namespace kw
