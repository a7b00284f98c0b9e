// Builds the row matrices of the reduced lottery systems and writes them as C++ data.
// See README.md for the commands.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "class_cover.h"
#include "constructions.h"
#include "covering.h"
#include "generation/systeme.h"
#include "lns.h"
#include "orbit_annealing.h"
#include "orbit_exchange.h"
#include "orbits.h"

namespace fs = std::filesystem;
using coverings::Rng;
using coverings::Row;
using coverings::Rows;
using coverings::rowsText;

namespace {

// Layouts taken over as they are (1-based positions, in their given row order).
const std::map<int, std::vector<std::vector<int>>> kFixedMatrices = {
    {1, {{1, 2, 3}, {1, 2, 4}, {1, 3, 4}}},
    {86, {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}, {1, 2, 3, 5, 6}}},
    {69, {{1, 2, 3, 4, 5}, {1, 2, 3, 6, 7}, {1, 4, 5, 6, 7}, {2, 3, 4, 5, 6}, {2, 3, 4, 5, 7}}},
    {43,
     {{1, 3, 4, 5},
      {1, 2, 3, 6},
      {1, 2, 5, 6},
      {3, 4, 5, 6},
      {2, 3, 4, 5},
      {1, 2, 4, 6},
      {3, 4, 5, 7},
      {1, 5, 6, 7},
      {2, 3, 6, 7},
      {2, 4, 6, 7},
      {1, 2, 5, 7},
      {1, 3, 4, 7}}},
    {131, {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}, {1, 2, 3, 5, 6}, {1, 2, 4, 5, 6}, {1, 3, 4, 5, 6}}},
    {159, {{1, 2, 6, 7, 8}, {2, 3, 4, 5, 9}}},
    {201, {{1, 2, 8, 10, 11}, {1, 6, 7, 8, 10}, {1, 6, 7, 11, 12}, {2, 3, 4, 5, 9}}},
};

// Keys whose matrix is another key's: the guarantee is only counted differently.
int baseKey(int key) {
  if (key >= 38 && key <= 42) return 3 + 3 * (key - 38);
  if (key >= 57 && key <= 68) return 45 + (key - 57);
  return key;
}

struct KeyParams {
  int v, k, t, target;
};

KeyParams params(int key) {
  const kw::SystemEntry e = kw::catalogueEntry(key);
  return {e.wz, 5 - e.bz, e.trg, e.r};
}

// Checks what every shipped matrix promises; empty string when fine.
std::string verify(const KeyParams& p, const Rows& rows, bool needDistinct = true) {
  std::set<Row> seen;
  std::vector<int> used(static_cast<std::size_t>(p.v), 0);
  for (const Row& r : rows) {
    if (static_cast<int>(r.size()) != p.k) return "row of wrong length";
    Row s = r;
    std::sort(s.begin(), s.end());
    if (std::adjacent_find(s.begin(), s.end()) != s.end()) return "repeated position";
    for (int x : s) {
      if (x < 0 || x >= p.v) return "position out of range";
      ++used[x];
    }
    if (!seen.insert(s).second && needDistinct) return "duplicate row";
  }
  if (std::count(used.begin(), used.end(), 0) > 0) return "unused position";
  if (p.t > 0 && coverings::uncoveredCount(p.v, p.t, rows) > 0) return "not a covering";
  return {};
}

// Rows (or permutations) one per line, points 1..v separated by blanks; nothing when unreadable.
std::optional<Rows> readRows(const fs::path& file) {
  std::ifstream in(file);
  if (!in) return std::nullopt;
  Rows rows;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream ls(line);
    Row r;
    int x;
    while (ls >> x) r.push_back(x - 1);
    if (!r.empty()) rows.push_back(r);
  }
  return rows;
}

Rows readRowsOrThrow(const fs::path& file) {
  auto rows = readRows(file);
  if (!rows) throw std::runtime_error("cannot read " + file.string());
  return *rows;
}

std::optional<Rows> readFound(const fs::path& dir, int key, const KeyParams& p) {
  const auto read = readRows(dir / (std::to_string(key) + ".txt"));
  if (!read) return std::nullopt;
  const Rows& rows = *read;
  const std::string problem = verify(p, rows);
  if (!problem.empty()) {
    std::cerr << "found/" << key << ".txt ignored: " << problem << '\n';
    return std::nullopt;
  }
  return rows;
}

// Writes a covering to found/ (creating the folder); a search that cannot keep its result must
// say so rather than report it stored.
void storeFound(const fs::path& foundDir, int key, const Rows& rows) {
  fs::create_directories(foundDir);
  const fs::path file = foundDir / (std::to_string(baseKey(key)) + ".txt");
  std::ofstream f(file);
  f << rowsText(rows);
  f.close();
  if (!f) throw std::runtime_error("cannot write " + file.string() + "; the rows:\n" + rowsText(rows));
}

