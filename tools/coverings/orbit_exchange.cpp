#include "orbit_exchange.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <random>
#include <set>

namespace orbits {
namespace {

using Bits = std::vector<std::uint64_t>;

bool test(const Bits& b, int i) { return b[static_cast<std::size_t>(i >> 6)] >> (i & 63) & 1; }
void clear(Bits& b, int i) { b[static_cast<std::size_t>(i >> 6)] &= ~(std::uint64_t{1} << (i & 63)); }

class BaseExchange {
 public:
  BaseExchange(int v, int k, const std::vector<Perm>& group, const coverings::Rows& base, const coverings::Rows& other)
      : v_(v), k_(k), group_(group), base_(base), classOf_(static_cast<std::size_t>(v * v), -1) {
    for (int a = 0; a < v; ++a)
      for (int b = a + 1; b < v; ++b) {
        if (classOf_[idx(a, b)] >= 0) continue;
        const int id = static_cast<int>(rep_.size());
        rep_.push_back({a, b});
        for (const Perm& g : group) {
          const int x = g[static_cast<std::size_t>(a)], y = g[static_cast<std::size_t>(b)];
          classOf_[idx(x, y)] = classOf_[idx(y, x)] = id;
        }
      }
    const int nc = static_cast<int>(rep_.size());
    words_ = static_cast<std::size_t>((nc + 63) / 64);
    // A class is covered by the other rows only if every pair of it is.
    std::vector<char> pairCovered(static_cast<std::size_t>(v * v), 0);
    for (const auto& r : other)
      for (std::size_t i = 0; i < r.size(); ++i)
        for (std::size_t j = i + 1; j < r.size(); ++j) pairCovered[idx(r[i], r[j])] = pairCovered[idx(r[j], r[i])] = 1;
    byOther_.assign(static_cast<std::size_t>(nc), 1);
    for (int a = 0; a < v; ++a)
      for (int b = a + 1; b < v; ++b)
        if (!pairCovered[idx(a, b)]) byOther_[static_cast<std::size_t>(classOf_[idx(a, b)])] = 0;
    slots_.assign(static_cast<std::size_t>(nc), 0);
    for (const auto& r : base_) add(r, 1);
    order_.resize(static_cast<std::size_t>(v));
    std::iota(order_.begin(), order_.end(), 0);
    rank_ = order_;
    classOrder_.resize(static_cast<std::size_t>(nc));
    std::iota(classOrder_.begin(), classOrder_.end(), 0);
  }

  const coverings::Rows& base() const { return base_; }

  void reset(const coverings::Rows& base) {
    for (const auto& r : base_) add(r, -1);
    base_ = base;
    for (const auto& r : base_) add(r, 1);
  }

  int openClasses() const {
    int open = 0;
    for (std::size_t c = 0; c < rep_.size(); ++c) open += slots_[c] == 0 && !byOther_[c];
    return open;
  }

  std::optional<coverings::Rows> run(int maxOut) {
    for (int out = 1; out <= maxOut && out <= static_cast<int>(base_.size()); ++out) {
      std::vector<int> pick;
      if (choose(pick, out, 0)) return result_;
    }
    return std::nullopt;
  }

  // Replaces the base rows `pick` by others that leave at most `budget` classes open and are not
  // the same orbits again; false when there are none or the search passes `nodeLimit`.
  bool exchange(const std::vector<int>& pick, int budget, std::uint64_t nodeLimit, coverings::Rng& rng) {
    std::shuffle(order_.begin(), order_.end(), rng);
    for (int r = 0; r < v_; ++r) rank_[static_cast<std::size_t>(order_[static_cast<std::size_t>(r)])] = r;
    std::shuffle(classOrder_.begin(), classOrder_.end(), rng);
    budget_ = budget;
    nodeLimit_ = nodeLimit;
    nodes_ = 0;
    avoidSame_ = true;
    for (int i : pick) add(base_[static_cast<std::size_t>(i)], -1);
    const bool found = tryCover(pick);
    for (int i : pick) add(base_[static_cast<std::size_t>(i)], 1);
    avoidSame_ = false;
    budget_ = 0;
    nodeLimit_ = 0;
    if (found) reset(result_);
    return found;
  }

 private:
  std::size_t idx(int a, int b) const { return static_cast<std::size_t>(a * v_ + b); }
  int pairsPerRow() const { return k_ * (k_ - 1) / 2; }

  void add(const coverings::Row& r, int d) {
    for (std::size_t i = 0; i < r.size(); ++i)
      for (std::size_t j = i + 1; j < r.size(); ++j) slots_[static_cast<std::size_t>(classOf_[idx(r[i], r[j])])] += d;
  }

