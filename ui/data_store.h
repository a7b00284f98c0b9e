#pragma once
// The program's one data store: the draw history, the prize amounts and the start-up settings of
// the data folder, over the GUI-free store routines. Every change goes through it, and every
// window that shows the data refreshes from its signals, so no window calls into another to
// keep a date list or a statistic current.
#include <QObject>
#include <QString>
#include <string>
#include <type_traits>
#include <vector>

#include "core/csv_import.h"
#include "core/data_set.h"
#include "core/result.h"
#include "core/settings_record.h"

namespace kw::ui {

class DataStore : public QObject {
  Q_OBJECT
 public:
  explicit DataStore(std::string dataDir, QObject* parent = nullptr);

  const std::string& dataDir() const { return data_.DataDir; }
  QString dataFolder() const { return QString::fromStdString(data_.DataDir); }
  std::string dataFile(const char* name) const { return data_.dataFile(name); }

  const DataSet& data() const { return data_; }
  const std::vector<TGewZahlen>& draws() const { return data_.Draws; }
  const std::vector<TQuoten>& quotas() const { return data_.Quotas; }
  const SettingsRecord& settings() const { return settings_; }
  // "Einstellungen.emo" existed at start-up and was read.
  bool settingsPresent() const { return settingsPresent_; }

  // Reads the history, the amounts that match it (without rewriting the quota file) and the
  // start-up settings; a refusal carries the message to show, the store keeps what it could read.
  Result<void> loadDraws();
  Result<void> loadQuotas();
  Result<void> loadSettings();

  // Imports the draws or prize amounts of a CSV file, with the checks and messages of the
  // command-line tool's import-draws and import-quotas.
  Result<DrawImportSummary> importDrawsFile(const std::string& path);
  Result<QuotaImportSummary> importQuotasFile(const std::string& path);

  // Stores the numbers of draw `index`; one past the end appends a new draw.
  Result<void> storeDraw(std::size_t index, const TGewZahlen& draw);
  Result<void> saveSettings(const SettingsRecord& record);

  // Runs a store routine of core/ over the data (an import, a quota save, an online update)
  // and tells every window what it changed, whatever the routine returns.
  template <class Routine>
  auto change(Routine&& routine) -> std::invoke_result_t<Routine, DataSet&> {
    const std::vector<TGewZahlen> draws = data_.Draws;
    const std::vector<TQuoten> quotas = data_.Quotas;
    auto result = routine(data_);
    announce(draws, quotas);
    return result;
  }

 signals:
  void drawsChanged();
  void quotasChanged();
  void settingsChanged();

 private:
  void announce(const std::vector<TGewZahlen>& drawsBefore, const std::vector<TQuoten>& quotasBefore);

  DataSet data_;
  SettingsRecord settings_;
  bool settingsPresent_ = false;
};

}  // namespace kw::ui
