// The random generator below its window: groups and limits, pools, seeded runs with exact rows,
// frequencies and their colours, pattern files.
#include "generation/generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "generation/pattern_file.h"
#include "support/temp_dir.h"

namespace {

using kw::ChoiceOutcome;
using kw::GeneratorCore;
using kw::ValueKind;
using G = kw::GeneratorGroup;
constexpr ValueKind N = ValueKind::Number;
constexpr ValueKind S = ValueKind::Star;

std::string Text(const std::vector<kw::TSchein>& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (int v : row.GZ) out += std::to_string(v) + ",";
    out += std::to_string(row.SZ[0]) + "," + std::to_string(row.SZ[1]) + "\n";
  }
  return out;
}

void Choose(GeneratorCore& core, G group, ValueKind kind, const std::vector<int>& values) {
  for (int v : values) ASSERT_EQ(core.toggle(group, kind, v).choice, kw::Choice::Added) << v;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> out;
  for (int v = from; v <= to; ++v) out.push_back(v);
  return out;
}

std::vector<kw::TSchein> Generate(GeneratorCore& core, int n, std::uint32_t seed) {
  kw::RandomSource random(seed);
  auto rows = core.generate(n, random);
  EXPECT_TRUE(rows.ok()) << (rows.ok() ? "" : rows.error().message);
  return rows.ok() ? *rows : std::vector<kw::TSchein>{};
}

TEST(Generator, ThreeBankersAndTwoBankerStarsAreInEveryRow) {
  GeneratorCore core;
  Choose(core, G::Banker, N, {19, 7, 33});
  Choose(core, G::Banker, S, {9, 4});
  EXPECT_EQ(Text(Generate(core, 6, 12345)),
            "7,15,19,21,33,4,9\n4,7,19,29,33,4,9\n7,18,19,32,33,4,9\n"
            "4,7,19,23,33,4,9\n2,7,19,33,47,4,9\n7,17,19,33,49,4,9\n");
  for (int v : {7, 19, 33}) EXPECT_EQ(core.frequencies().count(N, v), 6u);
  for (int s : {4, 9}) EXPECT_EQ(core.frequencies().count(S, s), 6u);
  EXPECT_EQ(core.lastRowCount(), 6);
}

TEST(Generator, ThirtyKillersAndThreeBankersLeaveSeventeenNumbers) {
  GeneratorCore core;
  Choose(core, G::Killer, N, Range(1, 30));
  Choose(core, G::Banker, N, {31, 32, 33});
  EXPECT_EQ(core.numberPool(), Range(34, 50));
  EXPECT_EQ(Text(Generate(core, 6, 2024)),
            "31,32,33,38,42,2,7\n31,32,33,38,39,2,10\n31,32,33,42,48,1,4\n"
            "31,32,33,36,48,3,10\n31,32,33,44,50,7,9\n31,32,33,37,41,2,10\n");
  // The tightest pools still complete every row of the longest run.
  Choose(core, G::Killer, S, Range(1, 6));
  Choose(core, G::Banker, S, {7});
  EXPECT_EQ(core.starPool(), Range(8, 12));
  const auto rows = Generate(core, kw::kMaxGeneratedRows, 1);
  ASSERT_EQ(rows.size(), 999u);
  for (int v = 1; v <= 30; ++v) EXPECT_EQ(core.frequencies().count(N, v), 0u) << v;
  for (int v = 31; v <= 33; ++v) EXPECT_EQ(core.frequencies().count(N, v), 999u) << v;
  EXPECT_EQ(core.frequencies().count(S, 7), 999u);
}

TEST(Generator, FavouritesStandTwiceInThePool) {
  GeneratorCore core;
  std::vector<int> favourites = Range(1, 50);
  favourites.erase(favourites.begin() + 24);  // 25 is no favourite
  Choose(core, G::Favourite, N, favourites);
  const std::vector<int> pool = core.numberPool();
  ASSERT_EQ(pool.size(), 99u);
  for (int v = 1; v <= 50; ++v) EXPECT_EQ(std::count(pool.begin(), pool.end(), v), v == 25 ? 1 : 2) << v;
  EXPECT_TRUE(std::is_sorted(pool.begin(), pool.end()));
  EXPECT_EQ(Text(Generate(core, 6, 99)),
            "6,9,34,37,38,10,12\n17,20,23,34,49,3,7\n4,27,28,33,47,3,5\n"
            "3,35,38,43,50,7,9\n18,29,38,47,48,1,8\n19,27,45,47,49,1,7\n");
}

