#include "evaluation/evaluation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/game_rules.h"
#include "core/german_format.h"
#include "core/quota_store.h"

namespace kw {

namespace {
constexpr std::array<const char*, EvalTable::kColumns> kHeaders = {"Datum", "Datei", "Feld",
                                                                   "GKl.", "Gewinn", "Gewinnsumme"};
constexpr std::array<int, EvalTable::kColumns> kWidths = {63, 72, 33, 28, 74, 96};

// No prize comes near this (10^12 euros); it keeps the cent sums far from overflowing.
constexpr std::int64_t kMaxWinCents = 100'000'000'000'000;

std::string DateTextOrEmpty(double day) {
  return std::isfinite(day) && day >= 2.0 && day <= 2958465.0 ? DateText(day) : std::string();
}

// A float times 100 is exact in a double, so std::round rounds the true amount's halves away
// from zero, as FormatAmount shows them.
std::int64_t ToCents(float amount) {
  const double cents = std::round(static_cast<double>(amount) * 100.0);
  if (!(cents > 0.0)) return 0;
  if (cents >= static_cast<double>(kMaxWinCents)) return kMaxWinCents;
  return static_cast<std::int64_t>(cents);
}

std::int64_t AddSaturated(std::int64_t a, std::int64_t b) {
  return a > std::numeric_limits<std::int64_t>::max() - b ? std::numeric_limits<std::int64_t>::max() : a + b;
}

// A TSM as 64-bit words: word w holds the numbers 64w .. 64w + 63. Real rows only use word 0;
// W = 4 covers whatever bytes a set carries.
template <int W>
struct Masks {
  std::array<std::uint64_t, W> main;
  std::array<std::uint64_t, W> stars;
};

std::uint64_t Word(const std::array<std::uint8_t, 32>& bytes, int w) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | bytes[static_cast<std::size_t>(8 * w + i)];
  return v;
}

template <int W>
Masks<W> ToMasks(const TSM& t) {
  Masks<W> m;
  for (int w = 0; w < W; ++w) {
    m.main[static_cast<std::size_t>(w)] = Word(t.GZ, w);
    m.stars[static_cast<std::size_t>(w)] = Word(t.SZ, w);
  }
  return m;
}

bool FitsOneWord(const TSM& t) {
  for (std::size_t i = 8; i < 32; ++i)
    if (t.GZ[i] != 0 || t.SZ[i] != 0) return false;
  return true;
}

// PrizeClass for any hit counts: more than five main hits never win, more than two stars
// behave like none.
struct ClassLookup {
  std::array<std::array<std::array<std::uint8_t, 4>, 7>, 2> table{};
  ClassLookup() {
    for (int c = 0; c < 2; ++c)
      for (int m = 0; m <= 6; ++m)
        for (int s = 0; s <= 3; ++s)
          table[static_cast<std::size_t>(c)][static_cast<std::size_t>(m)][static_cast<std::size_t>(s)] =
              static_cast<std::uint8_t>(PrizeClass(m, s, c == 1));
  }
  [[gnu::always_inline]] int operator()(bool current, int m, int s) const {
    return table[current ? 1 : 0][static_cast<std::size_t>(std::min(m, 6))][static_cast<std::size_t>(std::min(s, 3))];
  }
};

template <int W>
struct Hits {
  [[gnu::always_inline]] static int main(const Masks<W>& a, const Masks<W>& b) {
    int n = 0;
    for (std::size_t w = 0; w < W; ++w) n += std::popcount(a.main[w] & b.main[w]);
    return n;
  }
  [[gnu::always_inline]] static int stars(const Masks<W>& a, const Masks<W>& b) {
    int n = 0;
    for (std::size_t w = 0; w < W; ++w) n += std::popcount(a.stars[w] & b.stars[w]);
    return n;
  }
};
}  // namespace

