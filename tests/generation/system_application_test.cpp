// Every system of the catalogue, applied to a random choice of numbers, keeps its promise on the
// player's own numbers: every t of the chosen numbers lie together in some row, and every row
// holds all bankers.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <numeric>
#include <random>
#include <unordered_set>
#include <vector>

#include "generation/binomial.h"
#include "generation/systeme.h"
#include "generation/tippcenter.h"

namespace {

using Mask = std::uint64_t;

Mask MaskOf(const std::vector<int>& numbers) {
  Mask m = 0;
  for (int v : numbers) m |= Mask{1} << v;
  return m;
}

// Every t-subset of the set bits of m.
void Subsets(Mask m, int t, std::unordered_set<Mask>& out) {
  std::vector<Mask> bits;
  for (; m != 0; m &= m - 1) bits.push_back(m & (~m + 1));
  const int n = static_cast<int>(bits.size());
  if (t > n) return;
  std::vector<int> index(static_cast<std::size_t>(t));
  for (int i = 0; i < t; ++i) index[static_cast<std::size_t>(i)] = i;
  for (;;) {
    Mask s = 0;
    for (int i : index) s |= bits[static_cast<std::size_t>(i)];
    out.insert(s);
    int i = t - 1;
    while (i >= 0 && index[static_cast<std::size_t>(i)] == n - t + i) --i;
    if (i < 0) return;
    ++index[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < t; ++j) index[static_cast<std::size_t>(j)] = index[static_cast<std::size_t>(j - 1)] + 1;
  }
}

// How many t-sets of the chosen numbers no row holds; rows are number masks.
std::int64_t UncoveredSets(const std::vector<Mask>& rows, Mask chosen, int t) {
  std::unordered_set<Mask> covered;
  for (Mask row : rows) Subsets(row & chosen, t, covered);
  return *kw::binomial(std::popcount(chosen), t) - static_cast<std::int64_t>(covered.size());
}

// The size of the sets of chosen numbers the system promises to cover; 1 for "ohne TrG", where
// every chosen number must at least be played.
int PromisedSetSize(const kw::SystemEntry& e) {
  if (e.trg == 0) return 1;
  return e.mitBz ? e.trg - e.bz : e.trg;
}

TEST(SystemApplication, CheckerSeesAMissingRow) {
  const std::vector<Mask> rows = {MaskOf({1, 2, 3, 40, 44}), MaskOf({1, 2, 4, 40, 44}), MaskOf({1, 3, 4, 40, 44})};
  const Mask chosen = MaskOf({1, 2, 3, 4});
  EXPECT_EQ(UncoveredSets(rows, chosen, 2), 0);
  EXPECT_EQ(UncoveredSets({rows[0], rows[1]}, chosen, 2), 1);  // 3 and 4 never meet
  EXPECT_EQ(UncoveredSets(rows, chosen, 3), 1);                 // 2 3 4 is in no row
}

TEST(SystemApplication, EveryKeyKeepsItsPromiseOnThePlayersNumbers) {
  std::mt19937 shuffle(20240318);
  for (int key = 1; key <= kw::kSystemCount; ++key) {
    SCOPED_TRACE("key " + std::to_string(key));
    const kw::SystemEntry e = kw::entry(key);
    std::vector<int> numbers(50);
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), shuffle);
    const std::vector<int> chosen(numbers.begin(), numbers.begin() + e.wz);
    const std::vector<int> bankers(numbers.begin() + e.wz, numbers.begin() + e.wz + e.bz);

    kw::TipCentreCore core;
    for (int v : chosen) ASSERT_EQ(core.toggle(kw::TipCentreGroup::Chosen, kw::ValueKind::Number, v).choice, kw::Choice::Added);
    for (int v : bankers) ASSERT_EQ(core.toggle(kw::TipCentreGroup::Banker, kw::ValueKind::Number, v).choice, kw::Choice::Added);
    core.selectAll(kw::ValueKind::Star);
    kw::RandomSource random(static_cast<std::uint32_t>(key));
    const auto applied = core.apply(key, random);
    ASSERT_TRUE(applied.ok()) << applied.error().message;
    ASSERT_EQ(applied->rows.size(), static_cast<std::size_t>(e.r));

    const Mask chosenMask = MaskOf(chosen);
    const Mask bankerMask = MaskOf(bankers);
    std::vector<Mask> rows;
    for (const kw::TSchein& row : applied->rows) {
      const std::vector<int> values(row.GZ.begin(), row.GZ.end());
      const Mask m = MaskOf(values);
      ASSERT_EQ(std::popcount(m), 5) << "five different numbers";
      ASSERT_TRUE(std::is_sorted(values.begin(), values.end()));
      ASSERT_EQ(m & ~(chosenMask | bankerMask), 0u) << "only the player's numbers";
      ASSERT_EQ(m & bankerMask, bankerMask) << "every banker in every row";
      ASSERT_TRUE(row.SZ[0] >= 1 && row.SZ[0] < row.SZ[1] && row.SZ[1] <= 12);
      rows.push_back(m);
    }
    EXPECT_EQ(UncoveredSets(rows, chosenMask, PromisedSetSize(e)), 0) << "promise of " << PromisedSetSize(e);
  }
}

}  // namespace