// Says how a search ended and keeps its covering in found/ when it is smaller than the stored one.
void keepIfSmaller(const fs::path& foundDir, int key, const KeyParams& p, const Rows& rows) {
  if (const std::string problem = verify(p, rows); !problem.empty()) throw std::runtime_error(problem);
  const auto old = readFound(foundDir, baseKey(key), p);
  std::cout << "key " << key << ": " << rows.size() << " rows (catalogue " << p.target
            << (old ? ", found " + std::to_string(old->size()) : std::string()) << ")\n";
  if (!old || rows.size() < old->size()) {
    storeFound(foundDir, key, rows);
    std::cout << "stored\n";
  }
}

// Even spread of positions over exactly p.target rows: each row takes the least used
// positions (ties broken at random), so use counts never differ by more than one.
Rows spread(const KeyParams& p, Rng& rng) {
  for (int restart = 0; restart < 1000; ++restart) {
    std::vector<int> count(static_cast<std::size_t>(p.v), 0);
    std::set<Row> seen;
    Rows rows;
    bool stuck = false;
    while (!stuck && static_cast<int>(rows.size()) < p.target) {
      stuck = true;
      for (int attempt = 0; attempt < 200; ++attempt) {
        std::vector<int> order(static_cast<std::size_t>(p.v));
        for (int i = 0; i < p.v; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), rng);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return count[a] < count[b]; });
        Row r(order.begin(), order.begin() + p.k);
        std::sort(r.begin(), r.end());
        if (seen.insert(r).second) {
          for (int x : r) ++count[x];
          rows.push_back(r);
          stuck = false;
          break;
        }
      }
    }
    if (stuck) continue;
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  throw std::runtime_error("no even spread without repeated rows");
}

// Removes the row whose loss uncovers the fewest t-sets.
void dropWeakestRow(int v, int t, Rows& rows) {
  std::size_t best = 0;
  long bestLoss = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    Rows trial = rows;
    trial.erase(trial.begin() + static_cast<long>(i));
    const long loss = coverings::uncoveredCount(v, t, trial);
    if (bestLoss < 0 || loss < bestLoss) {
      bestLoss = loss;
      best = i;
    }
    if (loss == 0) break;
  }
  rows.erase(rows.begin() + static_cast<long>(best));
}

// Annealing on the orbits of a cyclic group of order v - f fixing f points, for the group
// orders whose orbits add up to the target with the fewest rows left over.
std::optional<Rows> searchOrbits(const KeyParams& p, std::uint64_t moves, int shapesToTry, int maxCopies, Rng& rng) {
  struct Shape {
    int m, copies, f, base, free;
  };
  std::vector<Shape> shapes;
  for (int copies = 1; copies <= maxCopies; ++copies)
    for (int f = 0; f <= 3; ++f) {
      if ((p.v - f) % copies != 0) continue;
      const int m = (p.v - f) / copies;
      if (m < (copies > 2 ? 5 : 7)) continue;
      shapes.push_back({m, copies, f, p.target / m, p.target % m});
    }
  // Fewest rows outside the orbits first; the group with fewer fixed points on a tie.
  std::stable_sort(shapes.begin(), shapes.end(), [](const Shape& a, const Shape& b) { return a.free < b.free; });
  if (static_cast<int>(shapes.size()) > shapesToTry) shapes.resize(static_cast<std::size_t>(shapesToTry));
  for (const Shape& s : shapes) {
    if (s.base == 0) continue;
    Rows rows;
    if (coverings::annealOrbits(s.m, s.copies, s.f, p.k, p.t, s.base, s.free,
                                moves / static_cast<std::uint64_t>(s.m) * 16, rng, rows))
      return rows;
  }
  return std::nullopt;
}

// Smallest covering found by annealing: first at the target size (plain, then on orbits),
// then, when that fails, from a completed covering downwards one row at a time.
// The own key of the system with these parameters, 0 when there is none.
int keyFor(int v, int k, int t) {
  for (int key = 1; key <= kw::kReducedSystemCount; ++key) {
    const KeyParams q = params(key);
    if (baseKey(key) == key && q.v == v && q.k == k && q.t == t) return key;
  }
  return 0;
}

// A covering for these parameters that needs no search: a construction or a stored one.
std::optional<Rows> knownCovering(int v, int k, int t, const fs::path& foundDir) {
  if (Rows rows = constructions::build(v, k, t); !rows.empty()) return rows;
  if (const int key = keyFor(v, k, t); key > 0) return readFound(foundDir, key, params(key));
  return std::nullopt;
}

// Extends a known covering of v - a points by annealing only the rows that bring in the a new
// points (e.g. a Steiner system plus a pair covering through the new point).
std::optional<Rows> searchExtension(const KeyParams& p, const fs::path& foundDir, std::uint64_t moves, Rng& rng) {
  for (int a = 1; a <= 6; ++a) {
    const auto base = knownCovering(p.v - a, p.k, p.t, foundDir);
    if (!base || static_cast<int>(base->size()) >= p.target) continue;
    Rows rows;
    if (coverings::anneal(p.v, p.k, p.t, p.target, *base, moves, rng, rows, static_cast<int>(base->size())))
      return rows;
  }
  return std::nullopt;
}

