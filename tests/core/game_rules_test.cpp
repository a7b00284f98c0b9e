#include "core/game_rules.h"

#include <gtest/gtest.h>

#include "core/dates.h"

namespace kw {
namespace {

TEST(PrizeClass, BothOrdersForEveryHitCount) {
  struct Case {
    int m, s, earlier, current;
  };
  const Case cases[] = {
      {5, 2, 1, 1},   {5, 1, 2, 2},   {5, 0, 3, 3},   {4, 2, 4, 4}, {4, 1, 5, 5}, {4, 0, 6, 7},
      {3, 2, 7, 6},   {2, 2, 8, 8},   {3, 1, 9, 9},   {3, 0, 10, 10}, {1, 2, 11, 11}, {2, 1, 12, 12},
      {2, 0, 13, 13}, {1, 1, 0, 0},   {1, 0, 0, 0},   {0, 2, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrizeClass(c.m, c.s, false), c.earlier) << c.m << "+" << c.s;
    EXPECT_EQ(PrizeClass(c.m, c.s, true), c.current) << c.m << "+" << c.s;
    // The hit texts name exactly these classes.
    if (c.earlier > 0) {
      EXPECT_EQ(std::string(ClassHitsOld[static_cast<std::size_t>(c.earlier)]),
                std::to_string(c.m) + "+" + std::to_string(c.s));
      EXPECT_EQ(std::string(ClassHitsNew[static_cast<std::size_t>(c.current)]),
                std::to_string(c.m) + "+" + std::to_string(c.s));
    }
  }
}

TEST(PrizeClass, RuleChangeFallsBetween25And27September2016) {
  EXPECT_EQ(EncodeDate(2016, 9, 25), 42638.0);
  EXPECT_FALSE(IsCurrentOrder(EncodeDate(2016, 9, 25)));
  EXPECT_FALSE(IsCurrentOrder(EncodeDate(2016, 9, 23)));
  EXPECT_TRUE(IsCurrentOrder(EncodeDate(2016, 9, 27)));
}

TEST(HitSets, RowToSetsSetsTheDocumentedBits) {
  TSchein row;
  row.GZ = {1, 2, 3, 4, 50};
  row.SZ = {1, 12};
  const TSM sets = RowToSets(row);
  EXPECT_EQ(sets.GZ[0], 0b00011110);
  EXPECT_EQ(sets.GZ[6], 0b00000100);
  EXPECT_EQ(CountBits(sets.GZ.data(), 32), 5);
  EXPECT_EQ(CountBits(sets.SZ.data(), 32), 2);
  const TSM zero{};
  EXPECT_EQ(CountBits(zero.GZ.data(), 32), 0);
  std::uint8_t all[3] = {0xFF, 0x0F, 0x81};
  EXPECT_EQ(CountBits(all, 3), 14);
}

TEST(ClassTables, DefaultsAreSinglePrecisionValues) {
  EXPECT_EQ(DefaultQuotasOld[2], 310751.46875f);
  EXPECT_EQ(DefaultQuotasNew[13], 4.36f);
  EXPECT_EQ(ClassColors[1].r, 0xFE);
  EXPECT_EQ(ClassTextColors[5].r, 0xFF);  // class 5: white text on royal blue
  EXPECT_EQ(ClassTextColors[7].r, 0x00);
}

}  // namespace
}  // namespace kw
