#include "class_cover.h"

#include <algorithm>
#include <functional>
#include <set>

namespace coverings {
namespace {

__extension__ using Mask = unsigned __int128;

class Classes {
 public:
  Classes(int m, int copies) : m_(m), copies_(copies), half_(m / 2) {}
  int count() const { return copies_ * half_ + copies_ * (copies_ - 1) / 2 * m_; }
  int of(int p, int q) const {
    int bp = p / m_, bq = q / m_;
    if (bp > bq) {
      std::swap(p, q);
      std::swap(bp, bq);
    }
    const int d = ((q % m_ - p % m_) % m_ + m_) % m_;
    if (bp == bq) return bp * half_ + std::min(d, m_ - d) - 1;
    // Pairs of blocks in order (0,1), (0,2), ..., (1,2), ...
    const int pairIndex = bp * copies_ - bp * (bp + 1) / 2 + (bq - bp - 1);
    return copies_ * half_ + pairIndex * m_ + d;
  }
  // The row turned by s inside every block.
  Row turned(const Row& r, int s) const {
    Row t;
    for (int x : r) t.push_back(x / m_ * m_ + (x % m_ + s) % m_);
    std::sort(t.begin(), t.end());
    return t;
  }

 private:
  int m_, copies_, half_;
};

}  // namespace

ClassCoverResult classCover(const ClassCoverPlan& plan, std::size_t maxSolutions) {
  const Classes classes(plan.m, plan.copies);
  ClassCoverResult result;
  result.classes = classes.count();
  const int firstStrict = plan.looseBlocks * (plan.m / 2);  // loose classes come first
  auto loose = [&](int p, int q) { return p / plan.m == q / plan.m && p / plan.m < plan.looseBlocks; };
  if (result.classes > 128) {
    result.tooLarge = true;
    return result;
  }
  Mask given = 0, all = 0;
  for (int c = firstStrict; c < result.classes; ++c) all |= Mask{1} << c;
  for (const Row& r : plan.given)
    for (std::size_t i = 0; i < r.size(); ++i)
      for (std::size_t j = i + 1; j < r.size(); ++j)
        if (!loose(r[i], r[j])) given |= Mask{1} << classes.of(r[i], r[j]);
  for (int c = firstStrict; c < result.classes; ++c) result.open += ((given >> c) & 1) ? 0 : 1;

  // Candidate base rows: one per turning orbit (the smallest image); a class it repeats, or that
  // a given row covers, uses one of the spare slots.
  const int v = plan.m * plan.copies;
  std::vector<Mask> masks;
  std::vector<Row> rows;
  std::vector<int> looseSlots;  // pairs of a candidate inside the loose blocks
  std::vector<int> repeats;     // pairs of a candidate in a class it or a given row covers already
  const int slotBudget = plan.baseRows * plan.k * (plan.k - 1) / 2 - static_cast<int>(result.open);
  Row r;
  std::function<void(int)> grow = [&](int from) {
    if (static_cast<int>(r.size()) == plan.k) {
      for (int s = 1; s < plan.m; ++s)
        if (classes.turned(r, s) < r) return;
      Mask mask = 0;
      int slots = 0, repeated = 0;
      for (std::size_t i = 0; i < r.size(); ++i)
        for (std::size_t j = i + 1; j < r.size(); ++j) {
          if (loose(r[i], r[j])) {
            if (++slots > slotBudget) return;
            continue;
          }
          const Mask bit = Mask{1} << classes.of(r[i], r[j]);
          if (((mask | given) & bit) && ++repeated > plan.spare) return;
          mask |= bit;
        }
      masks.push_back(mask);
      rows.push_back(r);
      looseSlots.push_back(slots);
      repeats.push_back(repeated);
      return;
    }
    for (int x = from; x < v; ++x) {
      r.push_back(x);
      grow(x + 1);
      r.pop_back();
    }
  };
  grow(0);
  result.candidates = static_cast<long>(rows.size());

  std::vector<std::vector<int>> byClass(static_cast<std::size_t>(result.classes));
  for (std::size_t i = 0; i < masks.size(); ++i)
    for (int c = firstStrict; c < result.classes; ++c)
      if ((masks[i] >> c) & 1) byClass[static_cast<std::size_t>(c)].push_back(static_cast<int>(i));

  // Blocks no chosen row has touched yet are interchangeable, and each can be turned on its own:
  // the rows covering a class inside touched blocks need one representative per class of rows
  // equal up to those symmetries (and turning as a whole). The loose blocks, the blocks of the
  // given rows and one further block count as touched from the start.
  std::vector<int> blockOf(static_cast<std::size_t>(result.classes) * 2, 0);
  for (int p = 0; p < v; ++p)
    for (int q = p + 1; q < v; ++q) {
      const auto c = static_cast<std::size_t>(classes.of(p, q));
      blockOf[2 * c] = p / plan.m;
      blockOf[2 * c + 1] = q / plan.m;
    }
  std::vector<char> touched(static_cast<std::size_t>(plan.copies), 0);
  for (int b = 0; b < plan.looseBlocks && b < plan.copies; ++b) touched[static_cast<std::size_t>(b)] = 1;
  for (const Row& g : plan.given)
    for (int x : g) touched[static_cast<std::size_t>(x / plan.m)] = 1;
  if (plan.looseBlocks < plan.copies) touched[static_cast<std::size_t>(plan.looseBlocks)] = 1;
  auto smallestTurn = [&](std::vector<int> pos) {
    std::vector<int> best;
    for (int s = 0; s < plan.m; ++s) {
      std::vector<int> t;
      for (int x : pos) t.push_back((x + s) % plan.m);
      std::sort(t.begin(), t.end());
      if (s == 0 || t < best) best = t;
    }
    return best;
  };
  auto symmetryKey = [&](const Row& row) {
    Row inTouched;
    std::vector<std::vector<int>> untouched(static_cast<std::size_t>(plan.copies));
    for (int x : row) {
      if (touched[static_cast<std::size_t>(x / plan.m)])
        inTouched.push_back(x);
      else
        untouched[static_cast<std::size_t>(x / plan.m)].push_back(x % plan.m);
    }
    Row key;
    for (int s = 0; s < plan.m; ++s) {
      const Row t = classes.turned(inTouched, s);
      if (s == 0 || t < key) key = t;
    }
    std::vector<std::vector<int>> shapes;
    for (const auto& pos : untouched)
      if (!pos.empty()) shapes.push_back(smallestTurn(pos));
    std::sort(shapes.begin(), shapes.end());
    for (const auto& shape : shapes) {
      key.push_back(-1);
      key.insert(key.end(), shape.begin(), shape.end());
    }
    return key;
  };

  // Exact cover: branch on the open class with the fewest rows still fitting, among the classes
  // inside touched blocks where there is one.
  std::vector<int> picked;
  int spent = 0, spentRepeats = 0;
  auto bits = [](Mask m) {
    return __builtin_popcountll(static_cast<unsigned long long>(m)) +
           __builtin_popcountll(static_cast<unsigned long long>(m >> 64));
  };
  // Classes a candidate covers again: within itself or given (counted once), or chosen before.
  auto repeatsWith = [&](int i, Mask covered) {
    return repeats[static_cast<std::size_t>(i)] + bits(masks[static_cast<std::size_t>(i)] & covered & ~given);
  };
  std::function<bool(Mask)> search = [&](Mask covered) {
    if (covered == all) {
      Rows solution = plan.given;
      for (int i : picked) solution.push_back(rows[static_cast<std::size_t>(i)]);
      std::vector<char> looseCovered(static_cast<std::size_t>(firstStrict), 0);
      for (const Row& row : solution)
        for (std::size_t i = 0; i < row.size(); ++i)
          for (std::size_t j = i + 1; j < row.size(); ++j)
            if (loose(row[i], row[j])) looseCovered[static_cast<std::size_t>(classes.of(row[i], row[j]))] = 1;
      if (std::count(looseCovered.begin(), looseCovered.end(), 0) > 0) return false;
      solution.erase(solution.begin(), solution.begin() + static_cast<long>(plan.given.size()));
      result.solutions.push_back(solution);
      return result.solutions.size() >= maxSolutions;
    }
    if (static_cast<int>(picked.size()) == plan.baseRows) return false;
    auto fits = [&](int i) {
      const auto at = static_cast<std::size_t>(i);
      if (plan.spare == 0) return !(masks[at] & covered) && spent + looseSlots[at] <= slotBudget;
      const int again = repeatsWith(i, covered);
      return spentRepeats + again <= plan.spare && spent + looseSlots[at] + again <= slotBudget;
    };
    int best = -1;
    bool reduce = false;
    std::size_t fewest = SIZE_MAX;
    for (int pass = 0; pass < 2 && best < 0; ++pass)
      for (int c = firstStrict; c < result.classes; ++c) {
        if ((covered >> c) & 1) continue;
        const bool inside = touched[static_cast<std::size_t>(blockOf[2 * static_cast<std::size_t>(c)])] &&
                            touched[static_cast<std::size_t>(blockOf[2 * static_cast<std::size_t>(c) + 1])];
        if (pass == 0 && !inside) continue;
        std::size_t n = 0;
        for (int i : byClass[static_cast<std::size_t>(c)])
          if (fits(i) && ++n >= fewest) break;
        if (n < fewest) {
          fewest = n;
          best = c;
          reduce = pass == 0;
          if (n == 0) return false;
        }
      }
    std::set<Row> tried;
    for (int i : byClass[static_cast<std::size_t>(best)]) {
      if (!fits(i)) continue;
      const Row& row = rows[static_cast<std::size_t>(i)];
      if (reduce && !tried.insert(symmetryKey(row)).second) continue;
      const std::vector<char> before = touched;
      for (int x : row) touched[static_cast<std::size_t>(x / plan.m)] = 1;
      picked.push_back(i);
      const int again = repeatsWith(i, covered);
      spent += looseSlots[static_cast<std::size_t>(i)] + again;
      spentRepeats += again;
      const bool enough = search(covered | masks[static_cast<std::size_t>(i)]);
      spentRepeats -= again;
      spent -= looseSlots[static_cast<std::size_t>(i)] + again;
      picked.pop_back();
      touched = before;
      if (enough) return true;
    }
    return false;
  };
  search(given);
  return result;
}

}  // namespace coverings
