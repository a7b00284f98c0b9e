#include "core/settings_record.h"

#include <algorithm>

#include "core/cp1252.h"
#include "core/file_io.h"
#include "core/german_format.h"

namespace kw {

namespace {

constexpr std::size_t kFlagsOffset = 2560;
constexpr std::size_t kCombosOffset = 2580;
constexpr std::size_t kRowCountOffset = 2592;
// The program writes one record; a few hundred cover any file a user could sensibly have.
constexpr std::size_t kMaxSettingsFileBytes = 1024 * 1024;

// The Booleans in file order.
template <class Record>
auto Flags(Record& r) {
  return std::array{&r.CBFilter, &r.CBStandardTC, &r.CBStandardZuf, &r.CBStandardZufDateien,
                    &r.CBGewinnreihen, &r.CBGewinnQuoten, &r.CBUpdates};
}

template <class Record>
auto Combos(Record& r) {
  return std::array{&r.ComboBZ, &r.ComboWZ, &r.ComboGar, &r.ComboBudget, &r.RG1};
}

std::string StoredPath(const std::string& utf8) {
  return Utf8ToCp1252(CutToCp1252Length(utf8, kSettingsSlipMaxLength));
}

}  // namespace

SettingsRecord DecodeSettingsRecord(const std::uint8_t* p) {
  SettingsRecord r;
  std::copy(p, p + kSettingsRecordSize, r.raw.begin());
  for (std::size_t i = 0; i < kSettingsSlipCount; ++i) {
    const std::uint8_t* entry = p + i * kSettingsSlipEntrySize;
    r.recentSlips[i] = Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(entry + 1), entry[0]));
  }
  const auto flags = Flags(r);
  for (std::size_t k = 0; k < flags.size(); ++k) *flags[k] = p[kFlagsOffset + k] != 0;
  const auto combos = Combos(r);
  for (std::size_t k = 0; k < combos.size(); ++k) *combos[k] = p[kCombosOffset + k];
  std::uint32_t count = 0;
  for (std::size_t k = 0; k < 4; ++k) count |= std::uint32_t{p[kRowCountOffset + k]} << (8 * k);
  r.EReihen = static_cast<std::int32_t>(count);
  return r;
}

std::vector<std::uint8_t> EncodeSettingsRecord(const SettingsRecord& record) {
  std::vector<std::uint8_t> out(record.raw.begin(), record.raw.end());
  for (std::size_t i = 0; i < kSettingsSlipCount; ++i) {
    const std::string text = StoredPath(record.recentSlips[i]);
    std::uint8_t* entry = out.data() + i * kSettingsSlipEntrySize;
    const bool unchanged = entry[0] == text.size() && std::equal(text.begin(), text.end(), entry + 1,
                                                                  [](char a, std::uint8_t b) {
                                                                    return static_cast<std::uint8_t>(a) == b;
                                                                  });
    if (unchanged) continue;
    // A changed entry gets a clean tail, so no remains of an older, longer path stay in the file.
    std::fill(entry, entry + kSettingsSlipEntrySize, std::uint8_t{0});
    entry[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), entry + 1);
  }
  const auto flags = Flags(record);
  for (std::size_t k = 0; k < flags.size(); ++k) {
    std::uint8_t& byte = out[kFlagsOffset + k];
    if ((byte != 0) != *flags[k]) byte = *flags[k] ? 1 : 0;
  }
  const auto combos = Combos(record);
  for (std::size_t k = 0; k < combos.size(); ++k) out[kCombosOffset + k] = *combos[k];
  const auto count = static_cast<std::uint32_t>(record.EReihen);
  for (std::size_t k = 0; k < 4; ++k) out[kRowCountOffset + k] = static_cast<std::uint8_t>(count >> (8 * k));
  return out;
}

SettingsLoad ReadSettingsFile(const std::string& path) {
  SettingsLoad load;
  if (NoFileAt(path)) return load;
  auto bytes = ReadWholeFile(path, kMaxSettingsFileBytes);
  if (!bytes) {
    load.error = bytes.error();
    return load;
  }
  const std::size_t size = bytes->size();
  if (size % kSettingsRecordSize != 0) {
    load.error = IoError("Die Datei \"" + FileNameOf(path) + "\" ist beschädigt: Mit " +
                         FormatGroupedInteger(static_cast<std::int64_t>(size)) +
                         " Bytes besteht sie nicht aus ganzen Einträgen zu je " +
                         FormatGroupedInteger(static_cast<std::int64_t>(kSettingsRecordSize)) +
                         " Bytes.\r\rDas Programm startet ohne die gespeicherten Einstellungen.");
    return load;
  }
  if (size > 0) load.record = DecodeSettingsRecord(bytes->data() + size - kSettingsRecordSize);
  load.present = true;
  return load;
}

