#pragma once
// The four records with their binding byte layouts.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kw {

// One draw: date (day number), five main numbers, two stars, one filler byte.
struct TGewZahlen {
  double datum = 0.0;
  std::array<std::uint8_t, 5> GZ{};
  std::array<std::uint8_t, 2> SZ{};
  std::uint8_t filler = 0;
  static constexpr std::size_t kSize = 16;
  bool operator==(const TGewZahlen&) const = default;
};

// One tip row.
struct TSchein {
  std::array<std::uint8_t, 5> GZ{};
  std::array<std::uint8_t, 2> SZ{};
  static constexpr std::size_t kSize = 7;
  bool operator==(const TSchein&) const = default;
};

// Prize amounts of one draw. q[k - 1] is the amount of class k (1..13); below 1.0 = unknown.
struct TQuoten {
  double datum = 0.0;
  std::array<float, 13> q{};
  std::array<std::uint8_t, 4> reserved{};
  static constexpr std::size_t kSize = 64;
  float& amount(int prizeClass) { return q[static_cast<std::size_t>(prizeClass - 1)]; }
  float amount(int prizeClass) const { return q[static_cast<std::size_t>(prizeClass - 1)]; }
  bool operator==(const TQuoten&) const = default;
};

// Hit sets of one row or draw: number n is bit (n mod 8) of byte (n div 8). Memory only.
struct TSM {
  std::array<std::uint8_t, 32> GZ{};
  std::array<std::uint8_t, 32> SZ{};
  static constexpr std::size_t kSize = 64;
  bool operator==(const TSM&) const = default;
};

static_assert(sizeof(TSM) == TSM::kSize);

// Field-by-field little-endian (de)serialisation. Decoders read exactly kSize bytes.
void AppendRecord(std::vector<std::uint8_t>& out, const TGewZahlen& r);
void AppendRecord(std::vector<std::uint8_t>& out, const TSchein& r);
void AppendRecord(std::vector<std::uint8_t>& out, const TQuoten& r);
TGewZahlen DecodeGewZahlen(const std::uint8_t* p);
TSchein DecodeSchein(const std::uint8_t* p);
TQuoten DecodeQuoten(const std::uint8_t* p);

// Every whole record of a byte block; a remainder shorter than one record is ignored.
std::vector<TGewZahlen> DecodeDrawRecords(const std::vector<std::uint8_t>& bytes);
std::vector<TSchein> DecodeSlipRecords(const std::vector<std::uint8_t>& bytes);
std::vector<TQuoten> DecodeQuotaRecords(const std::vector<std::uint8_t>& bytes);

template <class Record>
std::vector<std::uint8_t> EncodeRecords(const std::vector<Record>& records) {
  std::vector<std::uint8_t> out;
  out.reserve(records.size() * Record::kSize);
  for (const auto& r : records) AppendRecord(out, r);
  return out;
}

}  // namespace kw
