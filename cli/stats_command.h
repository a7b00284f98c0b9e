#pragma once
// "kugelwerk-cli stats": the evaluation of the statistics window on the command line.
#include <string>
#include <vector>

namespace kw {

// args are the words after "stats"; dataDir ends with "/". Prints the heading, then one line
// per slot in display order ("Z<TAB>number<TAB>value" for the 50 numbers, "S<TAB>star<TAB>value"
// for the 12 stars). Returns the exit status: 0 done, 1 refused (message on standard error),
// 2 wrong usage.
int RunStatsCommand(const std::string& dataDir, const std::vector<std::string>& args);

}  // namespace kw
