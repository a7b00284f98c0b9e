// The tip centre below its window: the choice, the system list, the check of the choice against
// a system, the rows and star pairs a system makes, frequencies and pattern files.
#include "generation/tippcenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "generation/binomial.h"
#include "support/temp_dir.h"

namespace {

using kw::StarPair;
using kw::TipCentreCore;
using kw::ValueKind;
using G = kw::TipCentreGroup;
constexpr ValueKind N = ValueKind::Number;
constexpr ValueKind S = ValueKind::Star;
const kw::TileColour kRed{kw::kRedColour, kw::kWhiteColour};
const kw::TileColour kGreen{kw::kGreenColour, kw::kWhiteColour};

std::string Text(const std::vector<kw::TSchein>& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (int v : row.GZ) out += std::to_string(v) + " ";
    out += std::to_string(row.SZ[0]) + " " + std::to_string(row.SZ[1]) + "; ";
  }
  return out;
}

void Choose(TipCentreCore& core, G group, ValueKind kind, const std::vector<int>& values) {
  for (int v : values) ASSERT_EQ(core.toggle(group, kind, v).choice, kw::Choice::Added) << v;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> out;
  for (int v = from; v <= to; ++v) out.push_back(v);
  return out;
}

kw::SystemRows Apply(TipCentreCore& core, int key, std::uint32_t seed = 1) {
  kw::RandomSource random(seed);
  auto applied = core.apply(key, random);
  EXPECT_TRUE(applied.ok()) << (applied.ok() ? "" : applied.error().message);
  return applied.ok() ? *applied : kw::SystemRows{};
}

TEST(TipCentre, KeyOneWithTwoBankersAndOneStarPair) {
  TipCentreCore core;
  Choose(core, G::Chosen, N, {28, 3, 17, 11});
  Choose(core, G::Banker, N, {44, 40});
  Choose(core, G::Chosen, S, {9, 5});
  const kw::SystemRows applied = Apply(core, 1);
  EXPECT_EQ(Text(applied.rows), "3 11 17 40 44 5 9; 3 11 28 40 44 5 9; 3 17 28 40 44 5 9; ");
  EXPECT_EQ(applied.starPairs, (std::vector<StarPair>{{5, 9}, {5, 9}, {5, 9}}));
  const kw::FrequencyBoard& f = core.frequencies();
  for (int v : {40, 44, 3}) {
    EXPECT_EQ(f.count(N, v), 3u) << v;
    EXPECT_EQ(f.tile(N, v).colour, kGreen) << v;
  }
  for (int v : {11, 17, 28}) {
    EXPECT_EQ(f.count(N, v), 2u) << v;
    EXPECT_EQ(f.tile(N, v).colour, kw::PlainTile(N)) << v;
  }
  EXPECT_EQ(f.tile(N, 1).colour, kRed);
  EXPECT_EQ(f.count(S, 5), 3u);
  EXPECT_EQ(f.tile(S, 5).colour, kw::PlainTile(S)) << "star tiles keep their colour";
  EXPECT_EQ(f.tile(S, 1).colour, kw::PlainTile(S));
  EXPECT_EQ(core.lastRowCount(), 3);
}

TEST(TipCentre, KeyEightySixKeepsTheMatrixOrderWithoutBankers) {
  TipCentreCore core;
  Choose(core, G::Chosen, N, Range(1, 6));
  Choose(core, G::Banker, S, {4, 9});
  Choose(core, G::Chosen, S, {1, 2, 3});  // not used with two banker stars
  const kw::SystemRows applied = Apply(core, 86);
  EXPECT_EQ(Text(applied.rows), "1 2 3 4 5 4 9; 1 2 3 4 6 4 9; 1 2 3 5 6 4 9; ");
  EXPECT_EQ(core.frequencies().count(N, 1), 3u);
  EXPECT_EQ(core.frequencies().tile(N, 1).colour, kGreen);
  EXPECT_EQ(core.frequencies().count(N, 6), 2u);
  EXPECT_EQ(core.frequencies().tile(N, 6).colour, kw::PlainTile(N));
}

