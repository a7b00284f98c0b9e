#pragma once
// The random generator below its window: three groups that steer chance ("Quotenkiller" never
// tipped, "Bankzahlen" in every row, "Favoriten" with twice the weight), the pools, a run of
// 1..999 random rows, the frequencies of the result and the groups' pattern files.
//
// Messages: refusals of generate are errors; the limit message of a click is information;
// readPattern gives its notices with their icons; writePattern's refusal is an error.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "generation/frequencies.h"
#include "generation/random_source.h"
#include "generation/selection.h"

namespace kw {

// The group numbers are the program's own: the index of the group's page plus one.
enum class GeneratorGroup { Killer = 2, Banker = 3, Favourite = 4 };

struct GeneratorGroupInfo {
  GeneratorGroup group;
  const char* caption;  // page caption
  int numberLimit;
  int starLimit;
  TileColour tile;  // selection panels, overview tiles, frequency tiles of the group's values
  const char* standardFile;
  const char* filter;
  const char* extension;
  const char* numberHeading;
  const char* starHeading;
};

// In the order 2, 3, 4.
const std::array<GeneratorGroupInfo, 3>& GeneratorGroups();
const GeneratorGroupInfo& InfoOf(GeneratorGroup group);

inline constexpr int kMaxGeneratedRows = 999;
inline constexpr const char* kRowCountMissingMessage =
    "Bitte geben Sie gewünschte Anzahl (> 0) der Zufallsreihen an.\r\rIch breche erst einmal ab.";
inline constexpr const char* kRowCountTooLargeMessage =
    "Es können höchstens 999 Zufallsreihen auf einmal gebildet werden.\r\rIch breche erst einmal ab.";
inline constexpr const char* kGeneratorOverwriteQuestion =
    "Die Tabelle ist nicht leer. Wenn die Daten mit den eingelesen Zahlen überschrieben werden sollen, antworten "
    "Sie mit \"Ja\".\r\rAndernfalls breche ich ab.";

// The items of the row-count choice "Zufallsreihen"; the last one takes the typed count.
inline constexpr std::array<const char*, 7> kRowCountItems = {"6", "10", "12", "20", "50", "100", "frei:"};
// The row count of item 0..5, or of the typed text for item 6 ("frei:"; empty or no number
// counts 0). Refuses a count below 1 or above 999.
Result<int> RowCountOfChoice(int item, std::string_view freeText);

class GeneratorCore {
 public:
  GeneratorCore();

  // A click on a selection button: removes a chosen value, otherwise adds it within the
  // group's limit. Values another group holds cannot be chosen (their buttons are hidden).
  ChoiceOutcome toggle(GeneratorGroup group, ValueKind kind, int value);
  // As toggle, but never removes.
  ChoiceOutcome add(GeneratorGroup group, ValueKind kind, int value);
  void clearGroup(GeneratorGroup group);
  // "Manupulationen aufheben".
  void clearAll();
  // No group holds anything.
  bool unsteered() const { return choice_.empty(); }

  const ValueSet& selection(GeneratorGroup group) const { return choice_.set(static_cast<int>(group)); }
  int count(GeneratorGroup group, ValueKind kind) const { return selection(group).count(kind); }
  std::optional<GeneratorGroup> holder(ValueKind kind, int value) const;
  // The overview tile on the page "Start": the holding group's colour; none = the window's
  // default face with black text.
  std::optional<TileColour> overviewTile(ValueKind kind, int value) const;

  // Every value not excluded or banked once, every favourite a second time, ascending.
  std::vector<int> numberPool() const;
  std::vector<int> starPool() const;

  // n rows, each the bankers plus random values of the pools, numbers and stars ascending.
  // Reseeds the source first, recounts the frequencies and colours them by the groups.
  Result<std::vector<TSchein>> generate(int n, RandomSource& random);
  int lastRowCount() const { return lastRowCount_; }

  // The frequencies of rows opened from a slip file, coloured as such.
  void countRows(const std::vector<TSchein>& rows);
  void clearFrequencies() { frequencies_.clear(); }
  const FrequencyBoard& frequencies() const { return frequencies_; }

  // Reads a pattern file into the group: missing file (silent at start-up), unreadable file,
  // limit messages per line beyond the limit, and a line that is no whole number (reading stops
  // there, the values before it stay) come back as notices. A file with at least one line
  // replaces the group's selection; a value another group holds moves to this group.
  std::vector<Notice> readPattern(GeneratorGroup group, const std::string& path, bool startUp);
  // Refuses an empty group; writes the group's pattern file otherwise.
  Result<void> writePattern(GeneratorGroup group, const std::string& path) const;

 private:
  GroupedChoice choice_;
  FrequencyBoard frequencies_;
  int lastRowCount_ = 0;
};

}  // namespace kw
