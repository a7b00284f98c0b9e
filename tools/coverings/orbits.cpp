#include "orbits.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>
#include <set>
#include <unordered_map>

#include "cbc.h"

namespace orbits {
namespace {

using coverings::Row;
using coverings::Rows;

// Rank of the image of the set `a` under g.
std::int64_t imageRank(const coverings::SetRanker& ranker, const int* a, const Perm& g) {
  int image[8];
  for (int i = 0; i < ranker.subsetSize(); ++i) image[i] = g[static_cast<std::size_t>(a[i])];
  return ranker.rankUnsorted(image);
}

Perm identity(int v) {
  Perm p(static_cast<std::size_t>(v));
  std::iota(p.begin(), p.end(), 0);
  return p;
}

// x -> a x + b on each of `copies` blocks of m points (Z_m arithmetic); other points fixed.
Perm affineOnBlocks(int v, int m, int copies, int a, int b, int onlyCopy = -1) {
  Perm p = identity(v);
  for (int c = 0; c < copies; ++c) {
    if (onlyCopy >= 0 && c != onlyCopy) continue;
    for (int x = 0; x < m; ++x) p[static_cast<std::size_t>(c * m + x)] = c * m + (a * x + b) % m;
  }
  return p;
}

Perm shiftBlocks(int v, int m, int copies) {
  Perm p = identity(v);
  for (int c = 0; c < copies; ++c)
    for (int x = 0; x < m; ++x) p[static_cast<std::size_t>(c * m + x)] = ((c + 1) % copies) * m + x;
  return p;
}

int gcd(int a, int b) { return b == 0 ? a : gcd(b, a % b); }

// One generator per cyclic subgroup of the units mod m (besides {1}).
std::vector<int> unitSubgroupGenerators(int m) {
  std::vector<int> gens;
  std::set<std::set<int>> seen;
  for (int a = 2; a < m; ++a) {
    if (gcd(a, m) != 1) continue;
    std::set<int> sub;
    for (int x = 1;; x = x * a % m) {
      if (!sub.insert(x).second) break;
    }
    if (seen.insert(sub).second) gens.push_back(a);
  }
  return gens;
}

// The finite field GF(p^n), elements 0..q-1 as base-p digit vectors of polynomials.
struct Field {
  int p = 0, n = 0, q = 0;
  std::vector<int> add, mul, inv;
  bool build(int p_, int n_) {
    p = p_;
    n = n_;
    q = 1;
    for (int i = 0; i < n; ++i) q *= p;
    // Try monic polynomials x^n + c until the product has inverses everywhere.
    for (int c = 0; c < q; ++c) {
      std::vector<int> poly(static_cast<std::size_t>(n));
      for (int i = 0, x = c; i < n; ++i, x /= p) poly[static_cast<std::size_t>(i)] = x % p;
      if (n > 1 && poly[0] == 0) continue;
      if (makeTables(poly)) return true;
    }
    return false;
  }
  bool makeTables(const std::vector<int>& poly) {
    auto digits = [&](int x) {
      std::vector<int> d(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i, x /= p) d[static_cast<std::size_t>(i)] = x % p;
      return d;
    };
    auto number = [&](const std::vector<int>& d) {
      int x = 0;
      for (int i = n - 1; i >= 0; --i) x = x * p + d[static_cast<std::size_t>(i)];
      return x;
    };
    add.assign(static_cast<std::size_t>(q * q), 0);
    mul.assign(static_cast<std::size_t>(q * q), 0);
    inv.assign(static_cast<std::size_t>(q), -1);
    for (int a = 0; a < q; ++a)
      for (int b = 0; b < q; ++b) {
        auto da = digits(a), db = digits(b);
        std::vector<int> s(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(i)] = (da[static_cast<std::size_t>(i)] + db[static_cast<std::size_t>(i)]) % p;
        add[static_cast<std::size_t>(a * q + b)] = number(s);
        std::vector<int> prod(static_cast<std::size_t>(2 * n), 0);
        for (int i = 0; i < n; ++i)
          for (int j = 0; j < n; ++j)
            prod[static_cast<std::size_t>(i + j)] += da[static_cast<std::size_t>(i)] * db[static_cast<std::size_t>(j)];
        // Reduce by x^n = -(poly).
        for (int d = 2 * n - 1; d >= n; --d) {
          const int c = prod[static_cast<std::size_t>(d)] % p;
          prod[static_cast<std::size_t>(d)] = 0;
          for (int i = 0; i < n; ++i)
            prod[static_cast<std::size_t>(d - n + i)] += (p - poly[static_cast<std::size_t>(i)]) * c;
        }
        std::vector<int> r(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) r[static_cast<std::size_t>(i)] = prod[static_cast<std::size_t>(i)] % p;
        const int m = number(r);
        mul[static_cast<std::size_t>(a * q + b)] = m;
        if (m == 1) inv[static_cast<std::size_t>(a)] = b;
      }
    for (int a = 1; a < q; ++a)
      if (inv[static_cast<std::size_t>(a)] < 0) return false;
    return true;
  }
  int plus(int a, int b) const { return add[static_cast<std::size_t>(a * q + b)]; }
  int times(int a, int b) const { return mul[static_cast<std::size_t>(a * q + b)]; }
  int neg(int a) const {
    for (int b = 0; b < q; ++b)
      if (plus(a, b) == 0) return b;
    return 0;
  }
};

// Prime power q = p^n with n >= 1, or 0.
bool primePower(int q, int& p, int& n) {
  for (p = 2; p <= q; ++p)
    if (q % p == 0) break;
  n = 0;
  for (int x = q; x > 1; x /= p) {
    if (x % p != 0) return false;
    ++n;
  }
  return n >= 1;
}

// x -> (a x + b) / (c x + d) on the projective line 0..q-1, infinity = q; other points fixed.
Perm mobius(int v, const Field& f, int a, int b, int c, int d) {
  Perm p = identity(v);
  const int inf = f.q;
  for (int x = 0; x <= f.q; ++x) {
    int num, den;
    if (x == inf) {
      num = a;
      den = c;
    } else {
      num = f.plus(f.times(a, x), b);
      den = f.plus(f.times(c, x), d);
    }
    p[static_cast<std::size_t>(x)] = den == 0 ? inf : f.times(num, f.inv[static_cast<std::size_t>(den)]);
  }
  return p;
}

Perm compose(const Perm& g, const Perm& h) {
  Perm r(h.size());
  for (std::size_t i = 0; i < h.size(); ++i) r[i] = g[static_cast<std::size_t>(h[i])];
  return r;
}

std::vector<int> orbitLengths(int v, const std::vector<Perm>& gens) {
  std::vector<int> seen(static_cast<std::size_t>(v), 0), lengths;
  for (int s = 0; s < v; ++s) {
    if (seen[static_cast<std::size_t>(s)]) continue;
    std::vector<int> todo{s};
    seen[static_cast<std::size_t>(s)] = 1;
    int n = 0;
    while (!todo.empty()) {
      const int x = todo.back();
      todo.pop_back();
      ++n;
      for (const Perm& g : gens) {
        const int y = g[static_cast<std::size_t>(x)];
        if (!seen[static_cast<std::size_t>(y)]) {
          seen[static_cast<std::size_t>(y)] = 1;
          todo.push_back(y);
        }
      }
    }
    lengths.push_back(n);
  }
  std::sort(lengths.begin(), lengths.end());
  return lengths;
}

}  // namespace

std::vector<Perm> closure(int v, const std::vector<Perm>& gens, std::size_t cap) {
  std::set<Perm> seen{identity(v)};
  std::vector<Perm> all{identity(v)};
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (const Perm& g : gens) {
      Perm h = compose(g, all[i]);
      if (seen.insert(h).second) {
        all.push_back(h);
        if (all.size() > cap) return {};
      }
    }
  }
  return all;
}

