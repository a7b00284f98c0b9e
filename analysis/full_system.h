#pragma once
// Full systems: every five of the chosen tip numbers, each with every pair of the chosen stars.
// Reads the two free texts of the builder window, counts the rows and writes them in
// lexicographic order as tip-row text ("3,7,19,22,41,2,9", one row per line).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace kw {

// Building stops here: a longer list helps nobody and would only fill the memory.
inline constexpr std::int64_t kMaxFullSystemRows = 100000;

inline constexpr const char* kEmptyTipNumbersMessage =
    "Das Textfeld ist leer. Ohne Tippzahlen kann ich keine Tippreihen bilden.\r\rIch breche erst einmal ab.";
inline constexpr const char* kTooFewTipNumbersMessage =
    "Bitte geben Sie mindestens fünf Tippzahlen aus 1 bis 50 ein. Andernfalls kann ich keine 5er "
    "Tippreihen bilden.\r\rIch breche erst einmal ab.";
inline constexpr const char* kNoStarsQuestion =
    "Sie haben keine Sternzahlen gewählt. Wenn lediglich die 5er-Reihen gebildet werden sollen, klicken Sie "
    "bitte \"Ja\" an.\r\rAndernfalls breche ich ab.";

// Two blanks become one until none are left; then line breaks, " ,", ", " and ",," each become
// "," in one left-to-right pass over the whole text (so ",,," keeps one empty item).
std::string CleanNumberText(std::string_view text);

// The distinct numbers lowest..highest of a cleaned text, ascending, and how many items it had.
struct NumberChoice {
  std::vector<int> numbers;
  int items = 0;

  int ignored() const { return items - static_cast<int>(numbers.size()); }
};

// Splits a cleaned text at commas. Items outside lowest..highest (and repeats) are ignored;
// an item that is not a whole number (an empty one from a stray comma, "1 2", "x") refuses the
// text with a message naming it. `what` is "Tippzahlen" or "Sternzahlen".
Result<NumberChoice> ChooseNumbers(std::string_view cleaned, int lowest, int highest, const char* what);

struct FullSystemPlan {
  std::string tipText;   // the cleaned tip-number text (goes back into the text field)
  std::string starText;  // the cleaned star text; empty when no stars were given
  bool starsGiven = false;
  std::vector<int> tips;   // 1..50, ascending
  std::vector<int> stars;  // 1..12, ascending
  std::int64_t fiveRows = 0;   // n over 5
  std::int64_t starParts = 0;  // 0 without star text, 1 for up to two stars, else s over 2
  std::int64_t total = 0;      // fiveRows * starParts, or fiveRows when starParts < 2
  std::string info;            // what was ignored, empty when nothing was
};

// Reads both texts and counts. Refuses an empty tip text, fewer than five valid tip numbers
// and items that are not whole numbers.
Result<FullSystemPlan> PlanFullSystem(std::string_view tipText, std::string_view starText);

// The five-number texts in lexicographic order of their indices into the tips.
std::vector<std::string> FiveNumberRows(const std::vector<int>& tips);
// ",x,y" for every pair of stars (one ",x" for a single star, one empty part when a star text
// held no valid star); nothing when no star text was given.
std::vector<std::string> StarParts(const std::vector<int>& stars, bool starsGiven);

std::string TooManyRowsMessage(std::int64_t rows);

struct FullSystemRows {
  std::string text;    // rows joined by '\n', no line break after the last
  std::int64_t count = 0;
};

// Every row of the plan, five-number rows outermost. `progress` gets the index of the
// five-number row being written, now and then and once for the last. Refuses more than
// kMaxFullSystemRows rows.
Result<FullSystemRows> BuildFullSystem(const FullSystemPlan& plan,
                                       const std::function<void(std::int64_t)>& progress = {});

// "Eine Tippreihe wurde gebildet." or "<n> Tippreihen wurden gebildet."
std::string BuiltHeading(std::int64_t lines);

}  // namespace kw