TEST(TipCentre, OneBankerStarPairsWithEachChosenStar) {
  TipCentreCore core;
  Choose(core, G::Banker, S, {5});
  Choose(core, G::Chosen, S, {7, 2});
  Choose(core, G::Chosen, N, Range(10, 16));
  // R = 5 > L = 2: two full passes, then one drawn pair (seed 80 draws the second).
  kw::RandomSource random(80);
  EXPECT_EQ(core.assignStars(5, random), (std::vector<StarPair>{{2, 5}, {5, 7}, {2, 5}, {5, 7}, {5, 7}}));
  const kw::SystemRows applied = Apply(core, 69, 80);
  EXPECT_EQ(applied.starPairs, (std::vector<StarPair>{{2, 5}, {5, 7}, {2, 5}, {5, 7}, {5, 7}}));
  EXPECT_EQ(core.frequencies().count(S, 5), 5u);
  EXPECT_EQ(core.frequencies().count(S, 7), 3u);
  // R = L: in order, nothing drawn.
  kw::RandomSource untouched(123);
  EXPECT_EQ(core.assignStars(2, untouched), (std::vector<StarPair>{{2, 5}, {5, 7}}));
  EXPECT_EQ(untouched.seed(), 123u);
}

TEST(TipCentre, AllTwelveStarsGiveEveryPairOncePerFullPass) {
  TipCentreCore core;
  core.selectAll(S);
  Choose(core, G::Chosen, N, Range(1, 9));
  const kw::SystemRows applied = Apply(core, 241, 4711);  // 9 over 5 = 126 rows
  ASSERT_EQ(applied.rows.size(), 126u);
  std::vector<StarPair> pairs;
  for (int a = 1; a <= 12; ++a)
    for (int b = a + 1; b <= 12; ++b) pairs.push_back({a, b});
  ASSERT_EQ(pairs.size(), 66u);
  EXPECT_EQ(std::vector<StarPair>(applied.starPairs.begin(), applied.starPairs.begin() + 66), pairs);
  const std::vector<StarPair> drawn = {
      {7, 11}, {5, 7},  {7, 11}, {4, 12}, {6, 8},  {8, 9},  {2, 4},  {4, 11}, {1, 9},  {3, 11}, {4, 6},  {2, 3},
      {8, 11}, {9, 11}, {3, 10}, {8, 12}, {7, 9},  {5, 8},  {2, 4},  {2, 6},  {7, 12}, {3, 7},  {8, 11}, {8, 9},
      {2, 11}, {4, 7},  {1, 3},  {1, 3},  {4, 12}, {3, 7},  {6, 7},  {3, 4},  {3, 4},  {2, 10}, {3, 11}, {2, 3},
      {2, 9},  {1, 10}, {1, 11}, {9, 10}, {5, 12}, {3, 9},  {2, 12}, {2, 6},  {6, 10}, {1, 9},  {4, 5},  {2, 3},
      {8, 11}, {2, 7},  {6, 11}, {2, 4},  {1, 2},  {7, 11}, {9, 12}, {7, 11}, {1, 10}, {2, 5},  {2, 10}, {8, 12}};
  EXPECT_EQ(std::vector<StarPair>(applied.starPairs.begin() + 66, applied.starPairs.end()), drawn);
  for (std::size_t r = 0; r < applied.rows.size(); ++r) {
    EXPECT_EQ(applied.rows[r].SZ[0], applied.starPairs[r][0]);
    EXPECT_EQ(applied.rows[r].SZ[1], applied.starPairs[r][1]);
  }
  // More pairs than rows: every row drawn.
  kw::RandomSource random(31);
  EXPECT_EQ(core.assignStars(3, random), (std::vector<StarPair>{{10, 12}, {6, 11}, {3, 12}}));
}

TEST(TipCentre, TwoBankerStarsGoToEveryRow) {
  TipCentreCore core;
  Choose(core, G::Banker, S, {11, 3});
  core.selectAll(S);
  EXPECT_EQ(core.count(G::Chosen, S), 10);
  kw::RandomSource random(9);
  const auto pairs = core.assignStars(7, random);
  EXPECT_EQ(pairs, std::vector<StarPair>(7, StarPair{3, 11}));
}

