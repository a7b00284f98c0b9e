#include "analysis/full_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/tip_text.h"

namespace kw {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::string Range(int from, int to) {
  std::string out;
  for (int n = from; n <= to; ++n) out += (out.empty() ? "" : ",") + std::to_string(n);
  return out;
}

FullSystemPlan Plan(std::string_view tips, std::string_view stars) {
  auto plan = PlanFullSystem(tips, stars);
  EXPECT_TRUE(plan) << plan.error().message;
  return plan ? *plan : FullSystemPlan{};
}

TEST(FullSystem, SixNumbersAndThreeStarsGiveEighteenRowsInOrder) {
  const FullSystemPlan plan = Plan("1,2,3,4,5,6", "1,2,3");
  EXPECT_EQ(plan.fiveRows, 6);
  EXPECT_EQ(plan.starParts, 3);
  EXPECT_EQ(plan.total, 18);
  EXPECT_EQ(plan.info, "");
  const auto rows = BuildFullSystem(plan);
  ASSERT_TRUE(rows) << rows.error().message;
  EXPECT_EQ(rows->count, 18);
  const auto lines = Lines(rows->text);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{"1,2,3,4,5,1,2", "1,2,3,4,5,1,3", "1,2,3,4,5,2,3", "1,2,3,4,6,1,2"}));
  EXPECT_EQ(lines.back(), "2,3,4,5,6,2,3");
  EXPECT_NE(rows->text.back(), '\n');
}

TEST(FullSystem, FiveNumberRowsFollowTheNestedIndexOrder) {
  // Reference: five nested loops over the pool, first index outermost.
  const std::vector<int> pool = {2, 9, 10, 17, 23, 31, 44, 50};
  std::vector<std::string> expected;
  const int n = static_cast<int>(pool.size());
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      for (int c = b + 1; c < n; ++c)
        for (int d = c + 1; d < n; ++d)
          for (int e = d + 1; e < n; ++e) {
            std::string row;
            for (int i : {a, b, c, d, e})
              row += (row.empty() ? "" : ",") + std::to_string(pool[static_cast<std::size_t>(i)]);
            expected.push_back(row);
          }
  EXPECT_EQ(FiveNumberRows(pool), expected);

  EXPECT_EQ(FiveNumberRows({1, 2, 3, 4, 5, 6, 7}),
            (std::vector<std::string>{"1,2,3,4,5", "1,2,3,4,6", "1,2,3,4,7", "1,2,3,5,6", "1,2,3,5,7", "1,2,3,6,7",
                                      "1,2,4,5,6", "1,2,4,5,7", "1,2,4,6,7", "1,2,5,6,7", "1,3,4,5,6", "1,3,4,5,7",
                                      "1,3,4,6,7", "1,3,5,6,7", "1,4,5,6,7", "2,3,4,5,6", "2,3,4,5,7", "2,3,4,6,7",
                                      "2,3,5,6,7", "2,4,5,6,7", "3,4,5,6,7"}));
  EXPECT_EQ(FiveNumberRows({46, 47, 48, 49, 50}), std::vector<std::string>{"46,47,48,49,50"});
  EXPECT_TRUE(FiveNumberRows({1, 2, 3, 4}).empty());
}

