#include "lns.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <vector>

#include "cbc.h"

namespace coverings {
namespace {

// t-sets of 0..v-1 by their colex rank, and the t-subsets of a row.
class TSets : public SetRanker {
 public:
  TSets(int v, int t) : SetRanker(v, t), t_(t) {}
  // Calls f(rank) for every t-subset of the ascending set `row`.
  template <class F>
  void eachIn(const Row& row, F&& f) const {
    int pick[8];
    walk(row, 0, 0, pick, f);
  }
  // Calls f(rank) for every t-subset of `set` ∪ {x} that holds x (set ascending, x above all).
  template <class F>
  void eachWith(const Row& set, int x, F&& f) const {
    int pick[8];
    pick[t_ - 1] = x;
    walkWith(set, 0, 0, pick, f);
  }

 private:
  template <class F>
  void walk(const Row& row, std::size_t from, int depth, int* pick, F& f) const {
    if (depth == t_) {
      f(rank(pick));
      return;
    }
    for (std::size_t i = from; i < row.size(); ++i) {
      pick[depth] = row[i];
      walk(row, i + 1, depth + 1, pick, f);
    }
  }
  template <class F>
  void walkWith(const Row& set, std::size_t from, int depth, int* pick, F& f) const {
    if (depth == t_ - 1) {
      f(rank(pick));
      return;
    }
    for (std::size_t i = from; i < set.size(); ++i) {
      pick[depth] = set[i];
      walkWith(set, i + 1, depth + 1, pick, f);
    }
  }

  int t_;
};

class Search {
 public:
  Search(const LnsPlan& plan, std::uint64_t seed)
      : p_(plan), sets_(plan.v, plan.t), rng_(seed), cover_(static_cast<std::size_t>(sets_.count()), 0) {
    rows_ = plan.start;
    for (Row& r : rows_) std::sort(r.begin(), r.end());
    for (const Row& r : rows_) sets_.eachIn(r, [&](long s) { ++cover_[static_cast<std::size_t>(s)]; });
    perRow_ = static_cast<int>(choose(p_.k, p_.t));
  }

  std::optional<Rows> run(Rows& bestOut) {
    long open = openCount();
    long best = open;
    bestOut = rows_;
    for (int step = 0; step < p_.steps && open > 0; ++step) {
      const long now = this->step(open);
      if (now < best) {
        best = now;
        bestOut = rows_;
        save(bestOut);
      }
      if (step % 10 == 0 || now != open)
        std::printf("step %d open %ld (best %ld), %d steps kept\n", step, now, best, kept_), std::fflush(stdout);
      open = now;
    }
    if (open == 0) return rows_;
    return std::nullopt;
  }

 private:
  // The best state so far, as a start for the next run even if this one is stopped.
  void save(const Rows& rows) const {
    std::filesystem::create_directories(p_.work);
    std::ofstream(p_.work / "best.txt") << rowsText(rows);
  }
  long openCount() const { return std::count(cover_.begin(), cover_.end(), 0); }

