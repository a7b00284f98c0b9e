#pragma once
// What the random generator and the tip centre share below their windows: a group's chosen
// numbers and stars, the click on a selection button with its limit, and the messages the
// windows show for it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kw {

enum class ValueKind { Number, Star };

// 50 for numbers, 12 for stars.
int HighestValue(ValueKind kind);

// Main numbers 1..50 and stars 1..12 of one group. The count is the number of members, always.
class ValueSet {
 public:
  bool has(ValueKind kind, int value) const;
  // Values outside 1..50 (1..12) are ignored.
  void insert(ValueKind kind, int value);
  void erase(ValueKind kind, int value);
  void clear();
  void clear(ValueKind kind);
  int count(ValueKind kind) const;
  bool empty() const { return numbers_ == 0 && stars_ == 0; }
  // Ascending.
  std::vector<int> values(ValueKind kind) const;
  // Bit v set for value v.
  std::uint64_t bits(ValueKind kind) const { return kind == ValueKind::Number ? numbers_ : stars_; }
  bool operator==(const ValueSet&) const = default;

 private:
  std::uint64_t numbers_ = 0;
  std::uint64_t stars_ = 0;
};

enum class NoticeIcon { Information, Error };

// A message for the window to show, in the order given.
struct Notice {
  NoticeIcon icon = NoticeIcon::Information;
  std::string text;
  bool operator==(const Notice&) const = default;
};

inline constexpr const char* kNothingToSaveMessage = "Es gibt nichts zu speichern.\r\rIch breche erst einmal ab.";
inline constexpr const char* kNothingToPrintMessage = "Es gibt nichts zu drucken.\r\rIch breche ab.";
inline constexpr const char* kNoStandardFileMessage = "Es wurden noch keine Zahlen als Standard gespeichert.";
inline constexpr const char* kTooManyStarsMessage = "Zuviele Zahlen gewählt!";
// "Bitte maximal 3 Zahlen wählen."
std::string LimitMessage(int limit);

// What a click on a selection button (or a line of a pattern file) did.
enum class Choice {
  Added,
  Removed,
  Unchanged,     // already chosen, or a value outside 1..50 (1..12)
  Refused,       // the group is full: message is the limit message (information)
  HeldElsewhere  // another group holds the value: message names it
};

struct ChoiceOutcome {
  Choice choice = Choice::Unchanged;
  std::string message;
};

// Disjoint groups with their limits. Group ids are the program's (2, 3, 4); index is their order.
class GroupedChoice {
 public:
  struct Group {
    int id = 0;
    std::string caption;  // "Quotenkiller", "Wahlzahlen", ...
    int numberLimit = 0;
    int starLimit = 0;
  };
  // starLimitMessage empty: the star limit says LimitMessage(starLimit) as the number limit does.
  GroupedChoice(std::vector<Group> groups, std::string starLimitMessage);

  const std::vector<Group>& groups() const { return groups_; }
  const ValueSet& set(int id) const;
  int count(int id, ValueKind kind) const { return set(id).count(kind); }
  // The group holding the value, if any.
  std::optional<int> holder(ValueKind kind, int value) const;

  // A click: removes a chosen value, otherwise adds it within the limit. A value another group
  // holds is left there.
  ChoiceOutcome toggle(int id, ValueKind kind, int value);
  // As toggle, but never removes.
  ChoiceOutcome add(int id, ValueKind kind, int value);
  // As add, but a value held by another group moves here (the file just opened wins); when the
  // group is full the value stays where it was.
  ChoiceOutcome take(int id, ValueKind kind, int value);
  void clear(int id);
  void clear(int id, ValueKind kind);
  bool empty() const;

 private:
  ValueSet& mutableSet(int id);
  const Group& group(int id) const;
  // The limit message when the group has no room for another value of the kind.
  std::optional<ChoiceOutcome> refusal(int id, ValueKind kind) const;

  std::vector<Group> groups_;
  std::vector<ValueSet> sets_;
  std::string starLimitMessage_;
};

}  // namespace kw
