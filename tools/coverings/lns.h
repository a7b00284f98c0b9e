#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>

#include "covering.h"

// Large neighbourhood search on a near-covering with a fixed number of rows: take out a group of
// rows around an open t-set and let the MIP solver (cbc) choose as many rows in their place that
// leave the fewest t-sets open. Where annealing stalls a few t-sets short, the last sets need many
// rows to change together; the solver changes twenty or thirty at once and exactly.
namespace coverings {

struct LnsPlan {
  int v = 0, k = 0, t = 0;
  Rows start;       // exactly the row count to reach
  int remove = 20;  // rows taken out per step
  int steps = 1000;
  int least = 0;               // a new row covers at least this many open t-sets
  double uphill = 0;           // chance to keep a step that leaves one t-set more open
  double seconds = 10;         // solver time per step
  std::filesystem::path work;  // model files
};

// Deterministic for a plan and seed as long as the solver ends within its time; a covering with
// plan.start.size() rows, or nothing. `bestOut` receives the best state seen.
std::optional<Rows> lnsSearch(const LnsPlan& plan, std::uint64_t seed, Rows& bestOut);

}  // namespace coverings