// From a covering downwards: drop the weakest row and let annealing repair the gap, while it can.
Rows descend(const KeyParams& p, Rows best, std::uint64_t moves, int attempts, Rng& rng) {
  while (static_cast<int>(best.size()) > p.target) {
    Rows start = best;
    dropWeakestRow(p.v, p.t, start);
    Rows next;
    bool ok = false;
    for (int a = 0; a < attempts && !ok; ++a)
      ok = coverings::anneal(p.v, p.k, p.t, static_cast<int>(start.size()), start, moves, rng, next);
    if (!ok) break;
    best = next;
  }
  return best;
}

// Annealing at the target size (plain rows, then extending a known smaller design, then orbits);
// when all fail, the best covering found by descending from a complete one.
Rows searchCovering(const KeyParams& p, const fs::path& foundDir, std::uint64_t moves, int attempts, Rng& rng,
                    int maxCopies = 2, int shapes = 0) {
  Rows state;
  for (int a = 0; a < attempts; ++a) {
    if (coverings::anneal(p.v, p.k, p.t, p.target, {}, moves, rng, state)) return state;
  }
  Rows failed = state;
  if (auto extended = searchExtension(p, foundDir, moves, rng)) return *extended;
  if (auto orbit = searchOrbits(p, moves, shapes > 0 ? shapes : attempts + 1, maxCopies, rng)) return *orbit;
  state = failed;
  coverings::completeCovering(p.v, p.k, p.t, state, rng);
  if (Rows known = constructions::build(p.v, p.k, p.t); !known.empty() && known.size() < state.size()) state = known;
  return descend(p, state, moves, attempts, rng);
}

// Brings a covering to exactly `size` distinct ascending rows (extra rows are fresh ones).
void padTo(const KeyParams& p, Rows& rows, int size, Rng& rng) {
  while (static_cast<int>(rows.size()) < size) rows.push_back(rows.front());
  coverings::normalise(p.v, p.k, rows, rng);
}

struct Result {
  int key;
  Rows rows;
  std::string source;
  double seconds;
};

Result build(int key, const fs::path& foundDir, double effort) {
  const auto started = std::chrono::steady_clock::now();
  const KeyParams p = params(key);
  Rng rng(0x6b75676c ^ (static_cast<std::uint64_t>(key) * 0x9e3779b97f4a7c15ULL));
  Result res{key, {}, {}, 0};
  if (auto fixed = kFixedMatrices.find(key); fixed != kFixedMatrices.end()) {
    for (const auto& r : fixed->second) {
      Row row;
      for (int x : r) row.push_back(x - 1);
      res.rows.push_back(row);
    }
    res.source = "fixed";
  } else if (p.t == 0) {
    res.rows = spread(p, rng);
    res.source = "spread";
  } else {
    std::optional<Rows> found = readFound(foundDir, key, p);
    if (found && static_cast<int>(found->size()) <= p.target) {
      res.rows = *found;
      res.source = "found";
    } else {
      Rows own = constructions::build(p.v, p.k, p.t);
      std::string how = "construction";
      if (own.empty() || static_cast<int>(own.size()) > p.target) {
        const auto moves = static_cast<std::uint64_t>(effort * 400000.0);
        Rows annealed = searchCovering(p, foundDir, moves, 3, rng);
        if (own.empty() || annealed.size() < own.size()) {
          own = annealed;
          how = "annealing";
        }
      }
      if (found && found->size() <= own.size()) {
        res.rows = *found;
        res.source = "found";
      } else {
        res.rows = own;
        res.source = how;
      }
    }
    padTo(p, res.rows, std::max(p.target, static_cast<int>(res.rows.size())), rng);
  }
  const std::string problem = verify(p, res.rows);
  if (!problem.empty()) throw std::runtime_error("key " + std::to_string(key) + ": " + problem);
  res.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return res;
}

void writeData(const fs::path& out, const std::vector<Result>& results) {
  std::ostringstream bytes, table;
  std::map<int, std::size_t> offsetOfKey;
  std::size_t offset = 0;
  for (const Result& r : results) {
    offsetOfKey[r.key] = offset;
    bytes << "    // key " << r.key << '\n';
    for (const Row& row : r.rows) {
      bytes << "   ";
      for (int x : row) bytes << ' ' << x + 1 << ',';
      bytes << '\n';
    }
    offset += r.rows.size() * r.rows.front().size();
  }
  std::map<int, const Result*> byKey;
  for (const Result& r : results) byKey[r.key] = &r;
  table << "    {0, 0, 0},\n";
  for (int key = 1; key <= kw::kReducedSystemCount; ++key) {
    const Result& r = *byKey.at(baseKey(key));
    table << "    {" << offsetOfKey.at(baseKey(key)) << ", " << r.rows.size() << ", " << r.rows.front().size()
          << "},  // key " << key << '\n';
  }
  std::ofstream f(out);
  f << "// Generated by tools/coverings (kw_coverings --out generation/system_matrices_data.cpp).\n"
       "// Do not edit: change the generator or tools/coverings/found/ and run it again.\n"
       "#include \"generation/system_matrices_data.h\"\n\n"
       "namespace kw::system_matrices {\n\n"
       "const std::uint8_t kBytes[] = {\n"
    << bytes.str()
    << "};\n\nconst std::size_t kByteCount = sizeof(kBytes);\n\n"
       "const MatrixRef kMatrices[238] = {\n"
    << table.str() << "};\n\n}  // namespace kw::system_matrices\n";
  if (!f) throw std::runtime_error("cannot write " + out.string());
}

