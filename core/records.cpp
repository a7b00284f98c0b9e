#include "core/records.h"

#include "core/bytes.h"

namespace kw {

void AppendRecord(std::vector<std::uint8_t>& out, const TGewZahlen& r) {
  ByteWriter w(out);
  w.f64(r.datum);
  w.bytes(r.GZ);
  w.bytes(r.SZ);
  w.u8(r.filler);
}

void AppendRecord(std::vector<std::uint8_t>& out, const TSchein& r) {
  ByteWriter w(out);
  w.bytes(r.GZ);
  w.bytes(r.SZ);
}

void AppendRecord(std::vector<std::uint8_t>& out, const TQuoten& r) {
  ByteWriter w(out);
  w.f64(r.datum);
  for (float v : r.q) w.f32(v);
  w.bytes(r.reserved);
}

TGewZahlen DecodeGewZahlen(const std::uint8_t* p) {
  ByteReader rd(p);
  TGewZahlen r;
  r.datum = rd.f64();
  rd.bytes(r.GZ);
  rd.bytes(r.SZ);
  r.filler = rd.u8();
  return r;
}

TSchein DecodeSchein(const std::uint8_t* p) {
  ByteReader rd(p);
  TSchein r;
  rd.bytes(r.GZ);
  rd.bytes(r.SZ);
  return r;
}

TQuoten DecodeQuoten(const std::uint8_t* p) {
  ByteReader rd(p);
  TQuoten r;
  r.datum = rd.f64();
  for (float& v : r.q) v = rd.f32();
  rd.bytes(r.reserved);
  return r;
}

namespace {
template <class Record, class Decode>
std::vector<Record> DecodeAll(const std::vector<std::uint8_t>& bytes, Decode decode) {
  std::vector<Record> out;
  const std::size_t n = bytes.size() / Record::kSize;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) out.push_back(decode(bytes.data() + i * Record::kSize));
  return out;
}
}  // namespace

std::vector<TGewZahlen> DecodeDrawRecords(const std::vector<std::uint8_t>& bytes) {
  return DecodeAll<TGewZahlen>(bytes, DecodeGewZahlen);
}
std::vector<TSchein> DecodeSlipRecords(const std::vector<std::uint8_t>& bytes) {
  return DecodeAll<TSchein>(bytes, DecodeSchein);
}
std::vector<TQuoten> DecodeQuotaRecords(const std::vector<std::uint8_t>& bytes) {
  return DecodeAll<TQuoten>(bytes, DecodeQuoten);
}

}  // namespace kw
