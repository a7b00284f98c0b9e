#include "core/game_rules.h"

namespace kw {

namespace {
void SetBit(std::array<std::uint8_t, 32>& set, std::uint8_t n) {
  set[n / 8] = static_cast<std::uint8_t>(set[n / 8] | (1u << (n % 8)));
}

template <class Row>
TSM ToSets(const Row& row) {
  TSM sets;
  for (std::uint8_t n : row.GZ) SetBit(sets.GZ, n);
  for (std::uint8_t s : row.SZ) SetBit(sets.SZ, s);
  return sets;
}

constexpr std::array<std::uint8_t, 16> kNibbleBits = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
}  // namespace

TSM RowToSets(const TSchein& row) { return ToSets(row); }
TSM RowToSets(const TGewZahlen& draw) { return ToSets(draw); }

std::vector<TSM> BuildPeriodSets(const std::vector<TGewZahlen>& draws, int a, int n) {
  std::vector<TSM> sets;
  sets.reserve(static_cast<std::size_t>(n + 1));
  for (int j = 0; j <= n; ++j) sets.push_back(RowToSets(draws.at(static_cast<std::size_t>(a + j))));
  return sets;
}

int CountBits(const std::uint8_t* bytes, std::size_t length) {
  int count = 0;
  for (std::size_t i = 0; i < length; ++i) count += kNibbleBits[bytes[i] & 0x0F] + kNibbleBits[bytes[i] >> 4];
  return count;
}

int PrizeClass(int mainHits, int starHits, bool currentOrder) {
  switch (mainHits) {
    case 5: return starHits == 2 ? 1 : starHits == 1 ? 2 : 3;
    case 4: return starHits == 2 ? 4 : starHits == 1 ? 5 : (currentOrder ? 7 : 6);
    case 3: return starHits == 2 ? (currentOrder ? 6 : 7) : starHits == 1 ? 9 : 10;
    case 2: return starHits == 2 ? 8 : starHits == 1 ? 12 : 13;
    case 1: return starHits == 2 ? 11 : 0;
    default: return 0;
  }
}

bool IsCurrentOrder(double date) { return date > kRuleChangeDay; }

const std::array<const char*, 14> ClassHitsOld = {"",    "5+2", "5+1", "5+0", "4+2", "4+1", "4+0",
                                                  "3+2", "2+2", "3+1", "3+0", "1+2", "2+1", "2+0"};
const std::array<const char*, 14> ClassHitsNew = {"",    "5+2", "5+1", "5+0", "4+2", "4+1", "3+2",
                                                  "4+0", "2+2", "3+1", "3+0", "1+2", "2+1", "2+0"};
const std::array<float, 14> DefaultQuotasOld = {0.0f,     37290176.00f, 310751.47f, 51791.90f, 4143.35f,
                                                201.41f,  100.71f,      58.85f,     18.89f,    14.39f,
                                                12.10f,   10.17f,       8.03f,      4.11f};
const std::array<float, 14> DefaultQuotasNew = {0.0f,     49223032.00f, 369172.75f, 54692.26f, 5469.23f,
                                                239.28f,  108.76f,      75.96f,     24.92f,    17.09f,
                                                12.78f,   13.44f,       9.49f,      4.36f};
const std::array<Rgb, 14> ClassColors = {{{0xFF, 0xFF, 0xFF},
                                          {0xFE, 0xBB, 0x36},
                                          {0xFF, 0xD7, 0x00},
                                          {0xFF, 0xFF, 0x00},
                                          {0xEE, 0xE8, 0xAA},
                                          {0x41, 0x69, 0xE1},
                                          {0x64, 0x95, 0xED},
                                          {0xB0, 0xC4, 0xDE},
                                          {0xAD, 0xD8, 0xE6},
                                          {0x22, 0x8B, 0x22},
                                          {0x32, 0xCD, 0x32},
                                          {0x7F, 0xFF, 0x00},
                                          {0xC7, 0xFD, 0x8A},
                                          {0xFF, 0xAE, 0xAE}}};
namespace {
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
}  // namespace
const std::array<Rgb, 14> ClassTextColors = {kBlack, kBlack, kBlack, kBlack, kBlack, kWhite, kWhite,
                                             kBlack, kBlack, kWhite, kBlack, kBlack, kBlack, kBlack};

}  // namespace kw
