#include "core/worksheet_tips.h"

namespace kw {

namespace {

// One left-to-right pass that deletes every non-overlapping run of n commas: a run of length r
// keeps r mod n of them.
std::size_t AfterPass(std::size_t run, std::size_t n) { return run % n; }

}  // namespace

std::string JoinSheetRow(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (c > 0) line += ',';
    const std::string& cell = cells[c];
    if (cell.find_first_of(" ,\"") == std::string::npos) {
      line += cell;
      continue;
    }
    line += '"';
    for (const char ch : cell) {
      if (ch == '"') line += '"';
      line += ch;
    }
    line += '"';
  }
  return line;
}

std::string StripTrailingCommaRuns(std::string_view line) {
  const std::size_t keep = line.find_last_not_of(',');
  const std::size_t body = keep == std::string_view::npos ? 0 : keep + 1;
  std::size_t run = line.size() - body;
  if (run < 2) return std::string(line);
  for (const std::size_t n : {std::size_t{68}, std::size_t{28}, std::size_t{12}, std::size_t{2}}) run = AfterPass(run, n);
  std::string out(line.substr(0, body));
  out.append(run, ',');
  return out;
}

std::vector<std::string> WorksheetTipLines(const std::vector<std::vector<std::string>>& cells) {
  std::vector<std::string> lines;
  for (const auto& row : cells) {
    if (row.empty() || row.front().empty()) continue;
    lines.push_back(StripTrailingCommaRuns(JoinSheetRow(row)));
  }
  return lines;
}

}  // namespace kw
