#include "generation/tippcenter.h"

#include <algorithm>
#include <bit>

#include "core/file_io.h"
#include "core/program.h"
#include "generation/pattern_file.h"

namespace kw {

namespace {

const std::array<TipCentreGroupInfo, 2> kGroups = {{
    {TipCentreGroup::Chosen, "Wahlzahlen", 50, 12, {{0x00, 0x40, 0x80}, kWhiteColour}, kChosenStandardFile,
     kChosenFilter, kChosenExtension, "Wahlzahlen von 1 bis 50 ", "Sternzahlen (1 bis 12)"},
    {TipCentreGroup::Banker, "Bankzahlen", 2, 2, {kGreenColour, kWhiteColour}, kTipCentreBankerStandardFile,
     kTipCentreBankerFilter, kTipCentreBankerExtension, "Bankzahlen von 1 bis 50 (maximal 2)",
     "Sternzahlen (1 bis 12), die immer getippt werden sollen."},
}};

// The budget list's limits in euros; the seventh is not listed.
constexpr std::array<int, 7> kTipCentreBudgetLimits = {10, 25, 50, 100, 250, 500, 1000};

constexpr int kChosen = static_cast<int>(TipCentreGroup::Chosen);
constexpr int kBanker = static_cast<int>(TipCentreGroup::Banker);

std::vector<GroupedChoice::Group> ChoiceGroups() {
  std::vector<GroupedChoice::Group> groups;
  for (const auto& info : kGroups)
    groups.push_back({static_cast<int>(info.group), info.caption, info.numberLimit, info.starLimit});
  return groups;
}

StarPair Ordered(int a, int b) { return a < b ? StarPair{a, b} : StarPair{b, a}; }

}  // namespace

const std::array<TipCentreGroupInfo, 2>& TipCentreGroups() { return kGroups; }

const TipCentreGroupInfo& InfoOf(TipCentreGroup group) {
  return kGroups[static_cast<std::size_t>(static_cast<int>(group) - 2)];
}

std::vector<std::string> BankerFilterItems() { return {"egal", "0", "1", "2"}; }

std::vector<std::string> ChosenFilterItems() {
  std::vector<std::string> items{"egal"};
  for (int wz = 7; wz <= 50; ++wz) items.push_back(std::to_string(wz));
  return items;
}

std::vector<std::string> GuaranteeFilterItems() { return {"egal", "minimal 2", "minimal 3", "minimal 4", "5"}; }

std::vector<std::string> BudgetFilterItems() {
  std::vector<std::string> items{"egal", "bis " + std::to_string(kTipCentreBudgetLimits[0])};
  for (std::size_t i = 0; i + 1 < 5; ++i)
    items.push_back(std::to_string(kTipCentreBudgetLimits[i] + 1) + " - " + std::to_string(kTipCentreBudgetLimits[i + 1]));
  items.push_back("über " + std::to_string(kTipCentreBudgetLimits[5]));
  return items;
}

TipCentreCore::TipCentreCore() : choice_(ChoiceGroups(), kTooManyStarsMessage) {}

ChoiceOutcome TipCentreCore::toggle(TipCentreGroup group, ValueKind kind, int value) {
  return choice_.toggle(static_cast<int>(group), kind, value);
}

ChoiceOutcome TipCentreCore::add(TipCentreGroup group, ValueKind kind, int value) {
  return choice_.add(static_cast<int>(group), kind, value);
}

void TipCentreCore::selectAll(ValueKind kind) {
  for (int v = 1; v <= HighestValue(kind); ++v)
    if (!choice_.holder(kind, v)) choice_.add(kChosen, kind, v);
}

void TipCentreCore::deselectAll(ValueKind kind) { choice_.clear(kChosen, kind); }

std::optional<TipCentreGroup> TipCentreCore::holder(ValueKind kind, int value) const {
  const auto id = choice_.holder(kind, value);
  if (!id) return std::nullopt;
  return static_cast<TipCentreGroup>(*id);
}

std::optional<TileColour> TipCentreCore::overviewTile(ValueKind kind, int value) const {
  const auto group = holder(kind, value);
  if (!group) return std::nullopt;
  return InfoOf(*group).tile;
}

void TipCentreCore::filter(const SystemFilter& filter) { keys_ = filterSystems(filter); }

std::vector<std::string> TipCentreCore::listTexts() const {
  std::vector<std::string> texts;
  texts.reserve(keys_.size());
  for (int key : keys_) texts.push_back(listText(key));
  return texts;
}

Result<void> TipCentreCore::checkCounts(int key) const {
  const SystemEntry e = entry(key);
  if (e.wz == 0) return Refused(kNoSystemSelectedMessage);
  const int chosen = count(TipCentreGroup::Chosen, ValueKind::Number);
  const int bankers = count(TipCentreGroup::Banker, ValueKind::Number);
  if (e.wz != chosen)
    return Refused("Für das gewählte System müssen Sie sich für " + std::to_string(e.wz) +
                   " Wahlzahlen entscheiden.\r\rIch breche ab.");
  if (e.bz == bankers) return {};
  if (e.bz == 0)
    return Refused("Sie haben " + std::to_string(bankers) +
                   " Bankzahlen gewählt, das gewählte System sieht aber keine vor. Bitte heben Sie die Auswahl der "
                   "Bankzahlen auf.\r\rIch breche erst einmal ab.");
  if (bankers > e.bz) return Refused(kTooManyBankersMessage);
  return Refused("Das gewählte System sieht " + std::to_string(e.bz) +
                 " Bankzahlen vor. Bitte treffen Sie eine entsprechende Auswahl.\r\rIch breche erst einmal ab.");
}

Result<SystemRows> TipCentreCore::applyListRow(int row, RandomSource& random) {
  if (keys_.empty()) return Refused(kNoSystemListedMessage);
  if (row < 0 || row >= static_cast<int>(keys_.size())) return Refused(kNoSystemSelectedMessage);
  return apply(keys_[static_cast<std::size_t>(row)], random);
}

Result<SystemRows> TipCentreCore::apply(int key, RandomSource& random) {
  if (auto fits = checkCounts(key); !fits) return fits.error();
  if (count(TipCentreGroup::Chosen, ValueKind::Star) + count(TipCentreGroup::Banker, ValueKind::Star) < 2)
    return Refused(kTooFewStarsMessage);

  const SystemEntry e = entry(key);
  const int k = rowLength(key);
  const std::vector<int> chosen = selection(TipCentreGroup::Chosen).values(ValueKind::Number);
  const std::uint64_t bankers = selection(TipCentreGroup::Banker).bits(ValueKind::Number);
  // Full systems are read straight from the matrix just built, the stored ones through position.
  const PositionMatrix* full = key > kReducedSystemCount ? &buildFullMatrix(e.wz, k) : nullptr;

  SystemRows out;
  out.key = key;
  out.starPairs = assignStars(e.r, random);
  out.rows.resize(e.r);
  for (int r = 1; r <= e.r; ++r) {
    TSchein& row = out.rows[static_cast<std::size_t>(r - 1)];
    std::uint64_t mask = bankers;
    for (int c = 1; c <= k; ++c) {
      const std::size_t cell = static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(k) + static_cast<std::size_t>(c - 1);
      const int p = full ? (cell < full->cells.size() ? full->cells[cell] : 0) : position(key, r, c);
      // The shipped matrices are checked to stay inside the chosen numbers; never read beyond.
      if (p < 1 || p > static_cast<int>(chosen.size()))
        return Refused("Das System " + std::to_string(key) + " kann nicht angewendet werden.\r\rIch breche ab.");
      const int number = chosen[static_cast<std::size_t>(p - 1)];
      row.GZ[static_cast<std::size_t>(c - 1)] = static_cast<std::uint8_t>(number);
      mask |= std::uint64_t{1} << number;
    }
    // With bankers the row is the set of its numbers, ascending; without, the matrix's order.
    if (k < 5) {
      std::size_t i = 0;
      for (; mask != 0; mask &= mask - 1) row.GZ[i++] = static_cast<std::uint8_t>(std::countr_zero(mask));
    }
    const StarPair& pair = out.starPairs[static_cast<std::size_t>(r - 1)];
    row.SZ = {static_cast<std::uint8_t>(pair[0]), static_cast<std::uint8_t>(pair[1])};
  }

  frequencies_.clear();
  for (const TSchein& row : out.rows) frequencies_.countRow(row);
  frequencies_.colourAsSystem(out.rows.size());
  lastRowCount_ = e.r;
  return out;
}

std::vector<StarPair> TipCentreCore::assignStars(int rowCount, RandomSource& random) const {
  const std::vector<int> c = selection(TipCentreGroup::Chosen).values(ValueKind::Star);
  const std::vector<int> b = selection(TipCentreGroup::Banker).values(ValueKind::Star);
  std::vector<StarPair> pairs;
  if (b.empty()) {
    for (std::size_t x = 0; x < c.size(); ++x)
      for (std::size_t y = x + 1; y < c.size(); ++y) pairs.push_back({c[x], c[y]});
  } else if (b.size() == 1) {
    for (int star : c) pairs.push_back(Ordered(star, b[0]));
  } else {
    pairs.assign(static_cast<std::size_t>(std::max(rowCount, 0)), StarPair{b[0], b[1]});
  }
  const int l = static_cast<int>(pairs.size());
  if (l == 0 || rowCount <= 0 || l == rowCount) return pairs;

  std::vector<StarPair> out;
  out.reserve(static_cast<std::size_t>(rowCount));
  if (l < rowCount) {
    const int passes = rowCount / l;
    for (int j = 0; j < passes; ++j) out.insert(out.end(), pairs.begin(), pairs.end());
  }
  random.reseed();
  while (static_cast<int>(out.size()) < rowCount) out.push_back(pairs[static_cast<std::size_t>(random.random(l))]);
  return out;
}

void TipCentreCore::countRows(const std::vector<TSchein>& rows) {
  frequencies_.clear();
  for (const TSchein& row : rows) frequencies_.countRow(row);
  frequencies_.colourAsSlip(rows.size());
}

std::vector<Notice> TipCentreCore::readPattern(TipCentreGroup group, const std::string& path, bool startUp) {
  if (!FileExists(path)) {
    if (startUp) return {};
    return {{NoticeIcon::Information, kNoStandardFileMessage}};
  }
  auto lines = ReadPatternFile(path);
  if (!lines) return {{NoticeIcon::Error, lines.error().message}};
  const int id = static_cast<int>(group);
  if (group == TipCentreGroup::Chosen) {
    choice_.clear(kChosen);
  } else if (lines->lineCount > 0) {
    choice_.clear(kBanker);
  }
  std::vector<Notice> notices;
  for (std::int64_t v : lines->values) {
    ChoiceOutcome outcome;
    if (v >= 1 && v <= 50)
      outcome = choice_.take(id, ValueKind::Number, static_cast<int>(v));
    else if (v >= 51 && v <= 62)
      outcome = choice_.take(id, ValueKind::Star, static_cast<int>(v - 50));
    if (outcome.choice == Choice::Refused) notices.push_back({NoticeIcon::Information, outcome.message});
  }
  if (lines->badLine) notices.push_back({NoticeIcon::Error, PatternConversionMessage(*lines->badLine)});
  return notices;
}

Result<void> TipCentreCore::writePattern(TipCentreGroup group, const std::string& path, bool asStandard) const {
  if (!asStandard && selection(group).empty()) return Refused(kNothingToSaveMessage);
  return WritePatternFile(path, selection(group));
}

}  // namespace kw