// Tries the candidate groups on v points, largest first: each gives the smallest covering made of
// its orbits; the best one is then brought down further by annealing. Keeps improvements in found/.
int orbitSearch(int key, const fs::path& foundDir, int aim, double seconds, const std::string& filter,
                std::size_t maxVars, std::uint64_t seed, double effort, const fs::path& gensFile) {
  KeyParams p = params(baseKey(key));
  if (aim > 0) p.target = aim;
  Rng rng(seed * 0x9e3779b97f4a7c15ULL + static_cast<std::uint64_t>(key));
  auto old = readFound(foundDir, baseKey(key), p);
  std::size_t best = old ? old->size() : SIZE_MAX;
  std::set<std::vector<orbits::Perm>> done;
  struct Candidate {
    orbits::Group group;
    std::vector<orbits::Perm> elements;
  };
  std::vector<Candidate> candidates;
  std::int64_t kSets = 1;
  for (int i = 1; i <= p.k; ++i) kSets = kSets * (p.v - p.k + i) / i;
  std::vector<orbits::Group> groups;
  if (!gensFile.empty()) {
    // Generators given by hand: one permutation per line (images of the points 1..v), a blank
    // line between groups.
    std::ifstream in(gensFile);
    orbits::Group g;
    std::string line;
    auto flush = [&] {
      if (g.gens.empty()) return;
      g.name = gensFile.filename().string() + "#" + std::to_string(groups.size() + 1);
      groups.push_back(g);
      g.gens.clear();
    };
    while (std::getline(in, line)) {
      std::istringstream ls(line);
      orbits::Perm perm;
      int x;
      while (ls >> x) perm.push_back(x - 1);
      if (static_cast<int>(perm.size()) == p.v) g.gens.push_back(perm);
      if (perm.empty()) flush();
    }
    flush();
  } else {
    groups = orbits::candidateGroups(p.v, rng);
  }
  for (auto& g : groups) {
    if (!filter.empty() && g.name.find(filter) == std::string::npos) continue;
    auto el = orbits::closure(p.v, g.gens, 5000);
    if (el.size() < 2 || static_cast<std::size_t>(kSets) / el.size() > maxVars) continue;
    // Conjugate groups give the same answer: skip a group whose elements have the same cycle
    // types as one already listed (rarely, that also skips a different group).
    std::vector<orbits::Perm> signature;
    for (const orbits::Perm& h : el) {
      std::vector<int> cycles, seenPoint(static_cast<std::size_t>(p.v), 0);
      for (int x = 0; x < p.v; ++x) {
        int len = 0;
        for (int y = x; !seenPoint[static_cast<std::size_t>(y)]; y = h[static_cast<std::size_t>(y)]) {
          seenPoint[static_cast<std::size_t>(y)] = 1;
          ++len;
        }
        if (len > 0) cycles.push_back(len);
      }
      std::sort(cycles.begin(), cycles.end());
      signature.push_back(cycles);
    }
    std::sort(signature.begin(), signature.end());
    if (!done.insert(signature).second) continue;
    candidates.push_back({g, el});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.elements.size() > b.elements.size(); });
  std::printf("key %d: v=%d k=%d t=%d aim %d, %zu groups\n", key, p.v, p.k, p.t, p.target, candidates.size());
  // One folder per run: several searches may run side by side.
  const fs::path work = fs::temp_directory_path() / ("kw_orbits_" + std::to_string(key) + "_" +
                                                     std::to_string(std::random_device{}()));
  for (const Candidate& c : candidates) {
    const auto started = std::chrono::steady_clock::now();
    Rows rows = orbits::solve(p.v, p.k, p.t, c.elements, seconds, work);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (rows.empty() || !verify(p, rows).empty()) {
      std::printf("  %-28s |G|=%4zu  none (%.0fs)\n", c.group.name.c_str(), c.elements.size(), took);
      std::fflush(stdout);
      continue;
    }
    std::size_t size = rows.size();
    std::string how = "orbits";
    // Orbit solutions near the best so far are good starts for annealing downwards.
    if (static_cast<int>(size) > p.target && (best == SIZE_MAX || size * 8 <= best * 9) && effort > 0) {
      rows = descend(p, rows, static_cast<std::uint64_t>(effort * 400000.0), 3, rng);
      how = "orbits+annealing";
    }
    std::printf("  %-28s |G|=%4zu  %3zu rows, %3zu after annealing (%.0fs)\n", c.group.name.c_str(),
                c.elements.size(), size, rows.size(), took);
    std::fflush(stdout);
    if (rows.size() < best) {
      best = rows.size();
      storeFound(foundDir, key, rows);
      std::printf("  stored %zu rows (%s, %s)\n", rows.size(), how.c_str(), c.group.name.c_str());
    }
    if (static_cast<int>(best) <= p.target) break;
  }
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return 0;
}

