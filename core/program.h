#pragma once
// Program identity, file names and file-dialog filters: constants, not state.
#include <string>

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

}  // namespace kw
