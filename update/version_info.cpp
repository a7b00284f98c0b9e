#include "update/version_info.h"

#include "core/bytes.h"
#include "core/cp1252.h"

namespace kw::update {

namespace {

constexpr const char* kFile = "verinfos.ema";

Error Damaged(const std::string& problem) {
  return Refused("Die heruntergeladene Datei \"" + std::string(kFile) + "\" ist beschädigt: " + problem);
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
  return false;
}

}  // namespace

Result<VersionRecord> ReadVersionInfo(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty() || bytes.size() % kVersionRecordSize != 0)
    return Damaged("Sie besteht nicht aus ganzen Datensätzen von 24 Bytes (" + std::to_string(bytes.size()) +
                   " Bytes).");
  const std::uint8_t* last = bytes.data() + bytes.size() - kVersionRecordSize;
  ByteReader rd(last);
  VersionRecord record;
  record.date = rd.f64();
  const std::size_t length = rd.u8();
  if (length == 0) return Damaged("Sie nennt keine Programmversion.");
  if (length > kMaxVersionTextLength)
    return Damaged("Die Versionsangabe ist " + std::to_string(length) + " Zeichen lang, höchstens 12 sind möglich.");
  const std::string raw(reinterpret_cast<const char*>(last + 9), length);
  if (HasControlCharacter(raw)) return Damaged("Die Versionsangabe enthält Steuerzeichen.");
  record.version = Cp1252ToUtf8(raw);
  return record;
}

Result<std::vector<std::uint8_t>> EncodeVersionRecord(double date, std::string_view version) {
  if (version.empty() || !FitsCp1252(version) || HasControlCharacter(version))
    return Refused("Die Versionsangabe \"" + std::string(version) + "\" ist keine gültige Programmversion.");
  const std::string raw = Utf8ToCp1252(version);
  if (raw.size() > kMaxVersionTextLength)
    return Refused("Die Versionsangabe \"" + std::string(version) + "\" ist länger als 12 Zeichen.");
  std::vector<std::uint8_t> out;
  ByteWriter w(out);
  w.f64(date);
  w.u8(static_cast<std::uint8_t>(raw.size()));
  for (std::size_t i = 0; i < kMaxVersionTextLength; ++i)
    w.u8(i < raw.size() ? static_cast<std::uint8_t>(raw[i]) : std::uint8_t{0});
  for (int i = 0; i < 3; ++i) w.u8(0);
  return out;
}

bool VersionDiffers(std::string_view installed, std::string_view online) { return installed != online; }

}  // namespace kw::update