TEST(TipCentre, FullSystemKey268WritesEveryTripleWithBothBankers) {
  TipCentreCore core;
  Choose(core, G::Chosen, N, {2, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35, 38, 41, 44, 47, 48, 49, 50});
  Choose(core, G::Banker, N, {1, 3});
  core.selectAll(S);
  const kw::SystemRows applied = Apply(core, 268);
  ASSERT_EQ(applied.rows.size(), 969u);
  EXPECT_EQ(Text({applied.rows.front()}).substr(0, 12), "1 2 3 5 8 1 ");
  EXPECT_EQ(Text({applied.rows.back()}).substr(0, 13), "1 3 48 49 50 ");
  for (const kw::TSchein& row : applied.rows) {
    ASSERT_EQ(row.GZ[0], 1);
    ASSERT_TRUE(std::find(row.GZ.begin(), row.GZ.end(), 3) != row.GZ.end());
    ASSERT_TRUE(std::is_sorted(row.GZ.begin(), row.GZ.end()));
  }
  EXPECT_EQ(core.frequencies().count(N, 1), 969u);
  EXPECT_EQ(core.frequencies().count(N, 2), static_cast<std::uint32_t>(*kw::binomial(18, 2)));
  EXPECT_EQ(core.frequencies().tile(N, 4).colour, kRed);
}

TEST(TipCentre, ChoiceMustFitTheSystem) {
  const struct {
    int key;
    int chosen, bankers;
    const char* message;
  } cases[] = {
      {1, 5, 2, "Für das gewählte System müssen Sie sich für 4 Wahlzahlen entscheiden.\r\rIch breche ab."},
      {69, 7, 1,
       "Sie haben 1 Bankzahlen gewählt, das gewählte System sieht aber keine vor. Bitte heben Sie die Auswahl der "
       "Bankzahlen auf.\r\rIch breche erst einmal ab."},
      {43, 7, 2,
       "Sie haben eine Bankzahl zuviel gewählt. Bitte heben Sie die Auswahl für eine der Bankzahlen auf.\r\r"
       "Ich breche erst einmal ab."},
      {1, 4, 1,
       "Das gewählte System sieht 2 Bankzahlen vor. Bitte treffen Sie eine entsprechende Auswahl.\r\r"
       "Ich breche erst einmal ab."},
      {1, 4, 0,
       "Das gewählte System sieht 2 Bankzahlen vor. Bitte treffen Sie eine entsprechende Auswahl.\r\r"
       "Ich breche erst einmal ab."},
      // The chosen numbers are checked first.
      {69, 6, 2, "Für das gewählte System müssen Sie sich für 7 Wahlzahlen entscheiden.\r\rIch breche ab."},
  };
  for (const auto& c : cases) {
    TipCentreCore core;
    Choose(core, G::Chosen, N, Range(1, c.chosen));
    Choose(core, G::Banker, N, Range(41, 40 + c.bankers));
    core.selectAll(S);
    const auto checked = core.checkCounts(c.key);
    ASSERT_FALSE(checked.ok()) << c.key;
    EXPECT_EQ(checked.error().message, c.message);
    kw::RandomSource random(1);
    const auto applied = core.apply(c.key, random);
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.error().message, c.message);
  }
}

TEST(TipCentre, RefusalsLeaveTheLastResultAlone) {
  TipCentreCore core;
  Choose(core, G::Chosen, N, Range(1, 6));
  Choose(core, G::Chosen, S, {1});
  kw::RandomSource random(1);
  core.filter({});
  auto noStars = core.applyListRow(85, random);  // key 86
  ASSERT_FALSE(noStars.ok());
  EXPECT_EQ(noStars.error().message, "Bitte treffen Sie noch Ihre Wahl\rfür die Sternzahlen aus 1 - 12.\r\rIch breche erst einmal ab.");
  Choose(core, G::Banker, S, {2});
  ASSERT_TRUE(core.applyListRow(85, random).ok());
  EXPECT_EQ(core.frequencies().count(N, 1), 3u);

  EXPECT_EQ(core.applyListRow(-1, random).error().message,
            "Bitte wählen Sie ein System aus der Liste.\r\rIch breche erst einmal ab.");
  EXPECT_EQ(core.applyListRow(268, random).error().message, kw::kNoSystemSelectedMessage);
  core.filter({.bzItem = 2, .wzItem = 1, .garItem = -1, .budgetItem = 1});  // 1 banker, 7 WZ, up to 10 euros
  ASSERT_TRUE(core.listedKeys().empty());
  EXPECT_EQ(core.applyListRow(0, random).error().message,
            "Kein System entsprach Ihren Auswahlkriterien. Bitte prüfen Sie Ihre Filtereinstellungen.\r\r"
            "Ich breche erst einmal ab.");
  EXPECT_EQ(core.frequencies().count(N, 1), 3u);
  EXPECT_EQ(core.lastRowCount(), 3);
}

