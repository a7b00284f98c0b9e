#include "analysis/row_analysis.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "core/german_format.h"
#include "generation/binomial.h"

namespace kw {
namespace {

constexpr int kMaxNumber = 50;
constexpr int kMaxRowLength = 5;
constexpr int kMaxDepth = 5;
// A row with more pool numbers than this would mark too many subsets; the direct core takes it.
constexpr int kMaxMarkedRowNumbers = 12;

bool IsBlankOrControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || u == 0x7F;
}

std::string TrimItem(std::string_view item) {
  std::size_t b = 0, e = item.size();
  while (b < e && IsBlankOrControl(item[b])) ++b;
  while (e > b && IsBlankOrControl(item[e - 1])) --e;
  return std::string(item.substr(b, e - b));
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

// Long garbage is cut for the message, without splitting a UTF-8 sequence.
std::string ShownItem(const std::string& item) {
  constexpr std::size_t kShown = 20;
  if (item.size() <= kShown) return item;
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(item[cut]) & 0xC0) == 0x80) --cut;
  return item.substr(0, cut) + "...";
}

Error Stop(std::string message) { return Refused(std::move(message) + "\r\rIch breche erst einmal ab."); }

// n over t for n < 65, t <= 5; small enough for 64 bits everywhere.
struct BinomialTable {
  std::array<std::array<std::uint64_t, kMaxDepth + 2>, 65> c{};
  BinomialTable() {
    for (std::size_t n = 0; n < c.size(); ++n) {
      c[n][0] = 1;
      for (std::size_t t = 1; t < c[n].size(); ++t) c[n][t] = n == 0 ? 0 : c[n - 1][t - 1] + c[n - 1][t];
    }
  }
};
const BinomialTable& Choose() {
  static const BinomialTable table;
  return table;
}

class BitSet {
 public:
  explicit BitSet(std::uint64_t size) : words_((size + 63) / 64, 0) {}
  void set(std::uint64_t i) { words_[i >> 6] |= std::uint64_t{1} << (i & 63); }
  bool test(std::uint64_t i) const { return (words_[i >> 6] >> (i & 63)) & 1; }

 private:
  std::vector<std::uint64_t> words_;
};

// Position subsets {p0 < p1 < ...} of size h out of q, in any fixed order.
std::vector<std::array<int, kMaxDepth>> PositionSubsets(int q, int h) {
  std::vector<std::array<int, kMaxDepth>> out;
  if (h < 1 || h > q || h > kMaxDepth) return out;
  std::array<int, kMaxDepth> p{};
  for (int i = 0; i < h; ++i) p[static_cast<std::size_t>(i)] = i;
  for (;;) {
    out.push_back(p);
    int i = h - 1;
    while (i >= 0 && p[static_cast<std::size_t>(i)] == q - h + i) --i;
    if (i < 0) return out;
    ++p[static_cast<std::size_t>(i)];
    for (int t = i + 1; t < h; ++t) p[static_cast<std::size_t>(t)] = p[static_cast<std::size_t>(t - 1)] + 1;
  }
}

// The numbers of the combinations as dense indices 0..size-1 (ascending with the number);
// subsets of these indices are ranked colexicographically: rank = sum of C(a_s, s + 1).
class Universe {
 public:
  explicit Universe(NumberMask all) : all_(all) {
    index_.fill(-1);
    for (int b = 0; b < 64; ++b)
      if ((all >> b) & 1) index_[static_cast<std::size_t>(b)] = size_++;
  }
  int size() const { return size_; }
  NumberMask mask() const { return all_; }
  // Ascending indices of the set's numbers; returns how many (the caller bounds it).
  int indices(NumberMask set, int* out) const {
    int q = 0;
    for (NumberMask x = set & all_; x; x &= x - 1) out[q++] = index_[static_cast<std::size_t>(std::countr_zero(x))];
    return q;
  }
  std::uint64_t subsetCount(int h) const { return Choose().c[static_cast<std::size_t>(size_)][static_cast<std::size_t>(h)]; }

 private:
  NumberMask all_;
  int size_ = 0;
  std::array<int, 64> index_{};
};

