// Settings records and the Windows-1252 conversion on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/cp1252.h"
#include "core/settings_record.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Any byte string survives the way through UTF-8; any text gives one byte per character.
  Check(kw::Utf8ToCp1252(kw::Cp1252ToUtf8(text)) == text);
  const std::string cp = kw::Utf8ToCp1252(text);
  const std::string cut = kw::CutToCp1252Length(text, 255);
  Check(text.compare(0, cut.size(), cut) == 0);
  Check(kw::Utf8ToCp1252(cut) == cp.substr(0, 255));

  if (size >= kw::kSettingsRecordSize) {
    kw::SettingsRecord r = kw::DecodeSettingsRecord(data);
    const auto bytes = kw::EncodeSettingsRecord(r);
    Check(bytes.size() == kw::kSettingsRecordSize && std::equal(bytes.begin(), bytes.end(), data));
    // File list operations on a record as found, then a stable second encoding.
    (void)kw::RemoveRecentSlip(r, data[0] % 11);
    (void)kw::AddRecentSlip(r, text.substr(kw::kSettingsRecordSize));
    const auto once = kw::EncodeSettingsRecord(r);
    kw::SettingsRecord back = kw::DecodeSettingsRecord(once.data());
    Check(kw::EncodeSettingsRecord(back) == once);
    for (std::size_t i = 0; i < kw::kSettingsSlipCount; ++i) {
      if (kw::FitsCp1252(r.recentSlips[i])) {
        Check(back.recentSlips[i] == kw::CutToCp1252Length(r.recentSlips[i], 255));
      }
    }
    Check(kw::ListPosition(data[1], kw::BudgetItems().size()) < 7);
  }
  return 0;
}
