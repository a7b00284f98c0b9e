#pragma once
// The update's two ends in files: the data folder a check reads and writes (for callers without
// a data store, such as the command-line tool), and the server tree published from it.
#include <cstdint>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "update/update_check.h"

namespace kw::update {

struct LocalData {
  std::vector<TGewZahlen> draws;
  std::vector<TQuoten> quotas;  // the records of "EMQuoten.emq" as stored
  std::int64_t drawsFileSize = -1;
};

// "GZahlen.emz" and "EMQuoten.emq" of the folder (dataDir ends in "/"); missing files are
// empty. A damaged history is refused: writing the update over it would lose its tail.
Result<LocalData> ReadLocalData(const std::string& dataDir);

// Writes what the check brought: the history extended by the appended draws, the merged quota
// store when it changed, each through the crash-safe writer. A failed write turns its part
// into a failure with the write's message; the other part is still written.
void ApplyToDataFolder(const std::string& dataDir, const std::vector<TGewZahlen>& localDraws, CheckResult& result);

struct PublishedFile {
  std::string path;  // below the tree, e.g. "downloads/GZahlen.emz"
  std::size_t bytes = 0;
};

// The server's tree in outDir: "downloads/GZahlen.emz" and "downloads/EMQuoten.emq" copied from
// the data folder after the checks a client applies, "downloads/verinfos.ema" (one record: today
// and `version`), "EMI/aktuell.html" and, when installerPath is not empty, the installer.
Result<std::vector<PublishedFile>> PublishServerTree(const std::string& dataDir, const std::string& outDir,
                                                     const std::string& version, double today,
                                                     const std::string& installerPath);

// A short German news page: version, release date and the range of the published draws.
std::string NewsPageHtml(const std::string& version, double today, const std::vector<TGewZahlen>& draws);

}  // namespace kw::update
