#pragma once
// kugelwerk-cli random: one run of the random generator.
#include <string>
#include <vector>

namespace kwcli {

inline constexpr const char* kRandomUsage =
    "random [--rows N] [--seed S] [--killer LISTE] [--banker LISTE] [--favourite LISTE] [--killer-stars LISTE] "
    "[--banker-stars LISTE] [--favourite-stars LISTE] [--out SCHEIN.emt]";

int RandomCommand(const std::vector<std::string>& args);

}  // namespace kwcli
