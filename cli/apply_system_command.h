#pragma once
// kugelwerk-cli apply-system: the tip centre's "System anwenden" for one system.
#include <string>
#include <vector>

namespace kwcli {

inline constexpr const char* kApplySystemUsage =
    "apply-system SYSTEM --numbers LISTE [--bankers LISTE] [--stars LISTE] [--banker-stars LISTE] [--seed S] "
    "[--out SCHEIN.emt]";

int ApplySystemCommand(const std::vector<std::string>& args);

}  // namespace kwcli