std::vector<Group> candidateGroups(int v, coverings::Rng& rng) {
  std::vector<Group> out;
  auto name = [](const std::string& what, int m, int copies, int fixed) {
    return what + " m=" + std::to_string(m) + " x" + std::to_string(copies) + " +" + std::to_string(fixed);
  };
  for (int m = 3; m <= v; ++m)
    for (int copies = 1; copies * m <= v; ++copies) {
      const int fixed = v - copies * m;
      if (fixed > (m <= 7 ? 6 : 3)) continue;
      const Perm rot = affineOnBlocks(v, m, copies, 1, 1);
      out.push_back({name("Z", m, copies, fixed), {rot}});
      for (int a : unitSubgroupGenerators(m))
        out.push_back({name("Z.mult" + std::to_string(a), m, copies, fixed), {rot, affineOnBlocks(v, m, copies, a, 0)}});
      if (copies >= 2) {
        const Perm shift = shiftBlocks(v, m, copies);
        out.push_back({name("ZxZc", m, copies, fixed), {rot, shift}});
        for (int a : unitSubgroupGenerators(m))
          out.push_back({name("ZxZc.mult" + std::to_string(a), m, copies, fixed),
                         {rot, shift, affineOnBlocks(v, m, copies, a, 0)}});
      }
      if (copies == 2)
        out.push_back({name("ZxZ", m, copies, fixed),
                       {affineOnBlocks(v, m, copies, 1, 1, 0), affineOnBlocks(v, m, copies, 1, 1, 1)}});
      if (copies == 1 && fixed <= 2)
        for (int a : unitSubgroupGenerators(m))
          out.push_back({name("mult" + std::to_string(a), m, copies, fixed), {affineOnBlocks(v, m, copies, a, 0)}});
    }
  // Cyclic groups with shorter cycles besides the c cycles of length m: a generator of cycle
  // type m^c d1 [d2] 1^f with d | m.
  for (int m = 4; m <= v; ++m)
    for (int copies = 1; copies * m < v; ++copies)
      for (int d1 = 2; d1 < m; ++d1) {
        if (m % d1 != 0) continue;
        for (int d2 = 0; d2 <= d1; ++d2) {
          if (d2 == 1 || (d2 > 0 && m % d2 != 0)) continue;
          const int fixed = v - copies * m - d1 - d2;
          if (fixed < 0 || fixed > 3) continue;
          Perm g = affineOnBlocks(v, m, copies, 1, 1);
          int at = copies * m;
          for (int d : {d1, d2}) {
            for (int x = 0; x < d; ++x) g[static_cast<std::size_t>(at + x)] = at + (x + 1) % d;
            at += d;
          }
          out.push_back({name("Z" + std::to_string(m) + "/" + std::to_string(d1) + "/" + std::to_string(d2), m,
                              copies, fixed),
                         {g}});
        }
      }
  // Fields: affine groups (additive group, multipliers) and subgroups of PGL(2,q).
  for (int q = 4; q <= v; ++q) {
    int p, n;
    if (!primePower(q, p, n)) continue;
    Field f;
    if (!f.build(p, n)) continue;
    int prim = 0;
    for (int g = 1; g < q && prim == 0; ++g) {
      int x = g, ord = 1;
      while (x != 1) {
        x = f.times(x, g);
        ++ord;
      }
      if (ord == q - 1) prim = g;
    }
    for (int copies = 1; n > 1 && copies * q <= v; ++copies) {
      // Additive group of GF(q) on each of `copies` blocks of q points, with multipliers of each
      // order dividing q - 1.
      const int rest = v - copies * q;
      if (rest > 3) continue;
      // x -> a x + b on every block.
      auto onBlocks = [&](int a, int b) {
        Perm g = identity(v);
        for (int c = 0; c < copies; ++c)
          for (int x = 0; x < q; ++x) g[static_cast<std::size_t>(c * q + x)] = c * q + f.plus(f.times(a, x), b);
        return g;
      };
      std::vector<Perm> translations;
      for (int i = 0; i < n; ++i) {
        int e = 1;
        for (int j = 0; j < i; ++j) e *= p;
        translations.push_back(onBlocks(1, e));
      }
      const std::string tail = " x" + std::to_string(copies) + " +" + std::to_string(rest);
      out.push_back({"GF" + std::to_string(q) + "+" + tail, translations});
      for (int d = 2; d < q; ++d) {
        if ((q - 1) % d != 0) continue;
        int a = 1;
        for (int i = 0; i < (q - 1) / d; ++i) a = f.times(a, prim);
        auto gens = translations;
        gens.push_back(onBlocks(a, 0));
        out.push_back({"AGL" + std::to_string(q) + ".d" + std::to_string(d) + tail, gens});
      }
    }
    {
      // Affine groups x -> a x + b with a of order d, the multiplier also turning d further
      // points as one cycle (the quotient by the translations acting on them).
      std::vector<Perm> translations;
      for (int i = 0; i < n; ++i) {
        int e = 1;
        for (int j = 0; j < i; ++j) e *= p;
        translations.push_back(mobius(v, f, 1, e, 0, 1));
      }
      for (int d = 2; d < q; ++d) {
        if ((q - 1) % d != 0 || q + d > v || v - q - d > 3) continue;
        int a = 1;
        for (int i = 0; i < (q - 1) / d; ++i) a = f.times(a, prim);
        Perm g = mobius(v, f, a, 0, 0, 1);
        for (int x = 0; x < d; ++x) g[static_cast<std::size_t>(q + x)] = q + (x + 1) % d;
        auto gens = translations;
        gens.push_back(g);
        out.push_back({"AGL" + std::to_string(q) + ".d" + std::to_string(d) + "+cycle +" + std::to_string(v - q - d),
                       gens});
      }
    }
    if (q + 1 <= v && v - q - 1 <= 3) {
      // Random small subgroups of PGL(2,q): two elements of small order, closed up.
      std::set<std::pair<std::size_t, std::vector<int>>> kinds;
      std::uniform_int_distribution<int> any(0, q - 1);
      std::vector<Perm> small;
      for (int tries = 0; tries < 4000 && small.size() < 60; ++tries) {
        const int a = any(rng), b = any(rng), c = any(rng), d = any(rng);
        if (f.plus(f.times(a, d), f.neg(f.times(b, c))) == 0) continue;
        Perm g = mobius(v, f, a, b, c, d);
        const auto el = closure(v, {g}, 8);
        if (el.size() >= 2 && el.size() <= 6) small.push_back(g);
      }
      for (std::size_t i = 0; i < small.size(); ++i)
        for (std::size_t j = i + 1; j < small.size(); ++j) {
          const auto el = closure(v, {small[i], small[j]}, 1000);
          if (el.size() < 4) continue;
          auto lengths = orbitLengths(v, {small[i], small[j]});
          if (!kinds.insert({el.size(), lengths}).second) continue;
          out.push_back({"PGL" + std::to_string(q) + ".sub" + std::to_string(el.size()) + " +" +
                             std::to_string(v - q - 1),
                         {small[i], small[j]}});
        }
    }
  }
  return out;
}