  // Rows near an open t-set: those meeting a growing set of points, most shared points first.
  std::vector<int> chooseRows() {
    std::vector<long> open;
    for (long s = 0; s < sets_.count(); ++s)
      if (cover_[static_cast<std::size_t>(s)] == 0) open.push_back(s);
    std::vector<char> inP(static_cast<std::size_t>(p_.v), 0);
    int points[8];
    sets_.unrank(open[rng_() % open.size()], points);
    for (int i = 0; i < p_.t; ++i) inP[static_cast<std::size_t>(points[i])] = 1;
    const int want = std::min<int>(p_.remove, static_cast<int>(rows_.size()));
    for (;;) {
      std::vector<std::pair<int, std::uint64_t>> scored;  // (-overlap, random) per row
      std::vector<int> order;
      for (std::size_t i = 0; i < rows_.size(); ++i) {
        int overlap = 0;
        for (int x : rows_[i]) overlap += inP[static_cast<std::size_t>(x)];
        if (overlap > 0) order.push_back(static_cast<int>(i));
        scored.emplace_back(-overlap, rng_());
      }
      if (static_cast<int>(order.size()) >= want) {
        std::sort(order.begin(), order.end(), [&](int a, int b) { return scored[a] < scored[b]; });
        order.resize(static_cast<std::size_t>(want));
        return order;
      }
      // Widen: a point of a row already chosen, so the group stays local.
      const Row& r =
          rows_[static_cast<std::size_t>(order.empty() ? rng_() % rows_.size() : order[rng_() % order.size()])];
      const int x = r[rng_() % r.size()];
      if (inP[static_cast<std::size_t>(x)]) {
        std::vector<int> outside;
        for (int y = 0; y < p_.v; ++y)
          if (!inP[static_cast<std::size_t>(y)]) outside.push_back(y);
        inP[static_cast<std::size_t>(outside[rng_() % outside.size()])] = 1;
      } else {
        inP[static_cast<std::size_t>(x)] = 1;
      }
    }
  }

  // Every k-set that covers at least `least` of the open sets, at most `cap` of them.
  void candidates(const std::vector<char>& isOpen, int least, std::set<Row>& out, std::size_t cap) {
    Row cur;
    const int maxMissing = perRow_ - least;
    std::vector<int> missingAt(static_cast<std::size_t>(p_.k + 1), 0);
    auto grow = [&](auto& self, int from, int missing) -> bool {
      if (static_cast<int>(cur.size()) == p_.k) {
        out.insert(cur);
        return out.size() < cap;
      }
      for (int x = from; x <= p_.v - (p_.k - static_cast<int>(cur.size())); ++x) {
        int add = 0;
        if (static_cast<int>(cur.size()) >= p_.t - 1)
          sets_.eachWith(cur, x, [&](long s) { add += isOpen[static_cast<std::size_t>(s)] ? 0 : 1; });
        if (missing + add > maxMissing) continue;
        cur.push_back(x);
        const bool more = self(self, x + 1, missing + add);
        cur.pop_back();
        if (!more) return false;
      }
      return true;
    };
    grow(grow, 0, 0);
  }

  long step(long openBefore) {
    const std::vector<int> out = chooseRows();
    for (int i : out)
      sets_.eachIn(rows_[static_cast<std::size_t>(i)], [&](long s) { --cover_[static_cast<std::size_t>(s)]; });
    std::vector<char> isOpen(static_cast<std::size_t>(sets_.count()), 0);
    std::vector<long> open;
    for (long s = 0; s < sets_.count(); ++s)
      if (cover_[static_cast<std::size_t>(s)] == 0) {
        isOpen[static_cast<std::size_t>(s)] = 1;
        open.push_back(s);
      }
    const long slack = static_cast<long>(out.size()) * perRow_ - static_cast<long>(open.size());
    // A row that covers fewer open sets wastes more than the replacement can afford; in a tight
    // covering nearly every row covers nearly all its sets anew, so the plan may ask for more.
    int least = static_cast<int>(std::max<long>({1, perRow_ - std::max<long>(slack, 0) - 1, p_.least}));
    std::set<Row> cand;
    while (true) {
      cand.clear();
      candidates(isOpen, least, cand, 400000);
      if (cand.size() < 400000 || least >= perRow_) break;
      ++least;
    }
    std::vector<Row> old;
    for (int i : out) {
      old.push_back(rows_[static_cast<std::size_t>(i)]);
      cand.insert(old.back());
    }
    const std::vector<Row> pool(cand.begin(), cand.end());
    std::printf(
        "  %zu rows out, %zu sets open, %zu candidate rows covering "
        "at least %d\n",
        out.size(), open.size(), pool.size(), least);
    const std::vector<Row> chosen = solve(pool, old, isOpen, open, static_cast<int>(out.size()));
    // Apply the solver's rows when they leave no more open than before.
    long openAfter = openBefore;
    if (!chosen.empty()) {
      std::vector<int> hit(static_cast<std::size_t>(sets_.count()), 0);
      for (const Row& r : chosen) sets_.eachIn(r, [&](long s) { hit[static_cast<std::size_t>(s)] = 1; });
      long left = 0;
      for (long s : open) left += hit[static_cast<std::size_t>(s)] ? 0 : 1;
      // Now and then a step that opens one set more is kept too, to leave a dead end.
      const bool uphill = left == openBefore + 1 && std::uniform_real_distribution<double>(0, 1)(rng_) < p_.uphill;
      if (left <= openBefore || uphill) {
        for (std::size_t j = 0; j < out.size(); ++j) rows_[static_cast<std::size_t>(out[j])] = chosen[j];
        openAfter = left;
        ++kept_;
      }
    }
    for (int i : out)
      sets_.eachIn(rows_[static_cast<std::size_t>(i)], [&](long s) { ++cover_[static_cast<std::size_t>(s)]; });
    return openAfter;
  }

