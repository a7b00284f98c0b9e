#pragma once
// The draw history and the prize amounts of one data folder: what the program's windows share
// through the data store, and what the command-line tool works on.
#include <string>
#include <vector>

#include "core/program.h"
#include "core/records.h"

namespace kw {

struct DataSet {
  std::string DataDir;  // with trailing "/"
  std::vector<TGewZahlen> Draws;
  std::vector<TQuoten> Quotas;  // Quotas[i] belongs to Draws[i]

  std::string dataFile(const char* name) const { return DataDir + name; }
};

}  // namespace kw