// Anneals downwards from a given covering (a construction with slack, say); keeps an improvement.
int descendFrom(int key, const fs::path& foundDir, const fs::path& start, double effort, int attempts,
                std::uint64_t seed) {
  const KeyParams p = params(baseKey(key));
  Rng rng(seed * 0x9e3779b97f4a7c15ULL + static_cast<std::uint64_t>(key));
  Rows rows = readRowsOrThrow(start);
  if (const std::string problem = verify(p, rows, false); !problem.empty()) throw std::runtime_error(problem);
  rows = descend(p, rows, static_cast<std::uint64_t>(effort * 400000.0), attempts, rng);
  coverings::normalise(p.v, p.k, rows, rng);
  keepIfSmaller(foundDir, key, p, rows);
  return 0;
}

// The group of an orbit search: a cyclic one on blocks ("--cycle 23x2": Z23 turning two blocks of
// 23 points, the rest fixed) or the one the permutations in a file generate.
std::vector<orbits::Perm> groupFor(int v, const std::string& cycle, const fs::path& gensFile) {
  std::vector<orbits::Perm> group;
  if (!gensFile.empty()) {
    const Rows gens = readRowsOrThrow(gensFile);
    for (const Row& g : gens)
      if (static_cast<int>(g.size()) != v)
        throw std::runtime_error("a generator does not move " + std::to_string(v) + " points");
    group = orbits::closure(v, std::vector<orbits::Perm>(gens.begin(), gens.end()), 100000);
  } else {
    int m = 0, copies = 0;
    if (std::sscanf(cycle.c_str(), "%dx%d", &m, &copies) != 2 || m < 2 || copies < 1 || m * copies > v)
      throw std::runtime_error("--cycle wants MxC with M*C at most " + std::to_string(v));
    group = orbits::cyclicOnBlocks(v, m, copies);
  }
  if (group.empty()) throw std::runtime_error("the group is too large");
  return group;
}

// Annealing over the base rows of a group's orbits for one key (see orbit_annealing.h) under the
// group of groupFor(). Keeps a covering smaller than the stored.
int orbitAnneal(int key, const fs::path& foundDir, const std::string& cycle, const fs::path& gensFile, int baseRows,
                int freeRows, int rounds, int exchangeOut, int exchangeBase, int finishRounds, std::uint64_t moves,
                std::uint64_t seed, const fs::path& start, const fs::path& fixedFile, int aim) {
  KeyParams p = params(baseKey(key));
  if (aim > 0) p.target = aim;
  orbits::AnnealPlan plan;
  plan.v = p.v;
  plan.k = p.k;
  plan.t = p.t;
  plan.group = groupFor(p.v, cycle, gensFile);
  const int n = static_cast<int>(plan.group.size());
  plan.baseRows = baseRows;
  if (!fixedFile.empty()) plan.fixed = readRowsOrThrow(fixedFile);
  const int fixedRows = static_cast<int>(plan.fixed.size());
  plan.freeRows = freeRows >= 0 ? freeRows : p.target - baseRows * n - fixedRows;
  if (plan.baseRows < 0 || plan.freeRows < 0) throw std::runtime_error("more orbit rows than the target");
  plan.rounds = rounds;
  plan.exchangeRows = exchangeOut;
  plan.exchangeBase = exchangeBase;
  plan.movesPerRound = moves > 0 ? moves : 100000000 / static_cast<std::uint64_t>(n);
  if (!start.empty()) plan.start = readRowsOrThrow(start);
  std::printf("key %d: |G| = %d, %d base rows (%d rows), %d free rows, %d fixed rows, seed %llu\n", key, n,
              plan.baseRows, plan.baseRows * n, plan.freeRows, fixedRows, static_cast<unsigned long long>(seed));
  std::fflush(stdout);
  auto result = orbits::annealOrbitRows(plan, seed, true);
  if (result.rows.empty() && finishRounds > 0) {
    // A state a few t-sets short may need only a little asymmetry: the same search on its rows
    // with every row free, starting cool so the near-covering is not melted down.
    std::printf("best state %zu t-sets short; going on without the group\n", result.bestUncovered);
    orbits::AnnealPlan free = plan;
    free.group = {plan.group.front()};
    free.baseRows = 0;
    free.freeRows = static_cast<int>(result.best.size());
    free.start = result.best;
    free.fixed.clear();
    free.rounds = finishRounds;
    free.hot = 0.2;
    free.cold = 0.02;
    result = orbits::annealOrbitRows(free, seed, true);
  }
  if (result.rows.empty()) {
    // The best state is a start for the large neighbourhood search.
    const fs::path bestFile =
        fs::temp_directory_path() / ("kw_orbit_" + std::to_string(key) + "_" + std::to_string(seed) + "_best.txt");
    std::ofstream(bestFile) << rowsText(result.best);
    std::printf("no covering; best state %zu t-sets short after %d rounds, kept in %s\n", result.bestUncovered,
                result.rounds, bestFile.c_str());
    return 1;
  }
  std::printf("covering after %d rounds\n", result.rounds);
  std::fflush(stdout);
  keepIfSmaller(foundDir, key, p, result.rows);
  return 0;
}

