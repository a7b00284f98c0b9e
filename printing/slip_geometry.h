#pragma once
// The Belgian EuroMillions betting slip in tenths of a millimetre (x to the right, y downward from
// the slip's top-left corner as it lies in the printer), which table rows go on which slip, and
// the marks one slip receives. Every position is the top-left point at which a mark is written.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/text_table.h"

namespace kw {

struct SlipPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const SlipPoint&, const SlipPoint&) = default;
};

inline constexpr int kSlipPanels = 6;  // tip rows per slip
inline constexpr int kJokerOptions = 4;      // "1,50 €" .. "6,00 €"
inline constexpr int kDrawCountOptions = 6;  // "1", "2", "4", "6", "8", "10"
inline constexpr SlipPoint kSlipNumberPosition{100, 1010};

// Box of main number 1..50 in panel 1..6; nothing for a number or panel without a box.
std::optional<SlipPoint> MainNumberPosition(int panel, int number);
// Box of star 1..12 in panel 1..6.
std::optional<SlipPoint> StarPosition(int panel, int star);
// Box of an option of "Joker +" (0..3) and of "Ziehungen" (0..5).
std::optional<SlipPoint> JokerPosition(int option);
std::optional<SlipPoint> DrawCountPosition(int option);

// The 300 main-number boxes, panel by panel, numbers 1..50 in each: worked out once.
const std::array<SlipPoint, kSlipPanels * 50>& MainNumberBoxes();

// Slips needed for the table rows first..last: six rows a slip, the last one possibly partly
// filled; 0 when last < first.
int SlipCount(int first, int last);

// One slip of a run: its table rows, inclusive.
struct SlipRows {
  int first = 0;
  int last = 0;
  friend bool operator==(const SlipRows&, const SlipRows&) = default;
};
std::vector<SlipRows> PlanSlips(int first, int last);

// One tip row's seven cells as read from the table; an empty cell has no value. A row whose first
// number is empty prints nothing but still takes its panel.
using SlipRowValues = std::array<std::optional<int>, 7>;

// The rows first..last of a tip table (column 0 holds the row number). Non-empty cells must be
// whole numbers; the first that is not stops with the conversion error before anything is printed.
Result<std::vector<SlipRowValues>> SlipRowsOfTable(const TextTable& table, int first, int last);

// What one slip carries besides its rows.
struct SlipExtras {
  std::optional<int> joker;      // option of "Joker +", none when switched off or not chosen
  std::optional<int> drawCount;  // option of "Ziehungen"
  std::string number;            // running slip number "m/N"; empty prints none
};

struct SlipMark {
  SlipPoint at;
  std::string text;  // "x" for a box, or the slip number
  friend bool operator==(const SlipMark&, const SlipMark&) = default;
};

// The marks of one slip: rows[k] goes into panel k + 1 (at most six rows), then Joker, draw count
// and slip number. Values without a box are left out.
std::vector<SlipMark> SlipMarks(const std::vector<SlipRowValues>& rows, const SlipExtras& extras);

// The user's corrections (tenths of a millimetre; minus moves left and up) and the printer's
// unprintable margin at the left and top of the paper, also in tenths.
struct PrintCorrection {
  int horizontal = 0;
  int vertical = 0;
  int marginLeft = 0;
  int marginTop = 0;
};
// Where a slip position goes on the printable area (origin at its top-left, y downward), so that
// the mark lands at the slip position plus the user's correction on the paper.
SlipPoint PagePosition(SlipPoint slip, const PrintCorrection& correction);

}  // namespace kw
