#pragma once
// Program identity, file names and the one shared application state.
#include <array>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/settings_record.h"

namespace kw {

inline constexpr const char* kProgramTitle = "Kugelwerk";
inline constexpr const char* kProgramVersion = "1.7.1.1";
inline constexpr const char* kBuildDate = "18.03.2024";

inline constexpr const char* kDrawsFileName = "GZahlen.emz";
inline constexpr const char* kQuotasFileName = "EMQuoten.emq";
inline constexpr const char* kSettingsFileName = "Einstellungen.emo";
inline constexpr const char* kIniFileName = "Einstellungen.ini";
inline constexpr const char* kDemoSlipFileName = "Demo.emt";
inline constexpr const char* kQuotaLinksFileName = "QLinks.emql";
inline constexpr const char* kSlipFilter = "EM-Schein-Datei|*.emt";
inline constexpr const char* kSlipExtension = "emt";

// Random generator pattern files.
inline constexpr const char* kExcludedStandardFile = "QuoKiSta.emm";
inline constexpr const char* kBankerStandardFile = "BaZaSta.emm";
inline constexpr const char* kFavouriteStandardFile = "FavoSta.emm";
inline constexpr const char* kExcludedExtension = ".emmk";
inline constexpr const char* kBankerExtension = ".emmb";
inline constexpr const char* kFavouriteExtension = ".emmf";
inline constexpr const char* kExcludedFilter = "Quotenkiller|*.emmk";
inline constexpr const char* kBankerFilter = "Bankzahlen|*.emmb";
inline constexpr const char* kFavouriteFilter = "Favoriten|*.emmf";
// Tip centre pattern files.
inline constexpr const char* kChosenStandardFile = "WZSta.emtc";
inline constexpr const char* kTipCentreBankerStandardFile = "BZSta.emtc";
inline constexpr const char* kChosenExtension = ".emwz";
inline constexpr const char* kTipCentreBankerExtension = ".embz";
inline constexpr const char* kChosenFilter = "Wahlzahlen|*.emwz";
inline constexpr const char* kTipCentreBankerFilter = "Bankzahlen|*.embz";


// "Kugelwerk 1.7.1.1" + " " + suffix, e.g. "- Zentrale".
std::string WindowCaption(const std::string& suffix);

struct AppState {
  std::string DataDir;     // with trailing "/"
  std::string ProgramDir;  // with trailing "/"
  std::string TempFile;    // system temporary folder + "tmp.tmp"
  std::vector<TGewZahlen> Draws;
  std::vector<TQuoten> Quotas;  // Quotas[i] belongs to Draws[i]
  // The start-up settings of "Einstellungen.emo"; Settings.recentSlips are the remembered slip files.
  SettingsRecord Settings;
  bool SettingsPresent = false;
  std::vector<std::vector<TSchein>> SlipRows;
  std::vector<TSM> PeriodSets;
  int PeriodStart = 0;
  std::vector<std::vector<TSM>> TipSets;
  int SlipPageCount = 0;
  int EvalCount = 0;
  std::string EvalCaption;
  std::string EvalHeading;
  bool NewDrawPending = false;

  std::string dataFile(const char* name) const { return DataDir + name; }
};

// The program's one instance; windows use it, core routines take an AppState& so tests make their own.
AppState& App();

// PeriodStart = a; PeriodSets = hit sets of the draws a .. a + n.
void BuildPeriodSets(AppState& state, int a, int n);

}  // namespace kw
