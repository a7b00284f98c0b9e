#pragma once
// The tip centre below its window: chosen numbers ("Wahlzahlen") and bankers ("Bankzahlen")
// with their stars, the filtered list of systems, the check of the choice against a system,
// the rows a system makes of the choice with a star pair for each, their frequencies and the
// two groups' pattern files.
//
// Messages: every refusal of apply and checkCounts, and the limit messages of a click, are
// information; readPattern gives its notices with their icons; writePattern's refusal is an
// error. I/O errors are errors.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "generation/frequencies.h"
#include "generation/random_source.h"
#include "generation/selection.h"
#include "generation/systeme.h"

namespace kw {

enum class TipCentreGroup { Chosen = 2, Banker = 3 };

struct TipCentreGroupInfo {
  TipCentreGroup group;
  const char* caption;  // page caption
  int numberLimit;
  int starLimit;
  TileColour tile;  // selection panels, count panels, overview tiles
  const char* standardFile;
  const char* filter;
  const char* extension;
  const char* numberHeading;
  const char* starHeading;
};

// In the order 2, 3.
const std::array<TipCentreGroupInfo, 2>& TipCentreGroups();
const TipCentreGroupInfo& InfoOf(TipCentreGroup group);

inline constexpr const char* kNoSystemListedMessage =
    "Kein System entsprach Ihren Auswahlkriterien. Bitte prüfen Sie Ihre Filtereinstellungen.\r\r"
    "Ich breche erst einmal ab.";
inline constexpr const char* kNoSystemSelectedMessage =
    "Bitte wählen Sie ein System aus der Liste.\r\rIch breche erst einmal ab.";
inline constexpr const char* kTooFewStarsMessage =
    "Bitte treffen Sie noch Ihre Wahl\rfür die Sternzahlen aus 1 - 12.\r\rIch breche erst einmal ab.";
inline constexpr const char* kTooManyBankersMessage =
    "Sie haben eine Bankzahl zuviel gewählt. Bitte heben Sie die Auswahl für eine der Bankzahlen auf.\r\r"
    "Ich breche erst einmal ab.";
inline constexpr const char* kTipCentreOverwriteQuestion =
    "Die Tabelle ist nicht leer. Wenn die Daten mit den \r\reingelesen Zahlen überschrieben werden sollen, "
    "antworten Sie mit \"Ja\".\r\rAndernfalls breche ich ab.";

// The four filter lists: caption without a selection, then the items (index 0 = "egal").
inline constexpr const char* kFilterPlaceholder = "wählen...";
std::vector<std::string> BankerFilterItems();     // "egal", "0", "1", "2"
std::vector<std::string> ChosenFilterItems();     // "egal", "7" .. "50"
std::vector<std::string> GuaranteeFilterItems();  // "egal", "minimal 2" .. "minimal 4", "5"
std::vector<std::string> BudgetFilterItems();     // "egal", "bis 10", "11 - 25", ..., "über 500"

// Smaller star first.
using StarPair = std::array<int, 2>;

struct SystemRows {
  int key = 0;
  std::vector<TSchein> rows;  // numbers as the system places them, stars ascending
  std::vector<StarPair> starPairs;
};

class TipCentreCore {
 public:
  TipCentreCore();

  // A click on a selection button; the other group's values cannot be chosen.
  ChoiceOutcome toggle(TipCentreGroup group, ValueKind kind, int value);
  ChoiceOutcome add(TipCentreGroup group, ValueKind kind, int value);
  // Every value of the kind held by neither group becomes a chosen value.
  void selectAll(ValueKind kind);
  // No chosen value of the kind is left (bankers stay).
  void deselectAll(ValueKind kind);

  const ValueSet& selection(TipCentreGroup group) const { return choice_.set(static_cast<int>(group)); }
  int count(TipCentreGroup group, ValueKind kind) const { return selection(group).count(kind); }
  std::optional<TipCentreGroup> holder(ValueKind kind, int value) const;
  // The overview tile on the page "Start": the holding group's colour; none = default face.
  std::optional<TileColour> overviewTile(ValueKind kind, int value) const;

  // Rebuilds the list of systems.
  void filter(const SystemFilter& filter);
  const std::vector<int>& listedKeys() const { return keys_; }
  std::vector<std::string> listTexts() const;
  // What the count panel under the list shows, e.g. "268".
  std::string listedCountText() const { return std::to_string(keys_.size()); }

  // Whether the chosen numbers and bankers fit the system; the first misfit's message.
  Result<void> checkCounts(int key) const;

  // "System anwenden" on list row `row` (0-based; -1 = none selected).
  Result<SystemRows> applyListRow(int row, RandomSource& random);
  // Builds the rows of the system from the choice: positions of the system's matrix into the
  // ascending chosen numbers, bankers added and the row sorted; a star pair per row. Recounts
  // and colours the frequencies. Refuses (information) what checkCounts refuses and fewer than
  // two stars.
  Result<SystemRows> apply(int key, RandomSource& random);
  int lastRowCount() const { return lastRowCount_; }

  // The star pair of each of the rows: all pairs of the chosen stars (no banker star), each
  // chosen star with the banker star (one), or the two banker stars; used in order when they
  // are as many as the rows, drawn at random when there are more, repeated in full passes and
  // drawn for the rest when there are fewer. Reseeds before drawing. Empty without a pair.
  std::vector<StarPair> assignStars(int rowCount, RandomSource& random) const;

  // The frequencies of rows opened from a slip file, coloured as such.
  void countRows(const std::vector<TSchein>& rows);
  void clearFrequencies() { frequencies_.clear(); }
  const FrequencyBoard& frequencies() const { return frequencies_; }

  // Reads a pattern file into the group. A file for the chosen numbers first deselects every
  // chosen number and star, even when empty; one for the bankers replaces them only when it
  // has a line. A value the other group holds moves to this group. Notices as the generator's.
  std::vector<Notice> readPattern(TipCentreGroup group, const std::string& path, bool startUp);
  // "Speichern unter..." refuses an empty group; "Als Standard speichern" (asStandard) writes
  // an empty file for it.
  Result<void> writePattern(TipCentreGroup group, const std::string& path, bool asStandard) const;

 private:
  GroupedChoice choice_;
  std::vector<int> keys_;
  FrequencyBoard frequencies_;
  int lastRowCount_ = 0;
};

}  // namespace kw
