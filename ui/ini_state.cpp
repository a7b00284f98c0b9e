#include "ui/ini_state.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "core/file_io.h"
#include "core/german_format.h"

namespace kw::ui {

namespace {
constexpr std::size_t kMaxIniBytes = 1024 * 1024;

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  if (!FileExists(path)) return lines;
  auto bytes = ReadWholeFile(path, kMaxIniBytes);
  if (!bytes) return lines;
  std::string line;
  for (std::uint8_t b : *bytes) {
    if (b == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(static_cast<char>(b));
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::optional<std::string> SectionName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() >= 2 && t.front() == '[' && t.back() == ']') return Trim(t.substr(1, t.size() - 2));
  return std::nullopt;
}

// Index of the key's line within the section, and the line after the section's last key.
struct Place {
  std::optional<std::size_t> keyLine;
  std::optional<std::size_t> sectionEnd;
};

Place Find(const std::vector<std::string>& lines, const std::string& section, const std::string& key) {
  Place place;
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionName(lines[i])) {
      inSection = SameName(*name, section);
      if (inSection) place.sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    const auto eq = lines[i].find('=');
    if (eq != std::string::npos) {
      place.sectionEnd = i + 1;
      if (!place.keyLine && SameName(Trim(lines[i].substr(0, eq)), key)) place.keyLine = i;
    }
  }
  return place;
}
}  // namespace

bool ReadIniBool(const std::string& path, const std::string& section, const std::string& key, bool fallback) {
  const auto lines = ReadLines(path);
  const Place place = Find(lines, section, key);
  if (!place.keyLine) return fallback;
  const std::string& line = lines[*place.keyLine];
  const auto value = ParseStrictInt(Trim(line.substr(line.find('=') + 1)));
  return value ? *value != 0 : fallback;
}

Result<void> WriteIniBool(const std::string& path, const std::string& section, const std::string& key, bool value) {
  auto lines = ReadLines(path);
  const Place place = Find(lines, section, key);
  const std::string entry = key + "=" + (value ? "1" : "0");
  if (place.keyLine) {
    lines[*place.keyLine] = entry;
  } else if (place.sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), entry);
  } else {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  std::vector<std::uint8_t> bytes;
  for (const auto& line : lines) {
    bytes.insert(bytes.end(), line.begin(), line.end());
    bytes.push_back('\n');
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace kw::ui