TEST(Generator, PoolsFollowTheGroups) {
  GeneratorCore core;
  EXPECT_EQ(core.numberPool(), Range(1, 50));
  EXPECT_EQ(core.starPool(), Range(1, 12));
  Choose(core, G::Killer, S, {1, 2});
  Choose(core, G::Banker, S, {12});
  Choose(core, G::Favourite, S, {5});
  EXPECT_EQ(core.starPool(), (std::vector<int>{3, 4, 5, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(Generator, RowsAreSortedDistinctAndValid) {
  GeneratorCore core;
  Choose(core, G::Killer, N, {1, 2, 3});
  Choose(core, G::Favourite, N, {4, 5});
  Choose(core, G::Favourite, S, {6});
  for (std::uint32_t seed : {0u, 1u, 0xDEADBEEFu}) {
    for (const kw::TSchein& row : Generate(core, 999, seed)) {
      ASSERT_TRUE(std::adjacent_find(row.GZ.begin(), row.GZ.end(), std::greater_equal<>()) == row.GZ.end());
      ASSERT_LT(row.SZ[0], row.SZ[1]);
      ASSERT_GE(row.GZ[0], 4);
      ASSERT_LE(row.GZ[4], 50);
      ASSERT_GE(row.SZ[0], 1);
      ASSERT_LE(row.SZ[1], 12);
    }
  }
}

TEST(Generator, RunReseedsFromTheClockAndRecountsTheFrequencies) {
  GeneratorCore core;
  std::uint64_t tick = 1;
  kw::RandomSource random(0, [&] { return tick++; });
  const auto first = core.generate(20, random);
  const auto second = core.generate(20, random);
  ASSERT_TRUE(first.ok() && second.ok());
  EXPECT_NE(Text(*first), Text(*second));
  std::uint32_t numbers = 0, stars = 0;
  for (int v = 1; v <= 50; ++v) numbers += core.frequencies().count(N, v);
  for (int s = 1; s <= 12; ++s) stars += core.frequencies().count(S, s);
  EXPECT_EQ(numbers, 100u) << "counted once, not added to the previous run";
  EXPECT_EQ(stars, 40u);
}

TEST(Generator, RowCountChoice) {
  const struct {
    int item;
    const char* text;
    int rows;
  } ok[] = {{0, "", 6}, {1, "7", 10}, {5, "", 100}, {6, "999", 999}, {6, "1", 1}, {6, "007", 7}};
  for (const auto& c : ok) {
    const auto n = kw::RowCountOfChoice(c.item, c.text);
    ASSERT_TRUE(n.ok()) << c.item << " " << c.text;
    EXPECT_EQ(*n, c.rows);
  }
  for (const char* text : {"", "0", "abc", "-5"}) {
    const auto n = kw::RowCountOfChoice(6, text);
    ASSERT_FALSE(n.ok()) << text;
    EXPECT_EQ(n.error().message, kw::kRowCountMissingMessage);
  }
  EXPECT_EQ(kw::RowCountOfChoice(6, "1000").error().message, kw::kRowCountTooLargeMessage);

  GeneratorCore core;
  kw::RandomSource random(1);
  for (int n : {0, -1, 1000}) {
    const auto rows = core.generate(n, random);
    ASSERT_FALSE(rows.ok()) << n;
    EXPECT_EQ(rows.error().message, n > 0 ? kw::kRowCountTooLargeMessage : kw::kRowCountMissingMessage);
  }
  EXPECT_EQ(core.lastRowCount(), 0);
}

TEST(Generator, ClickTogglesWithinTheLimitAndKeepsGroupsApart) {
  GeneratorCore core;
  const struct {
    G group;
    ValueKind kind;
    int limit;
  } limits[] = {{G::Killer, N, 30}, {G::Killer, S, 6}, {G::Banker, N, 3},
                {G::Banker, S, 2},  {G::Favourite, N, 49}, {G::Favourite, S, 7}};
  for (const auto& l : limits) {
    GeneratorCore fresh;
    Choose(fresh, l.group, l.kind, Range(1, l.limit));
    const ChoiceOutcome refused = fresh.toggle(l.group, l.kind, l.limit + 1);
    EXPECT_EQ(refused.choice, kw::Choice::Refused);
    EXPECT_EQ(refused.message, "Bitte maximal " + std::to_string(l.limit) + " Zahlen wählen.");
    EXPECT_EQ(fresh.count(l.group, l.kind), l.limit);
    // A value already chosen is taken off, not refused, even at the limit.
    EXPECT_EQ(fresh.toggle(l.group, l.kind, 1).choice, kw::Choice::Removed);
    EXPECT_EQ(fresh.add(l.group, l.kind, 2).choice, kw::Choice::Unchanged);
    EXPECT_EQ(fresh.count(l.group, l.kind), l.limit - 1);
  }

  Choose(core, G::Banker, N, {7});
  const ChoiceOutcome held = core.toggle(G::Killer, N, 7);
  EXPECT_EQ(held.choice, kw::Choice::HeldElsewhere);
  EXPECT_EQ(held.message, "Die Zahl 7 ist bereits unter \"Bankzahlen\" gewählt.");
  EXPECT_EQ(core.holder(N, 7), G::Banker);
  EXPECT_EQ(core.overviewTile(N, 7), (kw::TileColour{kw::kGreenColour, kw::kWhiteColour}));
  EXPECT_FALSE(core.overviewTile(N, 8).has_value());
  EXPECT_EQ(core.toggle(G::Killer, N, 51).choice, kw::Choice::Unchanged);
  EXPECT_EQ(core.toggle(G::Killer, S, 0).choice, kw::Choice::Unchanged);

  Choose(core, G::Favourite, S, {3});
  EXPECT_FALSE(core.unsteered());
  core.clearGroup(G::Banker);
  EXPECT_EQ(core.count(G::Banker, N), 0);
  EXPECT_EQ(core.count(G::Favourite, S), 1);
  core.clearAll();
  EXPECT_TRUE(core.unsteered());
}

TEST(Generator, FrequencyTilesTakeTheColourOfTheGroupAtTheRun) {
  GeneratorCore core;
  Choose(core, G::Killer, N, {1});
  Choose(core, G::Banker, N, {2});
  Choose(core, G::Favourite, N, {3});
  Choose(core, G::Killer, S, {1});
  Generate(core, 10, 3);
  const kw::FrequencyBoard& f = core.frequencies();
  EXPECT_EQ(f.tile(N, 1).colour, (kw::TileColour{kw::kRedColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(N, 2).colour, (kw::TileColour{kw::kGreenColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(N, 3).colour, (kw::TileColour{{0x80, 0xFF, 0x80}, kw::kBlackColour}));
  EXPECT_EQ(f.tile(N, 4).colour, kw::PlainTile(N));
  EXPECT_EQ(f.tile(S, 1).colour, (kw::TileColour{kw::kRedColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(S, 2).colour, kw::PlainTile(S));
  EXPECT_EQ(f.count(N, 1), 0u);
  EXPECT_EQ(f.count(N, 2), 10u);
  // Changing the groups afterwards does not repaint the result of the run.
  core.clearAll();
  EXPECT_EQ(core.frequencies().tile(N, 2).colour, (kw::TileColour{kw::kGreenColour, kw::kWhiteColour}));
  core.clearFrequencies();
  EXPECT_EQ(core.frequencies().count(N, 2), 0u);
  EXPECT_EQ(core.frequencies().tile(N, 2).colour, kw::PlainTile(N));
}

TEST(Generator, SlipRowsAreCountedAndColouredByTheirCounts) {
  GeneratorCore core;
  // Star 3 and number 10 in every row; a foreign file's bytes 0, 51 and 13 are not counted.
  core.countRows({{{10, 11, 12, 13, 14}, {3, 4}}, {{1, 10, 20, 30, 51}, {3, 13}}, {{0, 10, 22, 33, 44}, {1, 3}}});
  const kw::FrequencyBoard& f = core.frequencies();
  EXPECT_EQ(f.count(N, 10), 3u);
  EXPECT_EQ(f.tile(N, 10).colour, (kw::TileColour{kw::kGreenColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(S, 3).colour, (kw::TileColour{kw::kRedColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(N, 50).colour, (kw::TileColour{kw::kRedColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(S, 12).colour, (kw::TileColour{kw::kRedColour, kw::kWhiteColour}));
  EXPECT_EQ(f.tile(N, 11).colour, kw::PlainTile(N));
  EXPECT_EQ(f.tile(S, 4).colour, kw::PlainTile(S));
  std::uint32_t numbers = 0;
  for (int v = 1; v <= 50; ++v) numbers += f.count(N, v);
  EXPECT_EQ(numbers, 13u);
}

class GeneratorPattern : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    kwtest::WriteBytes(dir_.file(name), bytes);
    return dir_.file(name);
  }
  kwtest::TempDir dir_;
  GeneratorCore core_;
};

TEST_F(GeneratorPattern, WritesNumbersThenStarsPlusFiftyWithCrLf) {
  Choose(core_, G::Banker, N, {23, 7});
  Choose(core_, G::Banker, S, {4});
  const std::string path = dir_.file("b.emmb");
  ASSERT_TRUE(core_.writePattern(G::Banker, path).ok());
  EXPECT_EQ(kwtest::ReadBytes(path), (std::vector<std::uint8_t>{'7', '\r', '\n', '2', '3', '\r', '\n', '5', '4', '\r', '\n'}));

  GeneratorCore other;
  EXPECT_TRUE(other.readPattern(G::Banker, path, false).empty());
  EXPECT_EQ(other.selection(G::Banker), core_.selection(G::Banker));
}

TEST_F(GeneratorPattern, EmptyGroupIsNotSaved) {
  const std::string path = write("k.emmk", "5\r\n");
  const auto saved = core_.writePattern(G::Killer, path);
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.error().message, "Es gibt nichts zu speichern.\r\rIch breche erst einmal ab.");
  EXPECT_EQ(kwtest::ReadBytes(path), (std::vector<std::uint8_t>{'5', '\r', '\n'}));
}

TEST_F(GeneratorPattern, StarSixtyTwoAndValuesOutsideAreSkipped) {
  Choose(core_, G::Favourite, N, {40, 41});
  EXPECT_TRUE(core_.readPattern(G::Favourite, write("f.emmf", "0\r\n62\r\n63\r\n-1\r\n50\n51"), false).empty());
  EXPECT_EQ(core_.selection(G::Favourite).values(N), (std::vector<int>{50}));
  EXPECT_EQ(core_.selection(G::Favourite).values(S), (std::vector<int>{1, 12}));
}

TEST_F(GeneratorPattern, ReplacesTheGroupUpToItsLimitAndRepeatsCountOnce) {
  Choose(core_, G::Banker, N, {1});
  const auto notices = core_.readPattern(G::Banker, write("b.emmb", "9\r\n8\r\n9\r\n7\r\n6\r\n5\r\n53\r\n"), false);
  EXPECT_EQ(core_.selection(G::Banker).values(N), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(core_.selection(G::Banker).values(S), (std::vector<int>{3}));
  const kw::Notice limit{kw::NoticeIcon::Information, "Bitte maximal 3 Zahlen wählen."};
  EXPECT_EQ(notices, (std::vector<kw::Notice>{limit, limit}));
}

TEST_F(GeneratorPattern, EmptyFileChangesNothingAndMissingFileIsReported) {
  Choose(core_, G::Killer, N, {3});
  EXPECT_TRUE(core_.readPattern(G::Killer, write("leer.emmk", ""), false).empty());
  EXPECT_EQ(core_.count(G::Killer, N), 1);

  const std::string missing = dir_.file(kw::InfoOf(G::Killer).standardFile);
  EXPECT_EQ(core_.readPattern(G::Killer, missing, false),
            (std::vector<kw::Notice>{{kw::NoticeIcon::Information, "Es wurden noch keine Zahlen als Standard gespeichert."}}));
  EXPECT_TRUE(core_.readPattern(G::Killer, missing, true).empty()) << "silent while the program starts";
  EXPECT_EQ(core_.count(G::Killer, N), 1);
}

TEST_F(GeneratorPattern, LineThatIsNoNumberStopsReading) {
  Choose(core_, G::Killer, N, {30});
  const auto notices = core_.readPattern(G::Killer, write("k.emmk", "4\r\n5\r\nsechs\r\n7\r\n"), false);
  EXPECT_EQ(core_.selection(G::Killer).values(N), (std::vector<int>{4, 5}));
  EXPECT_EQ(notices, (std::vector<kw::Notice>{{kw::NoticeIcon::Error, "'sechs' ist kein gültiger Integerwert"}}));
}

TEST_F(GeneratorPattern, ValueOfAnotherGroupMovesToTheGroupRead) {
  // Without the move 7 would be excluded and banked at once, 8 excluded and favoured.
  Choose(core_, G::Banker, N, {7, 20});
  Choose(core_, G::Favourite, N, {8});
  EXPECT_TRUE(core_.readPattern(G::Killer, write("k.emmk", "7\r\n8\r\n"), false).empty());
  EXPECT_EQ(core_.holder(N, 7), G::Killer);
  EXPECT_EQ(core_.holder(N, 8), G::Killer);
  EXPECT_EQ(core_.selection(G::Banker).values(N), (std::vector<int>{20}));
  EXPECT_EQ(core_.count(G::Favourite, N), 0);

  // A full group takes nothing, so the value stays where it was.
  Choose(core_, G::Favourite, N, {24});
  const auto notices = core_.readPattern(G::Banker, write("b.emmb", "21\r\n22\r\n23\r\n24\r\n"), false);
  EXPECT_EQ(notices, (std::vector<kw::Notice>{{kw::NoticeIcon::Information, "Bitte maximal 3 Zahlen wählen."}}));
  EXPECT_EQ(core_.selection(G::Banker).values(N), (std::vector<int>{21, 22, 23}));
  EXPECT_EQ(core_.holder(N, 24), G::Favourite);
}

TEST_F(GeneratorPattern, UnreadableFileIsAnErrorAndChangesNothing) {
  Choose(core_, G::Banker, N, {1});
  std::filesystem::create_directory(dir_.file("ordner.emmb"));
  const auto notices = core_.readPattern(G::Banker, dir_.file("ordner.emmb"), false);
  // A folder is no file: reported as missing.
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_EQ(core_.count(G::Banker, N), 1);
  const std::string big = write("gross.emmb", std::string(kw::kMaxPatternFileBytes + 1, '1'));
  const auto tooBig = core_.readPattern(G::Banker, big, false);
  ASSERT_EQ(tooBig.size(), 1u);
  EXPECT_EQ(tooBig[0].icon, kw::NoticeIcon::Error);
  EXPECT_EQ(core_.count(G::Banker, N), 1);
}

TEST(GeneratorGroups, CaptionsFilesAndHeadings) {
  EXPECT_STREQ(kw::InfoOf(G::Killer).caption, "Quotenkiller");
  EXPECT_STREQ(kw::InfoOf(G::Banker).standardFile, "BaZaSta.emm");
  EXPECT_STREQ(kw::InfoOf(G::Favourite).filter, "Favoriten|*.emmf");
  EXPECT_STREQ(kw::InfoOf(G::Favourite).numberHeading,
               "Hier die Zahlen von 1 bis 50 wählen, die häufiger getippt werden sollen.");
  EXPECT_STREQ(kw::InfoOf(G::Killer).starHeading,
               "Hier die Sternzahlen (1 bis 12) wählen, die nicht getippt werden sollen.");
}

}  // namespace
