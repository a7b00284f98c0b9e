// A finished check taken into the data a program holds: written first, and never over changes
// made while the check ran.
#include "update/apply_update.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/program.h"
#include "real_history.h"

namespace kw::update {
namespace {

using kwtest::FirstRecords;
using kwtest::RealDraws;
using kwtest::RealQuotas;

class ApplyUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    data.DataDir = dir.path();
    data.Draws = FirstRecords(RealDraws(), 100);
    data.Quotas = FirstRecords(RealQuotas(), 100);
    drawsAtStart = data.Draws;
    quotasAtStart = data.Quotas;
    result.draws.status = StepStatus::Updated;
    result.draws.appended = {RealDraws()[100], RealDraws()[101]};
    result.quotas.status = StepStatus::Updated;
    result.quotas.merged = FirstRecords(RealQuotas(), 102);
    result.quotas.changed = true;
  }
  std::vector<std::uint8_t> file(const char* name) const { return kwtest::ReadBytes(dir.file(name)); }

  kwtest::TempDir dir;
  DataSet data;
  std::vector<TGewZahlen> drawsAtStart;
  std::vector<TQuoten> quotasAtStart;
  CheckResult result;
};

TEST_F(ApplyUpdate, DrawsAndQuotasAreWrittenAndTaken) {
  ApplyToDataSet(data, drawsAtStart, quotasAtStart, result);
  EXPECT_EQ(result.draws.status, StepStatus::Updated);
  EXPECT_EQ(result.quotas.status, StepStatus::Updated);
  EXPECT_EQ(data.Draws, FirstRecords(RealDraws(), 102));
  EXPECT_EQ(data.Quotas, FirstRecords(RealQuotas(), 102));
  EXPECT_EQ(file(kDrawsFileName), EncodeRecords(data.Draws));
  EXPECT_EQ(file(kQuotasFileName), EncodeRecords(data.Quotas));
}

TEST_F(ApplyUpdate, ADrawSavedMeanwhileKeepsBothPartsOut) {
  TGewZahlen typed = RealDraws()[100];
  data.Draws.push_back(typed);  // the user saved the next draw while the check ran
  const DataSet before = data;
  ApplyToDataSet(data, drawsAtStart, quotasAtStart, result);
  EXPECT_EQ(result.draws.status, StepStatus::Failed);
  EXPECT_EQ(result.draws.message, kDrawsChangedMeanwhileMessage);
  // The quotas were merged with a history that is not the one now held.
  EXPECT_EQ(result.quotas.status, StepStatus::Failed);
  EXPECT_EQ(data.Draws, before.Draws);
  EXPECT_EQ(data.Quotas, before.Quotas);
  EXPECT_FALSE(FileExists(dir.file(kDrawsFileName)));
  EXPECT_FALSE(FileExists(dir.file(kQuotasFileName)));
}

TEST_F(ApplyUpdate, QuotasSavedMeanwhileStayButTheDrawsComeIn) {
  data.Quotas[5].amount(13) = 9.5f;
  const auto saved = data.Quotas;
  ApplyToDataSet(data, drawsAtStart, quotasAtStart, result);
  EXPECT_EQ(result.draws.status, StepStatus::Updated);
  EXPECT_EQ(data.Draws.size(), 102u);
  EXPECT_EQ(result.quotas.status, StepStatus::Failed);
  EXPECT_EQ(result.quotas.message, kQuotasChangedMeanwhileMessage);
  EXPECT_EQ(data.Quotas, saved);
}

TEST_F(ApplyUpdate, AFailedWriteLeavesThatPartAsItWas) {
  kw::testing::SimulateDiskFullAfter(10);
  ApplyToDataSet(data, drawsAtStart, quotasAtStart, result);
  kw::testing::SimulateDiskFullAfter(std::nullopt);
  EXPECT_EQ(result.draws.status, StepStatus::Failed);
  EXPECT_FALSE(result.draws.message.empty());
  EXPECT_EQ(data.Draws, drawsAtStart);
  // The quotas still fit the history as it is: their write fails the same way.
  EXPECT_EQ(result.quotas.status, StepStatus::Failed);
  EXPECT_EQ(data.Quotas, quotasAtStart);
}

TEST_F(ApplyUpdate, NothingNewChangesNothing) {
  result.draws.status = StepStatus::NothingNewer;
  result.draws.appended.clear();
  result.quotas.changed = false;
  const DataSet before = data;
  ApplyToDataSet(data, drawsAtStart, quotasAtStart, result);
  EXPECT_EQ(result.quotas.status, StepStatus::Updated);
  EXPECT_EQ(data.Draws, before.Draws);
  EXPECT_EQ(data.Quotas, before.Quotas);
  EXPECT_FALSE(FileExists(dir.file(kQuotasFileName)));
}

}  // namespace
}  // namespace kw::update
