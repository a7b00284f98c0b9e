#pragma once
// The random source of the generator and the tip centre: a 32-bit linear congruential generator
// (seed * 134775813 + 1), reseeded from the high-resolution clock at the start of every run.
#include <cstdint>
#include <functional>

namespace kw {

class RandomSource {
 public:
  // The 64-bit counter a reseed mixes in.
  using Counter = std::function<std::uint64_t()>;

  // Seed 0; every reseed reads the high-resolution clock.
  RandomSource();
  // A reproducible source: starts at seed and, without a counter, keeps its sequence when asked
  // to reseed, so that a run can be replayed.
  explicit RandomSource(std::uint32_t seed, Counter counter = {});

  std::uint32_t seed() const { return seed_; }
  void setSeed(std::uint32_t seed) { seed_ = seed; }

  // One step, then 0 .. n-1 from the high bits: floor(seed * n / 2^32). n < 1 gives 0 and
  // leaves the sequence alone.
  int random(int n);

  // x := random(2147483647); seed := low half ^ high half of the counter ^ x.
  void reseed();
  void reseedWith(std::uint64_t counter);

 private:
  std::uint32_t seed_ = 0;
  Counter counter_;
};

// The one source the windows share for the whole program run.
RandomSource& ProgramRandomSource();

}  // namespace kw