  // The least image of a row under the group: equal for the rows of one orbit.
  coverings::Row canonical(const coverings::Row& r) const {
    coverings::Row best;
    for (const Perm& g : group_) {
      coverings::Row image;
      for (int p : r) image.push_back(g[static_cast<std::size_t>(p)]);
      std::sort(image.begin(), image.end());
      if (best.empty() || image < best) best = image;
    }
    return best;
  }

  bool choose(std::vector<int>& pick, int out, int from) {
    if (static_cast<int>(pick.size()) == out) return tryCover(pick);
    for (int i = from; i < static_cast<int>(base_.size()); ++i) {
      pick.push_back(i);
      add(base_[static_cast<std::size_t>(i)], -1);
      const bool found = choose(pick, out, i + 1);
      add(base_[static_cast<std::size_t>(i)], 1);
      pick.pop_back();
      if (found) return true;
    }
    return false;
  }

  bool tryCover(const std::vector<int>& pick) {
    Bits open(words_, 0);
    int count = 0;
    for (int c = 0; c < static_cast<int>(rep_.size()); ++c)
      if (slots_[static_cast<std::size_t>(c)] == 0 && !byOther_[static_cast<std::size_t>(c)]) {
        open[static_cast<std::size_t>(c >> 6)] |= std::uint64_t{1} << (c & 63);
        if (++count - budget_ > pairsPerRow() * static_cast<int>(pick.size())) return false;
      }
    added_.clear();
    pick_ = &pick;
    return cover(open, count, static_cast<int>(pick.size()), budget_);
  }

  // The new state: the rows kept, the rows added and, for rows no longer needed, taken-out rows
  // whose orbits are not among the added ones. The same orbits as before do not count as found
  // when a different state is wanted.
  bool finish() {
    const std::vector<int>& pick = *pick_;
    std::vector<coverings::Row> addedOrbits, outOrbits;
    for (const auto& r : added_) addedOrbits.push_back(canonical(r));
    coverings::Rows back;
    for (int i : pick) {
      const auto& r = base_[static_cast<std::size_t>(i)];
      const auto c = canonical(r);
      outOrbits.push_back(c);
      if (added_.size() + back.size() < pick.size() &&
          std::find(addedOrbits.begin(), addedOrbits.end(), c) == addedOrbits.end())
        back.push_back(r);
    }
    if (added_.size() + back.size() < pick.size()) return false;
    if (avoidSame_) {
      std::vector<coverings::Row> now = addedOrbits;
      for (const auto& r : back) now.push_back(canonical(r));
      std::sort(now.begin(), now.end());
      std::sort(outOrbits.begin(), outOrbits.end());
      if (now == outOrbits) return false;
    }
    result_.clear();
    for (int i = 0; i < static_cast<int>(base_.size()); ++i)
      if (std::find(pick.begin(), pick.end(), i) == pick.end()) result_.push_back(base_[static_cast<std::size_t>(i)]);
    for (const auto& r : back) result_.push_back(r);
    for (const auto& r : added_) result_.push_back(r);
    return true;
  }

  // Covers the open classes with `left` new base rows, leaving at most `budget` of them open.
  // Every orbit covering a class has a row through its representative pair, so the next row
  // starts with that pair.
  bool cover(const Bits& open, int count, int left, int budget) {
    if (count <= budget) return finish();
    if (nodeLimit_ > 0 && nodes_ > nodeLimit_) return false;
    if (left == 0 || count - budget > pairsPerRow() * left) return false;
    int c0 = -1;
    for (int c : classOrder_)
      if (test(open, c)) {
        c0 = c;
        break;
      }
    const int need = count - budget - pairsPerRow() * (left - 1);
    coverings::Row row{rep_[static_cast<std::size_t>(c0)][0], rep_[static_cast<std::size_t>(c0)][1]};
    std::vector<int> taken{c0};
    if (extend(open, count, left, budget, row, taken, need)) return true;
    if (budget == 0) return false;
    Bits rest = open;
    clear(rest, c0);
    return cover(rest, count - 1, left, budget - 1);
  }

