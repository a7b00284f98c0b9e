#include "update/data_folder.h"

#include <filesystem>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/german_format.h"
#include "core/quota_store.h"
#include "core/program.h"
#include "update/downloads.h"
#include "update/server_config.h"
#include "update/self_update.h"
#include "update/version_info.h"

namespace kw::update {

namespace {

std::string Slash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string HtmlEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

Result<void> CreateFolder(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) return IoError("Der Ordner \"" + dir + "\" kann nicht angelegt werden.\r\r" + ec.message());
  return {};
}

}  // namespace

Result<LocalData> ReadLocalData(const std::string& dataDir) {
  LocalData data;
  const std::string drawsPath = Slash(dataDir) + kDrawsFileName;
  if (FileExists(drawsPath)) {
    auto bytes = ReadWholeFile(drawsPath, kMaxDrawsFileBytes);
    if (!bytes) return bytes.error();
    DecodedHistory history = DecodeHistory(*bytes);
    if (history.badRecord >= 0)
      return Refused("Ihre Datei \"" + std::string(kDrawsFileName) + "\" ist beschädigt: Datensatz " +
                     std::to_string(history.badRecord + 1) +
                     " enthält kein gültiges Datum oder ungültige Zahlen. Die Aktualisierung würde die Datei "
                     "überschreiben.\r\rIch breche ab.");
    data.draws = std::move(history.draws);
    data.drawsFileSize = static_cast<std::int64_t>(bytes->size());
  }
  const std::string quotasPath = Slash(dataDir) + kQuotasFileName;
  if (FileExists(quotasPath)) {
    auto bytes = ReadWholeFile(quotasPath, kMaxQuotaFileBytes);
    if (!bytes) return bytes.error();
    data.quotas = DecodeQuotaRecords(*bytes);
  }
  return data;
}

void ApplyToDataFolder(const std::string& dataDir, const std::vector<TGewZahlen>& localDraws, CheckResult& result) {
  if (result.draws.status == StepStatus::Updated && !result.draws.appended.empty()) {
    std::vector<TGewZahlen> all = localDraws;
    all.insert(all.end(), result.draws.appended.begin(), result.draws.appended.end());
    if (auto written = WriteFileAtomically(Slash(dataDir) + kDrawsFileName, EncodeRecords(all)); !written) {
      result.draws.status = StepStatus::Failed;
      result.draws.message = written.error().message;
    }
  }
  if (result.quotas.status == StepStatus::Updated && result.quotas.changed) {
    if (auto written = WriteFileAtomically(Slash(dataDir) + kQuotasFileName, EncodeRecords(result.quotas.merged));
        !written) {
      result.quotas.status = StepStatus::Failed;
      result.quotas.message = written.error().message;
    }
  }
}

std::string NewsPageHtml(const std::string& version, double today, const std::vector<TGewZahlen>& draws) {
  std::string range = "Es sind noch keine Gewinnzahlen veröffentlicht.";
  if (!draws.empty())
    range = "Die Gewinnzahlen reichen vom " + DateText(draws.front().datum) + " bis zum " +
            DateText(draws.back().datum) + " (" + FormatGroupedInteger(static_cast<std::int64_t>(draws.size())) +
            " Ausspielungen).";
  return "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         std::string(kProgramTitle) + " – Neuigkeiten</title>\n</head>\n<body>\n<h1>" + kProgramTitle +
         " – Neuigkeiten</h1>\n<p>Stand: " + DateText(today) + "</p>\n<p>Aktuelle Programmversion: " +
         HtmlEscape(version) + "</p>\n<p>" + range + "</p>\n</body>\n</html>\n";
}

Result<std::vector<PublishedFile>> PublishServerTree(const std::string& dataDir, const std::string& outDir,
                                                     const std::string& version, double today,
                                                     const std::string& installerPath) {
  // Everything is read and checked before the first file is written.
  const std::string drawsPath = Slash(dataDir) + kDrawsFileName;
  const std::string quotasPath = Slash(dataDir) + kQuotasFileName;
  for (const std::string& path : {drawsPath, quotasPath})
    if (!FileExists(path))
      return Refused("Im Datenordner fehlt die Datei \"" + FileNameOf(path) + "\".\r\rIch veröffentliche nichts.");
  auto drawBytes = ReadWholeFile(drawsPath, kMaxDrawsFileBytes);
  if (!drawBytes) return drawBytes.error();
  auto draws = CheckHistoryForPublishing(*drawBytes);
  if (!draws) return draws.error();
  auto quotaBytes = ReadWholeFile(quotasPath, kMaxQuotaFileBytes);
  if (!quotaBytes) return quotaBytes.error();
  if (auto quotas = CheckQuotasForPublishing(*quotaBytes); !quotas) return quotas.error();
  auto versionRecord = EncodeVersionRecord(today, version);
  if (!versionRecord) return versionRecord.error();
  std::vector<std::uint8_t> installer;
  if (!installerPath.empty()) {
    auto bytes = ReadWholeFile(installerPath, kMaxInstallerBytes);
    if (!bytes) return bytes.error();
    installer = std::move(*bytes);
  }
  const std::string html = NewsPageHtml(version, today, *draws);

  struct Out {
    const char* path;
    const std::vector<std::uint8_t>* bytes;
  };
  const std::vector<std::uint8_t> htmlBytes(html.begin(), html.end());
  std::vector<Out> outs = {{kServerDrawsPath, &*drawBytes},
                           {kServerQuotasPath, &*quotaBytes},
                           {kServerVersionPath, &*versionRecord},
                           {kServerNewsPath, &htmlBytes}};
  if (!installerPath.empty()) outs.push_back({kServerInstallerPath, &installer});

  std::vector<PublishedFile> written;
  for (const Out& o : outs) {
    const std::string target = Slash(outDir) + o.path;
    if (auto made = CreateFolder(target.substr(0, target.find_last_of('/'))); !made) return made.error();
    if (auto saved = WriteFileAtomically(target, *o.bytes); !saved) return saved.error();
    written.push_back({o.path, o.bytes->size()});
  }
  return written;
}

}  // namespace kw::update
