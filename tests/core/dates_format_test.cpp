#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/german_format.h"

namespace kw {
namespace {

TEST(Dates, DayNumbersAndWeekdays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2004, 2, 13), 38030.0);
  EXPECT_EQ(DecodeDate(38030.0), (CivilDate{2004, 2, 13}));
  EXPECT_EQ(DayOfWeek(0), 7);                          // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2004, 2, 13)), kFriday);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 19)), kTuesday);
  EXPECT_EQ(DayOfWeek(EncodeDate(2016, 9, 25)), 1);    // Sunday
  for (double d = 0; d < 80000; d += 97) EXPECT_EQ(EncodeDate(DecodeDate(d).year, DecodeDate(d).month, DecodeDate(d).day), d);
}

TEST(Dates, StrictGermanParser) {
  EXPECT_EQ(ParseDateText("18.03.2024"), EncodeDate(2024, 3, 18));
  EXPECT_EQ(ParseDateText("1.3.2024"), EncodeDate(2024, 3, 1));
  EXPECT_EQ(ParseDateText("29.02.2024"), EncodeDate(2024, 2, 29));
  for (const char* bad : {"", "wählen...", "29.02.2023", "31.04.2024", "18.03.24", "18.03.2024 ", " 18.03.2024",
                          "18-03-2024", "00.01.2024", "18.13.2024", "18.03.-202", "1.1.1899", "a.b.cdef"})
    EXPECT_FALSE(ParseDateText(bad).has_value()) << bad;
  EXPECT_EQ(DateText(EncodeDate(2024, 3, 5)), "05.03.2024");
  EXPECT_EQ(ParseIsoDate("2004-02-13"), 38030.0);
  EXPECT_FALSE(ParseIsoDate("2004-2-13").has_value());
}

TEST(GermanFormat, AmountsAndIntegers) {
  EXPECT_EQ(FormatGrouped(67951355.2, 2), "67.951.355,20");
  EXPECT_EQ(FormatGrouped(4.36f, 2), "4,36");
  EXPECT_EQ(FormatGrouped(17.5, 2), "17,50");
  EXPECT_EQ(FormatGrouped(1248.5, 2), "1.248,50");
  EXPECT_EQ(FormatGrouped(-0.001, 2), "0,00");
  EXPECT_EQ(FormatGrouped(999.995, 2), "1.000,00");
  EXPECT_EQ(FormatGroupedInteger(2118760), "2.118.760");
  EXPECT_EQ(FormatGroupedInteger(-1000), "-1.000");
  EXPECT_EQ(FormatGroupedInteger(999), "999");
}

TEST(GermanFormat, StrictParsers) {
  EXPECT_EQ(ParseGermanDecimal("1248,50"), 1248.5);
  EXPECT_EQ(ParseGermanDecimal("-3"), -3.0);
  for (const char* bad : {"", ",", "12,3,4", "1.5", "1e5", "abc", "--1"}) EXPECT_FALSE(ParseGermanDecimal(bad)) << bad;
  EXPECT_EQ(ParseStrictInt("  -12"), -12);
  EXPECT_EQ(ParseStrictInt("+7"), 7);
  EXPECT_EQ(ParseStrictInt("9223372036854775807"), INT64_MAX);
  for (const char* bad : {"", " ", "12 ", "1;2", "9223372036854775808", "0x10", "-"})
    EXPECT_FALSE(ParseStrictInt(bad)) << bad;
}

}  // namespace
}  // namespace kw
