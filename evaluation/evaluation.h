#pragma once
// The win evaluation: tip rows against the draws of a period, prize classes, amounts and the
// running sum, as a compact table that formats its cells when they are shown.
#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/var_def.h"

namespace kw {

// "0,00 €" for 0, otherwise the German grouped amount with two decimals: 4.36 -> "4,36 €".
// Amounts from 100 million euros on keep their cents (ten significant digits would drop them).
std::string FormatEuro(double x);
// Exact amount from whole cents: 123456 -> "1.234,56 €".
std::string FormatEuroCents(std::int64_t cents);

// The chosen list positions of the period controls; -1 = nothing chosen.
struct PeriodChoice {
  int from = -1;
  int to = -1;
  bool toTicked = false;
};

// Validates the period and builds PeriodSets for it; a refusal carries the message to show.
Result<void> CheckPeriod(AppState& s, const PeriodChoice& p);

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
  // Index in Draws of the draw a row belongs to; -1 for the header.
  int drawIndex(int row) const;
  std::int64_t amountCents(int row) const;
  std::int64_t runningTotalCents(int row) const;
  std::int64_t totalCents() const { return rows_.empty() ? 0 : rows_.back().total; }

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
  friend EvalTable EvaluateRows(AppState& s, const std::vector<std::string>& fileCaptions);

  const Row* rowAt(int row) const;

  std::vector<Row> rows_;
  std::vector<std::string> captions_;
  std::vector<double> dates_;              // per period position
  std::vector<std::int64_t> classCents_;  // per period position, 14 entries (class 0 unused)
  int periodStart_ = 0;
};

// Evaluates every TipSets file against PeriodSets (draws from PeriodStart on) with the amounts of
// Quotas and sets EvalCaption from EvalCount (the caller counts up first). Each win pays the
// quota rounded to whole cents; the running sum is kept exactly in cents.
EvalTable EvaluateRows(AppState& s, const std::vector<std::string>& fileCaptions);

}  // namespace kw
