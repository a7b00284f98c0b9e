#include "exchange.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <set>
#include <vector>

namespace coverings {
namespace {

using Mask = std::uint64_t;

class Exchange {
 public:
  Exchange(int v, int k, const Rows& rows) : v_(v), k_(k), rows_(rows), count_(static_cast<std::size_t>(v * v), 0) {
    open_ = v * (v - 1) / 2;
    for (const Row& r : rows_) add(r, 1);
    for (const Row& r : rows_) existing_.insert(sorted(r));
  }

  std::optional<Rows> run(int maxOut) {
    for (int out = 1; out <= maxOut; ++out) {
      std::vector<int> pick(static_cast<std::size_t>(out));
      if (auto found = choose(pick, 0, 0)) return found;
    }
    return std::nullopt;
  }

 private:
  static Row sorted(Row r) {
    std::sort(r.begin(), r.end());
    return r;
  }
  int& count(int a, int b) { return count_[static_cast<std::size_t>(a * v_ + b)]; }
  void add(const Row& r, int d) {
    for (std::size_t i = 0; i < r.size(); ++i)
      for (std::size_t j = i + 1; j < r.size(); ++j) {
        int& c = count(r[i], r[j]);
        if (c == 0) --open_;
        c += d;
        if (c == 0) ++open_;
        count(r[j], r[i]) += d;
      }
  }

  // Rows pick[0..depth) are out; choose the rest, then try to cover what is open.
  std::optional<Rows> choose(std::vector<int>& pick, std::size_t depth, int from) {
    // Taking out more rows only opens more pairs; the new rows cannot cover more than this.
    if (open_ > k_ * (k_ - 1) / 2 * static_cast<int>(pick.size())) return std::nullopt;
    if (depth == pick.size()) return tryCover(pick);
    for (int i = from; i < static_cast<int>(rows_.size()); ++i) {
      pick[depth] = i;
      add(rows_[static_cast<std::size_t>(i)], -1);
      auto found = choose(pick, depth + 1, i + 1);
      add(rows_[static_cast<std::size_t>(i)], 1);
      if (found) return found;
    }
    return std::nullopt;
  }

  std::optional<Rows> tryCover(const std::vector<int>& pick) {
    const int pairsPerRow = k_ * (k_ - 1) / 2;
    std::vector<Mask> open(static_cast<std::size_t>(v_), 0);
    int edges = 0;
    for (int a = 0; a < v_; ++a)
      for (int b = a + 1; b < v_; ++b)
        if (count(a, b) == 0) {
          open[static_cast<std::size_t>(a)] |= Mask{1} << b;
          open[static_cast<std::size_t>(b)] |= Mask{1} << a;
          if (++edges > pairsPerRow * static_cast<int>(pick.size())) return std::nullopt;
        }
    std::vector<Row> added;
    if (!cover(open, edges, static_cast<int>(pick.size()), added)) return std::nullopt;
    Rows result;
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
      if (std::find(pick.begin(), pick.end(), i) == pick.end()) result.push_back(rows_[static_cast<std::size_t>(i)]);
    for (const Row& r : added) result.push_back(r);
    return result;
  }

  // Covers the open pairs with `left` new rows; a row holds the open pair of highest degree.
  bool cover(std::vector<Mask>& open, int edges, int left, std::vector<Row>& added) {
    if (edges == 0) {
      // Rows that are not needed (all open pairs gone already) become any new distinct rows.
      while (left-- > 0) {
        Row filler = anyNewRow(added);
        if (filler.empty()) return false;
        added.push_back(filler);
      }
      return true;
    }
    const int pairsPerRow = k_ * (k_ - 1) / 2;
    if (left == 0 || edges > pairsPerRow * left) return false;
    int a = 0;
    for (int x = 1; x < v_; ++x)
      if (std::popcount(open[static_cast<std::size_t>(x)]) > std::popcount(open[static_cast<std::size_t>(a)])) a = x;
    const int b = std::countr_zero(open[static_cast<std::size_t>(a)]);
    const int need = edges - pairsPerRow * (left - 1);  // what this row must cover at least
    Row row{a, b};
    return extend(open, edges, left, added, row, 1, need);
  }

  // Adds points to `row` (taken above the last one, or any point not yet in it) until it has k.
  bool extend(std::vector<Mask>& open, int edges, int left, std::vector<Row>& added, Row& row, int covered,
              int need) {
    const int size = static_cast<int>(row.size());
    if (size == k_) {
      if (covered < need) return false;
      const Row r = sorted(row);
      if (existing_.count(r) || std::find(added.begin(), added.end(), r) != added.end()) return false;
      Mask inRow = 0;
      for (int p : row) inRow |= Mask{1} << p;
      std::vector<Mask> rest = open;
      for (int p : row) rest[static_cast<std::size_t>(p)] &= ~inRow;
      added.push_back(r);
      if (cover(rest, edges - covered, left - 1, added)) return true;
      added.pop_back();
      return false;
    }
    // The most a point can still add: all its open pairs to the points already in the row and
    // to the ones still to come.
    const int toCome = k_ - size;
    const int bound = covered + toCome * size + toCome * (toCome - 1) / 2;
    if (bound < need) return false;
    Mask inRow = 0;
    for (int p : row) inRow |= Mask{1} << p;
    // Points after the last added one keep each set from being tried twice; a = row[0], b = row[1]
    // are fixed, so the free points start at index 2 and go upwards.
    const int from = size > 2 ? row.back() + 1 : 0;
    for (int x = from; x < v_; ++x) {
      if (inRow >> x & 1) continue;
      const int gain = std::popcount(open[static_cast<std::size_t>(x)] & inRow);
      if (covered + gain + (toCome - 1) * (size + 1) + (toCome - 1) * (toCome - 2) / 2 < need) continue;
      row.push_back(x);
      const bool ok = extend(open, edges, left, added, row, covered + gain, need);
      row.pop_back();
      if (ok) return true;
    }
    return false;
  }

  Row anyNewRow(const std::vector<Row>& added) const {
    Row r(static_cast<std::size_t>(k_));
    for (int i = 0; i < k_; ++i) r[static_cast<std::size_t>(i)] = i;
    for (;;) {
      if (!existing_.count(r) && std::find(added.begin(), added.end(), r) == added.end()) return r;
      int i = k_ - 1;
      while (i >= 0 && r[static_cast<std::size_t>(i)] == v_ - k_ + i) --i;
      if (i < 0) return {};
      ++r[static_cast<std::size_t>(i)];
      for (int j = i + 1; j < k_; ++j) r[static_cast<std::size_t>(j)] = r[static_cast<std::size_t>(j - 1)] + 1;
    }
  }

  int v_, k_;
  Rows rows_;
  std::vector<int> count_;
  int open_ = 0;  // pairs no row covers
  std::set<Row> existing_;
};

}  // namespace

std::optional<Rows> exchangeRows(int v, int k, const Rows& rows, int maxOut) {
  if (v > 64) return std::nullopt;
  Exchange exchange(v, k, rows);
  return exchange.run(maxOut);
}

}  // namespace coverings