Result<void> WriteSettingsFile(const std::string& path, const SettingsRecord& record) {
  return WriteFileAtomically(path, EncodeSettingsRecord(record));
}

Result<std::size_t> AddRecentSlip(SettingsRecord& record, const std::string& path) {
  if (path.empty()) return Refused("Es wurde keine Datei gewählt.");
  // The list keeps 8-bit Windows paths: a path it cannot hold whole would name another file
  // after the next start, and the slip would silently stay closed.
  if (!FitsCp1252(path))
    return Refused("Der Pfad \"" + path + "\" enthält Zeichen, die die Datei-Liste nicht speichern kann (erlaubt "
                   "sind westeuropäische Buchstaben, Ziffern und Satzzeichen).\r\rBitte legen Sie die "
                   "Spielschein-Datei in einen Ordner, dessen Name nur solche Zeichen enthält, oder geben Sie ihr "
                   "einen solchen Namen.\r\rIch breche erst einmal ab.");
  if (Utf8ToCp1252(path).size() > kSettingsSlipMaxLength)
    return Refused("Der Pfad \"" + path + "\" ist zu lang für die Datei-Liste: Sie nimmt Pfade mit höchstens " +
                   std::to_string(kSettingsSlipMaxLength) +
                   " Zeichen auf.\r\rBitte legen Sie die Spielschein-Datei in einen Ordner mit kürzerem "
                   "Pfad.\r\rIch breche erst einmal ab.");
  for (std::size_t i = 0; i < kSettingsSlipCount; ++i) {
    if (record.recentSlips[i].empty()) {
      record.recentSlips[i] = path;
      return i;
    }
  }
  return Refused(kFileListFullMessage);
}

bool RemoveRecentSlip(SettingsRecord& record, std::size_t index) {
  if (index >= kSettingsSlipCount) return false;
  std::move(record.recentSlips.begin() + static_cast<std::ptrdiff_t>(index) + 1, record.recentSlips.end(),
            record.recentSlips.begin() + static_cast<std::ptrdiff_t>(index));
  record.recentSlips.back().clear();
  return true;
}

std::vector<std::size_t> ExistingRecentSlips(const SettingsRecord& record) {
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < kSettingsSlipCount; ++i) {
    if (!record.recentSlips[i].empty() && FileExists(record.recentSlips[i])) rows.push_back(i);
  }
  return rows;
}

std::string SlipDisplayName(const std::string& path) {
  std::string name = FileNameOf(path);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

std::vector<std::string> BankerItems() { return {"egal", "0", "1", "2"}; }

std::vector<std::string> ChosenItems() {
  std::vector<std::string> items{"egal"};
  for (int n = 7; n <= 50; ++n) items.push_back(std::to_string(n));
  return items;
}

std::vector<std::string> GuaranteeItems() { return {"egal", "2", "3", "4", "5"}; }

std::vector<std::string> BudgetItems() {
  std::vector<std::string> items{"egal", "bis " + std::to_string(kBudgetLimits[0])};
  for (std::size_t k = 0; k + 2 < kBudgetLimits.size(); ++k) {
    items.push_back(std::to_string(kBudgetLimits[k] + 1) + " - " + std::to_string(kBudgetLimits[k + 1]));
  }
  items.push_back("über " + std::to_string(kBudgetLimits.back()));
  return items;
}

std::vector<std::string> RandomRowItems() { return {"5", "6", "10", "12", "20", "50", "frei:"}; }

int ListPosition(std::uint8_t stored, std::size_t itemCount) {
  return stored == kNoSelection || stored >= itemCount ? -1 : int{stored};
}

std::uint8_t StoredListIndex(int position) {
  return position < 0 || position >= int{kNoSelection} ? kNoSelection : static_cast<std::uint8_t>(position);
}

}  // namespace kw
