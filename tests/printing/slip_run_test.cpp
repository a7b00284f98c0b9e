#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/slip_run.h"

namespace kwtest {
namespace {

// Records every job as "first-last m/N" and answers the questions from a script.
struct Recorder {
  std::vector<std::string> jobs;
  std::vector<kw::SlipAnswer> answers;
  std::size_t asked = 0;
  int stopAfterJobs = -1;  // the stop button is pressed while this many jobs are out
  int failAtJob = -1;
  int idles = 0;

  kw::SlipRunHooks hooks(bool ask) {
    kw::SlipRunHooks h;
    h.print = [this](const kw::SlipJob& job) {
      jobs.push_back(std::to_string(job.rows.first) + "-" + std::to_string(job.rows.last) + " " +
                     std::to_string(job.number) + "/" + std::to_string(job.count));
      return static_cast<int>(jobs.size()) != failAtJob;
    };
    if (ask)
      h.confirm = [this](const kw::SlipJob&) {
        return asked < answers.size() ? answers[asked++] : kw::SlipAnswer::Next;
      };
    h.idle = [this] { ++idles; };
    h.stopRequested = [this] { return stopAfterJobs >= 0 && static_cast<int>(jobs.size()) >= stopAfterJobs; };
    return h;
  }
};

TEST(SlipRunTest, SlipsAreNumberedAndAnAnswerDecidesWhatComesNext) {
  using A = kw::SlipAnswer;
  struct Case {
    const char* what;
    int first, last, firstNumber;
    bool ask;
    std::vector<A> answers;
    std::vector<std::string> jobs;
    kw::SlipRunEnd end;
  };
  const Case cases[] = {
      {"13 rows without asking", 1, 13, 1, false, {}, {"1-6 1/3", "7-12 2/3", "13-13 3/3"}, kw::SlipRunEnd::Done},
      {"No after the second slip prints rows 7-12 again as 2/3", 1, 13, 1, true, {A::Next, A::Again, A::Next, A::Next},
       {"1-6 1/3", "7-12 2/3", "7-12 2/3", "13-13 3/3"}, kw::SlipRunEnd::Done},
      {"Cancel after the first slip", 1, 13, 1, true, {A::Cancel}, {"1-6 1/3"}, kw::SlipRunEnd::Cancelled},
      {"start number 5", 5, 5, 5, false, {}, {"5-5 5/1"}, kw::SlipRunEnd::Done},
      {"No twice on the only slip", 2, 4, 1, true, {A::Again, A::Again, A::Next}, {"2-4 1/1", "2-4 1/1", "2-4 1/1"},
       kw::SlipRunEnd::Done},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Recorder rec;
    rec.answers = c.answers;
    const kw::SlipRunResult result = kw::RunSlipPrint(c.first, c.last, c.firstNumber, rec.hooks(c.ask));
    EXPECT_EQ(rec.jobs, c.jobs);
    EXPECT_EQ(result.end, c.end);
    EXPECT_EQ(result.jobs, static_cast<int>(c.jobs.size()));
  }
}

TEST(SlipRunTest, AStopRequestEndsTheRunAfterTheCurrentSlipAndAFailedPrinterAtOnce) {
  for (bool ask : {false, true}) {
    SCOPED_TRACE(ask ? "asking" : "not asking");
    Recorder stopped;
    stopped.stopAfterJobs = 1;
    EXPECT_EQ(kw::RunSlipPrint(1, 13, 1, stopped.hooks(ask)).end, kw::SlipRunEnd::Stopped);
    EXPECT_EQ(stopped.jobs, std::vector<std::string>{"1-6 1/3"});
    // Pending events ran after the slip even without a question, so the stop could be pressed.
    EXPECT_GE(stopped.idles, 1);

    Recorder failing;
    failing.failAtJob = 2;
    EXPECT_EQ(kw::RunSlipPrint(1, 13, 1, failing.hooks(ask)).end, kw::SlipRunEnd::PrinterFailed);
    EXPECT_EQ(failing.jobs.size(), 2u);
  }
}

}  // namespace
}  // namespace kwtest