std::string FormatEuroCents(std::int64_t cents) {
  const bool negative = cents < 0;
  const std::uint64_t magnitude =
      negative ? std::uint64_t{0} - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  const std::uint64_t euros = magnitude / 100, rest = magnitude % 100;
  std::string out = negative ? "-" : "";
  out += FormatGroupedInteger(static_cast<std::int64_t>(euros));
  out += ',';
  out += static_cast<char>('0' + rest / 10);
  out += static_cast<char>('0' + rest % 10);
  out += " €";
  return out;
}

std::string FormatEuro(double x) {
  if (x == 0.0 || !std::isfinite(x)) return "0,00 €";
  // Ten significant digits would round the cents of large sums away.
  return FormatGrouped(x, 2, std::fabs(x) < 1e8 ? 10 : 400) + " €";
}

Result<PeriodRange> CheckPeriod(const PeriodChoice& p, int drawCount) {
  if (drawCount <= 0) return Refused(kNoDrawsMessage);
  if (p.from < 0 || p.from >= drawCount)
    return Refused("Bitte wählen Sie zuerst die Ausspielung, die ausgewertet werden soll.\r\rIch breche erst einmal ab.");
  int last = p.from;
  if (p.toTicked && p.to != p.from) {
    if (p.to < p.from || p.to >= drawCount)
      return Refused("Bitte korrigieren Sie die Angaben für den Auswertungszeitraum.\r\rIch breche erst einmal ab.");
    last = p.to;
  }
  return PeriodRange{p.from, last};
}

std::string MakeEvalHeading(const std::string& fromText, const std::string& toText, bool oneDraw) {
  if (oneDraw) return "Auswertung für den " + fromText;
  return "Auswertung der Ausspielungen vom " + fromText + " bis " + toText;
}

const char* EvalTable::header(int column) {
  return column >= 0 && column < kColumns ? kHeaders[static_cast<std::size_t>(column)] : "";
}

int EvalTable::columnWidth(int column) {
  return column >= 0 && column < kColumns ? kWidths[static_cast<std::size_t>(column)] : 0;
}

const EvalTable::Row* EvalTable::rowAt(int row) const {
  if (row < 1 || row > static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(row - 1)];
}

std::string EvalTable::cell(int column, int row) const {
  if (row == 0) return header(column);
  const Row* r = rowAt(row);
  if (!r) return {};
  switch (column) {
    case 0: return r->flags & kFirstOfDraw ? DateTextOrEmpty(dates_[static_cast<std::size_t>(r->draw)]) : "";
    case 1:
      return r->flags & kFirstOfFile && static_cast<std::size_t>(r->file) < captions_.size()
                 ? captions_[static_cast<std::size_t>(r->file)]
                 : "";
    case 2: return r->field ? std::to_string(r->field) : "--";
    case 3: return r->klass ? std::to_string(r->klass) : "--";
    case 4: return r->klass ? FormatEuroCents(amountCents(row)) : "";
    // The last row always shows the sum, even when it has no win.
    case 5: return r->klass || row == rowCount() - 1 ? FormatEuroCents(r->total) : "";
    default: return {};
  }
}

int EvalTable::prizeClass(int row) const {
  const Row* r = rowAt(row);
  return r ? r->klass : 0;
}

bool EvalTable::isStandardAmount(int row) const {
  const Row* r = rowAt(row);
  return r && r->klass && (standard_[static_cast<std::size_t>(r->draw)] >> r->klass & 1u);
}

int EvalTable::drawIndex(int row) const {
  const Row* r = rowAt(row);
  return r ? periodStart_ + r->draw : -1;
}

std::int64_t EvalTable::amountCents(int row) const {
  const Row* r = rowAt(row);
  if (!r || !r->klass) return 0;
  return classCents_[static_cast<std::size_t>(r->draw) * 14 + r->klass];
}

std::int64_t EvalTable::largestAmountCents() const {
  std::int64_t largest = 0;
  for (int row = 1; row < rowCount(); ++row) largest = std::max(largest, amountCents(row));
  return largest;
}