  // Exactly `n` rows of the pool, not all of `old`, leaving the fewest of `open` uncovered.
  std::vector<Row> solve(const std::vector<Row>& pool, const std::vector<Row>& old, const std::vector<char>& isOpen,
                         const std::vector<long>& open, int n) {
    std::vector<std::vector<int>> by(static_cast<std::size_t>(sets_.count()));
    for (std::size_t i = 0; i < pool.size(); ++i)
      sets_.eachIn(pool[i], [&](long s) {
        if (isOpen[static_cast<std::size_t>(s)]) by[static_cast<std::size_t>(s)].push_back(static_cast<int>(i));
      });
    std::filesystem::create_directories(p_.work);
    const auto lp = p_.work / "lns.lp";
    {
      std::ofstream f(lp);
      f << "Minimize\n obj:";
      for (std::size_t j = 0; j < open.size(); ++j) f << " + z" << j << (j % 12 == 11 ? "\n" : "");
      f << "\nSubject To\n";
      for (std::size_t j = 0; j < open.size(); ++j) {
        f << " c" << j << ": z" << j;
        int n2 = 0;
        for (int i : by[static_cast<std::size_t>(open[j])]) f << " + x" << i << (++n2 % 12 == 0 ? "\n" : "");
        f << " >= 1\n";
      }
      f << " rows:";
      for (std::size_t i = 0; i < pool.size(); ++i) f << " + x" << i << (i % 12 == 11 ? "\n" : "");
      f << " = " << n << "\n changed:";
      for (const Row& r : old) f << " + x" << (std::lower_bound(pool.begin(), pool.end(), r) - pool.begin());
      f << " <= " << n - 1 << "\nBounds\n";
      for (std::size_t j = 0; j < open.size(); ++j) f << " z" << j << " <= 1\n";
      f << "Binary\n";
      for (std::size_t i = 0; i < pool.size(); ++i) f << " x" << i << (i % 12 == 11 ? "\n" : "");
      f << "\nEnd\n";
    }
    const auto set = runCbc(lp, p_.seconds, rng_() % 100000 + 1);
    if (!set) return {};
    std::vector<Row> chosen;
    for (std::size_t i : *set) chosen.push_back(pool[i]);
    if (static_cast<int>(chosen.size()) != n) return {};
    return chosen;
  }

  const LnsPlan& p_;
  TSets sets_;
  Rng rng_;
  std::vector<int> cover_;
  Rows rows_;
  int perRow_ = 0;
  int kept_ = 0;
};

}  // namespace

std::optional<Rows> lnsSearch(const LnsPlan& plan, std::uint64_t seed, Rows& bestOut) {
  Search s(plan, seed);
  return s.run(bestOut);
}

}  // namespace coverings
