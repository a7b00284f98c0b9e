#include "orbit_exchange.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orbits {
namespace {

using Bits = std::vector<std::uint64_t>;

bool test(const Bits& b, int i) { return b[static_cast<std::size_t>(i >> 6)] >> (i & 63) & 1; }
void clear(Bits& b, int i) { b[static_cast<std::size_t>(i >> 6)] &= ~(std::uint64_t{1} << (i & 63)); }

class BaseExchange {
 public:
  BaseExchange(int v, int k, const std::vector<Perm>& group, const coverings::Rows& base, const coverings::Rows& other)
      : v_(v), k_(k), base_(base), classOf_(static_cast<std::size_t>(v * v), -1) {
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
  }

  std::optional<coverings::Rows> run(int maxOut) {
    for (int out = 1; out <= maxOut && out <= static_cast<int>(base_.size()); ++out) {
      std::vector<int> pick;
      if (choose(pick, out, 0)) return result_;
    }
    return std::nullopt;
  }

 private:
  std::size_t idx(int a, int b) const { return static_cast<std::size_t>(a * v_ + b); }
  int pairsPerRow() const { return k_ * (k_ - 1) / 2; }

  void add(const coverings::Row& r, int d) {
    for (std::size_t i = 0; i < r.size(); ++i)
      for (std::size_t j = i + 1; j < r.size(); ++j) slots_[static_cast<std::size_t>(classOf_[idx(r[i], r[j])])] += d;
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
        if (++count > pairsPerRow() * static_cast<int>(pick.size())) return false;
      }
    added_.clear();
    if (!cover(open, count, static_cast<int>(pick.size()))) return false;
    result_.clear();
    for (int i = 0; i < static_cast<int>(base_.size()); ++i)
      if (std::find(pick.begin(), pick.end(), i) == pick.end()) result_.push_back(base_[static_cast<std::size_t>(i)]);
    // Rows no longer needed (what they covered is covered already) come back unchanged.
    for (std::size_t i = 0; result_.size() + added_.size() < base_.size(); ++i)
      result_.push_back(base_[static_cast<std::size_t>(pick[i])]);
    for (const auto& r : added_) result_.push_back(r);
    return true;
  }

  // Covers the open classes with `left` new base rows. Every orbit covering a class has a row
  // through its representative pair, so the next row starts with that pair.
  bool cover(const Bits& open, int count, int left) {
    if (count == 0) return true;
    if (left == 0 || count > pairsPerRow() * left) return false;
    int c0 = 0;
    while (!test(open, c0)) ++c0;
    const int need = count - pairsPerRow() * (left - 1);
    coverings::Row row{rep_[static_cast<std::size_t>(c0)][0], rep_[static_cast<std::size_t>(c0)][1]};
    std::vector<int> taken{c0};
    return extend(open, count, left, row, taken, need);
  }

  bool extend(const Bits& open, int count, int left, coverings::Row& row, std::vector<int>& taken, int need) {
    const int size = static_cast<int>(row.size());
    const int covered = static_cast<int>(taken.size());
    if (size == k_) {
      if (covered < need) return false;
      Bits rest = open;
      for (int c : taken) clear(rest, c);
      added_.push_back(row);
      if (cover(rest, count - covered, left - 1)) return true;
      added_.pop_back();
      return false;
    }
    const int toCome = k_ - size;
    if (covered + toCome * size + toCome * (toCome - 1) / 2 < need) return false;
    const int from = size > 2 ? row.back() + 1 : 0;
    for (int x = from; x < v_; ++x) {
      if (std::find(row.begin(), row.end(), x) != row.end()) continue;
      const std::size_t before = taken.size();
      for (int p : row) {
        const int c = classOf_[idx(p, x)];
        if (test(open, c) && std::find(taken.begin(), taken.end(), c) == taken.end()) taken.push_back(c);
      }
      const int gain = static_cast<int>(taken.size() - before);
      if (covered + gain + (toCome - 1) * (size + 1) + (toCome - 1) * (toCome - 2) / 2 >= need) {
        row.push_back(x);
        if (extend(open, count, left, row, taken, need)) return true;
        row.pop_back();
      }
      taken.resize(before);
    }
    return false;
  }

  int v_, k_;
  coverings::Rows base_;
  std::vector<int> classOf_;  // class of each ordered pair
  std::vector<std::array<int, 2>> rep_;
  std::vector<char> byOther_;
  std::vector<int> slots_;  // base-row pairs in each class
  std::size_t words_ = 0;
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

}  // namespace orbits