double EvalTable::drawDate(int position) const {
  if (position < 0 || position >= periodDrawCount()) return std::numeric_limits<double>::quiet_NaN();
  return dates_[static_cast<std::size_t>(position)];
}

std::int64_t EvalTable::runningTotalCents(int row) const {
  const Row* r = rowAt(row);
  return r ? r->total : 0;
}

namespace {
template <int W>
[[gnu::always_inline]] inline void ScanPeriod(const std::vector<Masks<W>>& draws, const std::vector<std::vector<Masks<W>>>& files,
                const std::vector<bool>& current, const std::vector<std::int64_t>& classCents,
                const ClassLookup& classOf, std::vector<EvalTable::Row>& rows, std::uint8_t firstOfDraw,
                std::uint8_t firstOfFile) {
  std::int64_t total = 0;
  for (std::size_t j = 0; j < draws.size(); ++j) {
    const Masks<W> draw = draws[j];
    const bool c = current[j];
    const std::int64_t* cents = &classCents[j * 14];
    std::uint8_t drawFlag = firstOfDraw;
    for (std::size_t f = 0; f < files.size(); ++f) {
      std::uint8_t fileFlag = firstOfFile;
      const auto& tips = files[f];
      for (std::size_t i = 0; i < tips.size(); ++i) {
        const int k = classOf(c, Hits<W>::main(tips[i], draw), Hits<W>::stars(tips[i], draw));
        if (k == 0) continue;
        total = AddSaturated(total, cents[k]);
        rows.push_back({total, static_cast<std::int32_t>(j), static_cast<std::int32_t>(f),
                        static_cast<std::int32_t>(i + 1), static_cast<std::uint8_t>(k),
                        static_cast<std::uint8_t>(drawFlag | fileFlag)});
        drawFlag = fileFlag = 0;
      }
      if (fileFlag) {
        rows.push_back({total, static_cast<std::int32_t>(j), static_cast<std::int32_t>(f), 0, 0,
                        static_cast<std::uint8_t>(drawFlag | fileFlag)});
        drawFlag = 0;
      }
    }
  }
}

// The same scan compiled for the POPCNT instruction, which the baseline x86-64 target lacks;
// hit counting is most of the work.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
bool HasPopcnt() {
  static const bool has = __builtin_cpu_supports("popcnt");
  return has;
}
__attribute__((target("popcnt"))) void ScanNarrowWithPopcnt(
    const std::vector<Masks<1>>& draws, const std::vector<std::vector<Masks<1>>>& files,
    const std::vector<bool>& current, const std::vector<std::int64_t>& classCents, const ClassLookup& classOf,
    std::vector<EvalTable::Row>& rows, std::uint8_t firstOfDraw, std::uint8_t firstOfFile) {
  ScanPeriod<1>(draws, files, current, classCents, classOf, rows, firstOfDraw, firstOfFile);
}
#else
bool HasPopcnt() { return false; }
void ScanNarrowWithPopcnt(const std::vector<Masks<1>>& draws, const std::vector<std::vector<Masks<1>>>& files,
                          const std::vector<bool>& current, const std::vector<std::int64_t>& classCents,
                          const ClassLookup& classOf, std::vector<EvalTable::Row>& rows, std::uint8_t firstOfDraw,
                          std::uint8_t firstOfFile) {
  ScanPeriod<1>(draws, files, current, classCents, classOf, rows, firstOfDraw, firstOfFile);
}
#endif

template <int W>
void ScanAll(const std::vector<TSM>& periodSets, const std::vector<std::vector<TSM>>& tipSets,
             const std::vector<bool>& current, const std::vector<std::int64_t>& classCents,
             std::vector<EvalTable::Row>& rows) {
  std::vector<Masks<W>> draws;
  draws.reserve(periodSets.size());
  for (const TSM& t : periodSets) draws.push_back(ToMasks<W>(t));
  std::vector<std::vector<Masks<W>>> files(tipSets.size());
  for (std::size_t f = 0; f < files.size(); ++f) {
    files[f].reserve(tipSets[f].size());
    for (const TSM& t : tipSets[f]) files[f].push_back(ToMasks<W>(t));
  }
  static const ClassLookup classOf;
  if constexpr (W == 1) {
    if (HasPopcnt()) {
      ScanNarrowWithPopcnt(draws, files, current, classCents, classOf, rows, EvalTable::kFirstOfDraw,
                           EvalTable::kFirstOfFile);
      return;
    }
  }
  ScanPeriod<W>(draws, files, current, classCents, classOf, rows, EvalTable::kFirstOfDraw, EvalTable::kFirstOfFile);
}
}  // namespace

