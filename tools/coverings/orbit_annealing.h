#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "covering.h"
#include "orbits.h"

// Simulated annealing over the base rows of a group's orbits: every row is the image of one of
// `baseRows` base rows under an element of the group, plus `freeRows` rows of their own. One move
// swaps a point of a base row and so changes its whole orbit; the cost is the number of t-sets
// no row covers. A prescribed group shrinks the search space so much that counts plain annealing
// cannot reach come within a minute, if the group fits the count (see README.md).
namespace orbits {

struct AnnealPlan {
  int v = 0, k = 0, t = 0;
  std::vector<Perm> group;  // every element, the identity first (closure() gives them so)
  int baseRows = 0, freeRows = 0;
  std::uint64_t movesPerRound = 0;
  int rounds = 1;
  // Start and end temperature of each round, per row a move changes.
  double hot = 0.6, cold = 0.05;
  coverings::Rows start;  // optional first base and free rows (points 0..v-1)
  // Rows kept as given after the free rows: a layout counting forces (rows the group maps to
  // themselves, say) need not be found again by chance.
  coverings::Rows fixed;
  // Pairs only (t = 2): after each round, try exchanging up to this many rows of the state
  // exactly (exchange.h); 0: no exchange.
  int exchangeRows = 0;
  // Pairs only: after each round, try exchanging up to this many base rows, whole orbits at a
  // time (orbit_exchange.h); 0: no such exchange.
  int exchangeBase = 0;
};

struct AnnealResult {
  coverings::Rows rows;  // the distinct rows of a covering; empty when none was reached
  coverings::Rows best;   // every row of the best state, as a start for a search without the group
  std::size_t bestUncovered = 0;
  int rounds = 0;  // rounds run
};

// Deterministic for a given plan and seed; stops at the first covering.
AnnealResult annealOrbitRows(const AnnealPlan& plan, std::uint64_t seed, bool reportRounds);

// The cyclic group turning each of `copies` blocks of m points (cm + x -> cm + (x+1 mod m)),
// the points m*copies..v-1 fixed.
std::vector<Perm> cyclicOnBlocks(int v, int m, int copies);

}  // namespace orbits
