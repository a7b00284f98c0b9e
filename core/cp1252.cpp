#include "core/cp1252.h"

#include <array>
#include <cstdint>

namespace kw {

namespace {

// Code points of 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {  // the code page reaches no further than the BMP
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one character at text[i] and advances i; malformed input yields kInvalid and
// consumes a single byte so that the next character is still found.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto b0 = static_cast<std::uint8_t>(text[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  std::size_t len = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1Fu, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0Fu, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07u, min = 0x10000;
  } else {
    ++i;
    return kInvalid;
  }
  if (text.size() - i < len) {
    ++i;
    return kInvalid;
  }
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<std::uint8_t>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kInvalid;
    }
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kInvalid;
  }
  i += len;
  return cp;
}

char ToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == cp) return static_cast<char>(0x80 + k);
  }
  return '?';
}

bool InCp1252(char32_t cp) {
  if (cp == kInvalid) return false;
  return cp == '?' || ToCp1252(cp) != '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i);
    out += cp == kInvalid ? '?' : ToCp1252(cp);
  }
  return out;
}

std::string CutToCp1252Length(std::string_view utf8, std::size_t maxBytes) {
  std::size_t i = 0;
  for (std::size_t chars = 0; i < utf8.size() && chars < maxBytes; ++chars) NextCodePoint(utf8, i);
  return std::string(utf8.substr(0, i));
}

bool FitsCp1252(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    if (!InCp1252(NextCodePoint(utf8, i))) return false;
  }
  return true;
}

}  // namespace kw
