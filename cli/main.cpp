// kugelwerk-cli: the program's GUI-free routines on the command line, for scripts and tests.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/csv_import.h"
#include "core/data_folder.h"
#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/game_rules.h"
#include "core/german_format.h"
#include "core/quota_store.h"
#include "core/slip_file.h"
#include "core/tip_text.h"
#include "core/data_set.h"
#include "cli/update_commands.h"
#include "analysis/row_analysis.h"
#include "cli/apply_system_command.h"
#include "cli/random_command.h"
#include "cli/stats_command.h"
#include "evaluation/evaluation.h"
#include "generation/binomial.h"
#include "generation/systeme.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "Aufruf: kugelwerk-cli [--data-dir ORDNER] BEFEHL ...\n"
    "  data-dir\n"
    "  draws\n"
    "  import-draws DATEI\n"
    "  import-quotas DATEI\n"
    "  evaluate [--from DATUM] [--to DATUM] [--only N] SCHEIN.emt...\n"
    "  tips [--no-check] [--blanks yes|no|cancel] [--out SCHEIN.emt]\n"
    "  binomial N K\n"
    "  analyse --depth K [--total] [DATEI]\n"
    "  systems [--bz I] [--wz I] [--gar I] [--budget I]\n"
    "  system-rows SYSTEM\n"
    "  random [--rows N] [--seed S] [--killer LISTE] [--banker LISTE] [--favourite LISTE]\n"
    "         [--killer-stars LISTE] [--banker-stars LISTE] [--favourite-stars LISTE] [--out SCHEIN.emt]\n"
    "  apply-system SYSTEM --numbers LISTE [--bankers LISTE] [--stars LISTE] [--banker-stars LISTE]\n"
    "               [--seed S] [--out SCHEIN.emt]\n"
    "  stats [--from DATUM] [--to DATUM] [--order number|frequency|absence]\n"
    "  publish ORDNER [--version TEXT] [--installer DATEI]\n"
    "  update [--server URL] [--ftp URL] [--draws] [--quotas] [--version]\n";

int Usage(const std::string& problem = {}) {
  if (!problem.empty()) std::cerr << problem << "\n";
  std::cerr << kUsageText;
  return kUsage;
}

// The program's messages use "\r" for line breaks.
int Refuse(const std::string& message) {
  std::string text = message;
  for (char& c : text)
    if (c == '\r') c = '\n';
  std::cerr << text << "\n";
  return kRefused;
}

// A damaged history is shown as far as it can be; the message goes to standard error.
void Warn(const kw::Error& error) {
  std::string text = error.message;
  for (char& c : text)
    if (c == '\r') c = '\n';
  std::cerr << text << "\n";
}

// Reads the history without changing the data folder.
std::optional<int> ReadHistory(kw::DataSet& state) {
  if (auto read = kw::ReadDraws(state); !read) {
    if (state.HistoryUnreadable) return Refuse(read.error().message);
    Warn(read.error());
  }
  return std::nullopt;
}

