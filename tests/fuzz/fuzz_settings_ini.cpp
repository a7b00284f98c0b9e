// "Einstellungen.ini" parsing and writing on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/settings_ini.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The last bytes serve as a value to write, the rest as the file.
  const std::size_t valueSize = std::min<std::size_t>(size, 12);
  const std::string_view file = input.substr(0, size - valueSize);
  const std::string_view value = input.substr(size - valueSize);

  kw::IniFile ini = kw::IniFile::Parse(file);
  (void)ini.read(kw::ini::kAuswertungAlle);
  const int treffer = ini.read(kw::ini::kSysTestTreffer);
  Check(treffer >= 2 && treffer <= 5);
  (void)ini.read(kw::ini::kDruckHKorr);

  // What we write is stable: parsing our own output gives the same output again.
  const std::string text = ini.text();
  Check(kw::IniFile::Parse(text).text() == text);

  ini.writeString("Druck", "vKorr", value);
  ini.write(kw::ini::kAuswertungAlle, !value.empty() && value[0] % 2 == 0);
  ini.write(kw::ini::kQuotenSpalte, static_cast<int>(size % 8) + 1);
  const kw::IniFile back = kw::IniFile::Parse(ini.text());
  std::string expected(value);
  for (char& c : expected) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  Check(back.read(kw::ini::kDruckVKorr) == expected);
  Check(back.read(kw::ini::kAuswertungAlle) == (!value.empty() && value[0] % 2 == 0));
  Check(back.read(kw::ini::kQuotenSpalte) == static_cast<int>(size % 8) + 1);
  Check(back.text() == ini.text());
  return 0;
}