std::uint64_t RankOf(const int* indices, const std::array<int, kMaxDepth>& positions, int h) {
  const auto& c = Choose().c;
  std::uint64_t rank = 0;
  for (int s = 0; s < h; ++s)
    rank += c[static_cast<std::size_t>(indices[positions[static_cast<std::size_t>(s)]])][static_cast<std::size_t>(s + 1)];
  return rank;
}

std::uint64_t RankOfAll(const int* indices, int h) {
  const auto& c = Choose().c;
  std::uint64_t rank = 0;
  for (int s = 0; s < h; ++s) rank += c[static_cast<std::size_t>(indices[s])][static_cast<std::size_t>(s + 1)];
  return rank;
}

// Marks every h-subset of every row (numbers outside the universe play no part).
BitSet MarkRowSubsets(const std::vector<NumberMask>& rows, const Universe& u, int h) {
  BitSet marked(u.subsetCount(h));
  std::vector<std::vector<std::array<int, kMaxDepth>>> subsetsByLength(kMaxMarkedRowNumbers + 1);
  for (int q = h; q <= kMaxMarkedRowNumbers; ++q) subsetsByLength[static_cast<std::size_t>(q)] = PositionSubsets(q, h);
  int idx[64];
  for (const NumberMask row : rows) {
    const int q = u.indices(row, idx);
    if (q < h) continue;
    for (const auto& positions : subsetsByLength[static_cast<std::size_t>(q)]) marked.set(RankOf(idx, positions, h));
  }
  return marked;
}

bool RowsFitMarking(const std::vector<NumberMask>& rows, const Universe& u) {
  return std::all_of(rows.begin(), rows.end(),
                     [&](NumberMask r) { return std::popcount(r & u.mask()) <= kMaxMarkedRowNumbers; });
}

NumberMask UnionOf(const std::vector<NumberMask>& sets) {
  NumberMask all = 0;
  for (const NumberMask s : sets) all |= s;
  return all;
}

// Calls the hook at the indices the window reports; true when it asks to stop.
class Reporter {
 public:
  Reporter(std::size_t count, const ProgressHook& hook)
      : hook_(hook), step_(StepSize(static_cast<std::int64_t>(count) - 1)) {}
  bool stopAt(std::int64_t j) {
    if (j != next_) return false;
    next_ += step_;
    return hook_ && hook_(j);
  }

 private:
  const ProgressHook& hook_;
  std::int64_t step_;
  std::int64_t next_ = 0;
};

}  // namespace

std::string TrimRowText(std::string_view text) { return TrimItem(text); }

