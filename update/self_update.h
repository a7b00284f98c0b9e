#pragma once
// The new program version: downloading the installer into the data folder, the texts around
// its start, and the script that removes the old program once it has ended.
#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"
#include "update/server_config.h"
#include "update/transport.h"
#include "update/update_check.h"

namespace kw::update {

inline constexpr std::size_t kMaxInstallerBytes = 256u << 20;

inline constexpr const char* kInstallerNoConnectionMessage =
    "Für den Download der Installations-Datei muss eine Verbindung zum Internet bestehen.\r\rIch breche ab.";
std::string InstallerFailedMessage();
std::string InstallConfirmQuestion(const std::string& dataDir);
// programFileName: the running program's file name ("kugelwerk", "Kugelwerk.exe").
std::string InstallDeclinedMessage(const std::string& dataDir, const std::string& programFileName);
std::string InstallStartFailedMessage(const std::string& dataDir);

struct InstallerOutcome {
  bool ok = false;
  std::vector<std::uint8_t> bytes;
  std::string message;  // the box to show when it failed (empty after a stop)
  std::string detail;   // what went wrong, German
  bool stopped = false;
};

// "Download": connection test, then the installer in two passes, only over https or from this
// machine (InstallerUrl).
class InstallerDownload : public Job {
 public:
  explicit InstallerDownload(const ServerSettings& server);
  Step next() const override;
  void answerConnection(bool online) override;
  void answerGet(GetReply reply) override;
  void answerFtpSize(std::optional<std::int64_t>) override {}
  const InstallerOutcome& outcome() const { return outcome_; }

 private:
  enum class Stage { Connection, Download, Done };
  Stage stage_ = Stage::Connection;
  std::string url_;
  TwoPassDownload download_;
  InstallerOutcome outcome_;
};

// dataDir + kInstallerFileName.
std::string InstallerPath(const std::string& dataDir);
// After the download: a complete installer replaces the old one and becomes executable; a
// failed download removes a left-over one, so that no stale installer is started by hand.
// Returns the installer's path.
Result<std::string> ApplyInstallerDownload(const std::string& dataDir, const InstallerOutcome& outcome);

// "inode:size:mtime.nanoseconds", as `stat -c '%i:%s:%.9Y'` prints it.
std::string FileStamp(unsigned long long inode, long long size, long long mtimeSeconds, long mtimeNanoseconds);
// The shell script that waits (at most `maxWaitSeconds`) until process `pid` has ended, then
// deletes the program file if it is still the same file (`stamp`: a program installed in its
// place meanwhile stays), removes the program's folder if that is then empty, and deletes
// itself. After the time limit it deletes only itself.
std::string SelfRemovalShellScript(const std::string& programPath, long long pid, const std::string& stamp,
                                   const std::string& scriptPath, int maxWaitSeconds = 600);
// The Windows command file: loops until the program file can be deleted, removes the folder
// (dir with a trailing backslash) if empty and deletes itself; lines end in CR LF.
std::string SelfRemovalBatch(const std::string& programPath, const std::string& scriptPath);

// Writes the shell script as "uis" + unique part + ".sh" into tempDir (executable by the user
// only) and returns its path.
Result<std::string> WriteSelfRemovalScript(const std::string& tempDir, const std::string& programPath, long long pid,
                                           int maxWaitSeconds = 600);

}  // namespace kw::update
