#include "generation/generator.h"

#include <bit>

#include "core/file_io.h"
#include "core/german_format.h"
#include "core/program.h"
#include "generation/pattern_file.h"

namespace kw {

namespace {

const std::array<GeneratorGroupInfo, 3> kGroups = {{
    {GeneratorGroup::Killer, "Quotenkiller", 30, 6, {kRedColour, kWhiteColour}, kExcludedStandardFile,
     kExcludedFilter, kExcludedExtension, "Hier die Zahlen von 1 bis 50 wählen, die nicht getippt werden sollen.",
     "Hier die Sternzahlen (1 bis 12) wählen, die nicht getippt werden sollen."},
    {GeneratorGroup::Banker, "Bankzahlen", 3, 2, {kGreenColour, kWhiteColour}, kBankerStandardFile, kBankerFilter,
     kBankerExtension, "Hier die Zahlen von 1 bis 50 wählen, die immer getippt werden sollen.",
     "Hier die Sternzahlen (1 bis 12) wählen, die immer getippt werden sollen."},
    {GeneratorGroup::Favourite, "Favoriten", 49, 7, {{0x80, 0xFF, 0x80}, kBlackColour}, kFavouriteStandardFile,
     kFavouriteFilter, kFavouriteExtension, "Hier die Zahlen von 1 bis 50 wählen, die häufiger getippt werden sollen.",
     "Hier die Sternzahlen (1 bis 12) wählen, die häufiger getippt werden sollen."},
}};

constexpr std::array<int, 6> kFixedRowCounts = {6, 10, 12, 20, 50, 100};

int Id(GeneratorGroup group) { return static_cast<int>(group); }

std::vector<GroupedChoice::Group> ChoiceGroups() {
  std::vector<GroupedChoice::Group> groups;
  for (const auto& info : kGroups) groups.push_back({Id(info.group), info.caption, info.numberLimit, info.starLimit});
  return groups;
}

// v once unless excluded or banked, then once more if a favourite.
std::vector<int> Pool(const ValueSet& killer, const ValueSet& banker, const ValueSet& favourite, ValueKind kind) {
  std::vector<int> pool;
  for (int v = 1; v <= HighestValue(kind); ++v) {
    if (!killer.has(kind, v) && !banker.has(kind, v)) pool.push_back(v);
    if (favourite.has(kind, v)) pool.push_back(v);
  }
  return pool;
}

// Draws from the pool until `wanted` values are in the mask; a value already there is drawn
// again. Ends because the group limits leave more distinct values in each pool than a row needs.
void DrawInto(std::uint64_t& mask, int have, int wanted, const std::vector<int>& pool, RandomSource& random) {
  const int size = static_cast<int>(pool.size());
  while (have < wanted) {
    const std::uint64_t bit = std::uint64_t{1} << pool[static_cast<std::size_t>(random.random(size))];
    if (mask & bit) continue;
    mask |= bit;
    ++have;
  }
}

template <std::size_t N>
void Unpack(std::uint64_t mask, std::array<std::uint8_t, N>& out) {
  std::size_t i = 0;
  for (; mask != 0 && i < N; mask &= mask - 1) out[i++] = static_cast<std::uint8_t>(std::countr_zero(mask));
}

}  // namespace

const std::array<GeneratorGroupInfo, 3>& GeneratorGroups() { return kGroups; }

const GeneratorGroupInfo& InfoOf(GeneratorGroup group) { return kGroups[static_cast<std::size_t>(Id(group) - 2)]; }

Result<int> RowCountOfChoice(int item, std::string_view freeText) {
  if (item >= 0 && item < static_cast<int>(kFixedRowCounts.size())) return kFixedRowCounts[static_cast<std::size_t>(item)];
  const std::int64_t n = item == 6 ? ParseStrictInt(freeText).value_or(0) : 0;
  if (n <= 0) return Refused(kRowCountMissingMessage);
  if (n > kMaxGeneratedRows) return Refused(kRowCountTooLargeMessage);
  return static_cast<int>(n);
}

GeneratorCore::GeneratorCore() : choice_(ChoiceGroups(), {}) {}

ChoiceOutcome GeneratorCore::toggle(GeneratorGroup group, ValueKind kind, int value) {
  return choice_.toggle(Id(group), kind, value);
}

ChoiceOutcome GeneratorCore::add(GeneratorGroup group, ValueKind kind, int value) {
  return choice_.add(Id(group), kind, value);
}

void GeneratorCore::clearGroup(GeneratorGroup group) { choice_.clear(Id(group)); }

void GeneratorCore::clearAll() {
  for (const auto& info : kGroups) choice_.clear(Id(info.group));
}

std::optional<GeneratorGroup> GeneratorCore::holder(ValueKind kind, int value) const {
  const auto id = choice_.holder(kind, value);
  if (!id) return std::nullopt;
  return static_cast<GeneratorGroup>(*id);
}

std::optional<TileColour> GeneratorCore::overviewTile(ValueKind kind, int value) const {
  const auto group = holder(kind, value);
  if (!group) return std::nullopt;
  return InfoOf(*group).tile;
}

std::vector<int> GeneratorCore::numberPool() const {
  return Pool(selection(GeneratorGroup::Killer), selection(GeneratorGroup::Banker),
              selection(GeneratorGroup::Favourite), ValueKind::Number);
}

std::vector<int> GeneratorCore::starPool() const {
  return Pool(selection(GeneratorGroup::Killer), selection(GeneratorGroup::Banker),
              selection(GeneratorGroup::Favourite), ValueKind::Star);
}

Result<std::vector<TSchein>> GeneratorCore::generate(int n, RandomSource& random) {
  if (n < 1) return Refused(kRowCountMissingMessage);
  if (n > kMaxGeneratedRows) return Refused(kRowCountTooLargeMessage);
  const std::vector<int> numbers = numberPool();
  const std::vector<int> stars = starPool();
  const ValueSet& bankers = selection(GeneratorGroup::Banker);
  const int bankerNumbers = bankers.count(ValueKind::Number);
  const int bankerStars = bankers.count(ValueKind::Star);
  frequencies_.clear();
  random.reseed();

  std::vector<TSchein> rows(static_cast<std::size_t>(n));
  for (TSchein& row : rows) {
    std::uint64_t numberMask = bankers.bits(ValueKind::Number);
    std::uint64_t starMask = bankers.bits(ValueKind::Star);
    DrawInto(numberMask, bankerNumbers, 5, numbers, random);
    DrawInto(starMask, bankerStars, 2, stars, random);
    Unpack(numberMask, row.GZ);
    Unpack(starMask, row.SZ);
    frequencies_.countRow(row);
  }
  for (ValueKind kind : {ValueKind::Number, ValueKind::Star})
    for (int v = 1; v <= HighestValue(kind); ++v)
      frequencies_.setColour(kind, v, overviewTile(kind, v).value_or(PlainTile(kind)));
  lastRowCount_ = n;
  return rows;
}

void GeneratorCore::countRows(const std::vector<TSchein>& rows) {
  frequencies_.clear();
  for (const TSchein& row : rows) frequencies_.countRow(row);
  frequencies_.colourAsSlip(rows.size());
}

std::vector<Notice> GeneratorCore::readPattern(GeneratorGroup group, const std::string& path, bool startUp) {
  if (!FileExists(path)) {
    if (startUp) return {};
    return {{NoticeIcon::Information, kNoStandardFileMessage}};
  }
  auto lines = ReadPatternFile(path);
  if (!lines) return {{NoticeIcon::Error, lines.error().message}};
  if (lines->lineCount == 0) return {};
  clearGroup(group);
  std::vector<Notice> notices;
  for (std::int64_t v : lines->values) {
    ChoiceOutcome outcome;
    if (v >= 1 && v <= 50)
      outcome = choice_.take(Id(group), ValueKind::Number, static_cast<int>(v));
    else if (v >= 51 && v <= 62)
      outcome = choice_.take(Id(group), ValueKind::Star, static_cast<int>(v - 50));
    if (outcome.choice == Choice::Refused) notices.push_back({NoticeIcon::Information, outcome.message});
  }
  if (lines->badLine) notices.push_back({NoticeIcon::Error, PatternConversionMessage(*lines->badLine)});
  return notices;
}

Result<void> GeneratorCore::writePattern(GeneratorGroup group, const std::string& path) const {
  if (selection(group).empty()) return Refused(kNothingToSaveMessage);
  return WritePatternFile(path, selection(group));
}

}  // namespace kw