// Large neighbourhood search over whole orbits from the base rows in `start` and the rows in
// `fixedFile` (see orbit_exchange.h). The best state goes to the work folder as the next start.
int orbitLnsSearch(int key, const fs::path& foundDir, const std::string& cycle, const fs::path& gensFile,
                   const fs::path& start, const fs::path& fixedFile, int remove, double uphill, double seconds,
                   std::uint64_t nodeLimit, std::uint64_t seed) {
  const KeyParams p = params(baseKey(key));
  if (p.t != 2) throw std::runtime_error("--orbit-lns covers pairs only");
  orbits::OrbitLnsPlan plan;
  plan.v = p.v;
  plan.k = p.k;
  plan.group = groupFor(p.v, cycle, gensFile);
  plan.base = readRowsOrThrow(start);
  if (!fixedFile.empty()) plan.other = readRowsOrThrow(fixedFile);
  plan.remove = remove;
  plan.uphill = uphill;
  plan.seconds = seconds;
  if (nodeLimit > 0) plan.nodeLimit = nodeLimit;
  const auto result = orbits::orbitLns(plan, seed, true);
  if (result.open > 0) {
    const fs::path stateFile =
        fs::temp_directory_path() / ("kw_orbit_lns_" + std::to_string(key) + "_" + std::to_string(seed) + ".txt");
    std::ofstream(stateFile) << rowsText(result.base);
    std::printf("no covering; %d pair classes open, base rows kept in %s\n", result.open, stateFile.c_str());
    return 1;
  }
  std::printf("covering with %zu rows\n", result.rows.size());
  keepIfSmaller(foundDir, key, p, result.rows);
  return 0;
}

// Large neighbourhood search from the rows in `start` (cut down to the target by dropping the
// weakest rows first). The best state goes to the work folder as a start for the next run.
int lns(int key, const fs::path& foundDir, const fs::path& start, int aim, int remove, int least, double uphill,
        int steps, double seconds, std::uint64_t seed) {
  KeyParams p = params(baseKey(key));
  if (aim > 0) p.target = aim;
  coverings::LnsPlan plan;
  plan.v = p.v;
  plan.k = p.k;
  plan.t = p.t;
  plan.start = readRowsOrThrow(start);
  while (static_cast<int>(plan.start.size()) > p.target) dropWeakestRow(p.v, p.t, plan.start);
  if (static_cast<int>(plan.start.size()) != p.target) throw std::runtime_error("the start has too few rows");
  plan.remove = remove;
  plan.least = least;
  plan.uphill = uphill;
  plan.steps = steps;
  plan.seconds = seconds;
  plan.work = fs::temp_directory_path() / ("kw_lns_" + std::to_string(key) + "_" + std::to_string(seed));
  std::cout << "key " << key << ": " << p.target << " rows, " << coverings::uncoveredCount(p.v, p.t, plan.start)
            << " t-sets open at the start, work in " << plan.work.string() << '\n';
  Rows best;
  const auto found = coverings::lnsSearch(plan, seed, best);
  if (!found) {
    std::cout << "no covering; best state " << coverings::uncoveredCount(p.v, p.t, best) << " t-sets short\n";
    return 1;
  }
  keepIfSmaller(foundDir, key, p, *found);
  return 0;
}

// Exhaustive search over the base rows of a fully symmetric configuration for pairs (see
// class_cover.h): "--class-cover 14x3 --base 6 --given FILE", the given rows on the points 1..m*c.
int classCoverSearch(const std::string& cycle, int baseRows, const fs::path& givenFile, int looseBlocks, int spare,
                     const fs::path& twiceFile, const std::string& blockRows) {
  coverings::ClassCoverPlan plan;
  if (std::sscanf(cycle.c_str(), "%dx%d", &plan.m, &plan.copies) != 2 || plan.m < 2 || plan.copies < 1)
    throw std::runtime_error("--class-cover wants MxC");
  plan.baseRows = baseRows;
  plan.looseBlocks = looseBlocks;
  plan.spare = spare;
  if (!blockRows.empty()) {
    std::istringstream list(blockRows);
    std::string n;
    while (std::getline(list, n, ',')) plan.blockRows.push_back(std::stoi(n));
    if (static_cast<int>(plan.blockRows.size()) != plan.copies)
      throw std::runtime_error("--block-rows wants one count per block, separated by commas");
  }
  if (!plan.blockRows.empty() && (spare > 0 || looseBlocks > 0))
    throw std::runtime_error("--block-rows needs every class covered as counted: no --spare, no --loose");
  if (!givenFile.empty()) plan.given = readRowsOrThrow(givenFile);
  const bool everyMatching = twiceFile == "matching";
  if (!twiceFile.empty() && !everyMatching) plan.twice = readRowsOrThrow(twiceFile);
  for (const Rows* rows : {&plan.given, &plan.twice})
    for (const Row& r : *rows)
      for (int x : r)
        if (x < 0 || x >= plan.m * plan.copies)
          throw std::runtime_error("a given row or pair leaves the turned points");
  for (const Row& r : plan.twice)
    if (r.size() != 2) throw std::runtime_error("--twice wants one pair per line");
  if (!twiceFile.empty() && spare > 0) throw std::runtime_error("--twice and --spare exclude each other");
  const auto started = std::chrono::steady_clock::now();
  auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
  auto decide = [&] {
    const auto result = coverings::classCover(plan, 10);
    if (result.tooLarge) throw std::runtime_error("more than 128 pair classes");
    std::printf("%ld pair classes, %ld required of %d base rows (%d slots), %ld candidate base rows\n",
                result.classes, result.open, baseRows, baseRows * 10, result.candidates);
    for (const Rows& solution : result.solutions) std::printf("solution:\n%s", rowsText(solution).c_str());
    std::printf("%s after %.1f s\n", result.solutions.empty() ? "no solution" : "solutions found", seconds());
    std::fflush(stdout);
    return !result.solutions.empty();
  };
  if (!everyMatching) return decide() ? 0 : 1;
  const std::vector<Rows> choices = coverings::matchingTwiceChoices(plan);
  if (choices.empty()) throw std::runtime_error("--twice matching wants an even number of blocks");
  for (std::size_t i = 0; i < choices.size(); ++i) {
    plan.twice = choices[i];
    std::string pairs;
    for (const Row& pair : plan.twice) pairs += " " + std::to_string(pair[0] + 1) + "-" + std::to_string(pair[1] + 1);
    std::printf("classes twice, choice %zu of %zu:%s\n", i + 1, choices.size(), pairs.c_str());
    std::fflush(stdout);
    if (decide()) return 0;
  }
  std::printf("no solution for any choice after %.1f s\n", seconds());
  return 1;
}

