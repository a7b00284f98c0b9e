#pragma once
// "verinfos.ema": records of 24 bytes, the last one names the version the server offers.
// Bytes 0-7 release date (day number), 8 length of the version text (0..12), 9-20 its
// characters in Windows-1252, 21-23 filler.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace kw::update {

inline constexpr std::size_t kVersionRecordSize = 24;
inline constexpr std::size_t kMaxVersionTextLength = 12;
inline constexpr std::size_t kMaxVersionFileBytes = 1u << 20;

struct VersionRecord {
  double date = 0;      // release date, not used by the check
  std::string version;  // UTF-8
};

// The last record; refused when the file is not made of whole records, is empty, or its last
// record has no version text or a text that cannot be one.
Result<VersionRecord> ReadVersionInfo(const std::vector<std::uint8_t>& bytes);
// One record; refused when the text is empty, does not fit into 12 Windows-1252 characters or
// holds control characters.
Result<std::vector<std::uint8_t>> EncodeVersionRecord(double date, std::string_view version);

// The download is offered whenever the server's version is another one than the installed
// one: a lower version counts too, so that a withdrawn release can be replaced.
bool VersionDiffers(std::string_view installed, std::string_view online);

}  // namespace kw::update
