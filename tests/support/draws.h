#pragma once
// A draw record for fixtures; the numbers default to a complete, valid draw.
#include <array>
#include <cstdint>

#include "core/dates.h"
#include "core/records.h"

namespace kwtest {

inline kw::TGewZahlen MakeDraw(int y, int m, int d, std::array<std::uint8_t, 5> gz = {3, 9, 20, 30, 44},
                               std::array<std::uint8_t, 2> sz = {2, 11}) {
  kw::TGewZahlen r;
  r.datum = kw::EncodeDate(y, m, d);
  r.GZ = gz;
  r.SZ = sz;
  return r;
}

}  // namespace kwtest