Rows solve(int v, int k, int t, const std::vector<Perm>& group, double seconds, const std::filesystem::path& work) {
  const coverings::SetRanker tr(v, t), kr(v, k);
  const std::int64_t nT = tr.count(), nK = kr.count();
  std::vector<int> tOrbit(static_cast<std::size_t>(nT), -1);
  int tOrbits = 0;
  int a[8];
  for (std::int64_t r = 0; r < nT; ++r) {
    if (tOrbit[static_cast<std::size_t>(r)] >= 0) continue;
    tr.unrank(r, a);
    for (const Perm& g : group) tOrbit[static_cast<std::size_t>(imageRank(tr, a, g))] = tOrbits;
    ++tOrbits;
  }
  struct KOrbit {
    std::int64_t rep;
    int size;
    std::vector<int> covers;
  };
  std::vector<KOrbit> kOrbits;
  std::vector<char> seen(static_cast<std::size_t>(nK), 0);
  std::map<std::vector<int>, std::size_t> bySet;  // covered t-orbits -> smallest k-orbit with them
  for (std::int64_t r = 0; r < nK; ++r) {
    if (seen[static_cast<std::size_t>(r)]) continue;
    kr.unrank(r, a);
    int size = 0;
    for (const Perm& g : group) {
      const auto x = imageRank(kr, a, g);
      if (!seen[static_cast<std::size_t>(x)]) {
        seen[static_cast<std::size_t>(x)] = 1;
        ++size;
      }
    }
    std::vector<int> covers;
    std::vector<int> idx(static_cast<std::size_t>(t));
    std::iota(idx.begin(), idx.end(), 0);
    for (;;) {
      int s[8];
      for (int i = 0; i < t; ++i) s[i] = a[idx[static_cast<std::size_t>(i)]];
      covers.push_back(tOrbit[static_cast<std::size_t>(tr.rank(s))]);
      int i = t - 1;
      while (i >= 0 && idx[static_cast<std::size_t>(i)] == k - t + i) --i;
      if (i < 0) break;
      ++idx[static_cast<std::size_t>(i)];
      for (int j = i + 1; j < t; ++j) idx[static_cast<std::size_t>(j)] = idx[static_cast<std::size_t>(j - 1)] + 1;
    }
    std::sort(covers.begin(), covers.end());
    covers.erase(std::unique(covers.begin(), covers.end()), covers.end());
    auto [it, fresh] = bySet.try_emplace(covers, kOrbits.size());
    if (fresh) {
      kOrbits.push_back({r, size, covers});
    } else if (kOrbits[it->second].size > size) {
      kOrbits[it->second] = {r, size, covers};
    }
  }
  std::vector<std::vector<std::size_t>> coveredBy(static_cast<std::size_t>(tOrbits));
  for (std::size_t i = 0; i < kOrbits.size(); ++i)
    for (int o : kOrbits[i].covers) coveredBy[static_cast<std::size_t>(o)].push_back(i);

  std::filesystem::create_directories(work);
  const auto lp = work / "model.lp";
  {
    std::ofstream f(lp);
    f << "Minimize\n obj:";
    for (std::size_t i = 0; i < kOrbits.size(); ++i) {
      f << " + " << kOrbits[i].size << " x" << i;
      if (i % 8 == 7) f << "\n";
    }
    f << "\nSubject To\n";
    for (int o = 0; o < tOrbits; ++o) {
      f << " c" << o << ":";
      int n = 0;
      for (std::size_t i : coveredBy[static_cast<std::size_t>(o)]) {
        f << " + x" << i;
        if (++n % 12 == 0) f << "\n";
      }
      f << " >= 1\n";
    }
    f << "Binary\n";
    for (std::size_t i = 0; i < kOrbits.size(); ++i) f << " x" << i << (i % 12 == 11 ? "\n" : "");
    f << "\nEnd\n";
  }
  const auto chosen = coverings::runCbc(lp, seconds);
  if (!chosen) return {};
  Rows rows;
  for (std::size_t index : *chosen) {
    const KOrbit& o = kOrbits[index];
    kr.unrank(o.rep, a);
    std::set<Row> members;
    for (const Perm& g : group) {
      Row r;
      for (int i = 0; i < k; ++i) r.push_back(g[static_cast<std::size_t>(a[i])]);
      std::sort(r.begin(), r.end());
      members.insert(r);
    }
    rows.insert(rows.end(), members.begin(), members.end());
  }
  return rows;
}

}  // namespace orbits
