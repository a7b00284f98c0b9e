#pragma once
// Little-endian field access for the binary records; never copy structs to disk.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kw {

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void u8(std::uint8_t v) { out_.push_back(v); }
  void u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void u64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
  void f64(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
  template <std::size_t N>
  void bytes(const std::array<std::uint8_t, N>& a) { out_.insert(out_.end(), a.begin(), a.end()); }

 private:
  std::vector<std::uint8_t>& out_;
};

// Reads from a block whose size the caller has checked; no bounds checks here.
class ByteReader {
 public:
  explicit ByteReader(const std::uint8_t* p) : p_(p) {}
  std::uint8_t u8() { return *p_++; }
  std::uint32_t u32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{p_[i]} << (8 * i);
    p_ += 4;
    return v;
  }
  std::uint64_t u64() {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= std::uint64_t{p_[i]} << (8 * i);
    p_ += 8;
    return v;
  }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  float f32() { return std::bit_cast<float>(u32()); }
  double f64() { return std::bit_cast<double>(u64()); }
  template <std::size_t N>
  void bytes(std::array<std::uint8_t, N>& a) {
    std::memcpy(a.data(), p_, N);
    p_ += N;
  }

 private:
  const std::uint8_t* p_;
};

}  // namespace kw