std::string NormaliseRowText(std::string_view trimmed) {
  std::string s;
  s.reserve(trimmed.size());
  for (const char c : trimmed)
    if (c != ' ' && c != '\t') s += c;
  std::string t;
  t.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s.compare(i, 3, "),(") == 0) {
      t += '\n';
      i += 2;
    } else if (s[i] != '(' && s[i] != ')') {
      t += s[i];
    }
  }
  // Lines end in CR LF, LF or CR; an empty line is no row.
  std::string out;
  out.reserve(t.size());
  std::size_t start = 0;
  while (start <= t.size()) {
    std::size_t end = t.find_first_of("\r\n", start);
    if (end == std::string::npos) end = t.size();
    if (end > start) {
      if (!out.empty()) out += '\n';
      out.append(t, start, end - start);
    }
    if (end < t.size() && t[end] == '\r' && end + 1 < t.size() && t[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return out;
}

Result<ParsedRows> ParseRowText(std::string_view text) {
  const std::string trimmed = TrimRowText(text);
  if (trimmed.empty()) return Refused(kEmptyRowTextMessage);
  ParsedRows p;
  p.text = NormaliseRowText(trimmed);
  if (p.text.empty()) return Stop("Im Textfeld stehen keine Tippreihen.");

  const std::vector<std::string_view> lines = SplitAt(p.text, '\n');
  {
    std::vector<std::string_view> first = SplitAt(lines.front(), ',');
    // A trailing comma is no number: "1,2,3," has rows of three.
    while (!first.empty() && TrimItem(first.back()).empty()) first.pop_back();
    p.rowLength = std::min(static_cast<int>(first.size()), kMaxRowLength);
  }
  std::array<std::int64_t, 51> rowsWith{};
  p.rows.reserve(lines.size());
  for (std::size_t r = 0; r < lines.size(); ++r) {
    const std::vector<std::string_view> items = SplitAt(lines[r], ',');
    NumberMask row = 0;
    const std::size_t used = std::min(items.size(), static_cast<std::size_t>(p.rowLength));
    for (std::size_t i = 0; i < used; ++i) {
      const std::string item = TrimItem(items[i]);
      if (item.empty()) continue;
      const auto n = ParseStrictInt(item);
      if (!n || *n < 1 || *n > kMaxNumber)
        return Stop("In Zeile " + std::to_string(r + 1) + " ist \"" + ShownItem(item) +
                    "\" keine Zahl von 1 bis 50.");
      ++p.counts[static_cast<std::size_t>(*n)];
      row |= NumberBit(static_cast<int>(*n));
    }
    if (row == 0) return Stop("In Zeile " + std::to_string(r + 1) + " steht keine Tippzahl.");
    for (NumberMask x = row; x; x &= x - 1) ++rowsWith[static_cast<std::size_t>(std::countr_zero(x))];
    p.rows.push_back(row);
  }
  // A banker is in every row; counting rows, not items, so a repeated item cannot hide one.
  const auto rowCount = static_cast<std::int64_t>(p.rows.size());
  for (int n = 1; n <= kMaxNumber; ++n) {
    const auto i = static_cast<std::size_t>(n);
    if (rowsWith[i] == 0) {
      p.states[i] = NumberState::Absent;
    } else {
      p.pool.push_back(n);
      p.states[i] = rowsWith[i] == rowCount ? NumberState::Banker : NumberState::Used;
      if (p.states[i] == NumberState::Banker) ++p.bankers;
    }
  }
  return p;
}

std::string RowTextOfSlip(const std::vector<TSchein>& rows) {
  std::string text;
  for (const TSchein& row : rows) {
    if (!text.empty()) text += '\n';
    for (std::size_t i = 0; i < row.GZ.size(); ++i) text += (i ? "," : "") + std::to_string(int{row.GZ[i]});
  }
  return text;
}

std::vector<NumberMask> Combinations(const std::vector<int>& pool, int k) {
  std::vector<NumberMask> out;
  const int n = static_cast<int>(pool.size());
  if (k < 2 || k > kMaxDepth || n < k) return out;
  if (const auto count = binomial(n, k)) out.reserve(static_cast<std::size_t>(*count));
  std::array<int, kMaxDepth> i{};
  for (int t = 0; t < k; ++t) i[static_cast<std::size_t>(t)] = t;
  for (;;) {
    NumberMask set = 0;
    for (int t = 0; t < k; ++t) set |= NumberBit(pool[static_cast<std::size_t>(i[static_cast<std::size_t>(t)])]);
    out.push_back(set);
    // Innermost index first, as nested loops advance.
    int t = k - 1;
    while (t >= 0 && i[static_cast<std::size_t>(t)] == n - k + t) --t;
    if (t < 0) return out;
    ++i[static_cast<std::size_t>(t)];
    for (int u = t + 1; u < k; ++u) i[static_cast<std::size_t>(u)] = i[static_cast<std::size_t>(u - 1)] + 1;
  }
}

std::int64_t StepSize(std::int64_t n) {
  if (n < 1000) return 1;
  if (n < 2000) return 2;
  if (n < 10000) return 10;
  if (n < 500000) return 100;
  if (n < 1000000) return 5000;
  if (n < 1500000) return 10000;
  return 20000;
}

GuaranteeResult GuaranteeCheckDirect(const std::vector<NumberMask>& rows,
                                     const std::vector<NumberMask>& combinations, int k, const ProgressHook& hook) {
  GuaranteeResult result;
  Reporter reporter(combinations.size(), hook);
  for (std::size_t j = 0; j < combinations.size(); ++j) {
    if (reporter.stopAt(static_cast<std::int64_t>(j))) return {true, 0};
    const NumberMask c = combinations[j];
    bool covered = false;
    for (const NumberMask r : rows) {
      if (std::popcount(c & r) >= k) {
        covered = true;
        break;
      }
    }
    if (!covered) ++result.uncovered;
  }
  return result;
}

TotalResult TotalCheckDirect(const std::vector<NumberMask>& rows, const std::vector<NumberMask>& combinations,
                             const ProgressHook& hook) {
  TotalResult result;
  Reporter reporter(combinations.size(), hook);
  for (std::size_t j = 0; j < combinations.size(); ++j) {
    if (reporter.stopAt(static_cast<std::int64_t>(j))) return {true, {}};
    const NumberMask c = combinations[j];
    int best = 0;  // no rows: the combination meets none
    for (const NumberMask r : rows) best = std::max(best, std::popcount(c & r));
    ++result.histogram[static_cast<std::size_t>(std::min(best, kMaxDepth))];
  }
  return result;
}

GuaranteeResult GuaranteeCheck(const std::vector<NumberMask>& rows, const std::vector<NumberMask>& combinations,
                               int k, const ProgressHook& hook) {
  const Universe u(UnionOf(combinations));
  const bool fits = k >= 1 && k <= kMaxDepth && RowsFitMarking(rows, u) &&
                    std::all_of(combinations.begin(), combinations.end(),
                                [k](NumberMask c) { return std::popcount(c) == k; });
  if (!fits) return GuaranteeCheckDirect(rows, combinations, k, hook);

  const BitSet covered = MarkRowSubsets(rows, u, k);
  GuaranteeResult result;
  Reporter reporter(combinations.size(), hook);
  int idx[64];
  for (std::size_t j = 0; j < combinations.size(); ++j) {
    if (reporter.stopAt(static_cast<std::int64_t>(j))) return {true, 0};
    u.indices(combinations[j], idx);
    if (!covered.test(RankOfAll(idx, k))) ++result.uncovered;
  }
  return result;
}

TotalResult TotalCheck(const std::vector<NumberMask>& rows, const std::vector<NumberMask>& combinations,
                       const ProgressHook& hook) {
  const int k = combinations.empty() ? 0 : std::popcount(combinations.front());
  const Universe u(UnionOf(combinations));
  const bool fits = k >= 1 && k <= kMaxDepth && RowsFitMarking(rows, u) &&
                    std::all_of(combinations.begin(), combinations.end(),
                                [k](NumberMask c) { return std::popcount(c) == k; });
  if (!fits) return TotalCheckDirect(rows, combinations, hook);

  // marked[h]: the h-subsets some row contains. The best row of a combination hits h numbers
  // exactly when h is the largest size of a marked subset of it.
  std::vector<BitSet> marked;
  std::vector<std::vector<std::array<int, kMaxDepth>>> subsets;
  for (int h = 0; h <= k; ++h) {
    marked.push_back(h == 0 ? BitSet(0) : MarkRowSubsets(rows, u, h));
    subsets.push_back(PositionSubsets(k, h));
  }
  TotalResult result;
  Reporter reporter(combinations.size(), hook);
  int idx[64];
  for (std::size_t j = 0; j < combinations.size(); ++j) {
    if (reporter.stopAt(static_cast<std::int64_t>(j))) return {true, {}};
    u.indices(combinations[j], idx);
    int best = 0;
    if (marked[static_cast<std::size_t>(k)].test(RankOfAll(idx, k))) {
      best = k;
    } else {
      for (int h = k - 1; h >= 1 && best == 0; --h) {
        const BitSet& m = marked[static_cast<std::size_t>(h)];
        for (const auto& positions : subsets[static_cast<std::size_t>(h)]) {
          if (m.test(RankOf(idx, positions, h))) {
            best = h;
            break;
          }
        }
      }
    }
    ++result.histogram[static_cast<std::size_t>(best)];
  }
  return result;
}

std::string RowsSummaryLine(const ParsedRows& parsed) {
  const char* bankers = parsed.bankers == 0   ? " ohne Bankzahl "
                        : parsed.bankers == 1 ? " - darunter eine Bankzahl - "
                        : parsed.bankers == 2 ? " - darunter zwei Bankzahlen - "
                                              : " ";
  return "Getestet wurden " + std::to_string(parsed.rowCount()) + " Reihen aus jeweils " +
         std::to_string(parsed.rowLength) + " Zahlen, die aus einem " + std::to_string(parsed.poolSize()) +
         "er Zahlenpool" + bankers + "gebildet wurden.";
}

std::string CombinationsSummaryLine(int poolSize, std::int64_t combinations, int k) {
  static const char* const kWords[] = {"Null", "Ein", "Zwei", "Drei", "Vier", "Fünf"};
  const std::string word = k >= 0 && k <= kMaxDepth ? kWords[k] : std::to_string(k);
  return "Theoretisch können aus " + std::to_string(poolSize) + " Zahlen " + FormatGroupedInteger(combinations) + " " +
         word + "er-Kombinationen gebildet werden.";
}

std::string GuaranteeVerdict(std::int64_t uncovered, std::int64_t combinations, int k, int poolSize) {
  if (uncovered == 0)
    return "Für " + FormatGroupedInteger(combinations) + " mögliche " + std::to_string(k) + "er-Kombinationen aus " +
           std::to_string(poolSize) + " Tippzahlen wird die Garantie für " + std::to_string(k) + " Treffer bestätigt.";
  return "Der Garantietest verlief negativ. " + FormatGroupedInteger(uncovered) + " mögliche " + std::to_string(k) +
         "er-Kombinationen werden nicht vollständig abgedeckt.";
}

std::string TotalVerdict(const HitHistogram& histogram) {
  int g = 0;
  while (g < kMaxDepth && histogram[static_cast<std::size_t>(g)] == 0) ++g;
  std::string text;
  switch (g) {
    case 0:
      text = histogram[0] == 1 ? "Es gibt eine Gewinnreihe ohne einen Treffer." : "Es gibt Gewinnreihen ohne einen Treffer.";
      break;
    case 1: text = "Bei jeder Gewinnreihe bringen die Tippreihen mindestens einen Treffer."; break;
    case 2: text = "Die Tippreihen garantieren mindestens zwei Treffer."; break;
    case 3: text = "Die Tippreihen garantieren mindestens drei Treffer."; break;
    case 4: text = "Die Tippreihen garantieren mindestens vier Treffer."; break;
    default: text = "Die Tippreihen garantieren fünf Treffer."; break;
  }
  return text + " Wegen der Trefferdetails wird auf die Tabelle links verwiesen.";
}

Result<Analysis> AnalyseRowText(std::string_view text, int k, CheckMode mode, const ProgressHook& hook) {
  if (k < 2 || k > kMaxDepth) return Stop("Die Prüftiefe muss zwischen 2 und 5 Treffern liegen.");
  auto parsed = ParseRowText(text);
  if (!parsed) return parsed.error();
  Analysis a;
  a.parsed = std::move(*parsed);
  a.depth = k;
  const int poolSize = a.parsed.poolSize();
  if (poolSize < k)
    return Stop("Aus " + std::to_string(poolSize) + " Zahlen lassen sich keine " + std::to_string(k) +
                "er-Kombinationen bilden. Der Zahlenpool muss mindestens " + std::to_string(k) + " Zahlen umfassen.");
  const std::vector<NumberMask> combinations = Combinations(a.parsed.pool, k);
  a.combinations = static_cast<std::int64_t>(combinations.size());
  a.summary[0] = RowsSummaryLine(a.parsed);
  a.summary[1] = CombinationsSummaryLine(poolSize, a.combinations, k);
  if (mode == CheckMode::Guarantee) {
    const GuaranteeResult g = GuaranteeCheck(a.parsed.rows, combinations, k, hook);
    a.stopped = g.stopped;
    a.uncovered = g.uncovered;
    a.confirmed = !g.stopped && g.uncovered == 0;
    a.summary[2] = GuaranteeVerdict(g.uncovered, a.combinations, k, poolSize);
  } else {
    const TotalResult t = TotalCheck(a.parsed.rows, combinations, hook);
    a.stopped = t.stopped;
    a.histogram = t.histogram;
    a.summary[2] = TotalVerdict(t.histogram);
  }
  if (a.stopped) {
    a.uncovered = 0;
    a.confirmed = false;
    a.histogram = {};
    a.summary = {};
  }
  return a;
}

}  // namespace kw