TEST(FullSystem, StarParts) {
  struct Case {
    std::vector<int> stars;
    bool given;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {{}, false, {}},                                   // no star text: the rows carry no stars
      {{}, true, {""}},                                  // only invalid stars: one empty part
      {{7}, true, {",7"}},                               // one star per row
      {{1, 12}, true, {",1,12"}},                        //
      {{1, 2, 3}, true, {",1,2", ",1,3", ",2,3"}},       //
      {{3, 10, 11, 12}, true, {",3,10", ",3,11", ",3,12", ",10,11", ",10,12", ",11,12"}},
  };
  for (const auto& c : cases) EXPECT_EQ(StarParts(c.stars, c.given), c.parts) << c.stars.size();

  const auto all = StarParts({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, true);
  ASSERT_EQ(all.size(), 66u);
  EXPECT_EQ(all[0], ",1,2");
  EXPECT_EQ(all[10], ",1,12");
  EXPECT_EQ(all[11], ",2,3");
  EXPECT_EQ(all.back(), ",11,12");
}

TEST(FullSystem, CountsAndInfoLine) {
  struct Case {
    const char* tips;
    const char* stars;
    std::vector<int> tipNumbers;
    std::vector<int> starNumbers;
    std::int64_t fives, parts, total;
    const char* info;
  };
  const std::string all50 = Range(1, 50), all12 = Range(1, 12);
  const Case cases[] = {
      {"1,1,2,3,4,5,60", "", {1, 2, 3, 4, 5}, {}, 1, 0, 1, "2 doppelte bzw. ungültige Tippzahlen wurden ignoriert"},
      {"1,2,3,4,5,0", "3", {1, 2, 3, 4, 5}, {3}, 1, 1, 1, "1 doppelte bzw. ungültige Tippzahl wurde ignoriert"},
      {"1, 2 ,3\n4,5", "1\r\n2", {1, 2, 3, 4, 5}, {1, 2}, 1, 1, 1, ""},
      {"1,2,3,4,5", "13,0", {1, 2, 3, 4, 5}, {}, 1, 1, 1, "2 doppelte bzw. ungültige Sternzahlen wurden ignoriert."},
      {"1,2,3,4,5", "5,5", {1, 2, 3, 4, 5}, {5}, 1, 1, 1, "1 doppelte bzw. ungültige Sternzahl wurde ignoriert."},
      {"5,4,3,2,1,5", "12,1,2,2,14", {1, 2, 3, 4, 5}, {1, 2, 12}, 1, 3, 3,
       "1 doppelte bzw. ungültige Tippzahl wurde ignoriert, 2 bei den Sternzahlen."},
      {"50,10,20,30,40,45,-3", "9\n\n10\r11", {10, 20, 30, 40, 45, 50}, {9, 10, 11}, 6, 3, 18,
       "1 doppelte bzw. ungültige Tippzahl wurde ignoriert"},
      {"1,2,3,4,5,99999999999999999999", "", {1, 2, 3, 4, 5}, {}, 1, 0, 1,
       "1 doppelte bzw. ungültige Tippzahl wurde ignoriert"},
      {all50.c_str(), all12.c_str(), {}, {}, 2118760, 66, 139838160, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.tips) + " / " + c.stars);
    const FullSystemPlan plan = Plan(c.tips, c.stars);
    if (!c.tipNumbers.empty()) {
      EXPECT_EQ(plan.tips, c.tipNumbers);
      EXPECT_EQ(plan.stars, c.starNumbers);
    }
    EXPECT_EQ(plan.fiveRows, c.fives);
    EXPECT_EQ(plan.starParts, c.parts);
    EXPECT_EQ(plan.total, c.total);
    EXPECT_EQ(plan.info, c.info);
    EXPECT_EQ(plan.starsGiven, *c.stars != '\0');
  }
}

TEST(FullSystem, CleaningBlanksCommasAndLineBreaks) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"1, 2 ,3\n4,5", "1,2,3,4,5"},
      {"1     ,    2", "1,2"},
      {"  1,2", " 1,2"},
      {"1\r\n2\r3\n4", "1,2,3,4"},
      {"1,,2", "1,2"},
      {"1,,,2", "1,,2"},  // one pass: one empty item stays
      {"1 2", "1 2"},
      {"7,", "7,"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanNumberText(c.in), c.out) << c.in;
  EXPECT_EQ(Plan("1, 2 ,3\n4,5", "").tipText, "1,2,3,4,5");
  EXPECT_EQ(Plan("1,2,3,4,5", "1 ,\n2").starText, "1,2");
}

TEST(FullSystem, RefusedTexts) {
  struct Case {
    const char* tips;
    const char* stars;
    std::vector<std::string> messageParts;
  };
  const std::string tooFew = kTooFewTipNumbersMessage;
  const Case cases[] = {
      {"", "1,2", {kEmptyTipNumbersMessage}},
      {"1,2,3,4", "", {tooFew}},         // four numbers
      {"1,2,3,4,4", "", {tooFew}},       // five items, four numbers
      {"1,2,3,4,51,0", "", {tooFew}},    // the rest out of range
      {"1,2,x", "", {tooFew}},           // too few commas comes first
      {"  ", "", {tooFew}},              //
      {"1,2,3,4,5,", "", {"Tippzahlen", "leerer Eintrag", "Ich breche erst einmal ab."}},
      {",1,2,3,4,5", "", {"Tippzahlen", "leerer Eintrag"}},
      {"1,2,3,4,5\n\n\n6", "", {"Tippzahlen", "leerer Eintrag"}},
      {"1,2,3,4,5 6,7", "", {"Tippzahlen", "\"5 6\" keine ganze Zahl"}},
      {"1,2,3,4,5;6", "", {"\"5;6\" keine ganze Zahl"}},
      {"1,2,3,4,5", "1,x", {"Sternzahlen", "\"x\" keine ganze Zahl"}},
      {"1,2,3,4,5", "1,,,2", {"Sternzahlen", "leerer Eintrag"}},
      {"1,2,3,4,5", " ", {"Sternzahlen", "leerer Eintrag"}},
  };
  for (const auto& c : cases) {
    const auto plan = PlanFullSystem(c.tips, c.stars);
    ASSERT_FALSE(plan) << c.tips << " / " << c.stars;
    for (const auto& part : c.messageParts)
      EXPECT_NE(plan.error().message.find(part), std::string::npos)
          << c.tips << " / " << c.stars << ": " << plan.error().message;
  }
}

