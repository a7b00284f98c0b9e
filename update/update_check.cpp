#include "update/update_check.h"

#include <filesystem>

#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/german_format.h"
#include "update/downloads.h"
#include "update/version_info.h"

namespace kw::update {

std::string StatusText(StepStatus status) {
  switch (status) {
    case StepStatus::Updated: return "Aktualisiert";
    case StepStatus::Failed: return "Aktualisierung fehlgeschlagen";
    case StepStatus::NothingNewer: return "Nichts aktuelleres online";
    case StepStatus::NoConnection: return "Keine Internetverbindung";
    case StepStatus::NotRun: break;
  }
  return {};
}

std::int64_t LocalFileSize(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return -1;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<std::int64_t>(size);
}

std::int64_t ServerFileSize(bool online, std::optional<std::int64_t> queried) {
  if (!online) return 0;
  return queried && *queried >= 0 ? *queried : -1;
}

TwoPassDownload::TwoPassDownload(std::string url, std::string fileName, std::size_t maxBytes, bool secureOnly)
    : fileName_(std::move(fileName)) {
  request_.url = std::move(url);
  request_.maxBytes = maxBytes;
  request_.secureOnly = secureOnly;
}

GetRequest TwoPassDownload::request() const { return request_; }

std::optional<Result<std::vector<std::uint8_t>>> TwoPassDownload::answer(GetReply reply) {
  const std::string file = "Die Datei \"" + fileName_ + "\"";
  if (!reply.ok) {
    std::string message = file + " konnte nicht vom Server geladen werden.";
    if (!reply.error.empty()) message += "\r\r" + reply.error;
    return Result<std::vector<std::uint8_t>>(Refused(message));
  }
  if (reply.bytes.size() < kMinDownloadBytes)
    return Result<std::vector<std::uint8_t>>(Refused(file + " auf dem Server ist mit " +
                                                     std::to_string(reply.bytes.size()) +
                                                     " Bytes zu kurz, um gültig zu sein."));
  if (pass_ == 1) {
    pass_ = 2;
    return std::nullopt;
  }
  return Result<std::vector<std::uint8_t>>(std::move(reply.bytes));
}

UpdateCheck::UpdateCheck(CheckInputs inputs, CheckOptions options)
    : in_(std::move(inputs)), options_(options), draws_(in_.draws) {
  result_.version.installed = in_.programVersion;
}

Step UpdateCheck::next() const {
  switch (stage_) {
    case Stage::Connection: return ConnectionTest{in_.server.server};
    case Stage::DrawsSize:
      return FtpSizeQuery{FtpSizeUrl(in_.server, kDrawsFileName), in_.server.ftpUser, in_.server.ftpPassword};
    case Stage::DrawsDownload:
    case Stage::QuotasDownload:
    case Stage::VersionDownload: return download_.request();
    case Stage::Done: break;
  }
  return Finished{};
}

void UpdateCheck::answerConnection(bool online) {
  if (stage_ != Stage::Connection) return;
  result_.online = online;
  if (online) {
    startDraws();
    return;
  }
  if (options_.userInitiated) result_.messages.push_back(kNoConnectionMessage);
  if (options_.draws) result_.draws.status = StepStatus::NoConnection;
  if (options_.quotas) result_.quotas.status = StepStatus::NoConnection;
  if (options_.version) result_.version.showNotChecked = true;
  stage_ = Stage::Done;
}

void UpdateCheck::startDraws() {
  if (!options_.draws) return startQuotas();
  // Checked before anything is fetched: a draw typed in but not yet saved blocks the update.
  if (!draws_.empty() && !IsCompleteDraw(draws_.back())) {
    result_.draws.status = StepStatus::Failed;
    result_.draws.message = kUnsavedDrawMessage;
    return startQuotas();
  }
  stage_ = Stage::DrawsSize;
}

void UpdateCheck::answerFtpSize(std::optional<std::int64_t> size) {
  if (stage_ != Stage::DrawsSize) return;
  if (!DrawsDownloadNeeded(ServerFileSize(true, size), in_.localDrawsFileSize)) {
    result_.draws.status = StepStatus::NothingNewer;
    return startQuotas();
  }
  stage_ = Stage::DrawsDownload;
  download_ = TwoPassDownload(ResourceUrl(in_.server, kServerDrawsPath), kDrawsFileName, kMaxDrawsDownloadBytes);
}

void UpdateCheck::startQuotas() {
  if (!options_.quotas) return startVersion();
  stage_ = Stage::QuotasDownload;
  download_ = TwoPassDownload(ResourceUrl(in_.server, kServerQuotasPath), kQuotasFileName, kMaxQuotasDownloadBytes);
}

void UpdateCheck::startVersion() {
  if (!options_.version) {
    result_.version.showNotChecked = true;
    stage_ = Stage::Done;
    return;
  }
  stage_ = Stage::VersionDownload;
  download_ = TwoPassDownload(ResourceUrl(in_.server, kServerVersionPath), kVersionFileName, kMaxVersionFileBytes);
}

void UpdateCheck::endStopped(std::string* message, StepStatus* status) {
  result_.stopped = true;
  *message = kStoppedMessage;
  if (status) *status = StepStatus::Failed;
  stage_ = Stage::Done;
}

void UpdateCheck::answerGet(GetReply reply) {
  if (stage_ != Stage::DrawsDownload && stage_ != Stage::QuotasDownload && stage_ != Stage::VersionDownload) return;
  const bool stopped = reply.stopped;
  if (stage_ == Stage::DrawsDownload) {
    if (stopped) return endStopped(&result_.draws.message, &result_.draws.status);
    auto done = download_.answer(std::move(reply));
    if (!done) return;
    DrawsOutcome& out = result_.draws;
    out.status = StepStatus::Failed;
    if (!*done) {
      out.message = done->error().message;
    } else {
      out.downloaded = true;
      auto update = UpdateDraws(draws_, **done);
      if (!update) {
        out.message = update.error().message;
      } else {
        out.notice = update->notice;
        out.appended = std::move(update->appended);
        if (out.appended.empty()) {
          out.message = "Auf dem Server gibt es keine neueren Gewinnzahlen als bei Ihnen.";
        } else {
          out.status = StepStatus::Updated;
          draws_.insert(draws_.end(), out.appended.begin(), out.appended.end());
        }
      }
    }
    return startQuotas();
  }
  if (stage_ == Stage::QuotasDownload) {
    if (stopped) return endStopped(&result_.quotas.message, &result_.quotas.status);
    auto done = download_.answer(std::move(reply));
    if (!done) return;
    QuotasOutcome& out = result_.quotas;
    out.status = StepStatus::Failed;
    if (!*done) {
      out.message = done->error().message;
    } else if (auto update = UpdateQuotas(draws_, in_.quotas, **done); !update) {
      out.message = update.error().message;
    } else {
      out.status = StepStatus::Updated;
      out.merged = std::move(update->merged);
      out.changed = update->changed;
    }
    return startVersion();
  }
  // Version.
  VersionOutcome& out = result_.version;
  if (stopped) return endStopped(&out.message, nullptr);
  auto done = download_.answer(std::move(reply));
  if (!done) return;
  stage_ = Stage::Done;
  Result<VersionRecord> record = *done ? ReadVersionInfo(**done) : Result<VersionRecord>(done->error());
  if (!record) {
    out.message = record.error().message;
    if (options_.userInitiated) result_.messages.push_back(kCheckFailedMessage);
    return;
  }
  out.checked = true;
  out.online = record->version;
  out.showDownload = VersionDiffers(out.installed, out.online);
}

CheckResult RunCheck(CheckInputs inputs, CheckOptions options, Transport& transport, const ProgressFn& progress,
                     const std::atomic<bool>* stop) {
  UpdateCheck check(std::move(inputs), options);
  RunJob(check, transport, progress, stop);
  return check.result();
}

Result<std::vector<std::uint8_t>> DownloadResource(Transport& transport, const std::string& url,
                                                   std::string_view fileName, std::size_t maxBytes,
                                                   bool secureOnly) {
  TwoPassDownload download(url, std::string(fileName), maxBytes, secureOnly);
  for (;;) {
    GetReply reply = transport.get(download.request(), {}, nullptr);
    if (auto done = download.answer(std::move(reply))) return std::move(*done);
  }
}

Result<void> DownloadFile(Transport& transport, const std::string& url, const std::string& target,
                          std::size_t maxBytes, bool secureOnly) {
  auto bytes = DownloadResource(transport, url, FileNameOf(target), maxBytes, secureOnly);
  if (!bytes) return bytes.error();
  return WriteFileAtomically(target, *bytes);
}

std::string NewsUrl(const ServerSettings& s) { return ResourceUrl(s, kServerNewsPath); }

}  // namespace kw::update
