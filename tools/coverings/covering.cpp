#include "covering.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <set>
#include <stdexcept>

namespace coverings {
namespace {

// Index patterns of the (t-1)-subsets of k-1 slots.
std::vector<std::vector<int>> subsetPatterns(int n, int r) {
  std::vector<std::vector<int>> out;
  std::vector<int> idx(static_cast<std::size_t>(r));
  for (int i = 0; i < r; ++i) idx[i] = i;
  if (r == 0) return {{}};
  for (;;) {
    out.push_back(idx);
    int i = r - 1;
    while (i >= 0 && idx[i] == n - r + i) --i;
    if (i < 0) break;
    ++idx[i];
    for (int j = i + 1; j < r; ++j) idx[j] = idx[j - 1] + 1;
  }
  return out;
}

// The t-sets by rank, with their points.
struct TSetIndex : SetRanker {
  std::vector<std::vector<int>> points;  // rank -> ascending points

  TSetIndex(int v, int t) : SetRanker(v, t) {
    points.resize(static_cast<std::size_t>(count()));
    for (const auto& a : subsetPatterns(v, t)) points[static_cast<std::size_t>(rank(a.data()))] = a;
  }
  std::size_t size() const { return points.size(); }
};

Row randomRow(int v, int k, Rng& rng) {
  std::vector<int> all(static_cast<std::size_t>(v));
  for (int i = 0; i < v; ++i) all[i] = i;
  for (int i = 0; i < k; ++i) {
    std::uniform_int_distribution<int> d(i, v - 1);
    std::swap(all[i], all[d(rng)]);
  }
  Row r(all.begin(), all.begin() + k);
  std::sort(r.begin(), r.end());
  return r;
}

void forEachSubset(const Row& row, int t, const auto& f) {
  const int k = static_cast<int>(row.size());
  for (const auto& p : subsetPatterns(k, t)) {
    int s[8];
    for (int i = 0; i < t; ++i) s[i] = row[p[i]];
    f(s);
  }
}

}  // namespace

std::int64_t choose(int n, int r) {
  if (r < 0 || r > n) return 0;
  std::int64_t c = 1;
  for (int i = 1; i <= r; ++i) c = c * (n - r + i) / i;
  return c;
}

SetRanker::SetRanker(int v, int r) : r_(r), count_(choose(v, r)), binom_(static_cast<std::size_t>(v + 1)) {
  for (int n = 0; n <= v; ++n)
    for (int j = 0; j <= r; ++j) binom_[static_cast<std::size_t>(n)].push_back(choose(n, j));
}

std::int64_t SetRanker::rankUnsorted(const int* a) const {
  int s[8];
  for (int i = 0; i < r_; ++i) {
    int j = i;
    for (; j > 0 && s[j - 1] > a[i]; --j) s[j] = s[j - 1];
    s[j] = a[i];
  }
  return rank(s);
}

void SetRanker::unrank(std::int64_t x, int* a) const {
  for (int i = r_ - 1; i >= 0; --i) {
    int n = i;
    while (binom_[static_cast<std::size_t>(n + 1)][static_cast<std::size_t>(i + 1)] <= x) ++n;
    a[i] = n;
    x -= binom_[static_cast<std::size_t>(n)][static_cast<std::size_t>(i + 1)];
  }
}

std::string rowsText(const Rows& rows) {
  std::string out;
  for (const Row& r : rows) {
    for (std::size_t i = 0; i < r.size(); ++i) out += (i ? " " : "") + std::to_string(r[i] + 1);
    out += '\n';
  }
  return out;
}

long uncoveredCount(int v, int t, const Rows& rows) {
  TSetIndex index(v, t);
  std::vector<char> seen(index.size(), 0);
  for (const Row& r : rows) {
    Row s = r;
    std::sort(s.begin(), s.end());
    forEachSubset(s, t, [&](const int* a) { seen[static_cast<std::size_t>(index.rank(a))] = 1; });
  }
  return static_cast<long>(std::count(seen.begin(), seen.end(), 0));
}

void normalise(int v, int k, Rows& rows, Rng& rng) {
  std::set<Row> distinct;
  std::size_t duplicates = 0;
  for (Row r : rows) {
    std::sort(r.begin(), r.end());
    if (!distinct.insert(r).second) ++duplicates;
  }
  if (static_cast<std::int64_t>(rows.size()) > choose(v, k)) throw std::runtime_error("more rows than k-subsets");
  while (duplicates > 0) {
    if (distinct.insert(randomRow(v, k, rng)).second) --duplicates;
  }
  rows.assign(distinct.begin(), distinct.end());
}

void completeCovering(int v, int k, int t, Rows& rows, Rng& rng) {
  TSetIndex index(v, t);
  std::vector<char> seen(index.size(), 0);
  auto mark = [&](const Row& r) {
    Row s = r;
    std::sort(s.begin(), s.end());
    forEachSubset(s, t, [&](const int* a) { seen[static_cast<std::size_t>(index.rank(a))] = 1; });
  };
  for (const Row& r : rows) mark(r);
  for (std::size_t i = 0; i < index.size(); ++i) {
    if (seen[i]) continue;
    // Fill up with the points that cover the most still uncovered t-sets.
    Row row = index.points[i];
    while (static_cast<int>(row.size()) < k) {
      int bestPoint = -1;
      long bestGain = -1;
      for (int p = 0; p < v; ++p) {
        if (std::find(row.begin(), row.end(), p) != row.end()) continue;
        Row trial = row;
        trial.push_back(p);
        std::sort(trial.begin(), trial.end());
        long gain = 0;
        forEachSubset(trial, t, [&](const int* a) {
          if (!seen[static_cast<std::size_t>(index.rank(a))]) ++gain;
        });
        gain = gain * 64 + static_cast<long>(rng() % 64);
        if (gain > bestGain) {
          bestGain = gain;
          bestPoint = p;
        }
      }
      row.push_back(bestPoint);
    }
    std::sort(row.begin(), row.end());
    mark(row);
    rows.push_back(row);
  }
}

bool anneal(int v, int k, int t, int b, const Rows& start, std::uint64_t moves, Rng& rng, Rows& out, int frozen) {
  TSetIndex index(v, t);
  const std::size_t nT = index.size();
  std::vector<int> cover(nT, 0);
  UncoveredSets unc(nT);
  const auto patterns = subsetPatterns(k - 1, t - 1);

  std::vector<int> pts(static_cast<std::size_t>(b) * k);
  std::vector<std::uint64_t> mask(static_cast<std::size_t>(b), 0);
  for (int j = 0; j < b; ++j) {
    Row r = j < static_cast<int>(start.size()) ? start[j] : randomRow(v, k, rng);
    for (int c = 0; c < k; ++c) {
      pts[j * k + c] = r[c];
      mask[j] |= std::uint64_t{1} << r[c];
    }
    std::sort(r.begin(), r.end());
    forEachSubset(r, t, [&](const int* a) { ++cover[static_cast<std::size_t>(index.rank(a))]; });
  }
  for (std::size_t i = 0; i < nT; ++i)
    if (cover[i] == 0) unc.add(static_cast<std::int64_t>(i));

  auto snapshot = [&](Rows& dst) {
    dst.assign(static_cast<std::size_t>(b), Row(static_cast<std::size_t>(k)));
    for (int j = 0; j < b; ++j)
      for (int c = 0; c < k; ++c) dst[j][c] = pts[j * k + c];
  };
  std::size_t bestCost = unc.size();
  snapshot(out);
  if (bestCost == 0) return true;

  const double t0 = 0.45, t1 = 0.03;
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int others[8];
  int tsetBuf[8];
  for (std::uint64_t m = 0; m < moves; ++m) {
    const double temp = t0 * std::pow(t1 / t0, static_cast<double>(m) / static_cast<double>(moves));
    const int T = unc[rng() % unc.size()];
    const auto& tp = index.points[static_cast<std::size_t>(T)];
    std::uint64_t tmask = 0;
    for (int p : tp) tmask |= std::uint64_t{1} << p;
    int chosen = -1, seenCand = 0;
    for (int j = frozen; j < b; ++j) {
      if (std::popcount(mask[j] & tmask) == t - 1) {
        ++seenCand;
        if (rng() % static_cast<unsigned>(seenCand) == 0) chosen = j;
      }
    }
    int slot, y;
    if (chosen < 0) {
      chosen = frozen + static_cast<int>(rng() % static_cast<unsigned>(b - frozen));
      std::uint64_t missing = tmask & ~mask[chosen];
      int cnt = std::popcount(missing);
      int pick = static_cast<int>(rng() % static_cast<unsigned>(cnt));
      for (;;) {
        int p = std::countr_zero(missing);
        if (pick-- == 0) {
          y = p;
          break;
        }
        missing &= missing - 1;
      }
      // Replace a point outside T.
      int nOut = 0;
      slot = -1;
      for (int c = 0; c < k; ++c)
        if (!(tmask >> pts[chosen * k + c] & 1)) {
          ++nOut;
          if (rng() % static_cast<unsigned>(nOut) == 0) slot = c;
        }
      if (slot < 0) continue;
    } else {
      y = std::countr_zero(tmask & ~mask[chosen]);
      int nOut = 0;
      slot = -1;
      for (int c = 0; c < k; ++c)
        if (!(tmask >> pts[chosen * k + c] & 1)) {
          ++nOut;
          if (rng() % static_cast<unsigned>(nOut) == 0) slot = c;
        }
    }
    const int x = pts[chosen * k + slot];
    int n = 0;
    for (int c = 0; c < k; ++c)
      if (c != slot) others[n++] = pts[chosen * k + c];
    int delta = 0;
    for (const auto& p : patterns) {
      for (int i = 0; i < t - 1; ++i) tsetBuf[i] = others[p[i]];
      tsetBuf[t - 1] = x;
      if (cover[static_cast<std::size_t>(index.rankUnsorted(tsetBuf))] == 1) ++delta;
      tsetBuf[t - 1] = y;
      if (cover[static_cast<std::size_t>(index.rankUnsorted(tsetBuf))] == 0) --delta;
    }
    if (delta > 0 && unit(rng) >= std::exp(-delta / temp)) continue;
    for (const auto& p : patterns) {
      for (int i = 0; i < t - 1; ++i) tsetBuf[i] = others[p[i]];
      tsetBuf[t - 1] = x;
      const auto rx = index.rankUnsorted(tsetBuf);
      if (--cover[rx] == 0) unc.add(rx);
      tsetBuf[t - 1] = y;
      const auto ry = index.rankUnsorted(tsetBuf);
      if (cover[ry]++ == 0) unc.remove(ry);
    }
    pts[chosen * k + slot] = y;
    mask[chosen] = (mask[chosen] & ~(std::uint64_t{1} << x)) | (std::uint64_t{1} << y);
    if (unc.size() < bestCost) {
      bestCost = unc.size();
      snapshot(out);
      if (bestCost == 0) return true;
    }
  }
  return false;
}

}  // namespace coverings

