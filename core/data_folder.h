#pragma once
// Where the program, the command-line tool and the scripts keep the data files: one rule.
#include <functional>
#include <optional>
#include <string>

namespace kw {

// An environment variable's value; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The data folder, UTF-8 with "/" and a trailing "/":
//   Windows: %APPDATA%/Kugelwerk/ (without APPDATA: %USERPROFILE%/AppData/Roaming/Kugelwerk/);
//   elsewhere: $XDG_DATA_HOME/Kugelwerk/ when that is an absolute path (relative ones are
//   ignored, as the XDG rules say), else $HOME/.local/share/Kugelwerk/.
// Empty when the environment names no home at all.
std::string DataFolderFor(bool windows, const EnvironmentLookup& environment);

// The rule for this system and this process's environment (a missing HOME is taken from the
// user database).
std::string DefaultDataFolder();

}  // namespace kw
