#include "generation/random_source.h"

#include <chrono>

namespace kw {

namespace {
std::uint64_t HighResolutionCounter() {
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}
}  // namespace

RandomSource::RandomSource() : counter_(HighResolutionCounter) {}

RandomSource::RandomSource(std::uint32_t seed, Counter counter) : seed_(seed), counter_(std::move(counter)) {}

int RandomSource::random(int n) {
  if (n < 1) return 0;
  seed_ = seed_ * 134775813u + 1u;
  return static_cast<int>((std::uint64_t{seed_} * static_cast<std::uint64_t>(n)) >> 32);
}

void RandomSource::reseed() {
  if (counter_) reseedWith(counter_());
}

void RandomSource::reseedWith(std::uint64_t counter) {
  const auto x = static_cast<std::uint32_t>(random(2147483647));
  seed_ = static_cast<std::uint32_t>(counter) ^ static_cast<std::uint32_t>(counter >> 32) ^ x;
}

RandomSource& ProgramRandomSource() {
  static RandomSource source;
  return source;
}

}  // namespace kw
