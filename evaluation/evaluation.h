#pragma once
// The win evaluation: tip rows against the draws of a period, prize classes, amounts and the
// running sum, as a compact table that formats its cells when they are shown.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/result.h"

namespace kw {

// "0,00 €" for 0, otherwise the German grouped amount with two decimals, halves rounded away
// from zero as everywhere: 4.36 -> "4,36 €", 17.125 -> "17,13 €". Amounts from 100 million
// euros on keep their cents (ten significant digits would drop them).
std::string FormatEuro(double x);
// Exact amount from whole cents: 123456 -> "1.234,56 €".
std::string FormatEuroCents(std::int64_t cents);

// The chosen list positions of the period controls; -1 = nothing chosen.
struct PeriodChoice {
  int from = -1;
  int to = -1;
  bool toTicked = false;
};

// The draws of a period: indices first .. last of the history.
struct PeriodRange {
  int first = 0;
  int last = 0;
  int count() const { return last - first + 1; }
};

// Validates the period against a history of drawCount draws; a refusal carries the message.
Result<PeriodRange> CheckPeriod(const PeriodChoice& p, int drawCount);

std::string MakeEvalHeading(const std::string& fromText, const std::string& toText, bool oneDraw);

class EvalTable {
 public:
  static constexpr int kColumns = 6;
  static const char* header(int column);
  static int columnWidth(int column);

  // With the header row 0.
  int rowCount() const { return static_cast<int>(rows_.size()) + 1; }
  int columnCount() const { return kColumns; }
  // The text of a cell; empty outside the table.
  std::string cell(int column, int row) const;

  // Prize class 1..13 of a win row, 0 for the header and rows without a win.
  int prizeClass(int row) const;
  // A win row whose amount is the standard amount of its class: no real amount is known.
  bool isStandardAmount(int row) const;
  // Index in Draws of the draw a row belongs to; -1 for the header.
  int drawIndex(int row) const;
  std::int64_t amountCents(int row) const;
  std::int64_t runningTotalCents(int row) const;
  std::int64_t totalCents() const { return rows_.empty() ? 0 : rows_.back().total; }
  // The page captions of the evaluated slips, in evaluation order.
  const std::vector<std::string>& captions() const { return captions_; }
  // The largest single win of the table, in cents (0 without a win).
  std::int64_t largestAmountCents() const;
  // The evaluated period: its first draw's index in Draws, its draws and their dates, kept with
  // the table so that a result stays what it was when the history changes later.
  int periodStart() const { return periodStart_; }
  int periodDrawCount() const { return static_cast<int>(dates_.size()); }
  double drawDate(int position) const;
  // Tip rows evaluated against every draw of the period (all slips together).
  int tipRowCount() const { return tipRowCount_; }

  // Storage of one result row (24 bytes); the texts are made in cell().
  struct Row {
    std::int64_t total;    // running sum in cents after this row
    std::int32_t draw;     // position in the period
    std::int32_t file;     // index in TipSets
    std::int32_t field;    // 1-based tip row number; 0 = no win
    std::uint8_t klass;    // 0 = no win
    std::uint8_t flags;    // kFirstOfDraw | kFirstOfFile
  };
  static constexpr std::uint8_t kFirstOfDraw = 1;
  static constexpr std::uint8_t kFirstOfFile = 2;

 private:
  friend EvalTable EvaluateRows(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& quotas,
                                int periodStart, const std::vector<TSM>& periodSets,
                                const std::vector<std::vector<TSM>>& tipSets,
                                const std::vector<std::string>& fileCaptions);

  const Row* rowAt(int row) const;

  std::vector<Row> rows_;
  std::vector<std::string> captions_;
  std::vector<double> dates_;              // per period position
  std::vector<std::int64_t> classCents_;  // per period position, 14 entries (class 0 unused)
  std::vector<std::uint16_t> standard_;     // per period position: bit k = class k pays its standard amount
  int periodStart_ = 0;
  int tipRowCount_ = 0;
};

// Evaluates every file of tip sets against the hit sets of the period's draws (draw periodStart
// on) with the amounts of quotas. Each win pays the quota rounded to whole cents, halves away from zero; the running
// sum is kept exactly in cents. Evaluate() is the whole "Auswerten"; this is its core.
EvalTable EvaluateRows(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& quotas, int periodStart,
                       const std::vector<TSM>& periodSets, const std::vector<std::vector<TSM>>& tipSets,
                       const std::vector<std::string>& fileCaptions);

// One slip file to evaluate: the caption of its page (the file name without extension) and its rows.
struct EvalSlip {
  std::string caption;
  std::span<const TSchein> rows;
};

// Everything one evaluation reads. The slips are the evaluated ones, in page order; `number`
// is the evaluation's running number, which names its result page.
struct EvalRequest {
  const std::vector<TGewZahlen>& draws;
  const std::vector<TQuoten>& quotas;
  PeriodChoice period;
  std::vector<EvalSlip> slips;
  int number = 1;
};

struct EvalResult {
  EvalTable table;
  std::string heading;  // "Auswertung für den ..." / "Auswertung der Ausspielungen vom ... bis ..."
  std::string caption;  // the result page's tab: "3: Demo" or "3: 2 Dateien"
  PeriodRange period;
};

// "Auswerten": the slips against the period, or the refusal to show (no slip, a bad period).
Result<EvalResult> Evaluate(const EvalRequest& request);

}  // namespace kw