EvalTable EvaluateRows(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& quotas, int periodStart,
                       const std::vector<TSM>& periodSets, const std::vector<std::vector<TSM>>& tipSets,
                       const std::vector<std::string>& fileCaptions) {
  EvalTable table;
  table.captions_ = fileCaptions;
  table.periodStart_ = periodStart;
  for (const auto& tips : tipSets) table.tipRowCount_ += static_cast<int>(tips.size());
  const std::size_t count = periodSets.size();
  std::vector<bool> current(count);
  table.dates_.resize(count, std::numeric_limits<double>::quiet_NaN());
  table.classCents_.assign(count * 14, 0);
  table.standard_.assign(count, 0);
  for (std::size_t j = 0; j < count; ++j) {
    const int d = periodStart + static_cast<int>(j);
    if (d >= 0 && static_cast<std::size_t>(d) < draws.size()) table.dates_[j] = draws[static_cast<std::size_t>(d)].datum;
    current[j] = IsCurrentOrder(table.dates_[j]);
    for (int k = 1; k <= kClassCount; ++k) {
      table.classCents_[j * 14 + static_cast<std::size_t>(k)] = ToCents(QuotaFor(quotas, d, k));
      if (!HasRealQuota(quotas, d, k)) table.standard_[j] = static_cast<std::uint16_t>(table.standard_[j] | 1u << k);
    }
  }
  if (tipSets.empty()) return table;

  bool narrow = std::all_of(periodSets.begin(), periodSets.end(), FitsOneWord);
  for (const auto& tips : tipSets) narrow = narrow && std::all_of(tips.begin(), tips.end(), FitsOneWord);
  if (narrow)
    ScanAll<1>(periodSets, tipSets, current, table.classCents_, table.rows_);
  else
    ScanAll<4>(periodSets, tipSets, current, table.classCents_, table.rows_);
  return table;
}

Result<EvalResult> Evaluate(const EvalRequest& request) {
  if (request.slips.empty())
    return Refused("Es gibt nichts auszuwerten. Bitte laden Sie zunächst eine Datei mit Tippreihen "
                   "(Spielschein-Datei).\r\rIch breche erst einmal ab.");
  auto period = CheckPeriod(request.period, static_cast<int>(request.draws.size()));
  if (!period) return period.error();

  std::vector<std::vector<TSM>> tipSets;
  std::vector<std::string> captions;
  tipSets.reserve(request.slips.size());
  for (const EvalSlip& slip : request.slips) {
    std::vector<TSM> sets;
    sets.reserve(slip.rows.size());
    for (const TSchein& row : slip.rows) sets.push_back(RowToSets(row));
    tipSets.push_back(std::move(sets));
    captions.push_back(slip.caption);
  }
  const std::vector<TSM> periodSets = BuildPeriodSets(request.draws, period->first, period->last - period->first);
  EvalResult result{EvaluateRows(request.draws, request.quotas, period->first, periodSets, tipSets, captions), {}, {},
                    *period};
  const auto dateOf = [&](int i) { return DateText(request.draws[static_cast<std::size_t>(i)].datum); };
  result.heading = MakeEvalHeading(dateOf(period->first), dateOf(period->last), period->count() == 1);
  result.caption = std::to_string(request.number) + ": " +
                   (captions.size() == 1 ? captions.front() : std::to_string(captions.size()) + " Dateien");
  return result;
}

}  // namespace kw
