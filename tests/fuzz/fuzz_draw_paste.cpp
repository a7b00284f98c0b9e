// Pasted clipboard text is anything at all: it must end in button numbers or a message.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/draw_paste.h"
#include "core/qlinks.h"

namespace {
void Require(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = kw::ParsePastedDraw(text);
  if (!read) {
    Require(!read.error().message.empty());
  } else {
    int mains = 0, stars = 0;
    for (const kw::PastedNumber& p : *read) {
      Require(p.number >= 1 && p.number <= (p.star ? 12 : 50));
      (p.star ? stars : mains)++;
    }
    Require(mains <= 5 && stars <= 2);
  }
  for (int count = 0; count <= 6; ++count) {
    const auto parts = kw::SplitGluedNumbers(text, count);
    std::size_t taken = 0;
    for (std::string_view part : parts) {
      Require(part.size() == 1 || part.size() == 2);
      taken += part.size();
    }
    Require(parts.empty() || (static_cast<int>(parts.size()) == count && taken == text.size()));
  }
  (void)kw::IsValidUrl(text);
  return 0;
}
