#pragma once
// Reading the numbers of a draw from pasted text (a results page copied to the clipboard).
#include <string_view>
#include <vector>

#include "core/result.h"

namespace kw {

// One number to apply as a click on its button: a main number 1..50 or a star 1..12.
struct PastedNumber {
  bool star = false;
  int number = 0;
  bool operator==(const PastedNumber&) const = default;
};

// The numbers of a pasted text in the order they are to be clicked.
// - Seven lines: five main numbers, then two stars, one per line; an empty line ends the list.
// - Three or four lines: the main numbers glued together on line 1, the stars on line 3, each
//   glued line taken apart from its end ("512233845" -> 45, 38, 23, 12, 5).
// - Five, six or more than seven lines: an empty list (the text is no draw).
// Anything that names no number button (letters, 0, above 50 or above 12, a glued line that does
// not split into its numbers) and texts of one or two lines are refused with a German message.
Result<std::vector<PastedNumber>> ParsePastedDraw(std::string_view text);

// Splits a glued line of `count` numbers from its end: the last two characters form a number
// while fewer numbers remain than characters, else the last one. Returns the parts last first;
// empty when the line runs out of characters or keeps some over.
std::vector<std::string_view> SplitGluedNumbers(std::string_view line, int count);

}  // namespace kw
