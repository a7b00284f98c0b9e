#pragma once
// What a check brought, taken into the draws and quotas a program holds in memory (the windows'
// data store): the appended draws and the merged quota store, each written to its file first.
#include <vector>

#include "core/data_set.h"
#include "core/records.h"
#include "update/update_check.h"

namespace kw::update {

inline constexpr const char* kDrawsChangedMeanwhileMessage =
    "Die Gewinnzahlen wurden geändert, während die Abfrage lief. Bitte starten Sie die Abfrage noch einmal.";
inline constexpr const char* kQuotasChangedMeanwhileMessage =
    "Die Gewinnquoten wurden geändert, während die Abfrage lief. Bitte starten Sie die Abfrage noch einmal.";

// drawsAtStart and quotasAtStart are the check's inputs. A part whose data changed while the
// check ran (a draw saved, quotas saved or downloaded elsewhere) is not taken over: merged on
// old data it would undo that change. Such a part, and a part whose file cannot be written,
// becomes a failure with its message; data and files stay as they were for it. The quotas
// are only taken when the draws are those they were merged with.
void ApplyToDataSet(DataSet& data, const std::vector<TGewZahlen>& drawsAtStart,
                    const std::vector<TQuoten>& quotasAtStart, CheckResult& result);

}  // namespace kw::update
