#include "printing/slip_geometry.h"

#include <algorithm>
#include <limits>

#include "core/german_format.h"

namespace kw {

namespace {

constexpr std::array<SlipPoint, kSlipPanels> kPanelOrigins{
    {{105, 320}, {342, 320}, {580, 320}, {818, 320}, {1054, 320}, {1290, 320}}};
constexpr int kNumberStep = 38;  // 3.8 mm between the boxes, across and down
// Stars of panel 1; the other panels follow in fixed steps, which are not the panel origins' spacing.
constexpr std::array<SlipPoint, 12> kStarsPanel1{{{143, 775},
                                                  {222, 775},
                                                  {105, 813},
                                                  {181, 813},
                                                  {260, 813},
                                                  {143, 851},
                                                  {222, 851},
                                                  {105, 890},
                                                  {181, 890},
                                                  {260, 890},
                                                  {143, 928},
                                                  {222, 928}}};
constexpr int kStarPanelStep = 236;
constexpr std::array<SlipPoint, kJokerOptions> kJoker{{{341, 1085}, {420, 1085}, {495, 1085}, {575, 1085}}};
constexpr std::array<SlipPoint, kDrawCountOptions> kDrawCounts{
    {{1248, 1045}, {1328, 1045}, {1408, 1045}, {1248, 1083}, {1328, 1083}, {1408, 1083}}};

bool ValidPanel(int panel) { return panel >= 1 && panel <= kSlipPanels; }

std::array<SlipPoint, kSlipPanels * 50> ComputeMainNumberBoxes() {
  std::array<SlipPoint, kSlipPanels * 50> boxes{};
  for (int p = 0; p < kSlipPanels; ++p)
    for (int n = 0; n < 50; ++n)
      boxes[static_cast<std::size_t>(p * 50 + n)] = {kPanelOrigins[static_cast<std::size_t>(p)].x + (n % 5) * kNumberStep,
                                                     kPanelOrigins[static_cast<std::size_t>(p)].y + (n / 5) * kNumberStep};
  return boxes;
}

}  // namespace

const std::array<SlipPoint, kSlipPanels * 50>& MainNumberBoxes() {
  static const auto boxes = ComputeMainNumberBoxes();
  return boxes;
}

std::optional<SlipPoint> MainNumberPosition(int panel, int number) {
  if (!ValidPanel(panel) || number < 1 || number > 50) return std::nullopt;
  return MainNumberBoxes()[static_cast<std::size_t>((panel - 1) * 50 + number - 1)];
}

std::optional<SlipPoint> StarPosition(int panel, int star) {
  if (!ValidPanel(panel) || star < 1 || star > 12) return std::nullopt;
  SlipPoint at = kStarsPanel1[static_cast<std::size_t>(star - 1)];
  at.x += (panel - 1) * kStarPanelStep;
  return at;
}

std::optional<SlipPoint> JokerPosition(int option) {
  if (option < 0 || option >= kJokerOptions) return std::nullopt;
  return kJoker[static_cast<std::size_t>(option)];
}

std::optional<SlipPoint> DrawCountPosition(int option) {
  if (option < 0 || option >= kDrawCountOptions) return std::nullopt;
  return kDrawCounts[static_cast<std::size_t>(option)];
}

int SlipCount(int first, int last) {
  if (last < first) return 0;
  const long long rows = static_cast<long long>(last) - first + 1;
  return static_cast<int>((rows + kSlipPanels - 1) / kSlipPanels);
}

std::vector<SlipRows> PlanSlips(int first, int last) {
  std::vector<SlipRows> slips;
  if (last < first) return slips;
  slips.reserve(static_cast<std::size_t>(SlipCount(first, last)));
  for (long long r = first; r <= last; r += kSlipPanels) {
    const long long end = std::min<long long>(r + kSlipPanels - 1, last);
    slips.push_back({static_cast<int>(r), static_cast<int>(end)});
  }
  return slips;
}

Result<std::vector<SlipRowValues>> SlipRowsOfTable(const TextTable& table, int first, int last) {
  std::vector<SlipRowValues> rows;
  if (last < first) return rows;
  rows.reserve(static_cast<std::size_t>(static_cast<long long>(last) - first + 1));
  for (long long r = first; r <= last; ++r) {
    SlipRowValues values{};
    const bool inTable = r >= 1 && r < table.rowCount();
    const int row = static_cast<int>(r);
    if (inTable && !table.cell(1, row).empty()) {
      for (int c = 1; c <= 7; ++c) {
        const std::string& text = table.cell(c, row);
        if (text.empty()) continue;
        const auto v = ParseStrictInt(text);
        if (!v) return Refused(InvalidIntegerMessage(text));
        // A number far outside any box prints nothing, like one just outside.
        if (*v >= std::numeric_limits<int>::min() && *v <= std::numeric_limits<int>::max())
          values[static_cast<std::size_t>(c - 1)] = static_cast<int>(*v);
        else
          values[static_cast<std::size_t>(c - 1)] = 0;
      }
    }
    rows.push_back(values);
  }
  return rows;
}

std::vector<SlipMark> SlipMarks(const std::vector<SlipRowValues>& rows, const SlipExtras& extras) {
  std::vector<SlipMark> marks;
  const std::string cross = "x";
  for (std::size_t k = 0; k < rows.size() && k < static_cast<std::size_t>(kSlipPanels); ++k) {
    const SlipRowValues& row = rows[k];
    if (!row[0]) continue;
    const int panel = static_cast<int>(k) + 1;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (!row[c]) continue;
      const auto at = c < 5 ? MainNumberPosition(panel, *row[c]) : StarPosition(panel, *row[c]);
      if (at) marks.push_back({*at, cross});
    }
  }
  if (extras.joker)
    if (const auto at = JokerPosition(*extras.joker)) marks.push_back({*at, cross});
  if (extras.drawCount)
    if (const auto at = DrawCountPosition(*extras.drawCount)) marks.push_back({*at, cross});
  if (!extras.number.empty()) marks.push_back({kSlipNumberPosition, extras.number});
  return marks;
}

SlipPoint PagePosition(SlipPoint slip, const PrintCorrection& correction) {
  // Wide arithmetic: a correction typed as large as an int allows lands off the page, never overflows.
  auto clamp = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  };
  return {clamp(static_cast<long long>(slip.x) - correction.marginLeft + correction.horizontal),
          clamp(static_cast<long long>(slip.y) - correction.marginTop + correction.vertical)};
}

}  // namespace kw
