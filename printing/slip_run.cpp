#include "printing/slip_run.h"

namespace kw {

SlipRunResult RunSlipPrint(int first, int last, long long firstNumber, const SlipRunHooks& hooks) {
  SlipRunResult result;
  const std::vector<SlipRows> slips = PlanSlips(first, last);
  const int count = static_cast<int>(slips.size());
  long long number = firstNumber;
  for (std::size_t i = 0; i < slips.size();) {
    // A slip once begun is finished: half a slip is a spoilt slip.
    if (hooks.stopRequested && hooks.stopRequested()) {
      result.end = SlipRunEnd::Stopped;
      return result;
    }
    const SlipJob job{slips[i], number, count};
    ++result.jobs;
    if (!hooks.print(job)) {
      result.end = SlipRunEnd::PrinterFailed;
      return result;
    }
    if (hooks.idle) hooks.idle();
    SlipAnswer answer = SlipAnswer::Next;
    if (hooks.confirm) {
      answer = hooks.confirm(job);
      if (hooks.idle) hooks.idle();
    }
    if (answer == SlipAnswer::Cancel) {
      result.end = SlipRunEnd::Cancelled;
      return result;
    }
    if (answer == SlipAnswer::Next) {
      ++number;
      ++i;
    }
  }
  return result;
}

}  // namespace kw