TEST(FullSystem, BuildingStopsAboveOneHundredThousandRows) {
  struct Case {
    int tips;
    int stars;  // 0: no star text
    std::int64_t total;
    const char* refusedCount;  // null: built
  };
  const Case cases[] = {
      {28, 0, 98280, nullptr},     // the largest system without stars that is still built
      {29, 0, 118755, "118.755"},  //
      {14, 10, 90090, nullptr},    // 2002 x 45
      {14, 11, 110110, "110.110"}, // 2002 x 55
      {50, 12, 139838160, "139.838.160"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.tips) + " / " + std::to_string(c.stars));
    const FullSystemPlan plan = Plan(Range(1, c.tips), c.stars ? Range(1, c.stars) : "");
    EXPECT_EQ(plan.total, c.total);
    const auto rows = BuildFullSystem(plan);
    ASSERT_EQ(rows.ok(), c.refusedCount == nullptr);
    if (rows) {
      EXPECT_EQ(rows->count, c.total);
      EXPECT_EQ(static_cast<std::int64_t>(Lines(rows->text).size()), c.total);
    } else {
      const std::string& m = rows.error().message;
      EXPECT_NE(m.find(std::string(" ") + c.refusedCount + " Tippreihen"), std::string::npos) << m;
      EXPECT_NE(m.find("weniger Tippzahlen oder weniger Sternzahlen"), std::string::npos) << m;
    }
  }
}

TEST(FullSystem, RowsAreTipRowTextAndProgressRunsOverTheFiveNumberRows) {
  const FullSystemPlan plan = Plan("3,7,19,22,41,48,50", "2,9,12");
  std::vector<std::int64_t> seen;
  const auto rows = BuildFullSystem(plan, [&](std::int64_t i) { seen.push_back(i); });
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->count, 63);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 20);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));

  // The tip entry window must take every row as it stands.
  std::vector<std::string> lines = SplitTipLines(rows->text);
  const TipParse parsed = ParseTipText(lines, true, [](const std::string&) { return BlanksDecision::Cancel; });
  ASSERT_EQ(parsed.status, TipParse::Status::Ok) << parsed.message;
  ASSERT_EQ(parsed.rows.size(), 63u);
  EXPECT_EQ(parsed.rows.front(), (TipRow{3, 7, 19, 22, 41, 2, 9}));
  EXPECT_EQ(parsed.rows.back(), (TipRow{19, 22, 41, 48, 50, 9, 12}));
}

TEST(FullSystem, OneStarOrNoStarsAndTheHeading) {
  const auto one = BuildFullSystem(Plan("1,2,3,4,5,6", "7"));
  ASSERT_TRUE(one);
  EXPECT_EQ(one->text, "1,2,3,4,5,7\n1,2,3,4,6,7\n1,2,3,5,6,7\n1,2,4,5,6,7\n1,3,4,5,6,7\n2,3,4,5,6,7");
  const auto none = BuildFullSystem(Plan("9,8,7,6,5", ""));
  ASSERT_TRUE(none);
  EXPECT_EQ(none->text, "5,6,7,8,9");
  EXPECT_EQ(none->count, 1);
  const auto invalidStars = BuildFullSystem(Plan("9,8,7,6,5", "13"));
  ASSERT_TRUE(invalidStars);
  EXPECT_EQ(invalidStars->text, "5,6,7,8,9");

  EXPECT_EQ(BuiltHeading(1), "Eine Tippreihe wurde gebildet.");
  EXPECT_EQ(BuiltHeading(2), "2 Tippreihen wurden gebildet.");
  EXPECT_EQ(BuiltHeading(100000), "100000 Tippreihen wurden gebildet.");
}

}  // namespace
}  // namespace kw