int usage() {
  std::cerr << "usage: kw_coverings --out FILE [--found DIR] [--effort X] [--jobs N]\n"
               "       kw_coverings --search KEY [--found DIR] [--effort X] [--seed S] [--attempts N] [--shapes N] "
               "[--aim ROWS]\n"
               "       kw_coverings --search KEY --start FILE [--found DIR] [--effort X] [--attempts N] [--seed S]\n"
               "       kw_coverings --orbits KEY [--found DIR] [--seconds S] [--groups NAME] [--max-vars N] "
               "[--effort X] [--aim ROWS] [--gens FILE]\n"
               "       kw_coverings --orbit-anneal KEY (--cycle MxC | --gens FILE) --base N [--free N] [--rounds N] "
               "[--exchange N] [--exchange-base N] [--finish N] [--moves N] [--seed S] [--start FILE] [--fixed FILE] "
               "[--aim ROWS] [--found DIR]\n"
               "       kw_coverings --lns KEY --start FILE [--remove N] [--least N] [--uphill P] [--steps N] [--seconds S] "
               "[--seed S] [--aim ROWS] [--found DIR]\n"
               "       kw_coverings --orbit-lns KEY (--cycle MxC | --gens FILE) --start BASEFILE [--fixed FILE] "
               "[--remove N] [--uphill P] [--seconds S] [--nodes N] [--seed S] [--found DIR]\n"
               "       kw_coverings --class-cover MxC --base N [--given FILE] [--loose N] "
               "[--spare N | --twice FILE|matching] [--block-rows N,N,...]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path out, foundDir = fs::path(KW_COVERINGS_DIR) / "found";
  double effort = 1.0;
  int jobs = 1, searchKey = 0, attempts = 3, aim = 0, shapes = 0, orbitKey = 0, annealKey = 0;
  int baseRows = 0, freeRows = -1, rounds = 100, finishRounds = 0, exchangeOut = 0, exchangeBase = 0;
  int lnsKey = 0, removeRows = 20, steps = 1000, least = 0, orbitLnsKey = 0;
  std::uint64_t nodeLimit = 0;
  double uphill = 0;
  std::string classCycle;
  fs::path givenFile, twiceFile;
  int looseBlocks = 0, spareSlots = 0;
  std::string blockRows;
  std::uint64_t moves = 0;
  std::string cycle;
  double seconds = 60;
  std::string groupFilter;
  fs::path startFile, gensFile, fixedFile;
  std::size_t maxVars = 60000;
  std::uint64_t seed = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--out")
      out = next();
    else if (a == "--found")
      foundDir = next();
    else if (a == "--effort")
      effort = std::stod(next());
    else if (a == "--jobs")
      jobs = std::stoi(next());
    else if (a == "--search")
      searchKey = std::stoi(next());
    else if (a == "--seed")
      seed = std::stoull(next());
    else if (a == "--attempts")
      attempts = std::stoi(next());
    else if (a == "--shapes")
      shapes = std::stoi(next());
    else if (a == "--aim")
      aim = std::stoi(next());
    else if (a == "--gens")
      gensFile = next();
    else if (a == "--start")
      startFile = next();
    else if (a == "--orbits")
      orbitKey = std::stoi(next());
    else if (a == "--seconds")
      seconds = std::stod(next());
    else if (a == "--groups")
      groupFilter = next();
    else if (a == "--max-vars")
      maxVars = std::stoul(next());
    else if (a == "--orbit-anneal")
      annealKey = std::stoi(next());
    else if (a == "--cycle")
      cycle = next();
    else if (a == "--base")
      baseRows = std::stoi(next());
    else if (a == "--free")
      freeRows = std::stoi(next());
    else if (a == "--fixed")
      fixedFile = next();
    else if (a == "--rounds")
      rounds = std::stoi(next());
    else if (a == "--exchange")
      exchangeOut = std::stoi(next());
    else if (a == "--exchange-base")
      exchangeBase = std::stoi(next());
    else if (a == "--finish")
      finishRounds = std::stoi(next());
    else if (a == "--lns")
      lnsKey = std::stoi(next());
    else if (a == "--orbit-lns")
      orbitLnsKey = std::stoi(next());
    else if (a == "--nodes")
      nodeLimit = std::stoull(next());
    else if (a == "--remove")
      removeRows = std::stoi(next());
    else if (a == "--least")
      least = std::stoi(next());
    else if (a == "--class-cover")
      classCycle = next();
    else if (a == "--spare")
      spareSlots = std::stoi(next());
    else if (a == "--loose")
      looseBlocks = std::stoi(next());
    else if (a == "--given")
      givenFile = next();
    else if (a == "--twice")
      twiceFile = next();
    else if (a == "--block-rows")
      blockRows = next();
    else if (a == "--uphill")
      uphill = std::stod(next());
    else if (a == "--steps")
      steps = std::stoi(next());
    else if (a == "--moves")
      moves = std::stoull(next());
    else
      return usage();
  }
  try {
    if (searchKey > 0 && !startFile.empty())
      return descendFrom(searchKey, foundDir, startFile, effort, attempts, seed);
    if (!classCycle.empty())
      return classCoverSearch(classCycle, baseRows, givenFile, looseBlocks, spareSlots, twiceFile, blockRows);
    if (lnsKey > 0) {
      if (startFile.empty()) return usage();
      return lns(lnsKey, foundDir, startFile, aim, removeRows, least, uphill, steps, seconds, seed);
    }
    if (orbitLnsKey > 0) {
      if (startFile.empty()) return usage();
      return orbitLnsSearch(orbitLnsKey, foundDir, cycle, gensFile, startFile, fixedFile, removeRows, uphill,
                            seconds, nodeLimit, seed);
    }
    if (annealKey > 0)
      return orbitAnneal(annealKey, foundDir, cycle, gensFile, baseRows, freeRows, rounds, exchangeOut, exchangeBase,
                         finishRounds, moves, seed, startFile, fixedFile, aim);
    if (orbitKey > 0) return orbitSearch(orbitKey, foundDir, aim, seconds, groupFilter, maxVars, seed, effort, gensFile);
    if (searchKey > 0) {
      // Long search for one key; keeps the result in found/ when it beats what is there.
      KeyParams p = params(baseKey(searchKey));
      if (aim > 0) p.target = aim;
      Rng rng(seed * 0x9e3779b97f4a7c15ULL + static_cast<std::uint64_t>(searchKey));
      Rows rows = constructions::build(p.v, p.k, p.t);
      if (rows.empty() || static_cast<int>(rows.size()) > p.target)
        rows = searchCovering(p, foundDir, static_cast<std::uint64_t>(effort * 400000.0), attempts, rng, 6, shapes);
      coverings::normalise(p.v, p.k, rows, rng);
      keepIfSmaller(foundDir, searchKey, p, rows);
      return 0;
    }
    if (out.empty()) return usage();
    std::vector<int> keys;
    for (int key = 1; key <= kw::kReducedSystemCount; ++key)
      if (baseKey(key) == key) keys.push_back(key);
    std::vector<Result> results(keys.size());
    std::vector<std::thread> workers;
    std::size_t nextIndex = 0;
    std::mutex lock;
    const auto started = std::chrono::steady_clock::now();
    for (int w = 0; w < std::max(1, jobs); ++w) {
      workers.emplace_back([&] {
        for (;;) {
          std::size_t i;
          {
            std::lock_guard<std::mutex> g(lock);
            if (nextIndex >= keys.size()) return;
            i = nextIndex++;
          }
          results[i] = build(keys[i], foundDir, effort);
          const KeyParams p = params(keys[i]);
          std::lock_guard<std::mutex> g(lock);
          std::printf("key %3d  v=%2d k=%d t=%d  catalogue %3d  ours %3zu  %-12s %7.1fs\n", keys[i], p.v, p.k, p.t,
                      p.target, results[i].rows.size(), results[i].source.c_str(), results[i].seconds);
          std::fflush(stdout);
        }
      });
    }
    for (auto& w : workers) w.join();
    writeData(out, results);
    int reached = 0;
    for (int key = 1; key <= kw::kReducedSystemCount; ++key) {
      const auto& r =
          *std::find_if(results.begin(), results.end(), [&](const Result& x) { return x.key == baseKey(key); });
      if (static_cast<int>(r.rows.size()) == params(key).target) ++reached;
    }
    // The corrected keys, in the form the catalogue test lists them.
    for (int key = 1; key <= kw::kReducedSystemCount; ++key) {
      const auto& r =
          *std::find_if(results.begin(), results.end(), [&](const Result& x) { return x.key == baseKey(key); });
      if (static_cast<int>(r.rows.size()) != params(key).target)
        std::printf("corrected {%d, {%d, %zu}},\n", key, params(key).target, r.rows.size());
    }
    std::printf("%d of %d matrices reach the catalogue's row count; %.0f s\n", reached, kw::kReducedSystemCount,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  } catch (const std::exception& e) {
    std::cerr << "kw_coverings: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
