#include "class_cover.h"

#include <algorithm>
#include <functional>

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

  // Candidate base rows: one per turning orbit (the smallest image), repeating no class and
  // meeting none that is given.
  const int v = plan.m * plan.copies;
  std::vector<Mask> masks;
  std::vector<Row> rows;
  Row r;
  std::function<void(int)> grow = [&](int from) {
    if (static_cast<int>(r.size()) == plan.k) {
      for (int s = 1; s < plan.m; ++s)
        if (classes.turned(r, s) < r) return;
      Mask mask = 0;
      for (std::size_t i = 0; i < r.size(); ++i)
        for (std::size_t j = i + 1; j < r.size(); ++j) {
          if (loose(r[i], r[j])) continue;
          const Mask bit = Mask{1} << classes.of(r[i], r[j]);
          if ((mask | given) & bit) return;
          mask |= bit;
        }
      masks.push_back(mask);
      rows.push_back(r);
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

  // Exact cover: always branch on the open class with the fewest rows still fitting.
  std::vector<int> picked;
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
    int best = -1;
    std::size_t fewest = SIZE_MAX;
    for (int c = firstStrict; c < result.classes; ++c) {
      if ((covered >> c) & 1) continue;
      std::size_t n = 0;
      for (int i : byClass[static_cast<std::size_t>(c)])
        if (!(masks[static_cast<std::size_t>(i)] & covered) && ++n >= fewest) break;
      if (n < fewest) {
        fewest = n;
        best = c;
        if (n == 0) return false;
      }
    }
    for (int i : byClass[static_cast<std::size_t>(best)]) {
      if (masks[static_cast<std::size_t>(i)] & covered) continue;
      picked.push_back(i);
      const bool enough = search(covered | masks[static_cast<std::size_t>(i)]);
      picked.pop_back();
      if (enough) return true;
    }
    return false;
  };
  search(given);
  return result;
}

}  // namespace coverings
