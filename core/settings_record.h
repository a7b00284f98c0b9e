#pragma once
// "Einstellungen.emo": the start-up settings, one record of 2,632 bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace kw {

inline constexpr std::size_t kSettingsRecordSize = 2632;
inline constexpr std::size_t kSettingsSlipCount = 10;
inline constexpr std::size_t kSettingsSlipEntrySize = 256;
inline constexpr std::size_t kSettingsSlipMaxLength = 255;  // bytes in Windows-1252
// A list index stored for "no selection".
inline constexpr std::uint8_t kNoSelection = 255;

struct SettingsRecord {
  // Slip files opened at start, UTF-8; empty = unused. Used entries stand at the front.
  std::array<std::string, kSettingsSlipCount> recentSlips;
  bool CBFilter = false;
  bool CBStandardTC = false;
  bool CBStandardZuf = false;
  bool CBStandardZufDateien = false;
  bool CBGewinnreihen = false;
  bool CBGewinnQuoten = false;
  bool CBUpdates = false;
  std::uint8_t ComboBZ = 0;
  std::uint8_t ComboWZ = 0;
  std::uint8_t ComboGar = 0;
  std::uint8_t ComboBudget = 0;
  std::uint8_t RG1 = 0;
  std::int32_t EReihen = 0;
  // The record as read. Encoding starts from it, so reserved bytes, the bytes behind each
  // path and non-canonical Booleans survive unless their field was changed.
  std::array<std::uint8_t, kSettingsRecordSize> raw{};
};

SettingsRecord DecodeSettingsRecord(const std::uint8_t* p);  // reads kSettingsRecordSize bytes
std::vector<std::uint8_t> EncodeSettingsRecord(const SettingsRecord& record);

struct SettingsLoad {
  SettingsRecord record;  // zero unless present
  bool present = false;   // the file existed and was read: SettingsPresent
  std::optional<Error> error;  // to be shown once; the program goes on with the zero record
};

// Missing file: not present, no error. Empty file: present, zero record. Several whole
// records: the last one counts. Anything else (partial record, unreadable, huge) is an error.
SettingsLoad ReadSettingsFile(const std::string& path);
// Exactly one record, written atomically.
Result<void> WriteSettingsFile(const std::string& path, const SettingsRecord& record);

// The file list. Add puts the path into the first empty entry and returns its index; it refuses
// a path that Windows-1252 cannot hold or that is longer than 255 characters there (it would
// name another file after a restart), and with all ten entries used kFileListFullMessage.
inline constexpr const char* kFileListFullMessage =
    "Die Datei-Liste kann maximal 10 Einträge umfassen.\r\rBitte löschen Sie einen bestehenden Eintrag "
    "über die rechte Maustaste.\r\rIch breche erst einmal ab.";
Result<std::size_t> AddRecentSlip(SettingsRecord& record, const std::string& path);
// Removes entry `index`; the entries behind it move up and the last becomes empty.
// An index outside 0..9 changes nothing and returns false.
bool RemoveRecentSlip(SettingsRecord& record, std::size_t index);
// Indices of the used entries whose file exists, in order: the rows of the settings window's
// list. Deleting a row must remove the entry at the row's index here, not at the row number,
// because entries of missing files are not shown.
std::vector<std::size_t> ExistingRecentSlips(const SettingsRecord& record);
// "C:/Tipps/Schein 1.emt" -> "Schein 1": how the list shows a path.
std::string SlipDisplayName(const std::string& path);

// The items behind the stored list indices, index 0 first, as the settings window shows them.
inline constexpr std::array<int, 6> kBudgetLimits = {20, 50, 100, 200, 500, 1000};
std::vector<std::string> BankerItems();     // "egal", "0", "1", "2"
std::vector<std::string> ChosenItems();     // "egal", "7" .. "50"
std::vector<std::string> GuaranteeItems();  // "egal", "2" .. "5"
std::vector<std::string> BudgetItems();     // "egal", "bis 20", "21 - 50", ..., "über 1000"
std::vector<std::string> RandomRowItems();  // "5", "6", "10", "12", "20", "50", "frei:"

// A stored index as a list position: -1 (no selection) for 255 and for anything the list
// does not have, so a damaged file never selects a row that is not there.
int ListPosition(std::uint8_t stored, std::size_t itemCount);
// A list position as stored: 255 for no selection (-1) and anything out of byte range.
std::uint8_t StoredListIndex(int position);

}  // namespace kw
