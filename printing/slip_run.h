#pragma once
// The print run over the slips of a range of tip rows: one print job per slip, an optional
// question after each slip (go on, print the same slip again, cancel), and a stop request that is
// honoured between slips.
#include <functional>

#include "printing/slip_geometry.h"

namespace kw {

enum class SlipAnswer { Next, Again, Cancel };

struct SlipJob {
  SlipRows rows;
  long long number = 0;  // running slip number m
  int count = 0;   // slips of the run N
};

struct SlipRunHooks {
  // Prints one slip as a job of its own; false (the printer failed) ends the run.
  std::function<bool(const SlipJob&)> print;
  // Asked after each printed slip; empty: never ask.
  std::function<SlipAnswer(const SlipJob&)> confirm;
  // Lets pending window events run, so that a stop button can be pressed.
  std::function<void()> idle;
  std::function<bool()> stopRequested;
};

enum class SlipRunEnd { Done, Cancelled, Stopped, PrinterFailed };

struct SlipRunResult {
  SlipRunEnd end = SlipRunEnd::Done;
  int jobs = 0;  // print jobs sent, repeats included
};

// Prints rows first..last; the slips are numbered firstNumber, firstNumber + 1, ... "of"
// SlipCount(first, last). A repeated slip keeps its number.
SlipRunResult RunSlipPrint(int first, int last, long long firstNumber, const SlipRunHooks& hooks);

}  // namespace kw
