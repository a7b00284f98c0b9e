#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "covering.h"

// Coverings made of whole orbits of a prescribed permutation group, chosen exactly by a MIP
// solver (cbc, looked up on PATH): one 0/1 variable per orbit of k-sets, one constraint per
// orbit of t-sets. Only long searches use this; regeneration reads what they stored.
namespace orbits {

using Perm = std::vector<int>;  // image of each point 0..v-1

struct Group {
  std::string name;
  std::vector<Perm> gens;
};

// Every element of the group the generators span; empty when it has more than `cap` elements.
std::vector<Perm> closure(int v, const std::vector<Perm>& gens, std::size_t cap);

// Candidate groups on v points: cyclic and affine groups on blocks of points with a few fixed
// points, products of two cyclic groups, and small subgroups of PGL(2,q) on the projective line.
std::vector<Group> candidateGroups(int v, coverings::Rng& rng);

// The smallest covering that is a union of orbits of `group` (all elements), as far as the
// solver gets within `seconds`; empty when it found none. `work` receives the model files.
coverings::Rows solve(int v, int k, int t, const std::vector<Perm>& group, double seconds,
                      const std::filesystem::path& work);

}  // namespace orbits
