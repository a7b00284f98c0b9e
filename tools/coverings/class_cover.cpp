#include "class_cover.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <numeric>
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
  // The smallest of a row's turns: one row per orbit of turning.
  Row smallestTurn(const Row& r) const {
    Row best;
    for (int s = 0; s < m_; ++s) {
      const Row t = turned(r, s);
      if (s == 0 || t < best) best = t;
    }
    return best;
  }

 private:
  int m_, copies_, half_;
};

// Relabellings that map the configuration onto itself: blocks permuted (the loose ones among
// themselves, each onto one with as many base rows) and every block multiplied by the same unit
// of Z_m, keeping the given rows and the classes to be covered twice.
struct Relabel {
  std::vector<int> block;
  int unit;
};

class Relabellings {
 public:
  Relabellings(const ClassCoverPlan& plan, const Classes& classes) : plan_(plan), classes_(classes) {
    std::vector<int> order(static_cast<std::size_t>(plan.copies));
    for (int b = 0; b < plan.copies; ++b) order[static_cast<std::size_t>(b)] = b;
    long count = 1;
    for (int b = 2; b <= plan.copies; ++b) count *= b;
    if (count > 50000) return;  // too many to list: no reduction
    std::set<Row> givenImages;
    for (const Row& g : plan.given) givenImages.insert(classes.smallestTurn(g));
    std::set<int> twiceClasses;
    for (const Row& pair : plan.twice) twiceClasses.insert(classes.of(pair[0], pair[1]));
    do {
      bool kept = true;
      for (int b = 0; b < plan.copies; ++b) {
        const int to = order[static_cast<std::size_t>(b)];
        if ((b < plan.looseBlocks) != (to < plan.looseBlocks)) kept = false;
        if (!plan.blockRows.empty() &&
            plan.blockRows[static_cast<std::size_t>(b)] != plan.blockRows[static_cast<std::size_t>(to)])
          kept = false;
      }
      if (!kept) continue;
      for (int unit = 1; unit < plan.m; ++unit) {
        if (std::gcd(unit, plan.m) != 1) continue;
        const Relabel g{order, unit};
        bool keeps = true;
        for (const Row& row : plan.given) keeps = keeps && givenImages.count(image(g, row));
        for (const Row& pair : plan.twice) keeps = keeps && twiceClasses.count(classOf(g, pair[0], pair[1]));
        if (keeps) all_.push_back(g);
      }
    } while (std::next_permutation(order.begin(), order.end()));
  }
  const std::vector<Relabel>& all() const { return all_; }
  int point(const Relabel& g, int x) const {
    return g.block[static_cast<std::size_t>(x / plan_.m)] * plan_.m + x % plan_.m * g.unit % plan_.m;
  }
  // The image of a row, as the smallest of its turns.
  Row image(const Relabel& g, const Row& row) const {
    Row t;
    for (int x : row) t.push_back(point(g, x));
    std::sort(t.begin(), t.end());
    return classes_.smallestTurn(t);
  }
  int classOf(const Relabel& g, int p, int q) const { return classes_.of(point(g, p), point(g, q)); }

 private:
  const ClassCoverPlan& plan_;
  const Classes& classes_;
  std::vector<Relabel> all_;
};

}  // namespace