TEST(TipCentre, FilterListsTheSystemsWithTheirTexts) {
  TipCentreCore core;
  core.filter({});
  EXPECT_EQ(core.listedKeys().size(), 268u);
  EXPECT_EQ(core.listedCountText(), "268");
  EXPECT_EQ(core.listTexts().front(), "4 WZ, 2 BZ, 3 R, 2er TrG");
  core.filter({.bzItem = 1, .wzItem = 1, .garItem = -1, .budgetItem = -1});  // "0" bankers, "7" chosen
  EXPECT_EQ(core.listedKeys(), (std::vector<int>{69, 87, 132, 239}));
  EXPECT_EQ(core.listTexts(), (std::vector<std::string>{"7 WZ, 0 BZ, 5 R, 3er TrG", "7 WZ, 0 BZ, 3 R, 2er TrG",
                                                        "7 WZ, 0 BZ, 9 R, 4er TrG", "7 WZ, 0 BZ, 21 R, 5er TrG"}));
  EXPECT_EQ(core.listedCountText(), "4");
}

TEST(TipCentre, FilterListItems) {
  EXPECT_EQ(kw::BudgetFilterItems(),
            (std::vector<std::string>{"egal", "bis 10", "11 - 25", "26 - 50", "51 - 100", "101 - 250", "über 500"}));
  EXPECT_EQ(kw::GuaranteeFilterItems(), (std::vector<std::string>{"egal", "minimal 2", "minimal 3", "minimal 4", "5"}));
  EXPECT_EQ(kw::BankerFilterItems(), (std::vector<std::string>{"egal", "0", "1", "2"}));
  const auto chosen = kw::ChosenFilterItems();
  ASSERT_EQ(chosen.size(), 45u);
  EXPECT_EQ(chosen[1], "7");
  EXPECT_EQ(chosen.back(), "50");
}

TEST(TipCentre, GroupsLimitsAndSelectAll) {
  TipCentreCore core;
  Choose(core, G::Banker, N, {10, 20});
  EXPECT_EQ(core.toggle(G::Banker, N, 30).message, "Bitte maximal 2 Zahlen wählen.");
  Choose(core, G::Banker, S, {1, 2});
  const kw::ChoiceOutcome stars = core.toggle(G::Banker, S, 3);
  EXPECT_EQ(stars.choice, kw::Choice::Refused);
  EXPECT_EQ(stars.message, "Zuviele Zahlen gewählt!");

  core.selectAll(N);
  EXPECT_EQ(core.count(G::Chosen, N), 48);
  EXPECT_EQ(core.holder(N, 10), G::Banker);
  EXPECT_EQ(core.overviewTile(N, 11), (kw::TileColour{{0x00, 0x40, 0x80}, kw::kWhiteColour}));
  core.selectAll(S);
  EXPECT_EQ(core.selection(G::Chosen).values(S), Range(3, 12));
  core.deselectAll(N);
  EXPECT_EQ(core.count(G::Chosen, N), 0);
  EXPECT_EQ(core.count(G::Chosen, S), 10);
  EXPECT_EQ(core.count(G::Banker, N), 2);
  core.deselectAll(S);
  EXPECT_EQ(core.count(G::Chosen, S), 0);
  EXPECT_EQ(core.count(G::Banker, S), 2);
}

