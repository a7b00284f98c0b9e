#include "core/records.h"

#include <gtest/gtest.h>

#include "core/game_rules.h"

namespace kw {
namespace {

TEST(Records, DrawLayoutIsLittleEndianFieldByField) {
  TGewZahlen d;
  d.datum = 45369.0;  // 18.03.2024
  d.GZ = {3, 9, 20, 30, 44};
  d.SZ = {2, 11};
  d.filler = 0xAB;
  std::vector<std::uint8_t> bytes;
  AppendRecord(bytes, d);
  ASSERT_EQ(bytes.size(), 16u);
  // 45369.0 as an IEEE-754 double: 0x40E6272000000000, lowest byte first.
  const std::vector<std::uint8_t> date = {0, 0, 0, 0, 0x20, 0x27, 0xE6, 0x40};
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8), date);
  EXPECT_EQ(bytes[8], 3);
  EXPECT_EQ(bytes[12], 44);
  EXPECT_EQ(bytes[13], 2);
  EXPECT_EQ(bytes[14], 11);
  EXPECT_EQ(bytes[15], 0xAB);
  EXPECT_EQ(DecodeGewZahlen(bytes.data()), d);
}

TEST(Records, QuotaLayoutKeepsReservedBytes) {
  TQuoten q;
  q.datum = 38030.0;
  for (int k = 1; k <= 13; ++k) q.amount(k) = static_cast<float>(k) * 1.5f;
  q.amount(13) = -1.0f;
  q.reserved = {1, 2, 3, 4};
  std::vector<std::uint8_t> bytes;
  AppendRecord(bytes, q);
  ASSERT_EQ(bytes.size(), 64u);
  // class 13 sits at byte 8 + 4 * 12 = 56: -1.0f is 0xBF800000.
  EXPECT_EQ(bytes[56], 0x00);
  EXPECT_EQ(bytes[59], 0xBF);
  EXPECT_EQ(bytes[60], 1);
  EXPECT_EQ(DecodeQuoten(bytes.data()), q);
}

TEST(Records, SlipRecordsRoundTripAndIgnoreRemainder) {
  std::vector<TSchein> rows(2);
  rows[0].GZ = {2, 7, 12, 22, 38};
  rows[0].SZ = {4, 7};
  rows[1].GZ = {1, 2, 3, 4, 50};
  rows[1].SZ = {11, 12};
  auto bytes = EncodeRecords(rows);
  ASSERT_EQ(bytes.size(), 14u);
  bytes.push_back(99);  // a remainder shorter than one record
  EXPECT_EQ(DecodeSlipRecords(bytes), rows);
}

}  // namespace
}  // namespace kw
