#include "generation/binomial.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(Binomial, KnownValues) {
  struct Case {
    int n, k;
    std::int64_t expected;
  };
  const Case cases[] = {{50, 5, 2118760}, {49, 6, 13983816}, {12, 2, 66},  {35, 3, 6545}, {7, 0, 1},
                        {7, 7, 1},        {7, 6, 7},         {19, 3, 969}, {13, 4, 715},  {0, 0, 1},
                        {62, 31, 465428353255261088},        {66, 33, 7219428434016265740}};
  for (const auto& c : cases) EXPECT_EQ(binomial(c.n, c.k), c.expected) << c.n << " über " << c.k;
}

TEST(Binomial, MatchesPascalsTriangleAndRefusesBeyond64Bits) {
  // Pascal's triangle in 128 bits is the reference: every value is exact or refused.
  __extension__ typedef unsigned __int128 u128;
  std::vector<u128> row{1};
  for (int n = 0; n <= 130; ++n) {
    for (int k = 0; k <= n; ++k) {
      const auto got = binomial(n, k);
      if (row[static_cast<std::size_t>(k)] > static_cast<u128>(INT64_MAX)) {
        EXPECT_FALSE(got.has_value()) << n << " über " << k;
      } else {
        ASSERT_TRUE(got.has_value()) << n << " über " << k;
        EXPECT_EQ(static_cast<u128>(*got), row[static_cast<std::size_t>(k)]) << n << " über " << k;
      }
    }
    std::vector<u128> next(row.size() + 1, 1);
    for (std::size_t i = 1; i < row.size(); ++i) next[i] = row[i - 1] + row[i];
    row = next;
  }
  EXPECT_FALSE(binomial(1000000, 500000).has_value());
  EXPECT_FALSE(binomial(5, 6).has_value());
  EXPECT_FALSE(binomial(5, -1).has_value());
}

TEST(Binomial, WindowTextsGiveTheResultOrTheFirstRefusal) {
  struct Case {
    const char* n;
    const char* k;
    std::int64_t expected;  // -1: refused with message
    const char* message;
  };
  const Case cases[] = {
      {"50", "5", 2118760, nullptr},
      {"49", "6", 13983816, nullptr},
      {"7", "", 1, nullptr},       // an empty k counts 0
      {"7", "abc", 1, nullptr},    // and so does one that is no number
      {"7", " 6 ", 7, nullptr},    // blanks around a number are no harm
      {"7", "7", 1, nullptr},      // n = k is allowed
      {"", "5", -1, kNOverKNotPositiveMessage},
      {"0", "0", -1, kNOverKNotPositiveMessage},
      {"5", "6", -1, kNOverKSmallerMessage},
      {"5", "-1", -1, kNOverKNegativeMessage},
      {"3000000000", "2", -1, kNOverKOutOfRangeMessage},
      {"99999999999999999999999", "2", -1, kNOverKOutOfRangeMessage},
      {"5", "99999999999999999999999", -1, kNOverKSmallerMessage},
      {"1000", "500", -1, kNOverKTooLargeMessage},
  };
  for (const Case& c : cases) {
    const auto result = NOverKOfTexts(c.n, c.k);
    if (c.expected >= 0) {
      ASSERT_TRUE(result.ok()) << c.n << " über " << c.k << ": " << result.error().message;
      EXPECT_EQ(*result, c.expected) << c.n << " über " << c.k;
    } else {
      ASSERT_FALSE(result.ok()) << c.n << " über " << c.k;
      EXPECT_EQ(result.error().message, c.message) << c.n << " über " << c.k;
      EXPECT_EQ(result.error().kind, ErrorKind::Refused);
    }
  }
}

}  // namespace
}  // namespace kw
