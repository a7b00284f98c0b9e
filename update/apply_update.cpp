#include "update/apply_update.h"

#include "core/file_io.h"
#include "core/program.h"

namespace kw::update {

void ApplyToDataSet(DataSet& data, const std::vector<TGewZahlen>& drawsAtStart,
                    const std::vector<TQuoten>& quotasAtStart, CheckResult& result) {
  // The history the quotas were merged with: the one at the start plus what the check appended.
  std::vector<TGewZahlen> checkedDraws = drawsAtStart;
  DrawsOutcome& draws = result.draws;
  if (draws.status == StepStatus::Updated && !draws.appended.empty()) {
    checkedDraws.insert(checkedDraws.end(), draws.appended.begin(), draws.appended.end());
    if (data.Draws != drawsAtStart) {
      draws.status = StepStatus::Failed;
      draws.message = kDrawsChangedMeanwhileMessage;
    } else if (auto written = WriteFileAtomically(data.dataFile(kDrawsFileName), EncodeRecords(checkedDraws));
               !written) {
      draws.status = StepStatus::Failed;
      draws.message = written.error().message;
    } else {
      data.Draws = checkedDraws;
    }
  }

  QuotasOutcome& quotas = result.quotas;
  if (quotas.status != StepStatus::Updated || !quotas.changed) return;
  if (data.Quotas != quotasAtStart || (data.Draws != checkedDraws && data.Draws != drawsAtStart)) {
    quotas.status = StepStatus::Failed;
    quotas.message = data.Quotas != quotasAtStart ? kQuotasChangedMeanwhileMessage : kDrawsChangedMeanwhileMessage;
    return;
  }
  if (auto written = WriteFileAtomically(data.dataFile(kQuotasFileName), EncodeRecords(quotas.merged)); !written) {
    quotas.status = StepStatus::Failed;
    quotas.message = written.error().message;
    return;
  }
  data.Quotas = quotas.merged;
}

}  // namespace kw::update
