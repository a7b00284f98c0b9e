#pragma once
// Tip rows from a worksheet: one text line per sheet row that has something in column A, its
// cells joined with commas the way a tip line is typed.
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// One worksheet row's cells as text, quoted where the text needs it (a blank, a comma or a
// quotation mark; quotation marks inside are doubled) and joined with ",".
std::string JoinSheetRow(const std::vector<std::string>& cells);

// Wide sheets leave long runs of commas behind the numbers (their empty trailing cells). The run
// at the end of a line shrinks by removing runs of 68, then 28, then 12 commas, then pairs,
// which leaves at most one comma (dropped later by the transfer's check). Runs between two
// cells are kept: deleting them would fuse two numbers into a different one ("1,,2" -> "12").
std::string StripTrailingCommaRuns(std::string_view line);

// cells[r][c] is sheet row r + 1, column c + 1. Rows whose column A is empty are left out.
std::vector<std::string> WorksheetTipLines(const std::vector<std::vector<std::string>>& cells);

}  // namespace kw
