// The record check of "GZahlen.emz": any bytes give sound draws in rising order, every other whole
// record is held in its place, and writing both back gives the file's whole records again.
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
  Check(history.recordCount == whole);
  Check(history.tornBytes == size % kw::TGewZahlen::kSize);
  Check(history.draws.size() + history.held.size() == whole);
  Check((history.badRecord < 0) == history.held.empty());
  Check(history.damaged() == (!history.held.empty() || history.tornBytes > 0));
  for (std::size_t i = 0; i < history.draws.size(); ++i) {
    const auto& d = history.draws[i];
    Check(kw::IsCompleteDraw(d));
    Check(std::isfinite(d.datum) && d.datum == std::floor(d.datum));
    if (i > 0) Check(d.datum > history.draws[i - 1].datum);
  }
  for (std::size_t h = 0; h < history.held.size(); ++h) {
    Check(history.held[h].before <= history.draws.size());
    if (h > 0) Check(history.held[h].before >= history.held[h - 1].before);
  }
  if (history.firstNonDate >= 0) Check(static_cast<std::size_t>(history.firstNonDate) < whole);
  // Nothing is lost: the shown and the held records give the file's whole records back.
  const auto encoded = kw::EncodeHistory(history.draws, history.held);
  Check(encoded.size() == whole * kw::TGewZahlen::kSize);
  Check(std::equal(encoded.begin(), encoded.end(), bytes.begin()));
  return 0;
}
