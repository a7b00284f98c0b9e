#pragma once
#include <optional>

#include "covering.h"

// Exact exchange on a near-covering of pairs: take out up to `maxOut` rows at a time and look for
// as many new rows that cover every pair then open, by a bounded exhaustive search. Annealing
// stalls a few pairs short where the last pairs need several rows to change at once; this tries
// all such changes of two, three, ... rows.
namespace coverings {

// rows: k-sets of 0..v-1 (t = 2, v <= 64). Returns a covering with as many rows, or nothing.
std::optional<Rows> exchangeRows(int v, int k, const Rows& rows, int maxOut);

}  // namespace coverings
