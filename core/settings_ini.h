#pragma once
// "Einstellungen.ini": control states that windows keep from one run to the next.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/result.h"

namespace kw {

// The known keys with their defaults; windows use these instead of spelling names themselves.
struct IniBoolKey {
  const char* section;
  const char* key;
  bool dflt;
};
// An integer outside min..max reads as the default, so a hand-edited file never puts a
// control out of its range.
struct IniIntKey {
  const char* section;
  const char* key;
  int dflt;
  int min;
  int max;
};
struct IniStringKey {
  const char* section;
  const char* key;
  const char* dflt;
};

namespace ini {
inline constexpr IniBoolKey kAuswertungAlle{"Auswertung", "Alle", true};
// What one tip row costs per draw, for the winnings curve of a result page ("2,50" euros).
inline constexpr IniStringKey kAuswertungEinsatz{"Auswertung", "Einsatz", "2,50"};
inline constexpr IniIntKey kSysTestCheck{"SysTest", "check", 0, 0, 1};
inline constexpr IniIntKey kSysTestTreffer{"SysTest", "Treffer", 3, 2, 5};
inline constexpr IniIntKey kQuotenSpalte{"Quoten", "Spalte", 4, 1, 8};
inline constexpr IniIntKey kEingabeOver{"Eingabe", "over", 1, 0, 1};
inline constexpr IniIntKey kEingabeTabelle{"Eingabe", "Tabelle", 1, 1, 10};
inline constexpr IniBoolKey kEingabeProof{"Eingabe", "proof", true};
inline constexpr IniIntKey kDruckJoker{"Druck", "Joker", 0, 0, 3};
inline constexpr IniIntKey kDruckZiehungen{"Druck", "Ziehungen", 0, 0, 5};
inline constexpr IniBoolKey kDruckNr{"Druck", "Nr", true};
inline constexpr IniStringKey kDruckHKorr{"Druck", "hKorr", "250"};
inline constexpr IniStringKey kDruckVKorr{"Druck", "vKorr", ""};
// Download server overrides; empty = the built-in addresses and account (update/server_config.h).
inline constexpr IniStringKey kUpdateServer{"Update", "Server", ""};
inline constexpr IniStringKey kUpdateFtpServer{"Update", "FtpServer", ""};
inline constexpr IniStringKey kUpdateFtpUser{"Update", "FtpUser", ""};
inline constexpr IniStringKey kUpdateFtpPassword{"Update", "FtpPassword", ""};
}  // namespace ini

// An INI file as Windows reads it: "[Section]" lines, "key=value" lines, names compared
// without regard to case (ASCII), blanks around names and values ignored, one pair of
// enclosing quotes taken off a value. Comments, unknown sections and keys and any other
// lines are kept as they are, in their order, when the file is written back.
class IniFile {
 public:
  // A missing file gives an empty one. An unreadable or oversized file (over 1 MiB) also reads
  // as empty, with loadError() telling why.
  static IniFile Load(const std::string& path);
  static IniFile Parse(std::string_view text);

  bool existed() const { return existed_; }
  const std::optional<Error>& loadError() const { return loadError_; }

  bool hasKey(std::string_view section, std::string_view key) const;
  // Missing key or a value that is not a whole number: the default.
  int readInt(std::string_view section, std::string_view key, int dflt) const;
  // An integer; any value but 0 is true.
  bool readBool(std::string_view section, std::string_view key, bool dflt) const;
  std::string readString(std::string_view section, std::string_view key, std::string dflt) const;

  void writeInt(std::string_view section, std::string_view key, int value);
  void writeBool(std::string_view section, std::string_view key, bool value);  // 1 or 0
  // Line breaks in the value become blanks: a value must never add lines to the file.
  void writeString(std::string_view section, std::string_view key, std::string_view value);

  bool read(const IniBoolKey& k) const { return readBool(k.section, k.key, k.dflt); }
  int read(const IniIntKey& k) const;
  std::string read(const IniStringKey& k) const { return readString(k.section, k.key, k.dflt); }
  void write(const IniBoolKey& k, bool value) { writeBool(k.section, k.key, value); }
  void write(const IniIntKey& k, int value) { writeInt(k.section, k.key, value); }
  void write(const IniStringKey& k, std::string_view value) { writeString(k.section, k.key, value); }

  std::string text() const;
  Result<void> Save(const std::string& path) const;  // atomic

 private:
  struct Line {
    std::string text;  // as read, or as made by a write
    bool isKey = false;
    std::string key;  // trimmed, for isKey
    std::string value;
    static Line plain(std::string t) {
      Line line;
      line.text = std::move(t);
      return line;
    }
  };
  struct Section {
    std::string name;  // empty for the lines before the first section
    std::vector<Line> lines;
  };
  const Line* find(std::string_view section, std::string_view key) const;
  Section& sectionFor(std::string_view section);

  std::vector<Section> sections_{Section{}};
  std::string eol_ = "\r\n";
  bool bom_ = false;
  bool existed_ = false;
  std::optional<Error> loadError_;
};

// Loads the file, lets `change` set its keys and saves it. A file that exists but could not be
// read is left alone and its load error returned, so other windows' sections are never lost.
Result<void> UpdateIniFile(const std::string& path, const std::function<void(IniFile&)>& change);

}  // namespace kw
