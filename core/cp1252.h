#pragma once
// Windows-1252 <-> UTF-8 for the 8-bit paths in "Einstellungen.emo".
#include <cstddef>
#include <string>
#include <string_view>

namespace kw {

// Every byte becomes one character. The five bytes Windows-1252 leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows does,
// so that any byte string survives the way there and back.
std::string Cp1252ToUtf8(std::string_view bytes);

// One byte per character; a character outside Windows-1252 and every byte of malformed
// UTF-8 become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// The longest leading part of utf8 that takes at most maxBytes bytes in Windows-1252,
// cut between characters, never inside one.
std::string CutToCp1252Length(std::string_view utf8, std::size_t maxBytes);

// True when Utf8ToCp1252 keeps every character, i.e. the text comes back unchanged.
bool FitsCp1252(std::string_view utf8);

}  // namespace kw
