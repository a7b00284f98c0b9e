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
// Said wherever the program would otherwise ask for a draw of an empty history.
inline constexpr const char* kNoDrawsMessage =
    "Noch keine Gewinnreihen vorhanden.\r\rBitte importieren Sie die Gewinnreihen über \"Datei\" - "
    "\"Gewinnreihen importieren...\" oder geben Sie mit \"Neue Zahlen\" die erste Ausspielung ein.\r\rIch breche "
    "erst einmal ab.";
inline constexpr const char* kClairvoyanceMessage =
    "Ihre hellseherischen Fähigkeiten imponieren mir. Bitte teilen Sie mir die künftigen Gewinnzahlen mit.";
// A history beyond this is no history of this game (a million draws).
inline constexpr std::size_t kMaxDrawsFileBytes = 16u * 1024 * 1024;

// Five distinct main numbers 1..50 and two distinct stars 1..12.
bool IsCompleteDraw(const TGewZahlen& draw);

// A "GZahlen.emz" image taken apart. Every record up to the first one whose date cannot be a date
// is looked at: the longest run of complete draws with rising dates is shown and evaluated, the
// other records (numbers out of range, dates out of order) and everything from that first
// non-date on are held with their places, so that writing back loses nothing.
struct DecodedHistory {
  std::vector<TGewZahlen> draws;
  std::vector<HeldDrawRecord> held;
  std::vector<std::size_t> heldNumbers;  // 1-based record numbers of held records before firstNonDate
  long long firstNonDate = -1;           // 0-based index of the first record without a date, or -1
  std::size_t recordCount = 0;           // whole records in the image
  std::size_t tornBytes = 0;             // bytes after the last whole record
  long long badRecord = -1;              // 0-based index of the first held record, or -1
  bool damaged() const { return !held.empty() || tornBytes > 0; }
};
DecodedHistory DecodeHistory(const std::vector<std::uint8_t>& bytes);
// The image SaveDraws writes: Draws with the held records back in their places.
std::vector<std::uint8_t> EncodeHistory(const std::vector<TGewZahlen>& draws, const std::vector<HeldDrawRecord>& held);

// Reads DataDir + "GZahlen.emz" into Draws and HeldDraws. A missing file is an empty history.
// A damaged file keeps every draw that can be shown, holds the rest for the next save, keeps a
// copy of the whole file as "GZahlen.emz.defekt" (numbered, never overwriting an earlier copy)
// and says all this in the returned message; Draws is usable all the same.
Result<void> LoadDraws(DataSet& data);
// The same reading for readers that must not change the data folder: no copy is made.
Result<void> ReadDraws(DataSet& data);

// Writes all of Draws, with the held records in their places, back to "GZahlen.emz".
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
// kCompletePreviousMessage after an incomplete one, with kNoDrawsMessage without any draw.
Result<NextDraw> PlanNewDraw(const std::vector<TGewZahlen>& draws, double now);

// One date text per draw, in history order: the entries of every date list.
std::vector<std::string> DrawDateTexts(const std::vector<TGewZahlen>& draws);
// "<b-a+1> Gewinnreihen vom <date a> bis <date b>".
std::string DrawRangeText(const std::vector<TGewZahlen>& draws, int a, int b);
// The heading above the draw list; an empty history says so instead of a range.
std::string HistoryHeadingText(const std::vector<TGewZahlen>& draws);

}  // namespace kw
