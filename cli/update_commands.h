#pragma once
// kugelwerk-cli publish and update: the online update without windows.
#include <string>
#include <vector>

namespace kw::cli {

inline constexpr const char* kUpdateUsageLines =
    "  publish ORDNER [--version TEXT] [--installer DATEI]\n"
    "  update [--server URL] [--ftp URL] [--draws] [--quotas] [--version]\n";

// Writes the download server's tree into ORDNER from the data folder (dataDir ends in "/").
int Publish(const std::string& dataDir, const std::vector<std::string>& args);
// Runs the update check and applies it to the data folder; one status line per selected part.
int Update(const std::string& dataDir, const std::vector<std::string>& args);

}  // namespace kw::cli
