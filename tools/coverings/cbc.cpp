#include "cbc.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace coverings {

std::optional<std::vector<std::size_t>> runCbc(const std::filesystem::path& lp, double seconds, std::uint64_t seed) {
  std::filesystem::path sol = lp, log = lp;
  sol.replace_extension(".sol");
  log.replace_extension(".log");
  std::filesystem::remove(sol);
  std::ostringstream cmd;
  cmd << "cbc " << lp;
  if (seed != 0) cmd << " randomSeed " << seed;
  cmd << " sec " << seconds << " threads 1 solve solu " << sol << " > " << log << " 2>&1";
  if (std::system(cmd.str().c_str()) != 0) return std::nullopt;
  std::ifstream in(sol);
  std::string line;
  if (!std::getline(in, line) || line.find("nfeasible") != std::string::npos) return std::nullopt;
  std::vector<std::size_t> set;
  while (std::getline(in, line)) {
    std::istringstream ls(line);
    std::string index, name;
    double value = 0;
    if ((ls >> index >> name >> value) && name.size() > 1 && name[0] == 'x' && value >= 0.5)
      set.push_back(std::stoul(name.substr(1)));
  }
  return set;
}

}  // namespace coverings
