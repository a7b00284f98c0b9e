#pragma once
// Where the program keeps its files; every path is UTF-8 with "/" separators.
#include <string>

namespace kw::platform {

// The per-user data folder + "Kugelwerk/" (trailing "/"), created when missing.
// Linux: $XDG_DATA_HOME/Kugelwerk/ (default ~/.local/share/Kugelwerk/); Windows: %APPDATA%/Kugelwerk/;
// the rule is DefaultDataFolder() of core/, which the command-line tool uses too.
// When it cannot be created, `error` says so and `path` is still the place it belongs.
struct DataDirectory {
  std::string path;
  bool created = false;
  std::string error;  // German message, empty when the folder is there
};
DataDirectory EnsureDataDirectory();

// Folder of the running program, trailing "/".
std::string ProgramDirectory();

// Folder of the files shipped with the program (history, amounts, demo slip, help), trailing
// "/": beside it, or share/kugelwerk/ of an installation.
std::string ShippedFilesDirectory();

// System temporary folder + "/tmp.tmp".
std::string TempFilePath();

}  // namespace kw::platform