  bool extend(const Bits& open, int count, int left, int budget, coverings::Row& row, std::vector<int>& taken,
              int need) {
    ++nodes_;
    const int size = static_cast<int>(row.size());
    const int covered = static_cast<int>(taken.size());
    if (size == k_) {
      if (covered < need) return false;
      Bits rest = open;
      for (int c : taken) clear(rest, c);
      added_.push_back(row);
      if (cover(rest, count - covered, left - 1, budget)) return true;
      added_.pop_back();
      return false;
    }
    if (nodeLimit_ > 0 && nodes_ > nodeLimit_) return false;
    const int toCome = k_ - size;
    if (covered + toCome * size + toCome * (toCome - 1) / 2 < need) return false;
    const int from = size > 2 ? rank_[static_cast<std::size_t>(row.back())] + 1 : 0;
    for (int r = from; r < v_; ++r) {
      const int x = order_[static_cast<std::size_t>(r)];
      if (std::find(row.begin(), row.end(), x) != row.end()) continue;
      const std::size_t before = taken.size();
      for (int p : row) {
        const int c = classOf_[idx(p, x)];
        if (test(open, c) && std::find(taken.begin(), taken.end(), c) == taken.end()) taken.push_back(c);
      }
      const int gain = static_cast<int>(taken.size() - before);
      if (covered + gain + (toCome - 1) * (size + 1) + (toCome - 1) * (toCome - 2) / 2 >= need) {
        row.push_back(x);
        if (extend(open, count, left, budget, row, taken, need)) return true;
        row.pop_back();
      }
      taken.resize(before);
    }
    return false;
  }

  int v_, k_;
  std::vector<Perm> group_;
  coverings::Rows base_;
  std::vector<int> classOf_;  // class of each ordered pair
  std::vector<std::array<int, 2>> rep_;
  std::vector<char> byOther_;
  std::vector<int> slots_;  // base-row pairs in each class
  std::size_t words_ = 0;
  std::vector<int> order_, rank_;  // the order new rows take their points in, and its inverse
  std::vector<int> classOrder_;    // the order open classes are taken in
  int budget_ = 0;
  bool avoidSame_ = false;
  std::uint64_t nodes_ = 0, nodeLimit_ = 0;
  const std::vector<int>* pick_ = nullptr;
  coverings::Rows added_, result_;
};

}  // namespace

std::optional<coverings::Rows> exchangeBaseRows(int v, int k, const std::vector<Perm>& group,
                                                const coverings::Rows& baseRows, const coverings::Rows& otherRows,
                                                int maxOut) {
  if (v > 64) return std::nullopt;
  BaseExchange exchange(v, k, group, baseRows, otherRows);
  return exchange.run(maxOut);
}

OrbitLnsResult orbitLns(const OrbitLnsPlan& plan, std::uint64_t seed, bool report) {
  BaseExchange state(plan.v, plan.k, plan.group, plan.base, plan.other);
  coverings::Rng rng(seed * 0x9e3779b97f4a7c15ULL + 17);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto started = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
  const int nb = static_cast<int>(plan.base.size());
  const int remove = std::min(plan.remove, nb);
  int open = state.openClasses();
  OrbitLnsResult best{state.base(), open, {}};
  std::uint64_t tries = 0, moves = 0;
  double lastReport = 0;
  std::vector<int> all(static_cast<std::size_t>(nb));
  std::iota(all.begin(), all.end(), 0);
  while (best.open > 0 && elapsed() < plan.seconds) {
    ++tries;
    std::shuffle(all.begin(), all.end(), rng);
    const std::vector<int> pick(all.begin(), all.begin() + remove);
    // A better state first (a search for the same count would rarely happen on one), and uphill
    // only where no exchange of these rows keeps the count (else it would be taken at once).
    if (state.exchange(pick, open - 1, plan.nodeLimit, rng) || state.exchange(pick, open, plan.nodeLimit, rng) ||
        (unit(rng) < plan.uphill && state.exchange(pick, open + 1, plan.nodeLimit, rng))) {
      ++moves;
      open = state.openClasses();
      if (open < best.open) best = {state.base(), open, {}};
    }
    // Higher up, moves come easily and the walk would drift off: it stays within one class of
    // the best.
    if (open > best.open + 1) {
      state.reset(best.base);
      open = best.open;
    }
    if (report && elapsed() - lastReport >= 30) {
      lastReport = elapsed();
      std::fprintf(stderr, "%.0f s: %llu exchanges tried, %llu made, %d classes open (best %d)\n", lastReport,
                   static_cast<unsigned long long>(tries), static_cast<unsigned long long>(moves), open, best.open);
      std::fflush(stderr);
    }
  }
  std::set<coverings::Row> distinct;
  auto keep = [&](coverings::Row r) {
    std::sort(r.begin(), r.end());
    distinct.insert(std::move(r));
  };
  for (const auto& r : plan.other) keep(r);
  for (const Perm& g : plan.group)
    for (const auto& r : best.base) {
      coverings::Row image;
      for (int x : r) image.push_back(g[static_cast<std::size_t>(x)]);
      keep(std::move(image));
    }
  best.rows.assign(distinct.begin(), distinct.end());
  return best;
}

}  // namespace orbits