ClassCoverResult classCover(const ClassCoverPlan& plan, std::size_t maxSolutions) {
  const Classes classes(plan.m, plan.copies);
  ClassCoverResult result;
  result.classes = classes.count();
  const int firstStrict = plan.looseBlocks * (plan.m / 2);  // loose classes come first
  auto loose = [&](int p, int q) { return p / plan.m == q / plan.m && p / plan.m < plan.looseBlocks; };
  // A class to be covered twice gets a second bit after the others.
  std::vector<int> second(static_cast<std::size_t>(result.classes), -1);
  int bitCount = static_cast<int>(result.classes);
  for (const Row& pair : plan.twice) {
    int& bit = second[static_cast<std::size_t>(classes.of(pair[0], pair[1]))];
    if (bit < 0) bit = bitCount++;
  }
  if (bitCount > 128) {
    result.tooLarge = true;
    return result;
  }
  std::vector<int> classOfBit(static_cast<std::size_t>(bitCount));
  for (int c = 0; c < bitCount; ++c) classOfBit[static_cast<std::size_t>(c)] = c;
  for (int c = 0; c < result.classes; ++c)
    if (second[static_cast<std::size_t>(c)] >= 0)
      classOfBit[static_cast<std::size_t>(second[static_cast<std::size_t>(c)])] = c;
  // Covers class c once more: its first bit, or its second where the first is taken.
  auto once = [&](int c, Mask covered) {
    const Mask first = Mask{1} << c;
    return (covered & first) && second[static_cast<std::size_t>(c)] >= 0
               ? Mask{1} << second[static_cast<std::size_t>(c)]
               : first;
  };
  Mask given = 0, all = 0;
  for (int c = firstStrict; c < bitCount; ++c) all |= Mask{1} << c;
  for (const Row& r : plan.given)
    for (std::size_t i = 0; i < r.size(); ++i)
      for (std::size_t j = i + 1; j < r.size(); ++j)
        if (!loose(r[i], r[j])) given |= once(classes.of(r[i], r[j]), given);
  for (int c = firstStrict; c < bitCount; ++c) result.open += ((given >> c) & 1) ? 0 : 1;

  // Candidate base rows: one per turning orbit (the smallest image); a class it repeats, or that
  // a given row covers, uses one of the spare slots.
  const int v = plan.m * plan.copies;
  std::vector<Mask> masks;
  std::vector<Row> rows;
  std::vector<int> looseSlots;  // pairs of a candidate inside the loose blocks
  std::vector<int> repeats;     // pairs of a candidate in a class it or a given row covers already
  std::vector<Row> onceOf;      // classes to be covered twice that a candidate covers once
  const int slotBudget = plan.baseRows * plan.k * (plan.k - 1) / 2 - static_cast<int>(result.open);
  Row r;
  std::function<void(int)> grow = [&](int from) {
    if (static_cast<int>(r.size()) == plan.k) {
      for (int s = 1; s < plan.m; ++s)
        if (classes.turned(r, s) < r) return;
      Mask mask = 0;
      int slots = 0, repeated = 0;
      Row onceHere;
      for (std::size_t i = 0; i < r.size(); ++i)
        for (std::size_t j = i + 1; j < r.size(); ++j) {
          if (loose(r[i], r[j])) {
            if (++slots > slotBudget) return;
            continue;
          }
          const int c = classes.of(r[i], r[j]);
          if (second[static_cast<std::size_t>(c)] >= 0) {
            auto at = std::find(onceHere.begin(), onceHere.end(), c);
            if (at == onceHere.end()) {
              onceHere.push_back(c);
            } else {  // twice in this row: both bits
              onceHere.erase(at);
              mask |= (Mask{1} << c) | (Mask{1} << second[static_cast<std::size_t>(c)]);
            }
            continue;
          }
          const Mask bit = Mask{1} << c;
          if (((mask | given) & bit) && ++repeated > plan.spare) return;
          mask |= bit;
        }
      for (int c : onceHere)
        if ((mask >> c) & 1) return;  // a third time
      masks.push_back(mask);
      onceOf.push_back(onceHere);
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

  // The bits candidate i would cover next to those covered.
  auto coverOf = [&](int i, Mask covered) {
    Mask mask = masks[static_cast<std::size_t>(i)];
    for (int c : onceOf[static_cast<std::size_t>(i)]) mask |= once(c, covered);
    return mask;
  };
  // Blocks no chosen row has touched yet are interchangeable, and each can be turned on its own:
  // the rows covering a class inside touched blocks need one representative per class of rows
  // equal up to those symmetries (and turning as a whole). The loose blocks, the blocks of the
  // given rows and one further block count as touched from the start.
  std::vector<int> blockOf(static_cast<std::size_t>(result.classes) * 2, 0);
  std::vector<std::pair<int, int>> classPair(static_cast<std::size_t>(result.classes));
  for (int p = 0; p < v; ++p)
    for (int q = p + 1; q < v; ++q) {
      const auto c = static_cast<std::size_t>(classes.of(p, q));
      blockOf[2 * c] = p / plan.m;
      blockOf[2 * c + 1] = q / plan.m;
      classPair[c] = {p, q};
    }
  std::vector<char> touched(static_cast<std::size_t>(plan.copies), 0);
  for (int b = 0; b < plan.looseBlocks && b < plan.copies; ++b) touched[static_cast<std::size_t>(b)] = 1;
  for (const Row& g : plan.given)
    for (int x : g) touched[static_cast<std::size_t>(x / plan.m)] = 1;
  for (const Row& pair : plan.twice)
    for (int x : pair) touched[static_cast<std::size_t>(x / plan.m)] = 1;
  if (plan.looseBlocks < plan.copies) touched[static_cast<std::size_t>(plan.looseBlocks)] = 1;
  auto symmetryKey = [&](const Row& row) {
    Row inTouched;
    std::vector<std::vector<int>> untouched(static_cast<std::size_t>(plan.copies));
    for (int x : row) {
      if (touched[static_cast<std::size_t>(x / plan.m)])
        inTouched.push_back(x);
      else
        untouched[static_cast<std::size_t>(x / plan.m)].push_back(x % plan.m);
    }
    Row key = classes.smallestTurn(inTouched);
    std::vector<std::vector<int>> shapes;  // residues, turned like the points of block 0
    for (const auto& pos : untouched)
      if (!pos.empty()) shapes.push_back(classes.smallestTurn(pos));
    std::sort(shapes.begin(), shapes.end());
    for (const auto& shape : shapes) {
      key.push_back(-1);
      key.insert(key.end(), shape.begin(), shape.end());
    }
    return key;
  };

  // Relabellings fixing the given rows and every row chosen so far also fix the subtree, so of
  // the candidates for a class such a relabelling fixes only one per image class is tried. The
  // untouched-block reduction above misses these once every block is touched, which given rows
  // through all blocks do at once.
  const Relabellings relabellings(plan, classes);
  const std::vector<Relabel>& symmetries = relabellings.all();
  auto classImage = [&](const Relabel& g, int c) {
    const auto& [p, q] = classPair[static_cast<std::size_t>(c)];
    return relabellings.classOf(g, p, q);
  };
  std::vector<int> stabiliser(symmetries.size());  // relabellings fixing the given and chosen rows
  for (std::size_t i = 0; i < symmetries.size(); ++i) stabiliser[i] = static_cast<int>(i);

  // Exact cover: branch on the open class with the fewest rows still fitting, among the classes
  // inside touched blocks where there is one.
  std::vector<int> picked;
  int spent = 0, spentRepeats = 0;
  // Every block in exactly its `blockRows` base rows (counted with multiplicity): a row with n points
  // of a block covers n(k - n) + n(n - 1)/2 classes touching it where n single points would cover
  // n(k - 1), so the classes the block still needs bound how many points a row may put together.
  const auto blocks = static_cast<std::size_t>(plan.copies);
  std::vector<int> blockUse(blocks, 0), blockLoss(blocks, 0), lossBudget(blocks, 0);
  if (!plan.blockRows.empty())
    for (int c = firstStrict; c < bitCount; ++c) {
      if ((given >> c) & 1) continue;
      const auto at = static_cast<std::size_t>(classOfBit[static_cast<std::size_t>(c)]);
      const int p = blockOf[2 * at], q = blockOf[2 * at + 1];
      --lossBudget[static_cast<std::size_t>(p)];
      if (q != p) --lossBudget[static_cast<std::size_t>(q)];
    }
  for (std::size_t b = 0; b < blocks && b < plan.blockRows.size(); ++b)
    lossBudget[b] += (plan.k - 1) * plan.blockRows[b];
  auto lossOf = [&](int n) { return (plan.k - 1) * n - n * (plan.k - n) - n * (n - 1) / 2; };
  std::vector<std::vector<int>> pointsIn(rows.size(), std::vector<int>(blocks, 0));  // per candidate and block
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (int x : rows[i]) ++pointsIn[i][static_cast<std::size_t>(x / plan.m)];
  auto blockFits = [&](int i) {
    if (plan.blockRows.empty()) return true;
    const std::vector<int>& n = pointsIn[static_cast<std::size_t>(i)];
    for (std::size_t b = 0; b < blocks; ++b)
      if (blockUse[b] + n[b] > plan.blockRows[b] || blockLoss[b] + lossOf(n[b]) > lossBudget[b]) return false;
    return true;
  };
  auto useBlocks = [&](int i, int sign) {
    if (plan.blockRows.empty()) return;
    const std::vector<int>& n = pointsIn[static_cast<std::size_t>(i)];
    for (std::size_t b = 0; b < blocks; ++b) {
      blockUse[b] += sign * n[b];
      blockLoss[b] += sign * lossOf(n[b]);
    }
  };
  auto bits = [](Mask m) {
    return __builtin_popcountll(static_cast<unsigned long long>(m)) +
           __builtin_popcountll(static_cast<unsigned long long>(m >> 64));
  };
  // Classes a candidate covers again: within itself or given (counted once), or chosen before.
  auto repeatsWith = [&](int i, Mask covered) {
    return repeats[static_cast<std::size_t>(i)] + bits(masks[static_cast<std::size_t>(i)] & covered & ~given);
  };
  std::function<bool(Mask, const std::vector<int>&)> search = [&](Mask covered, const std::vector<int>& live) {
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
      if (!blockFits(i)) return false;
      if (plan.spare == 0) return !(coverOf(i, covered) & covered) && spent + looseSlots[at] <= slotBudget;
      const int again = repeatsWith(i, covered);
      return spentRepeats + again <= plan.spare && spent + looseSlots[at] + again <= slotBudget;
    };
    // Only the candidates still fitting go on down; counting them per open class finds the class
    // with the fewest ways left (and a class no candidate can cover any more ends the branch).
    std::vector<int> fit;
    std::vector<int> ways(static_cast<std::size_t>(bitCount), 0);
    for (int i : live) {
      if (!fits(i)) continue;
      fit.push_back(i);
      Mask reach = coverOf(i, covered);  // a class covered once may take either of its bits
      for (int c : onceOf[static_cast<std::size_t>(i)]) reach |= Mask{1} << second[static_cast<std::size_t>(c)];
      for (Mask m = reach & ~covered; m; m &= m - 1) {
        const auto low = static_cast<unsigned long long>(m);
        ++ways[static_cast<std::size_t>(low ? __builtin_ctzll(low)
                                            : 64 + __builtin_ctzll(static_cast<unsigned long long>(m >> 64)))];
      }
    }
    int best = -1;
    bool reduce = false;
    int fewest = INT_MAX;
    for (int pass = 0; pass < 2 && best < 0; ++pass)
      for (int c = firstStrict; c < bitCount; ++c) {
        if ((covered >> c) & 1) continue;
        const int n = ways[static_cast<std::size_t>(c)];
        if (n == 0) return false;
        const auto at = static_cast<std::size_t>(classOfBit[static_cast<std::size_t>(c)]);
        const bool inside = touched[static_cast<std::size_t>(blockOf[2 * at])] &&
                            touched[static_cast<std::size_t>(blockOf[2 * at + 1])];
        if (pass == 0 && !inside) continue;
        if (c != static_cast<int>(at) && !((covered >> at) & 1)) continue;  // its first bit first
        if (n < fewest) {
          fewest = n;
          best = c;
          reduce = pass == 0;
        }
      }
    std::set<Row> tried, triedImages;
    std::vector<int> fixing;  // relabellings that fix the chosen rows and the class branched on
    for (int g : stabiliser)
      if (classImage(symmetries[static_cast<std::size_t>(g)], classOfBit[static_cast<std::size_t>(best)]) ==
          classOfBit[static_cast<std::size_t>(best)])
        fixing.push_back(g);
    int branch = 0;
    for (int i : fit) {
      if (!((coverOf(i, covered) >> best) & 1)) continue;
      ++branch;
      const Row& row = rows[static_cast<std::size_t>(i)];
      if (reduce && !tried.insert(symmetryKey(row)).second) continue;
      if (fixing.size() > 1) {
        Row least = row;
        for (int g : fixing) least = std::min(least, relabellings.image(symmetries[static_cast<std::size_t>(g)], row));
        if (!triedImages.insert(least).second) continue;
      }
      if (picked.size() < 2)  // long searches show how far they are
        std::fprintf(stderr, "%*sbranch %d of %d\n", 2 * static_cast<int>(picked.size()), "", branch, fewest);
      const std::vector<int> stabiliserBefore = stabiliser;
      stabiliser.clear();
      for (int g : stabiliserBefore)
        if (relabellings.image(symmetries[static_cast<std::size_t>(g)], row) == row) stabiliser.push_back(g);
      const std::vector<char> before = touched;
      for (int x : row) touched[static_cast<std::size_t>(x / plan.m)] = 1;
      picked.push_back(i);
      const int again = repeatsWith(i, covered);
      spent += looseSlots[static_cast<std::size_t>(i)] + again;
      spentRepeats += again;
      useBlocks(i, 1);
      const bool enough = search(covered | coverOf(i, covered), fit);
      useBlocks(i, -1);
      spentRepeats -= again;
      spent -= looseSlots[static_cast<std::size_t>(i)] + again;
      picked.pop_back();
      touched = before;
      stabiliser = stabiliserBefore;
      if (enough) return true;
    }
    return false;
  };
  std::vector<int> everyCandidate(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) everyCandidate[i] = static_cast<int>(i);
  search(given, everyCandidate);
  return result;
}

std::vector<Rows> matchingTwiceChoices(const ClassCoverPlan& plan) {
  const Classes classes(plan.m, plan.copies);
  const Relabellings relabellings(plan, classes);
  std::vector<Rows> choices;
  std::set<std::vector<int>> seen;
  std::vector<int> partner(static_cast<std::size_t>(plan.copies), -1);
  Rows pairs;
  std::function<void()> match = [&] {
    int first = 0;
    while (first < plan.copies && partner[static_cast<std::size_t>(first)] >= 0) ++first;
    if (first == plan.copies) {
      std::vector<int> key;
      for (const Relabel& g : relabellings.all()) {
        std::vector<int> image;
        for (const Row& pair : pairs) image.push_back(relabellings.classOf(g, pair[0], pair[1]));
        std::sort(image.begin(), image.end());
        if (key.empty() || image < key) key = image;
      }
      if (key.empty())
        for (const Row& pair : pairs) key.push_back(classes.of(pair[0], pair[1]));
      if (seen.insert(key).second) choices.push_back(pairs);
      return;
    }
    for (int other = first + 1; other < plan.copies; ++other) {
      if (partner[static_cast<std::size_t>(other)] >= 0) continue;
      partner[static_cast<std::size_t>(first)] = other;
      partner[static_cast<std::size_t>(other)] = first;
      for (int d = 0; d < plan.m; ++d) {
        pairs.push_back({first * plan.m, other * plan.m + d});
        match();
        pairs.pop_back();
      }
      partner[static_cast<std::size_t>(first)] = partner[static_cast<std::size_t>(other)] = -1;
    }
  };
  if (plan.copies % 2 == 0) match();
  return choices;
}

}  // namespace coverings
