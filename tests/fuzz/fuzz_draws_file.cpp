// The record check of "GZahlen.emz": any bytes give the sound draws before the first bad record.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/draw_history.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const kw::DecodedHistory history = kw::DecodeHistory(bytes);
  const std::size_t whole = size / kw::TGewZahlen::kSize;
  Check(history.draws.size() <= whole);
  if (history.badRecord < 0)
    Check(history.draws.size() == whole);
  else
    Check(static_cast<std::size_t>(history.badRecord) == history.draws.size() && history.draws.size() < whole);
  for (std::size_t i = 0; i < history.draws.size(); ++i) {
    const auto& d = history.draws[i];
    Check(kw::IsCompleteDraw(d));
    Check(std::isfinite(d.datum) && d.datum == std::floor(d.datum));
    if (i > 0) Check(d.datum > history.draws[i - 1].datum);
  }
  // The kept draws are the file's leading records byte for byte.
  const auto encoded = kw::EncodeRecords(history.draws);
  Check(std::equal(encoded.begin(), encoded.end(), bytes.begin()));
  return 0;
}
