#include "ui/data_store.h"

#include "core/draw_history.h"
#include "core/file_io.h"
#include "core/quota_store.h"

namespace kw::ui {

DataStore::DataStore(std::string dataDir, QObject* parent) : QObject(parent) {
  data_.DataDir = std::move(dataDir);
  if (!data_.DataDir.empty() && data_.DataDir.back() != '/') data_.DataDir += '/';
}

void DataStore::announce(const std::vector<TGewZahlen>& drawsBefore, const std::vector<TQuoten>& quotasBefore) {
  if (data_.Draws != drawsBefore) emit drawsChanged();
  if (data_.Quotas != quotasBefore) emit quotasChanged();
}

Result<void> DataStore::loadDraws() {
  return change([](DataSet& d) { return LoadDraws(d); });
}

Result<void> DataStore::loadQuotas() {
  return change([](DataSet& d) { return ReadQuotasAligned(d); });
}

Result<void> DataStore::loadSettings() {
  SettingsLoad load = ReadSettingsFile(data_.dataFile(kSettingsFileName));
  settings_ = std::move(load.record);
  settingsPresent_ = load.present;
  emit settingsChanged();
  if (load.error) return *load.error;
  return {};
}

namespace {
Result<std::string> ReadCsv(const std::string& path) {
  auto bytes = ReadWholeFile(path, kMaxCsvFileBytes);
  if (!bytes) return bytes.error();
  return std::string(bytes->begin(), bytes->end());
}
}  // namespace

Result<DrawImportSummary> DataStore::importDrawsFile(const std::string& path) {
  auto text = ReadCsv(path);
  if (!text) return text.error();
  return change([&](DataSet& d) { return ImportDrawsCsv(d, *text); });
}

Result<QuotaImportSummary> DataStore::importQuotasFile(const std::string& path) {
  auto text = ReadCsv(path);
  if (!text) return text.error();
  return change([&](DataSet& d) { return ImportQuotasCsv(d, *text); });
}

Result<void> DataStore::storeDraw(std::size_t index, const TGewZahlen& draw) {
  return change([&](DataSet& d) { return StoreDraw(d, index, draw); });
}

Result<void> DataStore::saveSettings(const SettingsRecord& record) {
  if (auto written = WriteSettingsFile(data_.dataFile(kSettingsFileName), record); !written) return written;
  settings_ = record;
  settingsPresent_ = true;
  emit settingsChanged();
  return {};
}

}  // namespace kw::ui
