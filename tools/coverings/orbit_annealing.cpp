#include "orbit_annealing.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <stdexcept>

#include "exchange.h"
#include "orbit_exchange.h"

namespace orbits {
namespace {

using Mask = std::uint64_t;

// The r-subsets of n slots as lists of slot numbers, in lexicographic order.
std::vector<std::vector<int>> slotSubsets(int n, int r) {
  std::vector<std::vector<int>> out;
  std::vector<int> idx(static_cast<std::size_t>(r));
  auto rec = [&](auto&& self, int from, int depth) -> void {
    if (depth == r) {
      out.push_back(idx);
      return;
    }
    for (int i = from; i < n; ++i) {
      idx[static_cast<std::size_t>(depth)] = i;
      self(self, i + 1, depth + 1);
    }
  };
  rec(rec, 0, 0);
  return out;
}

// Each row ascending, each once: the orbit of a row that a group element fixes repeats it.
coverings::Rows distinctRows(coverings::Rows rows) {
  for (coverings::Row& r : rows) std::sort(r.begin(), r.end());
  const std::set<coverings::Row> distinct(rows.begin(), rows.end());
  return {distinct.begin(), distinct.end()};
}

}  // namespace

std::vector<Perm> cyclicOnBlocks(int v, int m, int copies) {
  Perm turn(static_cast<std::size_t>(v));
  for (int x = 0; x < v; ++x) turn[static_cast<std::size_t>(x)] = x;
  for (int c = 0; c < copies; ++c)
    for (int x = 0; x < m; ++x) turn[static_cast<std::size_t>(c * m + x)] = c * m + (x + 1) % m;
  return closure(v, {turn}, static_cast<std::size_t>(v) + 1);
}

AnnealResult annealOrbitRows(const AnnealPlan& plan, std::uint64_t seed, bool reportRounds) {
  const int v = plan.v, k = plan.k, t = plan.t;
  if (v > 64 || k > 8 || t < 2 || t > 4 || t >= k) throw std::invalid_argument("orbit annealing: v, k or t out of range");
  const auto& G = plan.group;
  const int n = static_cast<int>(G.size());
  std::vector<Perm> Ginv;
  for (const Perm& g : G) {
    Perm gi(static_cast<std::size_t>(v));
    for (int x = 0; x < v; ++x) gi[static_cast<std::size_t>(g[static_cast<std::size_t>(x)])] = x;
    Ginv.push_back(gi);
  }
  const int nb = plan.baseRows, nf = plan.freeRows, nfix = static_cast<int>(plan.fixed.size());
  const int total = nb * n + nf + nfix;
  std::mt19937_64 rng(seed);

  // Dense index of a t-set: its sorted points as the digits of a number to base v.
  auto tIndex = [&](const int* a) {
    int s[4];
    for (int i = 0; i < t; ++i) {
      int j = i;
      for (; j > 0 && s[j - 1] > a[i]; --j) s[j] = s[j - 1];
      s[j] = a[i];
    }
    int r = 0;
    for (int i = 0; i < t; ++i) r = r * v + s[i];
    return r;
  };
  std::size_t nT = 1;
  for (int i = 0; i < t; ++i) nT *= static_cast<std::size_t>(v);
  std::vector<int> cover(nT, 0);
  coverings::UncoveredSets unc(nT);

  std::vector<int> base(static_cast<std::size_t>((nb + nf + nfix) * k));
  auto randomRow = [&](int* dst) {
    std::vector<int> a(static_cast<std::size_t>(v));
    for (int x = 0; x < v; ++x) a[static_cast<std::size_t>(x)] = x;
    for (int i = 0; i < k; ++i) {
      const int j = i + static_cast<int>(rng() % static_cast<std::uint64_t>(v - i));
      std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
      dst[i] = a[static_cast<std::size_t>(i)];
    }
  };
  for (int i = 0; i < nb + nf; ++i) randomRow(&base[static_cast<std::size_t>(i * k)]);
  for (std::size_t i = 0; i < plan.start.size() && static_cast<int>(i) < nb + nf; ++i)
    if (static_cast<int>(plan.start[i].size()) == k)
      std::copy(plan.start[i].begin(), plan.start[i].end(), base.begin() + static_cast<long>(i) * k);
  for (int i = 0; i < nfix; ++i) {
    const auto& row = plan.fixed[static_cast<std::size_t>(i)];
    if (static_cast<int>(row.size()) != k)
      throw std::invalid_argument("orbit annealing: a fixed row has the wrong size");
    std::copy(row.begin(), row.end(), base.begin() + static_cast<long>(nb + nf + i) * k);
  }

  const auto fewer = slotSubsets(k - 1, t - 1);
  const auto all = slotSubsets(k, t);
  std::vector<int> rows(static_cast<std::size_t>(total * k));
  std::vector<Mask> mask(static_cast<std::size_t>(total));
  auto at = [&](int j, int c) -> int& { return rows[static_cast<std::size_t>(j * k + c)]; };
  // Row j < nb*n is base row j / n moved by element j % n; later rows are free.
  auto expand = [&](int j) {
    mask[static_cast<std::size_t>(j)] = 0;
    const bool orbitRow = j < nb * n;
    const int b = orbitRow ? j / n : nb + (j - nb * n);
    const Perm& g = G[static_cast<std::size_t>(orbitRow ? j % n : 0)];
    for (int c = 0; c < k; ++c) {
      at(j, c) = g[static_cast<std::size_t>(base[static_cast<std::size_t>(b * k + c)])];
      mask[static_cast<std::size_t>(j)] |= Mask{1} << at(j, c);
    }
  };
  for (int j = 0; j < total; ++j) {
    expand(j);
    for (const auto& p : all) {
      int a[4];
      for (int i = 0; i < t; ++i) a[i] = at(j, p[static_cast<std::size_t>(i)]);
      ++cover[static_cast<std::size_t>(tIndex(a))];
    }
  }
  for (std::size_t i = 0; i < nT; ++i) {
    int a[4];
    std::size_t x = i;
    bool ascending = true;
    for (int q = t - 1; q >= 0; --q) {
      a[q] = static_cast<int>(x % static_cast<std::size_t>(v));
      x /= static_cast<std::size_t>(v);
    }
    for (int q = 0; q + 1 < t; ++q) ascending = ascending && a[q] < a[q + 1];
    if (ascending && cover[i] == 0) unc.add(static_cast<int>(i));
  }

  AnnealResult result;
  result.bestUncovered = unc.size();
  // Every row that the base, free and fixed rows in `from` (laid out as in `base`) stand for.
  auto develop = [&](const std::vector<int>& from) {
    coverings::Rows out;
    for (int b = 0; b < nb + nf + nfix; ++b) {
      const auto first = from.begin() + static_cast<long>(b) * k;
      for (int g = 0; g < (b < nb ? n : 1); ++g) {
        const Perm& move = G[static_cast<std::size_t>(g)];
        coverings::Row image;
        for (auto p = first; p != first + k; ++p) image.push_back(move[static_cast<std::size_t>(*p)]);
        out.push_back(image);
      }
    }
    return out;
  };
  result.best = develop(base);
  int others[8];
  // Point z of row j (in `slot`) becomes y.
  auto swapIn = [&](int j, int slot, int y) {
    const int z = at(j, slot);
    int m = 0;
    for (int c = 0; c < k; ++c)
      if (c != slot) others[m++] = at(j, c);
    for (const auto& p : fewer) {
      int a[4];
      for (int i = 0; i < t - 1; ++i) a[i] = others[p[static_cast<std::size_t>(i)]];
      a[t - 1] = z;
      int r = tIndex(a);
      if (--cover[static_cast<std::size_t>(r)] == 0) unc.add(r);
      a[t - 1] = y;
      r = tIndex(a);
      if (cover[static_cast<std::size_t>(r)]++ == 0) unc.remove(r);
    }
    at(j, slot) = y;
    mask[static_cast<std::size_t>(j)] ^= (Mask{1} << z) | (Mask{1} << y);
  };
  // Base (or free) row b takes the base point y in `slot`: its whole orbit changes.
  auto changeBase = [&](int b, int slot, int y) {
    if (b < nb)
      for (int g = 0; g < n; ++g) swapIn(b * n + g, slot, G[static_cast<std::size_t>(g)][static_cast<std::size_t>(y)]);
    else
      swapIn(nb * n + (b - nb), slot, y);
    base[static_cast<std::size_t>(b * k + slot)] = y;
  };

  // The best state of each round close enough to a covering for the exchange to try it.
  const bool exchanging = (plan.exchangeRows > 0 || plan.exchangeBase > 0) && t == 2;
  // An orbit covers up to |G| times as many pairs as a row.
  const std::size_t exchangeReach =
      static_cast<std::size_t>(std::max(plan.exchangeRows, plan.exchangeBase * n) * k * (k - 1) / 2);
  // Its base and free rows (as in `base`); empty when no state of the round came close enough.
  std::vector<int> roundBest;
  std::size_t roundBestUncovered = 0;

  std::uniform_real_distribution<double> unit(0, 1);
  const std::uint64_t M = plan.movesPerRound;
  auto keepIfBestOfRound = [&] {
    if (exchanging && unc.size() <= exchangeReach && (roundBest.empty() || unc.size() < roundBestUncovered)) {
      roundBestUncovered = unc.size();
      roundBest = base;
    }
  };
  for (int round = 0; round < plan.rounds && unc.size() > 0; ++round) {
    roundBest.clear();
    keepIfBestOfRound();
    for (std::uint64_t step = 0; step < M && unc.size() > 0; ++step) {
      const double temp = plan.hot * std::pow(plan.cold / plan.hot, static_cast<double>(step) / static_cast<double>(M));
      // An uncovered t-set, and a row holding all of it but one point.
      int tp[4];
      {
        int x = unc[static_cast<std::size_t>(rng() % unc.size())];
        for (int q = t - 1; q >= 0; --q) {
          tp[q] = x % v;
          x /= v;
        }
      }
      Mask tm = 0;
      for (int i = 0; i < t; ++i) tm |= Mask{1} << tp[i];
      int chosen = -1;
      std::uint64_t count = 0;
      for (int j = 0; j < total; ++j)
        if (std::popcount(mask[static_cast<std::size_t>(j)] & tm) == t - 1 && rng() % ++count == 0) chosen = j;
      if (chosen < 0) continue;
      const int y = std::countr_zero(tm & ~mask[static_cast<std::size_t>(chosen)]);
      int slot = -1;
      std::uint64_t outside = 0;
      for (int c = 0; c < k; ++c)
        if (!(tm >> at(chosen, c) & 1) && rng() % ++outside == 0) slot = c;
      const bool orbitRow = chosen < nb * n;
      const int b = orbitRow ? chosen / n : nb + chosen - nb * n;
      if (b >= nb + nf) continue;
      const int g = orbitRow ? chosen % n : 0;
      const int yBase = Ginv[static_cast<std::size_t>(g)][static_cast<std::size_t>(y)];
      bool inRow = false;
      for (int c = 0; c < k; ++c) inRow = inRow || base[static_cast<std::size_t>(b * k + c)] == yBase;
      if (inRow) continue;
      const int xBase = base[static_cast<std::size_t>(b * k + slot)];
      const auto before = static_cast<long>(unc.size());
      changeBase(b, slot, yBase);
      const long delta = static_cast<long>(unc.size()) - before;
      const double scale = b < nb ? n : 1;
      if (delta > 0 && unit(rng) >= std::exp(-static_cast<double>(delta) / (temp * scale))) {
        changeBase(b, slot, xBase);
        continue;
      }
      if (unc.size() < result.bestUncovered) {
        result.bestUncovered = unc.size();
        result.best = develop(base);
      }
      keepIfBestOfRound();
    }
    result.rounds = round + 1;
    if (reportRounds) {
      std::fprintf(stderr, "round %d best %zu now %zu\n", round, result.bestUncovered, unc.size());
      std::fflush(stderr);
    }
    if (exchanging && unc.size() > 0 && !roundBest.empty()) {
      if (plan.exchangeRows > 0)
        if (auto exchanged = coverings::exchangeRows(v, k, develop(roundBest), plan.exchangeRows)) {
          result.rows = distinctRows(std::move(*exchanged));
          if (reportRounds) std::fprintf(stderr, "round %d: an exchange of rows closed the gap\n", round);
          return result;
        }
      if (plan.exchangeBase > 0) {
        coverings::Rows baseRows, otherRows;
        for (int b = 0; b < nb + nf + nfix; ++b) {
          const auto first = roundBest.begin() + static_cast<long>(b) * k;
          (b < nb ? baseRows : otherRows).emplace_back(first, first + k);
        }
        if (auto exchanged = exchangeBaseRows(v, k, G, baseRows, otherRows, plan.exchangeBase)) {
          for (int b = 0; b < nb; ++b) {
            const coverings::Row& row = (*exchanged)[static_cast<std::size_t>(b)];
            std::copy(row.begin(), row.end(), roundBest.begin() + static_cast<long>(b) * k);
          }
          result.rows = distinctRows(develop(roundBest));
          if (reportRounds) std::fprintf(stderr, "round %d: an exchange of base rows closed the gap\n", round);
          return result;
        }
      }
    }
  }
  if (unc.size() == 0) {
    result.rows = distinctRows(develop(base));
  }
  return result;
}

}  // namespace orbits
