// The random source: the exact sequence of the linear congruential generator and its reseed.
#include "generation/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RandomSource, StepsAndScalesFromTheHighBits) {
  kw::RandomSource random(0);
  std::vector<int> drawn;
  for (int i = 0; i < 6; ++i) drawn.push_back(random.random(50));
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 43, 10, 13, 33}));
  EXPECT_EQ(random.seed(), 2884733762u);

  random.setSeed(0);
  std::vector<std::uint32_t> seeds;
  for (int i = 0; i < 3; ++i) {
    random.random(10);
    seeds.push_back(random.seed());
  }
  EXPECT_EQ(seeds, (std::vector<std::uint32_t>{1u, 134775814u, 3698175007u}));
}

TEST(RandomSource, StaysInRange) {
  kw::RandomSource random(0xFFFFFFFFu);
  for (int n : {1, 2, 12, 66, 99, 2147483647}) {
    for (int i = 0; i < 1000; ++i) {
      const int v = random.random(n);
      ASSERT_GE(v, 0);
      ASSERT_LT(v, n);
    }
  }
  const std::uint32_t before = random.seed();
  EXPECT_EQ(random.random(0), 0);
  EXPECT_EQ(random.seed(), before);
}

TEST(RandomSource, ReseedMixesBothHalvesOfTheCounterWithOneDraw) {
  kw::RandomSource random(5, [] { return std::uint64_t{0x0000000100000002}; });
  random.reseed();
  // random(2147483647) from seed 5 is 336939532; 2 ^ 1 ^ that.
  EXPECT_EQ(random.seed(), 336939535u);

  kw::RandomSource fixed(5);
  fixed.reseed();
  EXPECT_EQ(fixed.seed(), 5u) << "a source without a counter replays its sequence";

  kw::RandomSource clock;
  EXPECT_EQ(clock.seed(), 0u);
  clock.reseed();
  EXPECT_NE(clock.seed(), 0u) << "the clock's count is mixed in";
}

}  // namespace
