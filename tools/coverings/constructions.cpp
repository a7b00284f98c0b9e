#include "constructions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <numeric>
#include <set>

namespace constructions {
namespace {

using coverings::Row;
using coverings::Rows;

// Rows developed from base rows over Z_m (points 0..m-1); `short` base rows whose orbit
// has length `orbitLength` are developed that many times only.
Rows develop(int m, const Rows& baseRows, const Rows& shortRows = {}, int orbitLength = 0) {
  Rows rows;
  for (const Row& b : baseRows)
    for (int s = 0; s < m; ++s) {
      Row r;
      for (int x : b) r.push_back((x + s) % m);
      rows.push_back(r);
    }
  for (const Row& b : shortRows)
    for (int s = 0; s < orbitLength; ++s) {
      Row r;
      for (int x : b) r.push_back((x + s) % m);
      rows.push_back(r);
    }
  for (Row& r : rows) std::sort(r.begin(), r.end());
  return rows;
}

// Pairs of 0..n-1 (n even) split into n-1 perfect matchings (the round-robin schedule).
std::vector<std::vector<std::pair<int, int>>> oneFactorisation(int n) {
  std::vector<std::vector<std::pair<int, int>>> factors;
  const int q = n - 1;
  for (int i = 0; i < q; ++i) {
    std::vector<std::pair<int, int>> f{{i, q}};
    for (int j = 1; j <= (n - 2) / 2; ++j) f.push_back({(i + j) % q, (i - j + q) % q});
    factors.push_back(f);
  }
  return factors;
}

// Steiner quadruple system on 2n points from one on n points: each half keeps the small
// system, and two pairs of the same matching, one from each half, form a row.
Rows doubleQuadrupleSystem(int n, const Rows& small) {
  Rows rows;
  for (const Row& b : small) {
    rows.push_back(b);
    Row c;
    for (int x : b) c.push_back(x + n);
    rows.push_back(c);
  }
  for (const auto& f : oneFactorisation(n))
    for (const auto& [a, b] : f)
      for (const auto& [c, d] : f) rows.push_back({a, b, c + n, d + n});
  for (Row& r : rows) std::sort(r.begin(), r.end());
  return rows;
}

Rows quadrupleSystem(int v) {
  if (v == 8) {
    // Planes of the affine space over GF(2)^3.
    Rows rows;
    for (int a = 0; a < 8; ++a)
      for (int b = a + 1; b < 8; ++b)
        for (int c = b + 1; c < 8; ++c) {
          const int d = a ^ b ^ c;
          if (d > c) rows.push_back({a, b, c, d});
        }
    return rows;
  }
  if (v == 10) {
    // 3 orbits of Z_10 found by annealing; fixed here so the construction needs no search.
    coverings::Rng rng(10);
    Rows rows;
    if (coverings::anneal(10, 4, 3, 30, {}, 2000000, rng, rows)) return rows;
    return {};
  }
  if (v == 16 || v == 20) {
    const Rows half = quadrupleSystem(v / 2);
    return half.empty() ? Rows{} : doubleQuadrupleSystem(v / 2, half);
  }
  return {};
}

// Drops the last point: rows through it get the smallest point they lack instead.
Rows deletePoint(int v, Rows rows) {
  for (Row& r : rows) {
    auto it = std::find(r.begin(), r.end(), v - 1);
    if (it == r.end()) continue;
    for (int p = 0; p < v - 1; ++p)
      if (std::find(r.begin(), r.end(), p) == r.end()) {
        *it = p;
        break;
      }
    std::sort(r.begin(), r.end());
  }
  return rows;
}

// Adds `extra` new points v..v+extra-1 (extra = 1 or 2) to a pair covering by 5-sets:
// rows holding all new points and 5 - extra old points each.
Rows addPoints(int v, Rows rows, int extra) {
  const int take = 5 - extra;
  for (int start = 0; start < v; start += take) {
    Row r;
    for (int e = 0; e < extra; ++e) r.push_back(v + e);
    for (int i = 0; i < take; ++i) r.push_back((start + i) % v);
    // The last row wraps around to old points already used: still fine, they differ.
    std::sort(r.begin(), r.end());
    r.erase(std::unique(r.begin(), r.end()), r.end());
    rows.push_back(r);
  }
  return rows;
}

Rows projectivePlane4() { return develop(21, {{0, 1, 4, 14, 16}}); }

Rows affinePlane5() {
  Rows rows;
  for (int m = 0; m < 5; ++m)
    for (int b = 0; b < 5; ++b) {
      Row r;
      for (int x = 0; x < 5; ++x) r.push_back(x * 5 + (m * x + b) % 5);
      std::sort(r.begin(), r.end());
      rows.push_back(r);
    }
  for (int x = 0; x < 5; ++x) {
    Row r;
    for (int y = 0; y < 5; ++y) r.push_back(x * 5 + y);
    rows.push_back(r);
  }
  return rows;
}

Rows design41() { return develop(41, {{0, 1, 4, 11, 29}, {0, 2, 8, 17, 22}}); }

// A design with 99 rows on 45 points over the group Z_3 x Z_15 (point 15a + b is (a, b)):
// two base blocks whose differences are every element outside the subgroup
// H = {(0, 0), (0, 3), ..., (0, 12)}, each once, plus the nine cosets of H.
Rows design45() {
  auto add = [](int x, int y) { return ((x / 15 + y / 15) % 3) * 15 + (x % 15 + y % 15) % 15; };
  auto neg = [](int x) { return ((3 - x / 15) % 3) * 15 + (15 - x % 15) % 15; };
  std::vector<int> used(45, 0);
  for (int b = 0; b < 15; b += 3) used[b] = 1;
  std::vector<Row> base(2);
  std::function<bool(int)> place = [&](int block) -> bool {
    if (block == 2) return true;
    Row& b = base[block];
    if (b.empty()) b.push_back(0);
    if (b.size() == 5) return place(block + 1);
    for (int x = b.back() + 1; x < 45; ++x) {
      std::vector<int> added;
      bool ok = true;
      for (int y : b) {
        const int d1 = add(x, neg(y)), d2 = add(y, neg(x));
        if (used[d1] || used[d2] || d1 == d2) {
          ok = false;
          break;
        }
        used[d1] = used[d2] = 1;
        added.push_back(d1);
        added.push_back(d2);
      }
      if (ok) {
        b.push_back(x);
        if (place(block)) return true;
        b.pop_back();
      }
      for (int d : added) used[d] = 0;
    }
    if (b.size() == 1) b.clear();
    return false;
  };
  if (!place(0)) return {};
  Rows rows;
  for (const Row& b : base)
    for (int g = 0; g < 45; ++g) {
      Row r;
      for (int x : b) r.push_back(add(x, g));
      std::sort(r.begin(), r.end());
      rows.push_back(r);
    }
  for (int a = 0; a < 3; ++a)
    for (int c = 0; c < 3; ++c) {
      Row r;
      for (int b = c; b < 15; b += 3) r.push_back(a * 15 + b);
      rows.push_back(r);
    }
  return rows;
}

// Smallest pair covering of n points by 5-sets that annealing finds, from the lower bound up.
Rows smallPairCovering(int n) {
  coverings::Rng rng(static_cast<std::uint64_t>(n));
  const int lower = (n * ((n - 1 + 3) / 4) + 4) / 5;
  for (int b = lower;; ++b) {
    Rows rows;
    if (coverings::anneal(n, 5, 2, b, {}, 200000, rng, rows)) return rows;
  }
}

// Transversal design TD(5, 7) (rows {(i, a + b i)}: five groups of seven points, every pair
// from different groups in exactly one row), each group widened by `extra` new points shared
// by all groups and covered by its own small covering.
Rows transversal7(int extra) {
  const int p = 7;
  Rows rows;
  for (int a = 0; a < p; ++a)
    for (int b = 0; b < p; ++b) {
      Row r;
      for (int i = 0; i < 5; ++i) r.push_back(i * p + (a + b * i) % p);
      rows.push_back(r);
    }
  const Rows group = smallPairCovering(p + extra);
  for (int i = 0; i < 5; ++i)
    for (const Row& g : group) {
      Row r;
      for (int x : g) r.push_back(x < p ? i * p + x : 5 * p + (x - p));
      std::sort(r.begin(), r.end());
      rows.push_back(r);
    }
  return rows;
}

// The Hermitian unital of order 3: the 28 points of x^4 + y^4 + z^4 = 0 in PG(2, 9) and the 63
// lines meeting it in four points, a design with every pair in exactly one row, resolved by
// search into nine parallel classes of seven disjoint rows. Empty if no resolution turns up.
std::vector<Rows> unitalClasses() {
  // GF(9) as a + b i with i^2 = -1; element a + 3 b.
  auto add = [](int x, int y) { return (x % 3 + y % 3) % 3 + 3 * ((x / 3 + y / 3) % 3); };
  auto mul = [](int x, int y) {
    const int a = x % 3, b = x / 3, c = y % 3, d = y / 3;
    return ((a * c - b * d) % 3 + 3) % 3 + 3 * ((a * d + b * c) % 3);
  };
  auto fourth = [&](int x) { return mul(mul(x, x), mul(x, x)); };
  std::vector<std::array<int, 3>> points;
  for (int x = 0; x < 9; ++x)
    for (int y = 0; y < 9; ++y)
      for (int z = 0; z < 9; ++z) {
        // One representative per projective point: the first non-zero coordinate is 1.
        const int first = x != 0 ? x : (y != 0 ? y : z);
        if (first != 1) continue;
        if (add(add(fourth(x), fourth(y)), fourth(z)) == 0) points.push_back({x, y, z});
      }
  std::set<Row> lines;
  for (int a = 0; a < 9; ++a)
    for (int b = 0; b < 9; ++b)
      for (int c = 0; c < 9; ++c) {
        if (a == 0 && b == 0 && c == 0) continue;
        Row on;
        for (int i = 0; i < static_cast<int>(points.size()); ++i) {
          const auto& p = points[static_cast<std::size_t>(i)];
          if (add(add(mul(a, p[0]), mul(b, p[1])), mul(c, p[2])) == 0) on.push_back(i);
        }
        if (on.size() == 4) lines.insert(on);
      }
  const Rows blocks(lines.begin(), lines.end());
  if (points.size() != 28 || blocks.size() != 63) return {};
  auto mask = [](const Row& r) {
    std::uint64_t m = 0;
    for (int x : r) m |= std::uint64_t{1} << x;
    return m;
  };
  // Every parallel class, as a set of block numbers.
  std::vector<std::uint64_t> classMasks;  // over the 63 blocks
  std::vector<int> chosen;
  std::function<void(std::uint64_t)> classes = [&](std::uint64_t covered) {
    if (chosen.size() == 7) {
      std::uint64_t m = 0;
      for (int j : chosen) m |= std::uint64_t{1} << j;
      classMasks.push_back(m);
      return;
    }
    const int p = std::countr_one(covered);
    for (int j = 0; j < 63; ++j) {
      const std::uint64_t bm = mask(blocks[static_cast<std::size_t>(j)]);
      if (!(bm >> p & 1) || (bm & covered)) continue;
      chosen.push_back(j);
      classes(covered | bm);
      chosen.pop_back();
    }
  };
  classes(0);
  std::vector<std::uint64_t> resolution;
  std::function<bool(std::uint64_t)> resolve = [&](std::uint64_t used) {
    if (resolution.size() == 9) return true;
    const int j = std::countr_one(used);
    for (std::uint64_t c : classMasks) {
      if (!(c >> j & 1) || (c & used)) continue;
      resolution.push_back(c);
      if (resolve(used | c)) return true;
      resolution.pop_back();
    }
    return false;
  };
  if (!resolve(0)) return {};
  std::vector<Rows> out;
  for (std::uint64_t c : resolution) {
    Rows cls;
    for (int j = 0; j < 63; ++j)
      if (c >> j & 1) cls.push_back(blocks[static_cast<std::size_t>(j)]);
    out.push_back(cls);
  }
  return out;
}

// 28 + extra points (extra <= 9): the rows of parallel class j of the unital gain the new point
// 28 + j, the classes left over keep four points and take the smallest point they lack, and a
// small covering joins the new points.
Rows unitalExtended(int extra) {
  const std::vector<Rows> classes = unitalClasses();
  if (classes.empty()) return {};
  Rows rows;
  for (int j = 0; j < 9; ++j)
    for (Row r : classes[static_cast<std::size_t>(j)]) {
      int pad = 28 + j;
      for (int p = 0; j >= extra && p < 28; ++p)
        if (std::find(r.begin(), r.end(), p) == r.end()) {
          pad = p;
          break;
        }
      r.push_back(pad);
      std::sort(r.begin(), r.end());
      rows.push_back(r);
    }
  for (const Row& g : smallPairCovering(extra)) {
    Row r;
    for (int x : g) r.push_back(28 + x);
    rows.push_back(r);
  }
  return rows;
}

}  // namespace

Rows build(int v, int k, int t) {
  if (k == 4 && t == 3 && (v == 16 || v == 20)) return quadrupleSystem(v);
  if (k == 5 && t == 2) {
    switch (v) {
      case 20:
        return deletePoint(21, projectivePlane4());
      case 21:
        return projectivePlane4();
      case 22:
        return addPoints(21, projectivePlane4(), 1);
      case 23:
        return addPoints(21, projectivePlane4(), 2);
      case 24:
        return deletePoint(25, affinePlane5());
      case 25:
        return affinePlane5();
      case 26:
        return addPoints(25, affinePlane5(), 1);
      case 40:
        return deletePoint(41, design41());
      case 41:
        return design41();
      case 42:
        return addPoints(41, design41(), 1);
      case 43:
        return addPoints(41, design41(), 2);
      case 44:
        return deletePoint(45, design45());
      case 45:
        return design45();
      case 46:
        return addPoints(45, design45(), 1);
      case 47:
        return addPoints(45, design45(), 2);
      case 48:
        return addPoints(45, design45(), 3);
      case 35:
        return transversal7(0);
      case 36:
        return unitalExtended(8);
      case 37:
        return unitalExtended(9);
      default:
        break;
    }
  }
  return {};
}

}  // namespace constructions
