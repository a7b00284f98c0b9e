#pragma once
// The text syntax in which tip rows are typed, pasted or imported: one row per line, five main
// numbers then two stars, separated by commas. Turns such text into validated rows and places
// rows into a tip table.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_table.h"

namespace kw {

enum class BlanksDecision { Separators, Superfluous, Cancel };
// Puts the blanks question (Yes = separators, No = superfluous, Cancel) to the user.
using AskBlanks = std::function<BlanksDecision(const std::string& question)>;
using TipRow = std::array<int, 7>;  // as typed: 5 main numbers then 2 stars

struct TipParse {
  enum class Status { Ok, Refused, Cancelled } status = Status::Ok;
  std::vector<TipRow> rows;  // only when Ok, in line order
  std::string message;       // only when Refused; Cancelled has nothing more to say
};

// CR LF, a lone LF or a lone CR end a line; a final line break adds no empty line.
std::vector<std::string> SplitTipLines(std::string_view text);

// All or nothing: either every line becomes a row or the first fault stops with its message.
// With check on, the lines are tidied first (blanks, semicolons, doubled and trailing commas) and
// replaced by their tidied form, also when the parse then stops; ask is called at most once.
// No lines, or one empty line, count as an empty text.
TipParse ParseTipText(std::vector<std::string>& lines, bool check, const AskBlanks& ask);

// Writes the rows, each sorted ascending (numbers, then stars), from row 1 or, when appending,
// after the rows before the first gap; the table ends after the last new row.
void PlaceTipRows(const std::vector<TipRow>& rows, TextTable& table, bool append);

}  // namespace kw