std::optional<std::string> ReadTextFile(const std::string& path, std::string& error) {
  auto bytes = kw::ReadWholeFile(path, kw::kMaxCsvFileBytes);
  if (!bytes) {
    error = bytes.error().message;
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

std::string CaptionOf(const std::string& path) {
  std::string name = kw::FileNameOf(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

int Draws(kw::DataSet& state) {
  if (auto refused = ReadHistory(state)) return *refused;
  for (const auto& d : state.Draws) {
    std::cout << kw::DateText(d.datum) << '\t' << int{d.GZ[0]} << ' ' << int{d.GZ[1]} << ' ' << int{d.GZ[2]} << ' '
              << int{d.GZ[3]} << ' ' << int{d.GZ[4]} << '\t' << int{d.SZ[0]} << ' ' << int{d.SZ[1]} << '\n';
  }
  return kOk;
}

// The folder the data commands work on, as the scripts ask for it.
int DataDir(const kw::DataSet& state) {
  std::cout << state.DataDir << '\n';
  return kOk;
}

int Import(kw::DataSet& state, const std::vector<std::string>& args, bool quotas) {
  if (args.size() != 1) return Usage();
  std::string error;
  const auto text = ReadTextFile(args[0], error);
  if (!text) return Refuse(error);
  if (auto made = kw::CreateDirectories(state.DataDir); !made) return Refuse(made.error().message);
  // An import writes anyway: a damaged history keeps its copy, as at the program's start.
  if (auto loaded = kw::LoadDraws(state); !loaded) {
    if (state.HistoryUnreadable) return Refuse(loaded.error().message);
    Warn(loaded.error());
  }
  if (quotas) {
    auto summary = kw::ImportQuotasCsv(state, *text);
    if (!summary) return Refuse(summary.error().message);
    std::cout << kw::QuotaImportSummaryText(*summary) << '\n';
  } else {
    auto summary = kw::ImportDrawsCsv(state, *text);
    if (!summary) return Refuse(summary.error().message);
    std::cout << kw::DrawImportSummaryText(*summary) << '\n';
  }
  return kOk;
}

std::optional<int> DrawIndexOf(const kw::DataSet& state, const std::string& text) {
  const auto date = kw::ParseDateText(text);
  if (!date) return std::nullopt;
  for (std::size_t i = 0; i < state.Draws.size(); ++i)
    if (state.Draws[i].datum == *date) return static_cast<int>(i);
  return std::nullopt;
}

int Evaluate(kw::DataSet& state, const std::vector<std::string>& args) {
  std::optional<std::string> from, to;
  std::optional<int> only;
  std::vector<std::string> slips;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--from" || a == "--to" || a == "--only") && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (a == "--from") from = v;
      else if (a == "--to") to = v;
      else {
        char* end = nullptr;
        const long n = std::strtol(v.c_str(), &end, 10);
        if (*end != '\0' || n < 1) return Usage("--only erwartet eine Seitennummer ab 1.");
        only = static_cast<int>(n);
      }
    } else if (a.rfind("--", 0) == 0) {
      return Usage("Unbekannte Option: " + a);
    } else {
      slips.push_back(a);
    }
  }
  if (only && *only > static_cast<int>(slips.size())) return Usage("--only nennt keine der angegebenen Dateien.");
  if (auto refused = ReadHistory(state)) return *refused;
  if (auto quotas = kw::ReadQuotasAligned(state); !quotas) return Refuse(quotas.error().message);
  if (state.Draws.empty()) return Refuse("Es sind noch keine Gewinnreihen vorhanden.\r\rIch breche erst einmal ab.");

  // Slip pages in the order given.
  std::vector<std::vector<kw::TSchein>> slipRows;
  std::vector<std::string> captions;
  for (const auto& path : slips) {
    auto rows = kw::LoadSlipRows(path);
    if (!rows) return Refuse(rows.error().message);
    slipRows.push_back(std::move(*rows));
    captions.push_back(CaptionOf(path));
  }

  kw::EvalRequest request{state.Draws, state.Quotas, {}, {}, 1};
  request.period.from = static_cast<int>(state.Draws.size()) - 1;
  request.period.to = request.period.from;
  if (from) {
    const auto index = DrawIndexOf(state, *from);
    if (!index) return Refuse("Für den " + *from + " ist keine Ausspielung gespeichert.\r\rIch breche erst einmal ab.");
    request.period.from = *index;
  }
  if (to) {
    const auto index = DrawIndexOf(state, *to);
    if (!index) return Refuse("Für den " + *to + " ist keine Ausspielung gespeichert.\r\rIch breche erst einmal ab.");
    request.period.to = *index;
    request.period.toTicked = true;
  }
  // All slips together, as with "Sämtliche Dateien zusammen auswerten", unless one page is picked.
  for (std::size_t f = 0; f < slipRows.size(); ++f)
    if (!only || static_cast<int>(f) + 1 == *only) request.slips.push_back({captions[f], slipRows[f]});
  const auto result = kw::Evaluate(request);
  if (!result) return Refuse(result.error().message);
  std::cout << result->heading << '\n' << result->caption << '\n';
  const kw::EvalTable& table = result->table;
  for (int r = 0; r < table.rowCount(); ++r) {
    for (int c = 0; c < table.columnCount(); ++c) std::cout << (c ? "\t" : "") << table.cell(c, r);
    std::cout << '\n';
  }
  return kOk;
}

int Tips(const std::vector<std::string>& args) {
  bool check = true;
  kw::BlanksDecision blanks = kw::BlanksDecision::Cancel;
  std::optional<std::string> out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--no-check") {
      check = false;
    } else if (a == "--blanks" && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (v == "yes") blanks = kw::BlanksDecision::Separators;
      else if (v == "no") blanks = kw::BlanksDecision::Superfluous;
      else if (v == "cancel") blanks = kw::BlanksDecision::Cancel;
      else return Usage("--blanks erwartet yes, no oder cancel.");
    } else if (a == "--out" && i + 1 < args.size()) {
      out = args[++i];
    } else {
      return Usage("Unbekannte Angabe: " + a);
    }
  }
  const std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  std::vector<std::string> lines = kw::SplitTipLines(text);
  const kw::TipParse parsed = kw::ParseTipText(lines, check, [&](const std::string&) { return blanks; });
  if (parsed.status == kw::TipParse::Status::Cancelled) return Refuse("Die Übertragung wurde abgebrochen.");
  if (parsed.status == kw::TipParse::Status::Refused) return Refuse(parsed.message);

  kw::TextTable table;
  kw::SetUpTipTable(table);
  kw::PlaceTipRows(parsed.rows, table, false);
  for (int r = 1; r <= kw::LastFilledRow(table); ++r) {
    for (int c = 1; c <= 7; ++c) std::cout << (c > 1 ? "," : "") << table.cell(c, r);
    std::cout << '\n';
  }
  if (out) {
    if (auto saved = kw::SaveSlipFile(table, *out); !saved) return Refuse(saved.error().message);
  }
  return kOk;
}