TEST(TipCentre, SlipRowsAreColouredAsInTheGenerator) {
  TipCentreCore core;
  core.countRows({{{1, 2, 3, 4, 5}, {3, 4}}, {{1, 6, 7, 8, 9}, {3, 5}}});
  EXPECT_EQ(core.frequencies().tile(N, 1).colour, kGreen);
  EXPECT_EQ(core.frequencies().tile(S, 3).colour, kRed);
  EXPECT_EQ(core.frequencies().tile(S, 4).colour, kw::PlainTile(S));
}

class TipCentrePattern : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    kwtest::WriteBytes(dir_.file(name), std::vector<std::uint8_t>(text.begin(), text.end()));
    return dir_.file(name);
  }
  kwtest::TempDir dir_;
  TipCentreCore core_;
};

TEST_F(TipCentrePattern, ChosenFileDeselectsEverythingChosenFirstEvenWhenEmpty) {
  Choose(core_, G::Chosen, N, {1, 2, 3});
  core_.selectAll(S);
  Choose(core_, G::Banker, N, {4});
  EXPECT_TRUE(core_.readPattern(G::Chosen, write("leer.emwz", ""), false).empty());
  EXPECT_EQ(core_.count(G::Chosen, N), 0);
  EXPECT_EQ(core_.count(G::Chosen, S), 0);
  EXPECT_EQ(core_.count(G::Banker, N), 1);

  EXPECT_TRUE(core_.readPattern(G::Chosen, write("wz.emwz", "7\r\n9\r\n55\r\n60\r\n"), false).empty());
  EXPECT_EQ(core_.selection(G::Chosen).values(N), (std::vector<int>{7, 9}));
  EXPECT_EQ(core_.selection(G::Chosen).values(S), (std::vector<int>{5, 10}));
}

TEST_F(TipCentrePattern, BankerFileReplacesOnlyWithALineAndMovesChosenStars) {
  Choose(core_, G::Banker, N, {4});
  EXPECT_TRUE(core_.readPattern(G::Banker, write("leer.embz", ""), false).empty());
  EXPECT_EQ(core_.selection(G::Banker).values(N), (std::vector<int>{4}));

  // After start-up every star is chosen; the banker file's stars still become banker stars.
  core_.selectAll(S);
  const auto notices = core_.readPattern(G::Banker, write("bz.embz", "8\r\n9\r\n10\r\n54\r\n56\r\n57\r\n"), false);
  EXPECT_EQ(notices, (std::vector<kw::Notice>{{kw::NoticeIcon::Information, "Bitte maximal 2 Zahlen wählen."},
                                              {kw::NoticeIcon::Information, "Zuviele Zahlen gewählt!"}}));
  EXPECT_EQ(core_.selection(G::Banker).values(N), (std::vector<int>{8, 9}));
  EXPECT_EQ(core_.selection(G::Banker).values(S), (std::vector<int>{4, 6}));
  EXPECT_EQ(core_.count(G::Chosen, S), 10);
  EXPECT_EQ(core_.holder(S, 7), G::Chosen);
}

TEST_F(TipCentrePattern, StandardFileOfAnEmptyGroupIsEmptyAndChangesNothing) {
  const std::string standard = dir_.file(kw::InfoOf(G::Banker).standardFile);
  EXPECT_EQ(core_.writePattern(G::Banker, dir_.file("x.embz"), false).error().message,
            "Es gibt nichts zu speichern.\r\rIch breche erst einmal ab.");
  ASSERT_TRUE(core_.writePattern(G::Banker, standard, true).ok());
  EXPECT_TRUE(kwtest::ReadBytes(standard).empty());
  EXPECT_STREQ(kw::InfoOf(G::Banker).standardFile, "BZSta.emtc");
  Choose(core_, G::Banker, N, {12});
  EXPECT_TRUE(core_.readPattern(G::Banker, standard, false).empty());
  EXPECT_EQ(core_.selection(G::Banker).values(N), (std::vector<int>{12}));

  EXPECT_EQ(core_.readPattern(G::Chosen, dir_.file("WZSta.emtc"), false),
            (std::vector<kw::Notice>{{kw::NoticeIcon::Information, kw::kNoStandardFileMessage}}));
  EXPECT_TRUE(core_.readPattern(G::Chosen, dir_.file("WZSta.emtc"), true).empty());
}

}  // namespace
