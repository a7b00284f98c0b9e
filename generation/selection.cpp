#include "generation/selection.h"

#include <bit>
#include <stdexcept>

namespace kw {

int HighestValue(ValueKind kind) { return kind == ValueKind::Number ? 50 : 12; }

namespace {
bool InRange(ValueKind kind, int value) { return value >= 1 && value <= HighestValue(kind); }
std::uint64_t Bit(int value) { return std::uint64_t{1} << value; }
}  // namespace

bool ValueSet::has(ValueKind kind, int value) const { return InRange(kind, value) && (bits(kind) & Bit(value)) != 0; }

void ValueSet::insert(ValueKind kind, int value) {
  if (!InRange(kind, value)) return;
  (kind == ValueKind::Number ? numbers_ : stars_) |= Bit(value);
}

void ValueSet::erase(ValueKind kind, int value) {
  if (!InRange(kind, value)) return;
  (kind == ValueKind::Number ? numbers_ : stars_) &= ~Bit(value);
}

void ValueSet::clear() { numbers_ = stars_ = 0; }

void ValueSet::clear(ValueKind kind) { (kind == ValueKind::Number ? numbers_ : stars_) = 0; }

int ValueSet::count(ValueKind kind) const { return std::popcount(bits(kind)); }

std::vector<int> ValueSet::values(ValueKind kind) const {
  std::vector<int> out;
  for (std::uint64_t b = bits(kind); b != 0; b &= b - 1) out.push_back(std::countr_zero(b));
  return out;
}

std::string LimitMessage(int limit) { return "Bitte maximal " + std::to_string(limit) + " Zahlen wählen."; }

GroupedChoice::GroupedChoice(std::vector<Group> groups, std::string starLimitMessage)
    : groups_(std::move(groups)), sets_(groups_.size()), starLimitMessage_(std::move(starLimitMessage)) {}

const GroupedChoice::Group& GroupedChoice::group(int id) const {
  for (const Group& g : groups_)
    if (g.id == id) return g;
  throw std::out_of_range("unknown group " + std::to_string(id));
}

const ValueSet& GroupedChoice::set(int id) const {
  for (std::size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i].id == id) return sets_[i];
  throw std::out_of_range("unknown group " + std::to_string(id));
}

ValueSet& GroupedChoice::mutableSet(int id) { return const_cast<ValueSet&>(set(id)); }

std::optional<int> GroupedChoice::holder(ValueKind kind, int value) const {
  for (std::size_t i = 0; i < groups_.size(); ++i)
    if (sets_[i].has(kind, value)) return groups_[i].id;
  return std::nullopt;
}

std::optional<ChoiceOutcome> GroupedChoice::refusal(int id, ValueKind kind) const {
  const Group& g = group(id);
  const int limit = kind == ValueKind::Number ? g.numberLimit : g.starLimit;
  if (set(id).count(kind) < limit) return std::nullopt;
  const bool ownStarMessage = kind == ValueKind::Star && !starLimitMessage_.empty();
  return ChoiceOutcome{Choice::Refused, ownStarMessage ? starLimitMessage_ : LimitMessage(limit)};
}

ChoiceOutcome GroupedChoice::toggle(int id, ValueKind kind, int value) {
  if (set(id).has(kind, value)) {
    mutableSet(id).erase(kind, value);
    return {Choice::Removed, {}};
  }
  return add(id, kind, value);
}

ChoiceOutcome GroupedChoice::add(int id, ValueKind kind, int value) {
  if (!InRange(kind, value) || set(id).has(kind, value)) return {Choice::Unchanged, {}};
  if (const auto other = holder(kind, value)) {
    return {Choice::HeldElsewhere, std::string(kind == ValueKind::Number ? "Die Zahl " : "Die Sternzahl ") +
                                       std::to_string(value) + " ist bereits unter \"" + group(*other).caption +
                                       "\" gewählt."};
  }
  if (auto refused = refusal(id, kind)) return *refused;
  mutableSet(id).insert(kind, value);
  return {Choice::Added, {}};
}

ChoiceOutcome GroupedChoice::take(int id, ValueKind kind, int value) {
  if (!InRange(kind, value) || set(id).has(kind, value)) return {Choice::Unchanged, {}};
  if (auto refused = refusal(id, kind)) return *refused;
  if (const auto other = holder(kind, value)) mutableSet(*other).erase(kind, value);
  mutableSet(id).insert(kind, value);
  return {Choice::Added, {}};
}

void GroupedChoice::clear(int id) { mutableSet(id).clear(); }

void GroupedChoice::clear(int id, ValueKind kind) { mutableSet(id).clear(kind); }

bool GroupedChoice::empty() const {
  for (const ValueSet& s : sets_)
    if (!s.empty()) return false;
  return true;
}

}  // namespace kw