int Binomial(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage();
  long long n = 0, k = 0;
  char* end = nullptr;
  n = std::strtoll(args[0].c_str(), &end, 10);
  if (args[0].empty() || *end != '\0' || n < INT32_MIN || n > INT32_MAX) return Usage("N ist keine ganze Zahl.");
  k = std::strtoll(args[1].c_str(), &end, 10);
  if (args[1].empty() || *end != '\0' || k < INT32_MIN || k > INT32_MAX) return Usage("K ist keine ganze Zahl.");
  if (n <= 0) return Refuse("Sie müssen für \"n\" eine Zahl größer Null eingeben.\r\rIch breche erst einmal ab.");
  if (n < k) return Refuse("Die Zahl für \"n\" muss größer als die für \"k\" sein.\r\rIch breche erst einmal ab.");
  if (k < 0) return Refuse("Die Zahl für \"k\" darf nicht negativ sein.\r\rIch breche erst einmal ab.");
  const auto result = kw::binomial(static_cast<std::int32_t>(n), static_cast<std::int32_t>(k));
  if (!result) return Refuse("Das Ergebnis ist zu groß für diese Rechnung.\r\rIch breche erst einmal ab.");
  std::cout << *result << '\n';
  return kOk;
}

// The tip-row analysis of a row text: the three summary lines, with --total the histogram.
int Analyse(const std::vector<std::string>& args) {
  std::optional<int> depth;
  bool total = false;
  std::optional<std::string> file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--depth" && i + 1 < args.size()) {
      const auto k = kw::ParseStrictInt(args[++i]);
      if (!k || *k < 2 || *k > 5) return Usage("--depth erwartet eine Zahl von 2 bis 5.");
      depth = static_cast<int>(*k);
    } else if (a == "--total") {
      total = true;
    } else if (a.rfind("--", 0) == 0 || file) {
      return Usage("Unbekannte Angabe: " + a);
    } else {
      file = a;
    }
  }
  if (!depth) return Usage("analyse braucht --depth K.");
  std::string text;
  if (file) {
    std::string error;
    const auto read = ReadTextFile(*file, error);
    if (!read) return Refuse(error);
    text = *read;
  } else {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  const auto analysis = kw::AnalyseRowText(text, *depth, total ? kw::CheckMode::Total : kw::CheckMode::Guarantee);
  if (!analysis) return Refuse(analysis.error().message);
  for (const auto& line : analysis->summary) std::cout << line << '\n';
  if (total)
    for (int h = 0; h <= analysis->parsed.rowLength; ++h)
      std::cout << h << '\t' << analysis->histogram[static_cast<std::size_t>(h)] << '\n';
  return kOk;
}

