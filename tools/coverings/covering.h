#pragma once
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Covering designs: rows of k points out of 0..v-1 such that every t-set lies in some row.
namespace coverings {

using Row = std::vector<int>;  // k distinct points, ascending once normalised
using Rows = std::vector<Row>;
using Rng = std::mt19937_64;

// C(n, r); 0 outside 0 <= r <= n.
std::int64_t choose(int n, int r);

// Colex rank of the ascending r-subsets of 0..v-1, dense in 0..C(v,r)-1 (r at most 8).
class SetRanker {
 public:
  SetRanker(int v, int r);
  std::int64_t count() const { return count_; }
  int subsetSize() const { return r_; }
  std::int64_t rank(const int* a) const {  // `a` ascending
    std::int64_t x = 0;
    for (int i = 0; i < r_; ++i) x += binom_[static_cast<std::size_t>(a[i])][static_cast<std::size_t>(i + 1)];
    return x;
  }
  std::int64_t rankUnsorted(const int* a) const;
  void unrank(std::int64_t x, int* a) const;  // `a` receives the points ascending

 private:
  int r_;
  std::int64_t count_;
  std::vector<std::vector<std::int64_t>> binom_;  // binom_[n][j] = C(n, j), j <= r
};

// Rows one per line, points 1..v separated by blanks: the format of found/ and of search states.
std::string rowsText(const Rows& rows);

// The t-sets no row covers: a list plus each set's place in it, so that a set joins or leaves
// in constant time and a random one can be drawn.
class UncoveredSets {
 public:
  explicit UncoveredSets(std::size_t count) : place_(count, -1) {}
  void add(std::int64_t i) {
    place_[static_cast<std::size_t>(i)] = static_cast<int>(list_.size());
    list_.push_back(static_cast<int>(i));
  }
  void remove(std::int64_t i) {
    const int p = place_[static_cast<std::size_t>(i)];
    const int last = list_.back();
    list_[static_cast<std::size_t>(p)] = last;
    place_[static_cast<std::size_t>(last)] = p;
    list_.pop_back();
    place_[static_cast<std::size_t>(i)] = -1;
  }
  std::size_t size() const { return list_.size(); }
  int operator[](std::size_t n) const { return list_[n]; }

 private:
  std::vector<int> list_;
  std::vector<int> place_;
};

// Number of t-subsets of 0..v-1 lying in no row.
long uncoveredCount(int v, int t, const Rows& rows);

// Rows ascending inside, sorted, duplicates replaced by fresh rows (a duplicate covers nothing
// new, so the covering property survives). Needs C(v,k) >= rows.size().
void normalise(int v, int k, Rows& rows, Rng& rng);

// Adds rows (each holding one uncovered t-set) until every t-set is covered.
void completeCovering(int v, int k, int t, Rows& rows, Rng& rng);

// Simulated annealing on exactly b rows: cost = uncovered t-sets. A move takes an uncovered
// t-set T and a row meeting T in t-1 points and swaps the missing point in. Starts from
// `start` (completed with random rows to b). Returns true with a covering in `out` when the cost
// reaches 0 within `moves` moves; otherwise `out` holds the best state seen. The first `frozen`
// rows of `start` never change (a known design that the search only extends).
bool anneal(int v, int k, int t, int b, const Rows& start, std::uint64_t moves, Rng& rng, Rows& out, int frozen = 0);

// The same on rows that are orbits of a cyclic group of order m: it turns each of `copies`
// blocks of m points (cm + x -> cm + (x+1 mod m)) and keeps the points m*copies.. fixed.
// `baseRows` base rows are each developed into m rows, plus `freeRows` rows of their own.
// A symmetric search space is far smaller, and many of the best known coverings are of this kind.
bool annealOrbits(int m, int copies, int fixedPoints, int k, int t, int baseRows, int freeRows, std::uint64_t moves,
                  Rng& rng, Rows& out);

}  // namespace coverings
