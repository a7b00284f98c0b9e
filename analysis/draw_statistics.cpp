#include "analysis/draw_statistics.h"

#include "core/draw_history.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#include "core/dates.h"
#include "core/game_rules.h"

namespace kw {
namespace {

using Mask = std::uint64_t;  // number n = bit n

constexpr Mask kAllMain = ((Mask{1} << (kMaxMain + 1)) - 1) & ~Mask{1};
constexpr Mask kAllStars = ((Mask{1} << (kMaxStar + 1)) - 1) & ~Mask{1};

// One bit per number; every number outside 1..max gets bit 63.
constexpr std::array<Mask, 256> NumberBits(int max) {
  std::array<Mask, 256> bits{};
  for (int n = 0; n < 256; ++n) bits[static_cast<std::size_t>(n)] = Mask{1} << (n >= 1 && n <= max ? n : 63);
  return bits;
}
constexpr std::array<Mask, 256> kMainBits = NumberBits(kMaxMain), kStarBits = NumberBits(kMaxStar);
constexpr Mask kOutside = Mask{1} << 63;

// The numbers in range as a set.
template <std::size_t N>
Mask MaskOf(const std::array<std::uint8_t, N>& numbers, const std::array<Mask, 256>& bits) {
  Mask m = 0;
  for (const std::uint8_t n : numbers) m |= bits[n];
  return m & ~kOutside;
}

// Runs over every draw of every period, so without branches: the sum of the numbers' bits
// equals their union only when no number repeats.
template <std::size_t N>
bool AllDistinctInRange(const std::array<std::uint8_t, N>& numbers, const std::array<Mask, 256>& bits) {
  Mask sum = 0, all = 0;
  for (const std::uint8_t n : numbers) {
    sum += bits[n];
    all |= bits[n];
  }
  return sum == all && (all & kOutside) == 0;
}

bool IsComplete(const TGewZahlen& d) {
  return AllDistinctInRange(d.GZ, kMainBits) && AllDistinctInRange(d.SZ, kStarBits);
}

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The part of a period that lies inside the history, so that no period reads outside it.
DrawPeriod Inside(const std::vector<TGewZahlen>& draws, DrawPeriod period) {
  return {std::max(period.von, 0), std::min(period.bis, static_cast<int>(draws.size()) - 1)};
}

template <std::size_t Slots>
std::array<Slot, Slots> NumberOrder(const std::array<std::int32_t, Slots + 1>& values) {
  std::array<Slot, Slots> slots{};
  for (std::size_t i = 0; i < Slots; ++i) slots[i] = {static_cast<int>(i + 1), values[i + 1]};
  return slots;
}

template <std::size_t Slots>
std::array<Slot, Slots> Descending(const std::array<std::int32_t, Slots + 1>& values) {
  std::array<Slot, Slots> slots = NumberOrder<Slots>(values);
  // (value, number) is unique, so the order is fully determined without a stable sort.
  std::sort(slots.begin(), slots.end(),
            [](const Slot& a, const Slot& b) { return a.value != b.value ? a.value > b.value : a.number < b.number; });
  return slots;
}

}  // namespace

Result<DrawPeriod> CheckStatisticsPeriod(const std::vector<TGewZahlen>& draws, int von, int bis) {
  const auto count = static_cast<long long>(draws.size());
  if (von < 0 || von >= bis || bis >= count) return Refused(kInvalidPeriodMessage);
  for (int i = von; i <= bis; ++i) {
    const TGewZahlen& d = draws[At(i)];
    if (!IsComplete(d))
      return Refused("Die Ausspielung vom " + DateText(d.datum) + " ist noch nicht vollständig eingetragen.\r\r" +
                     kInvalidPeriodMessage);
  }
  return DrawPeriod{von, bis};
}

NumberTables CountFrequencies(const std::vector<TGewZahlen>& draws, DrawPeriod period) {
  // Counters for every byte value: a stray number can never write outside the table.
  std::array<std::int32_t, 256> main{}, stars{};
  const DrawPeriod inside = Inside(draws, period);
  for (int i = inside.von; i <= inside.bis; ++i) {
    const TGewZahlen& d = draws[At(i)];
    for (const std::uint8_t n : d.GZ) ++main[n];
    for (const std::uint8_t s : d.SZ) ++stars[s];
  }
  NumberTables t;
  std::copy_n(main.begin() + 1, kMaxMain, t.numbers.begin() + 1);
  std::copy_n(stars.begin() + 1, kMaxStar, t.stars.begin() + 1);
  return t;
}

NumberTables CountAbsences(const std::vector<TGewZahlen>& draws, DrawPeriod period) {
  // From the last draw backwards, each number gets its absence at its latest draw; most
  // periods have placed every number after a few dozen draws.
  NumberTables t;
  Mask mainLeft = kAllMain, starsLeft = kAllStars;
  const DrawPeriod inside = Inside(draws, period);
  for (int i = inside.bis; i >= inside.von && (mainLeft | starsLeft) != 0; --i) {
    const TGewZahlen& d = draws[At(i)];
    const auto after = static_cast<std::int32_t>(period.bis - i);
    const Mask newMain = MaskOf(d.GZ, kMainBits) & mainLeft, newStars = MaskOf(d.SZ, kStarBits) & starsLeft;
    for (Mask m = newMain; m != 0; m &= m - 1) t.numbers[At(std::countr_zero(m))] = after;
    for (Mask m = newStars; m != 0; m &= m - 1) t.stars[At(std::countr_zero(m))] = after;
    mainLeft &= ~newMain;
    starsLeft &= ~newStars;
  }
  const auto never = static_cast<std::int32_t>(period.draws());
  for (Mask m = mainLeft; m != 0; m &= m - 1) t.numbers[At(std::countr_zero(m))] = never;
  for (Mask m = starsLeft; m != 0; m &= m - 1) t.stars[At(std::countr_zero(m))] = never;
  return t;
}

NumberSlots InNumberOrder(const std::array<std::int32_t, 51>& values) { return NumberOrder<50>(values); }
StarSlots InNumberOrder(const std::array<std::int32_t, 13>& values) { return NumberOrder<12>(values); }
NumberSlots OrderDescending(const std::array<std::int32_t, 51>& values) { return Descending<50>(values); }
StarSlots OrderDescending(const std::array<std::int32_t, 13>& values) { return Descending<12>(values); }

std::string StatisticsHeading(const std::vector<TGewZahlen>& draws, DrawPeriod period) {
  return kStatisticsHeadingPrefix + DrawRangeText(draws, period.von, period.bis);
}

Result<StatisticsView> EvaluateStatistics(const std::vector<TGewZahlen>& draws, int von, int bis,
                                          StatisticsOrder order) {
  const auto checked = CheckStatisticsPeriod(draws, von, bis);
  if (!checked) return checked.error();
  const DrawPeriod period = *checked;
  StatisticsView view;
  view.heading = StatisticsHeading(draws, period);
  switch (order) {
    case StatisticsOrder::Frequency:
      view.frequencies = CountFrequencies(draws, period);
      view.numberSlots = OrderDescending(view.frequencies->numbers);
      view.starSlots = OrderDescending(view.frequencies->stars);
      view.numberHeading = view.starHeading = "Häufigkeit absteigend";
      break;
    case StatisticsOrder::Absence: {
      const NumberTables absences = CountAbsences(draws, period);
      view.numberSlots = OrderDescending(absences.numbers);
      view.starSlots = OrderDescending(absences.stars);
      view.numberHeading = view.starHeading = "Ausgeblieben absteigend";
      break;
    }
    case StatisticsOrder::Numbers:
    default:
      view.frequencies = CountFrequencies(draws, period);
      view.numberSlots = InNumberOrder(view.frequencies->numbers);
      view.starSlots = InNumberOrder(view.frequencies->stars);
      view.numberHeading = "Häufigkeit nach Nummernfolge 1 - 50";
      view.starHeading = "Häufigkeit nach Nummernfolge 1 - 12";
      break;
  }
  return view;
}

}  // namespace kw