// The tip centre's system list; each option takes the index of the list item.
int Systems(const std::vector<std::string>& args) {
  kw::SystemFilter filter;
  struct Option {
    const char* name;
    int* item;
    int last;
    const char* items;
  };
  const Option options[] = {
      {"--bz", &filter.bzItem, 3, "0 (egal), 1 (0), 2 (1) oder 3 (2)"},
      {"--wz", &filter.wzItem, 44, "0 (egal) oder 1 bis 44 (7 bis 50 Wahlzahlen)"},
      {"--gar", &filter.garItem, 4, "0 (egal) oder 1 bis 4 (minimal 2, 3, 4, 5)"},
      {"--budget", &filter.budgetItem, 6, "0 (egal) oder 1 bis 6 (bis 10 ... über 500)"},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Option* option = nullptr;
    for (const auto& o : options)
      if (args[i] == o.name) option = &o;
    if (!option || i + 1 >= args.size()) return Usage("Unbekannte Angabe: " + args[i]);
    const auto item = kw::ParseStrictInt(args[++i]);
    if (!item || *item < 0 || *item > option->last)
      return Usage(std::string(option->name) + " erwartet " + option->items + ".");
    *option->item = static_cast<int>(*item);
  }
  for (int key : kw::filterSystems(filter)) std::cout << key << '\t' << kw::listText(key) << '\n';
  return kOk;
}

// The rows of one system as positions in the sorted list of chosen numbers.
int SystemRows(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage();
  const auto key = kw::ParseStrictInt(args[0]);
  if (!key) return Usage("SYSTEM ist keine ganze Zahl.");
  if (*key < 1 || *key > kw::kSystemCount)
    return Refuse("Das System " + args[0] + " gibt es nicht. Die Systeme sind von 1 bis " +
                  std::to_string(kw::kSystemCount) + " nummeriert.");
  const int system = static_cast<int>(*key);
  const kw::SystemEntry e = kw::entry(system);
  const int k = kw::rowLength(system);
  if (system > kw::kReducedSystemCount) kw::buildFullMatrix(e.wz, k);
  for (int r = 1; r <= e.r; ++r) {
    for (int c = 1; c <= k; ++c) std::cout << (c > 1 ? " " : "") << kw::position(system, r, c);
    std::cout << '\n';
  }
  return kOk;
}

// The arguments as UTF-8: on Windows from the UTF-16 command line, not the ANSI code page.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(kw::Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = Arguments(argc, argv);
  kw::DataSet state;
  state.DataDir = kw::DefaultDataFolder();
  if (args.size() >= 2 && args[0] == "--data-dir") {
    state.DataDir = args[1];
    if (state.DataDir.empty() || state.DataDir.back() != '/') state.DataDir += '/';
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) return Usage();
  const std::string command = args[0];
  args.erase(args.begin());
  const bool needsData = command == "draws" || command == "import-draws" || command == "import-quotas" ||
                         command == "evaluate" || command == "stats" || command == "data-dir";
  if (needsData && state.DataDir.empty())
    return Refuse("Der Datenordner ist unbekannt: Es ist kein Benutzerordner eingestellt. Bitte nennen Sie ihn mit "
                  "--data-dir ORDNER.");
  if (command == "data-dir") return args.empty() ? DataDir(state) : Usage();
  if (command == "draws") return args.empty() ? Draws(state) : Usage();
  if (command == "import-draws") return Import(state, args, false);
  if (command == "import-quotas") return Import(state, args, true);
  if (command == "evaluate") return Evaluate(state, args);
  if (command == "tips") return Tips(args);
  if (command == "binomial") return Binomial(args);
  if (command == "analyse") return Analyse(args);
  if (command == "systems") return Systems(args);
  if (command == "system-rows") return SystemRows(args);
  if (command == "random") return kwcli::RandomCommand(args);
  if (command == "apply-system") return kwcli::ApplySystemCommand(args);
  if (command == "stats") return kw::RunStatsCommand(state.DataDir, args);
  if (command == "publish") return kw::cli::Publish(state.DataDir, args);
  if (command == "update") return kw::cli::Update(state.DataDir, args);
  return Usage("Unbekannter Befehl: " + command);
}
