#pragma once
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

}  // namespace orbits
