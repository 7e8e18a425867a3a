#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "base/Rounding.h"

namespace zelvora {
namespace {

TEST(Rounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
}

TEST(Rounding, IntegerDivisionRoundsExactly) {
  EXPECT_EQ(DivRoundHalfEven(14, 4), 4);  // 3.5
  EXPECT_EQ(DivRoundHalfEven(10, 4), 2);  // 2.5
  EXPECT_EQ(DivRoundHalfEven(11, 4), 3);
  EXPECT_EQ(DivRoundHalfEven(-10, 4), -2);
  EXPECT_EQ(DivRoundHalfEven(-14, 4), -4);
  EXPECT_EQ(DivRoundHalfEven(7, -2), -4);  // -3.5
}

TEST(Dates, DayCountsStartOn30December1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(1980, 1, 1), 29221.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(FormatIsoDate(36526.75), "2000-01-01");
  EXPECT_EQ(FormatIsoDate(-1.5), "1899-12-28");
  const CivilDate leap = DecodeDate(EncodeDate(2024, 2, 29));
  EXPECT_EQ(leap.year, 2024);
  EXPECT_EQ(leap.month, 2);
  EXPECT_EQ(leap.day, 29);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0), 0.5);
}

}  // namespace
}  // namespace zelvora
