#include "cli/stats_command.h"

#include <iostream>
#include <optional>

#include "analysis/draw_statistics.h"
#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"

namespace kw {
namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr const char* kStatsUsageLine = "  stats [--from DATUM] [--to DATUM] [--order number|frequency|absence]\n";

int Usage(const std::string& problem) {
  std::cerr << problem << "\nAufruf: kugelwerk-cli [--data-dir ORDNER] BEFEHL ...\n" << kStatsUsageLine;
  return kUsage;
}

// The program's messages use "\r" for line breaks.
int Refuse(std::string message) {
  for (char& c : message)
    if (c == '\r') c = '\n';
  std::cerr << message << "\n";
  return kRefused;
}

// Read only: a damaged history is reported, never copied or rewritten here.
Result<std::vector<TGewZahlen>> ReadHistory(const std::string& dataDir) {
  const std::string path = dataDir + kDrawsFileName;
  if (!FileExists(path)) return std::vector<TGewZahlen>{};
  auto bytes = ReadWholeFile(path, kMaxDrawsFileBytes);
  if (!bytes) return bytes.error();
  DecodedHistory history = DecodeHistory(*bytes);
  if (history.badRecord >= 0)
    return IoError("Die Datei \"" + std::string(kDrawsFileName) + "\" ist beschädigt: Datensatz " +
                   std::to_string(history.badRecord + 1) +
                   " enthält kein gültiges Datum oder ungültige Zahlen.\r\rIch breche erst einmal ab.");
  return std::move(history.draws);
}

// The item of the date list that shows this date.
std::optional<int> DrawIndexOf(const std::vector<TGewZahlen>& draws, const std::string& text) {
  const auto date = ParseDateText(text);
  if (!date) return std::nullopt;
  for (std::size_t i = 0; i < draws.size(); ++i)
    if (draws[i].datum == *date) return static_cast<int>(i);
  return std::nullopt;
}

std::string NoDrawMessage(const std::string& date) {
  return "Für den " + date + " ist keine Ausspielung gespeichert.\r\rIch breche erst einmal ab.";
}

}  // namespace

int RunStatsCommand(const std::string& dataDir, const std::vector<std::string>& args) {
  std::optional<std::string> from, to;
  StatisticsOrder order = StatisticsOrder::Numbers;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--from" || a == "--to" || a == "--order") && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (a == "--from") {
        from = v;
      } else if (a == "--to") {
        to = v;
      } else if (v == "number") {
        order = StatisticsOrder::Numbers;
      } else if (v == "frequency") {
        order = StatisticsOrder::Frequency;
      } else if (v == "absence") {
        order = StatisticsOrder::Absence;
      } else {
        return Usage("--order erwartet number, frequency oder absence.");
      }
    } else {
      return Usage("Unbekannte Angabe: " + a);
    }
  }

  const auto draws = ReadHistory(dataDir);
  if (!draws) return Refuse(draws.error().message);
  int von = 0;
  int bis = static_cast<int>(draws->size()) - 1;
  if (from) {
    const auto index = DrawIndexOf(*draws, *from);
    if (!index) return Refuse(NoDrawMessage(*from));
    von = *index;
  }
  if (to) {
    const auto index = DrawIndexOf(*draws, *to);
    if (!index) return Refuse(NoDrawMessage(*to));
    bis = *index;
  }

  const auto view = EvaluateStatistics(*draws, von, bis, order);
  if (!view) return Refuse(view.error().message);
  std::string out = view->heading + '\n';
  for (const Slot& s : view->numberSlots) out += "Z\t" + std::to_string(s.number) + '\t' + std::to_string(s.value) + '\n';
  for (const Slot& s : view->starSlots) out += "S\t" + std::to_string(s.number) + '\t' + std::to_string(s.value) + '\n';
  std::cout << out;
  return kOk;
}

}  // namespace kw
