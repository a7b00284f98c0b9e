#include "cli/command_support.h"

#include <iostream>

#include "core/german_format.h"

namespace kwcli {

int Refuse(const std::string& message) {
  std::string text = message;
  for (char& c : text)
    if (c == '\r') c = '\n';
  std::cerr << text << "\n";
  return kRefused;
}

int UsageError(const std::string& problem, const char* usage) {
  std::cerr << problem << "\nAufruf: kugelwerk-cli " << usage << "\n";
  return kUsage;
}

std::optional<std::vector<int>> ParseNumberList(const std::string& text, int lowest, int highest) {
  std::vector<int> values;
  if (text.empty()) return values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const auto value = kw::ParseStrictInt(item);
    if (!value || *value < lowest || *value > highest) return std::nullopt;
    values.push_back(static_cast<int>(*value));
    if (comma == std::string::npos) return values;
    start = comma + 1;
  }
}

std::optional<std::uint32_t> ParseSeed(const std::string& text) {
  const auto value = kw::ParseStrictInt(text);
  if (!value || *value < 0 || *value > 0xFFFFFFFFll) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

void PrintRows(const std::vector<kw::TSchein>& rows) {
  std::string out;
  out.reserve(rows.size() * 20);
  for (const kw::TSchein& row : rows) {
    for (std::uint8_t v : row.GZ) out += std::to_string(v) + ",";
    out += std::to_string(row.SZ[0]) + "," + std::to_string(row.SZ[1]) + "\n";
  }
  std::cout << out;
}

}  // namespace kwcli
