#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "covering.h"
#include "orbits.h"

// Exact exchange of whole orbits on a near-covering of pairs made of the orbits of base rows
// under a group, plus rows of their own: take out up to `maxOut` base rows at a time and look
// for as many new base rows whose orbits cover every pair then open. A pair class (an orbit of
// the group on pairs) is covered by an orbit as a whole, so the search works on classes and is
// far smaller than exchanging the same rows one by one.
namespace orbits {

// Points 0..v-1, t = 2, v <= 64. Returns the new base rows (as many as given), or nothing.
std::optional<coverings::Rows> exchangeBaseRows(int v, int k, const std::vector<Perm>& group,
                                                const coverings::Rows& baseRows, const coverings::Rows& otherRows,
                                                int maxOut);

// Large neighbourhood search on the same classes for a state a few classes short: take out
// `remove` random base rows and put in the first other choice (random search order) that leaves
// no more classes open than before (now and then one more where none does), until no class is
// open or time runs out. Moving sideways over the states of equal count is what the plain
// exchange cannot do.
struct OrbitLnsPlan {
  int v = 0, k = 0;
  std::vector<Perm> group;
  coverings::Rows base, other;
  int remove = 6;
  double uphill = 0;  // chance of allowing one class more than now: a way out of a strict local best
  double seconds = 60;
  std::uint64_t nodeLimit = 2000000;  // per exchange: a choice of rows that runs longer is given up
};

struct OrbitLnsResult {
  coverings::Rows base;  // the best state's base rows
  int open = 0;          // pair classes it leaves open
  coverings::Rows rows;  // every distinct row of that state (images of the base rows and the others)
};

OrbitLnsResult orbitLns(const OrbitLnsPlan& plan, std::uint64_t seed, bool report);

}  // namespace orbits
