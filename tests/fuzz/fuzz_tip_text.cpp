// Typed tip text is whatever the user pastes: any bytes must end in rows or a message.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/slip_file.h"
#include "core/tip_text.h"

namespace {
void Require(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kw;
  if (size < 1) return 0;
  const std::uint8_t flags = data[0];
  const bool check = (flags & 1) != 0;
  const bool append = (flags & 2) != 0;
  const auto answer = static_cast<BlanksDecision>((flags >> 2) % 3);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::vector<std::string> lines = SplitTipLines(text);
  for (const auto& l : lines) Require(l.find_first_of("\r\n") == std::string::npos);
  const std::vector<std::string> typed = lines;
  int asked = 0;
  const TipParse p = ParseTipText(lines, check, [&](const std::string&) {
    ++asked;
    return answer;
  });
  Require(asked <= 1);
  Require(lines.size() == typed.size());
  if (!check) Require(lines == typed);

  switch (p.status) {
    case TipParse::Status::Cancelled:
      Require(check && asked == 1 && answer == BlanksDecision::Cancel && p.rows.empty());
      return 0;
    case TipParse::Status::Refused:
      Require(!p.message.empty() && p.rows.empty());
      return 0;
    case TipParse::Status::Ok:
      break;
  }
  Require(p.message.empty() && p.rows.size() == lines.size());
  for (const TipRow& row : p.rows) {
    for (int j = 0; j < 5; ++j) Require(row[j] >= 1 && row[j] <= 50);
    for (int j = 5; j < 7; ++j) Require(row[j] >= 1 && row[j] <= 12);
  }
  if (check) {
    for (const auto& l : lines) {
      Require(std::count(l.begin(), l.end(), ',') == 6);
      Require(l.find_first_of(" ;") == std::string::npos);
    }
    // The tidied text stands on its own.
    std::vector<std::string> again = lines;
    const TipParse q = ParseTipText(again, false, AskBlanks{});
    Require(q.status == TipParse::Status::Ok && q.rows == p.rows);
  }

  TextTable table;
  SetUpTipTable(table);
  for (int r = 1; r <= static_cast<int>(flags >> 5); ++r) table.setCell(1, r, "1");
  const int start = append ? LastFilledRow(table) : 0;
  PlaceTipRows(p.rows, table, append);
  Require(table.rowCount() == start + static_cast<int>(p.rows.size()) + 1);
  for (std::size_t k = 0; k < p.rows.size(); ++k) {
    const int t = start + static_cast<int>(k) + 1;
    Require(table.cell(0, t) == std::to_string(t));
    TipRow shown{};
    for (int c = 1; c <= 7; ++c) shown[static_cast<std::size_t>(c - 1)] = std::stoi(table.cell(c, t));
    Require(std::is_sorted(shown.begin(), shown.begin() + 5) && std::is_sorted(shown.begin() + 5, shown.end()));
    Require(std::adjacent_find(shown.begin(), shown.begin() + 5) == shown.begin() + 5 && shown[5] != shown[6]);
    TipRow typedRow = p.rows[k];
    std::sort(typedRow.begin(), typedRow.begin() + 5);
    std::sort(typedRow.begin() + 5, typedRow.end());
    Require(shown == typedRow);
  }
  return 0;
}