namespace coverings {

bool annealOrbits(int m, int copies, int fixedPoints, int k, int t, int baseRows, int freeRows, std::uint64_t moves,
                  Rng& rng, Rows& out) {
  const int moved = m * copies;
  const int v = moved + fixedPoints;
  TSetIndex index(v, t);
  const std::size_t nT = index.size();
  std::vector<int> cover(nT, 0);
  UncoveredSets unc(nT);
  const auto patterns = subsetPatterns(k - 1, t - 1);
  const int developed = baseRows * m;
  const int total = developed + freeRows;

  // Row j < developed is base row j / m shifted by j % m; later rows are free.
  std::vector<int> base(static_cast<std::size_t>(baseRows + freeRows) * k);
  for (int b = 0; b < baseRows + freeRows; ++b) {
    Row r = randomRow(v, k, rng);
    for (int c = 0; c < k; ++c) base[b * k + c] = r[c];
  }
  auto shift = [&](int p, int s) { return p < moved ? p - p % m + (p % m + s) % m : p; };
  auto unshift = [&](int p, int s) { return p < moved ? p - p % m + (p % m - s + m) % m : p; };
  auto rowPoint = [&](int j, int c) {
    return j < developed ? shift(base[(j / m) * k + c], j % m) : base[(baseRows + j - developed) * k + c];
  };
  std::vector<std::uint64_t> mask(static_cast<std::size_t>(total), 0);
  auto refreshMask = [&](int j) {
    mask[j] = 0;
    for (int c = 0; c < k; ++c) mask[j] |= std::uint64_t{1} << rowPoint(j, c);
  };
  for (int j = 0; j < total; ++j) {
    refreshMask(j);
    Row r(static_cast<std::size_t>(k));
    for (int c = 0; c < k; ++c) r[c] = rowPoint(j, c);
    std::sort(r.begin(), r.end());
    forEachSubset(r, t, [&](const int* a) { ++cover[static_cast<std::size_t>(index.rank(a))]; });
  }
  for (std::size_t i = 0; i < nT; ++i)
    if (cover[i] == 0) unc.add(static_cast<std::int64_t>(i));

  int others[8];
  int tsetBuf[8];
  // Replaces point x by y in row j (x in the row, y not), keeping counts and the list.
  auto swapInRow = [&](int j, int x, int y) {
    int n = 0;
    for (int c = 0; c < k; ++c) {
      const int p = rowPoint(j, c);
      if (p != x) others[n++] = p;
    }
    for (const auto& pat : patterns) {
      for (int i = 0; i < t - 1; ++i) tsetBuf[i] = others[pat[i]];
      tsetBuf[t - 1] = x;
      const auto rx = index.rankUnsorted(tsetBuf);
      if (--cover[rx] == 0) unc.add(rx);
      tsetBuf[t - 1] = y;
      const auto ry = index.rankUnsorted(tsetBuf);
      if (cover[ry]++ == 0) unc.remove(ry);
    }
  };
  // Replaces the point in slot `slot` of base (or free) row b by y.
  auto changeBase = [&](int b, int slot, int y) {
    const int x = base[b * k + slot];
    if (b < baseRows) {
      for (int s = 0; s < m; ++s) swapInRow(b * m + s, shift(x, s), shift(y, s));
      base[b * k + slot] = y;
      for (int s = 0; s < m; ++s) refreshMask(b * m + s);
    } else {
      const int j = developed + b - baseRows;
      swapInRow(j, x, y);
      base[b * k + slot] = y;
      refreshMask(j);
    }
  };
  auto snapshot = [&](Rows& dst) {
    dst.assign(static_cast<std::size_t>(total), Row(static_cast<std::size_t>(k)));
    for (int j = 0; j < total; ++j) {
      for (int c = 0; c < k; ++c) dst[j][c] = rowPoint(j, c);
      std::sort(dst[j].begin(), dst[j].end());
    }
  };
  std::size_t bestCost = unc.size();
  snapshot(out);
  if (bestCost == 0) return true;
  const double t0 = 0.45 * m / 4.0, t1 = 0.03 * m / 4.0;
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (std::uint64_t step = 0; step < moves; ++step) {
    const double temp = t0 * std::pow(t1 / t0, static_cast<double>(step) / static_cast<double>(moves));
    const auto& tp = index.points[static_cast<std::size_t>(unc[rng() % unc.size()])];
    std::uint64_t tmask = 0;
    for (int p : tp) tmask |= std::uint64_t{1} << p;
    int chosen = -1, seen = 0;
    for (int j = 0; j < total; ++j)
      if (std::popcount(mask[j] & tmask) == t - 1) {
        ++seen;
        if (rng() % static_cast<unsigned>(seen) == 0) chosen = j;
      }
    if (chosen < 0) continue;
    const int y = std::countr_zero(tmask & ~mask[chosen]);
    int slot = -1, nOut = 0;
    for (int c = 0; c < k; ++c)
      if (!(tmask >> rowPoint(chosen, c) & 1)) {
        ++nOut;
        if (rng() % static_cast<unsigned>(nOut) == 0) slot = c;
      }
    const int b = chosen < developed ? chosen / m : baseRows + chosen - developed;
    const int s = chosen < developed ? chosen % m : 0;
    const int baseY = chosen < developed ? unshift(y, s) : y;
    const int baseX = base[b * k + slot];
    const auto before = static_cast<long>(unc.size());
    changeBase(b, slot, baseY);
    const long delta = static_cast<long>(unc.size()) - before;
    if (delta > 0 && unit(rng) >= std::exp(-static_cast<double>(delta) / temp)) {
      changeBase(b, slot, baseX);
      continue;
    }
    if (unc.size() < bestCost) {
      bestCost = unc.size();
      snapshot(out);
      if (bestCost == 0) return true;
    }
  }
  return false;
}

}  // namespace coverings
