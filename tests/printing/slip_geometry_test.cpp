#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>

#include "core/slip_file.h"
#include "printing/slip_geometry.h"

namespace kwtest {
namespace {

using kw::SlipPoint;

TEST(SlipGeometryTest, BoxesOfNumbersStarsAndOptions) {
  struct Case {
    const char* what;
    std::optional<SlipPoint> got;
    std::optional<SlipPoint> want;
  };
  const Case cases[] = {
      {"number 1 panel 1", kw::MainNumberPosition(1, 1), SlipPoint{105, 320}},
      {"number 5 panel 1, top right", kw::MainNumberPosition(1, 5), SlipPoint{257, 320}},
      {"number 6 panel 1, second line", kw::MainNumberPosition(1, 6), SlipPoint{105, 358}},
      {"number 23 panel 2", kw::MainNumberPosition(2, 23), SlipPoint{418, 472}},
      {"number 50 panel 6, bottom right", kw::MainNumberPosition(6, 50), SlipPoint{1442, 662}},
      {"number 1 panel 4", kw::MainNumberPosition(4, 1), SlipPoint{818, 320}},
      {"number 1 panel 5", kw::MainNumberPosition(5, 1), SlipPoint{1054, 320}},
      {"star 1 panel 1", kw::StarPosition(1, 1), SlipPoint{143, 775}},
      {"star 8 panel 1", kw::StarPosition(1, 8), SlipPoint{105, 890}},
      {"star 12 panel 6: fixed step, not the panel spacing", kw::StarPosition(6, 12), SlipPoint{1402, 928}},
      {"star 5 panel 3", kw::StarPosition(3, 5), SlipPoint{732, 813}},
      {"joker 1,50", kw::JokerPosition(0), SlipPoint{341, 1085}},
      {"joker 6,00", kw::JokerPosition(3), SlipPoint{575, 1085}},
      {"1 draw", kw::DrawCountPosition(0), SlipPoint{1248, 1045}},
      {"10 draws", kw::DrawCountPosition(5), SlipPoint{1408, 1083}},
      {"number 0", kw::MainNumberPosition(1, 0), std::nullopt},
      {"number 51", kw::MainNumberPosition(1, 51), std::nullopt},
      {"star 13", kw::StarPosition(1, 13), std::nullopt},
      {"star 0", kw::StarPosition(2, 0), std::nullopt},
      {"panel 7", kw::MainNumberPosition(7, 1), std::nullopt},
      {"panel 0", kw::StarPosition(0, 1), std::nullopt},
      {"joker -1", kw::JokerPosition(-1), std::nullopt},
      {"joker 4", kw::JokerPosition(4), std::nullopt},
      {"draws 6", kw::DrawCountPosition(6), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.got.has_value(), c.want.has_value());
    if (c.got && c.want) {
      EXPECT_EQ(c.got->x, c.want->x);
      EXPECT_EQ(c.got->y, c.want->y);
    }
  }
}

TEST(SlipGeometryTest, EveryMainNumberBoxOfASlipIsItsOwn) {
  std::set<std::pair<int, int>> seen;
  for (const SlipPoint& p : kw::MainNumberBoxes()) EXPECT_TRUE(seen.insert({p.x, p.y}).second) << p.x << "," << p.y;
  for (int panel = 1; panel <= 6; ++panel)
    for (int star = 1; star <= 12; ++star) {
      const SlipPoint p = *kw::StarPosition(panel, star);
      EXPECT_TRUE(seen.insert({p.x, p.y}).second) << "star " << star << " of panel " << panel;
    }
}

TEST(SlipGeometryTest, RowsGoSixToASlipTheLastSlipTakingTheRest) {
  struct Case {
    int first, last;
    std::vector<kw::SlipRows> slips;
  };
  const Case cases[] = {
      {1, 13, {{1, 6}, {7, 12}, {13, 13}}},
      {5, 5, {{5, 5}}},
      {1, 6, {{1, 6}}},
      {1, 7, {{1, 6}, {7, 7}}},
      {3, 14, {{3, 8}, {9, 14}}},
      {4, 3, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
    EXPECT_EQ(kw::PlanSlips(c.first, c.last), c.slips);
    EXPECT_EQ(kw::SlipCount(c.first, c.last), static_cast<int>(c.slips.size()));
  }
}

kw::SlipRowValues Row(std::initializer_list<int> values) {
  kw::SlipRowValues row{};
  std::size_t i = 0;
  for (int v : values) row[i++] = v;
  return row;
}

TEST(SlipGeometryTest, ASlipMarksItsRowsPanelByPanelThenJokerDrawsAndNumber) {
  struct Case {
    const char* what;
    std::vector<kw::SlipRowValues> rows;
    std::optional<int> joker, drawCount;
    const char* number;
    std::vector<kw::SlipMark> marks;
  };
  const auto x = [](std::optional<SlipPoint> p) { return kw::SlipMark{*p, "x"}; };
  const Case cases[] = {
      {"last slip of 13 rows: panel 1 only, Joker, draws, 3/3",
       {Row({2, 7, 12, 22, 38, 4, 7})},
       1, 2, "3/3",
       {x(kw::MainNumberPosition(1, 2)), x(kw::MainNumberPosition(1, 7)), x(kw::MainNumberPosition(1, 12)),
        x(kw::MainNumberPosition(1, 22)), x(kw::MainNumberPosition(1, 38)), x(kw::StarPosition(1, 4)),
        x(kw::StarPosition(1, 7)), x(kw::JokerPosition(1)), x(kw::DrawCountPosition(2)),
        {kw::kSlipNumberPosition, "3/3"}}},
      {"an empty row keeps its panel; no Joker, no number",
       {kw::SlipRowValues{}, Row({50, 1, 2, 3, 4, 12, 11})},
       std::nullopt, 0, "",
       {x(kw::MainNumberPosition(2, 50)), x(kw::MainNumberPosition(2, 1)), x(kw::MainNumberPosition(2, 2)),
        x(kw::MainNumberPosition(2, 3)), x(kw::MainNumberPosition(2, 4)), x(kw::StarPosition(2, 12)),
        x(kw::StarPosition(2, 11)), x(kw::DrawCountPosition(0))}},
      {"values without a box and empty cells print nothing",
       {Row({0, 51, 23, -4, 1, 13, 12})},
       std::nullopt, std::nullopt, "",
       {x(kw::MainNumberPosition(1, 23)), x(kw::MainNumberPosition(1, 1)), x(kw::StarPosition(1, 12))}},
      {"a row whose first number is empty prints nothing at all",
       {kw::SlipRowValues{std::nullopt, 5, 6, 7, 8, 1, 2}},
       std::nullopt, 1, "",
       {x(kw::DrawCountPosition(1))}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(kw::SlipMarks(c.rows, {c.joker, c.drawCount, c.number}), c.marks);
  }
}

TEST(SlipGeometryTest, RowsOfTheTableAreReadAsNumbersOrStopAtTheFirstThatIsNone) {
  kw::TextTable table;
  kw::SetUpTipTable(table);
  const char* rows[][7] = {{"1", "2", "3", "4", "5", "6", "7"},
                           {"", "", "", "", "", "", ""},
                           {"10", "20", "30", "40", "", "3", ""},
                           {"11", "12", "1x", "14", "15", "1", "2"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 7; ++c) table.setCell(c + 1, r + 1, rows[r][c]);

  const auto good = kw::SlipRowsOfTable(table, 1, 3);
  ASSERT_TRUE(good.ok());
  ASSERT_EQ(good->size(), 3u);
  EXPECT_EQ((*good)[0], Row({1, 2, 3, 4, 5, 6, 7}));
  EXPECT_FALSE((*good)[1][0].has_value());
  EXPECT_EQ((*good)[2][3], 40);
  EXPECT_FALSE((*good)[2][4].has_value());
  EXPECT_FALSE((*good)[2][6].has_value());

  const auto bad = kw::SlipRowsOfTable(table, 2, 4);
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error().message, "'1x' ist kein gültiger Integerwert");
}

TEST(SlipGeometryTest, CorrectionsMoveThePrintAndTheMarginIsMadeUpFor) {
  struct Case {
    kw::PrintCorrection correction;
    SlipPoint want;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {418, 472}},
      {{250, 0, 0, 0}, {668, 472}},
      {{-30, -40, 0, 0}, {388, 432}},
      {{0, 0, 42, 51}, {376, 421}},
      {{250, 10, 42, 51}, {626, 431}},
      {{std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), -5, 0},
       {std::numeric_limits<int>::max(), std::numeric_limits<int>::min() + 472}},
  };
  for (const Case& c : cases) {
    const SlipPoint got = kw::PagePosition({418, 472}, c.correction);
    EXPECT_EQ(got, c.want) << c.correction.horizontal << " " << c.correction.vertical << " " << c.correction.marginLeft;
  }
}

}  // namespace
}  // namespace kwtest
