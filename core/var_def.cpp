#include "core/var_def.h"

#include "core/game_rules.h"

namespace kw {

std::string WindowCaption(const std::string& suffix) {
  return std::string(kProgramTitle) + " " + kProgramVersion + " " + suffix;
}

AppState& App() {
  static AppState state;
  return state;
}

void BuildPeriodSets(AppState& state, int a, int n) {
  state.PeriodStart = a;
  state.PeriodSets.clear();
  state.PeriodSets.reserve(static_cast<std::size_t>(n + 1));
  for (int j = 0; j <= n; ++j) state.PeriodSets.push_back(RowToSets(state.Draws.at(static_cast<std::size_t>(a + j))));
}

}  // namespace kw
