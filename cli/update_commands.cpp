#include "cli/update_commands.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "core/dates.h"
#include "core/german_format.h"
#include "core/settings_ini.h"
#include "core/program.h"
#include "platform/network_transport.h"
#include "update/data_folder.h"
#include "update/server_config.h"
#include "update/update_check.h"

namespace kw::cli {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage(const std::string& problem) {
  std::cerr << problem << "\nAufruf: kugelwerk-cli [--data-dir ORDNER] BEFEHL ...\n" << kUpdateUsageLines;
  return kUsage;
}

// The program's messages use "\r" for line breaks.
void PrintMessage(const std::string& message) {
  std::string text = message;
  for (char& c : text)
    if (c == '\r') c = '\n';
  while (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty()) std::cerr << text << "\n";
}

}  // namespace

int Publish(const std::string& dataDir, const std::vector<std::string>& args) {
  std::optional<std::string> folder, version, installer;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--version" && i + 1 < args.size()) {
      version = args[++i];
    } else if (a == "--installer" && i + 1 < args.size()) {
      installer = args[++i];
    } else if (a.rfind("--", 0) == 0 || folder) {
      return Usage("Unbekannte Angabe: " + a);
    } else {
      folder = a;
    }
  }
  if (!folder || folder->empty()) return Usage("publish braucht den Ordner, in den der Server-Inhalt geschrieben wird.");
  auto published = update::PublishServerTree(dataDir, *folder, version.value_or(kProgramVersion), TodayDayNumber(),
                                             installer.value_or(""));
  if (!published) {
    PrintMessage(published.error().message);
    return kFailed;
  }
  for (const auto& file : *published)
    std::cout << file.path << '\t' << FormatGroupedInteger(static_cast<std::int64_t>(file.bytes)) << " Bytes\n";
  return kOk;
}

int Update(const std::string& dataDir, const std::vector<std::string>& args) {
  update::CheckOptions options;
  options.userInitiated = true;
  std::optional<std::string> server, ftp;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--server" && i + 1 < args.size()) server = args[++i];
    else if (a == "--ftp" && i + 1 < args.size()) ftp = args[++i];
    else if (a == "--draws") options.draws = true;
    else if (a == "--quotas") options.quotas = true;
    else if (a == "--version") options.version = true;
    else return Usage("Unbekannte Angabe: " + a);
  }
  if (!options.draws && !options.quotas && !options.version) options.draws = options.quotas = options.version = true;

  const IniFile ini = IniFile::Load(dataDir + kIniFileName);
  if (ini.loadError()) {
    PrintMessage(ini.loadError()->message);
    return kFailed;
  }
  update::ServerSettings settings = update::ReadServerSettings(ini);
  if (server) settings.server = *server;
  if (ftp) settings.ftpServer = *ftp;
  auto checked = update::CheckServerSettings(settings);
  if (!checked) {
    PrintMessage(checked.error().message);
    return kFailed;
  }
  auto local = update::ReadLocalData(dataDir);
  if (!local) {
    PrintMessage(local.error().message);
    return kFailed;
  }

  update::CheckInputs inputs;
  inputs.server = *checked;
  inputs.draws = local->draws;
  inputs.quotas = local->quotas;
  inputs.localDrawsFileSize = local->drawsFileSize;
  auto transport = platform::MakeBlockingTransport();
  update::CheckResult result = update::RunCheck(std::move(inputs), options, *transport);

  std::error_code ec;
  std::filesystem::create_directories(dataDir, ec);
  update::ApplyToDataFolder(dataDir, local->draws, result);

  for (const auto& m : result.messages) PrintMessage(m);
  for (const std::string* m : {&result.draws.message, &result.draws.notice, &result.quotas.message, &result.version.message})
    PrintMessage(*m);

  bool failed = false;
  if (options.draws) {
    std::cout << "Gewinnzahlen\t" << update::StatusText(result.draws.status) << '\n';
    failed = failed || update::IsFailure(result.draws.status);
  }
  if (options.quotas) {
    std::cout << "Gewinnquoten\t" << update::StatusText(result.quotas.status) << '\n';
    failed = failed || update::IsFailure(result.quotas.status);
  }
  if (options.version) {
    std::cout << "Version\t" << (result.version.checked ? result.version.online : update::kNotCheckedText) << '\n';
    failed = failed || !result.version.checked;
  }
  return failed ? kFailed : kOk;
}

}  // namespace kw::cli
