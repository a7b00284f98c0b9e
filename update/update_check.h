#pragma once
// The update check behind "Abfrage starten": draws, quotas and the program version, each with
// its status, as a job of network steps (update/transport.h). It takes the current draws and
// quotas as inputs and returns what to apply: the draws to append, the merged quota store, the
// server's version. It changes no file and no shared state.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "core/result.h"
#include "core/program.h"
#include "update/server_config.h"
#include "update/transport.h"

namespace kw::update {

enum class StepStatus { NotRun, Updated, Failed, NothingNewer, NoConnection };

// "Aktualisiert", "Aktualisierung fehlgeschlagen", "Nichts aktuelleres online",
// "Keine Internetverbindung"; empty for NotRun.
std::string StatusText(StepStatus status);
// Updated is success; Failed and NoConnection are failures; NothingNewer is neither.
inline bool IsFailure(StepStatus s) { return s == StepStatus::Failed || s == StepStatus::NoConnection; }

inline constexpr const char* kNotCheckedText = "nicht geprüft";
inline constexpr const char* kNoConnectionMessage = "Für die Aktualisierung muss eine Verbindung zum Internet bestehen.";
inline constexpr const char* kCheckFailedMessage = "Die Aktualisierung hat leider nicht geklappt.\r";
inline constexpr const char* kNewsNoConnectionMessage =
    "Für den Seiten-Aufruf muss eine Verbindung zum Internet bestehen.";
inline constexpr const char* kStoppedMessage = "Die Aktualisierung wurde abgebrochen.";

// A resource shorter than this counts as a failed download.
inline constexpr std::size_t kMinDownloadBytes = 4;

// Size in bytes, -1 when there is no such file.
std::int64_t LocalFileSize(const std::string& path);
// The size the check compares with: 0 without connection, -1 when the query failed.
std::int64_t ServerFileSize(bool online, std::optional<std::int64_t> queried);
// The history is fetched unless the server's copy is known not to be larger.
inline bool DrawsDownloadNeeded(std::int64_t serverSize, std::int64_t localSize) {
  return serverSize < 0 || localSize < serverSize;
}

// The two passes of a download: the first proves that the resource is there and holds at
// least 4 bytes, the second fetches what is taken. Both must arrive whole.
class TwoPassDownload {
 public:
  TwoPassDownload() = default;
  TwoPassDownload(std::string url, std::string fileName, std::size_t maxBytes, bool secureOnly = false);
  GetRequest request() const;
  // nullopt while another pass follows; then the bytes or a German message naming the file.
  std::optional<Result<std::vector<std::uint8_t>>> answer(GetReply reply);
  int pass() const { return pass_; }

 private:
  GetRequest request_;
  std::string fileName_;
  int pass_ = 1;
};

struct CheckOptions {
  bool draws = false;    // "Gewinnzahlen aktualisieren"
  bool quotas = false;   // "Gewinnquoten aktualisieren"
  bool version = false;  // "Prüfen, ob neuere Programmversion verfügbar ist"
  bool userInitiated = false;  // only then are `messages` meant to be shown
};

struct CheckInputs {
  ServerSettings server;  // normalised (CheckServerSettings)
  std::vector<TGewZahlen> draws;
  std::vector<TQuoten> quotas;
  std::int64_t localDrawsFileSize = -1;  // LocalFileSize of the data folder's "GZahlen.emz"
  std::string programVersion = kProgramVersion;
};

struct DrawsOutcome {
  StepStatus status = StepStatus::NotRun;
  std::vector<TGewZahlen> appended;  // to append to the history, in order
  std::string message;  // why it failed (German), empty otherwise
  std::string notice;   // local draws that differ from the server's, kept as they are
  bool downloaded = false;
};

struct QuotasOutcome {
  StepStatus status = StepStatus::NotRun;
  std::vector<TQuoten> merged;  // the whole new store, aligned to draws + appended
  bool changed = false;
  std::string message;
};

struct VersionOutcome {
  bool checked = false;        // the server's version was read
  std::string installed;       // "Installierte Version"
  std::string online;          // "Aktuelle Version"
  bool showDownload = false;   // the download area: the versions differ
  bool showNotChecked = false; // the panel "nicht geprüft"
  std::string message;         // why the check failed
};

struct CheckResult {
  bool online = true;
  bool stopped = false;
  DrawsOutcome draws;
  QuotasOutcome quotas;
  VersionOutcome version;
  std::vector<std::string> messages;  // information boxes of a user-initiated check
};

// Order: connection test; draws (FTP size, then the history unless the server's file is not
// larger); quotas (always fetched); version. Unselected parts keep NotRun.
class UpdateCheck : public Job {
 public:
  UpdateCheck(CheckInputs inputs, CheckOptions options);
  Step next() const override;
  void answerConnection(bool online) override;
  void answerGet(GetReply reply) override;
  void answerFtpSize(std::optional<std::int64_t> size) override;
  const CheckResult& result() const { return result_; }
  // The history as it stands after the draws part: inputs + appended.
  const std::vector<TGewZahlen>& draws() const { return draws_; }

 private:
  enum class Stage { Connection, DrawsSize, DrawsDownload, QuotasDownload, VersionDownload, Done };
  void startDraws();
  void startQuotas();
  void startVersion();
  // The user stopped the running download: that part failed, the rest is not run.
  void endStopped(std::string* message, StepStatus* status);

  CheckInputs in_;
  CheckOptions options_;
  CheckResult result_;
  std::vector<TGewZahlen> draws_;
  Stage stage_ = Stage::Connection;
  TwoPassDownload download_;
};

// The whole check through a blocking transport.
CheckResult RunCheck(CheckInputs inputs, CheckOptions options, Transport& transport, const ProgressFn& progress = {},
                     const std::atomic<bool>* stop = nullptr);

// Two passes through a blocking transport, no connection test: the bytes or a German message.
Result<std::vector<std::uint8_t>> DownloadResource(Transport& transport, const std::string& url,
                                                   std::string_view fileName, std::size_t maxBytes,
                                                   bool secureOnly = false);
// The same into a file: the target is replaced only by a complete download (written beside it
// and renamed), a failed download leaves it as it was.
Result<void> DownloadFile(Transport& transport, const std::string& url, const std::string& target,
                          std::size_t maxBytes, bool secureOnly = false);

// The news page "EMI/aktuell.html" of the server, for the window's browser.
std::string NewsUrl(const ServerSettings& s);

}  // namespace kw::update
