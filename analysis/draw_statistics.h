#pragma once
// Draw statistics: how often each main number and star came in a period of the history, for how
// many draws each has stayed away since, and the three orders in which the statistics window
// shows them. The window reads its controls, calls EvaluateStatistics and lays the slots out.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/result.h"

namespace kw {

inline constexpr const char* kInvalidPeriodMessage =
    "Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\r\rIch breche erst einmal ab.";
inline constexpr const char* kStatisticsHeadingPrefix = "Häufigkeit der Gewinnzahlen in ";

// Draws von..bis of the history, both included; von < bis once checked.
struct DrawPeriod {
  int von = 0;
  int bis = 0;
  int draws() const { return bis - von + 1; }
  bool operator==(const DrawPeriod&) const = default;
};

// von and bis are the item indices of the two date lists, -1 when no date is chosen. Refuses,
// with kInvalidPeriodMessage, fewer than two draws (von >= bis), an index outside the history,
// and a period holding a draw whose numbers are not all entered yet (the new draw between
// appending and saving), which names that draw's date before the message.
Result<DrawPeriod> CheckStatisticsPeriod(const std::vector<TGewZahlen>& draws, int von, int bis);

// One value per number: numbers[n] for n = 1..50, stars[s] for s = 1..12; index 0 unused.
struct NumberTables {
  std::array<std::int32_t, 51> numbers{};
  std::array<std::int32_t, 13> stars{};
  bool operator==(const NumberTables&) const = default;
};

// Both counts take a period as CheckStatisticsPeriod returns it; of any other they read only
// the draws inside the history.

// How many draws of the period hold each number: the numbers sum to 5 x draws, the stars to
// 2 x draws.
NumberTables CountFrequencies(const std::vector<TGewZahlen>& draws, DrawPeriod period);

// How many draws of the period came after the last one holding the number: 0 for the numbers of
// the period's last draw; period.draws() for a number the period never drew, as if it had come
// just before the period began.
NumberTables CountAbsences(const std::vector<TGewZahlen>& draws, DrawPeriod period);

// One display slot: the number shown there and its value.
struct Slot {
  int number = 0;
  std::int32_t value = 0;
  bool operator==(const Slot&) const = default;
};
using NumberSlots = std::array<Slot, 50>;
using StarSlots = std::array<Slot, 12>;

// Slot i holds number i.
NumberSlots InNumberOrder(const std::array<std::int32_t, 51>& values);
StarSlots InNumberOrder(const std::array<std::int32_t, 13>& values);
// Higher values first; equal values in ascending order of the number.
NumberSlots OrderDescending(const std::array<std::int32_t, 51>& values);
StarSlots OrderDescending(const std::array<std::int32_t, 13>& values);

// kStatisticsHeadingPrefix + the period's DrawRangeText ("3 Gewinnreihen vom 08.03.2024 bis
// 15.03.2024"), in every order (absences too).
std::string StatisticsHeading(const std::vector<TGewZahlen>& draws, DrawPeriod period);

// The item index of the window's "Sortiert nach..." choice.
enum class StatisticsOrder { Numbers = 0, Frequency = 1, Absence = 2 };

// What the window shows after "Auswertung starten".
struct StatisticsView {
  std::string heading;        // above both groups
  std::string numberHeading;  // heading bar of the 50 numbers
  std::string starHeading;    // heading bar of the 12 stars
  NumberSlots numberSlots{};
  StarSlots starSlots{};
  // The frequencies counted for this view, the charts' data. An absence evaluation counts none,
  // so the charts keep the tables of the last frequency evaluation.
  std::optional<NumberTables> frequencies;
};

// Checks the period (see CheckStatisticsPeriod) and evaluates it in the chosen order.
Result<StatisticsView> EvaluateStatistics(const std::vector<TGewZahlen>& draws, int von, int bis,
                                          StatisticsOrder order);

}  // namespace kw
