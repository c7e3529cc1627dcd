// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/root_finding.h"

namespace {

TEST(RoundDecimalTest, RoundsToMultiplesOfTenToTheD) {
  const struct {
    double v;
    int d;
    double expected;
  } cases[] = {
      // d >= 0: exact ties, resolved to the even neighbour.
      {2.5, 0, 2},
      {3.5, 0, 4},
      {-2.5, 0, -2},
      {25, 1, 20},
      {35, 1, 40},
      {1.571, 1, 0},
      {1.5712890625, 0, 2},
      // d < 0: the factor is the double nearest to 10^d, and the stored input
      // decides, so decimal ties are no ties.
      {0.125, -2, 0.12},
      {1.0005, -3, 1},
      {1.0015, -3, 1.002},
      {1.5712890625, -3, 1.571},
      // 15713 times the factor 0.0001 lies above the midpoint between the
      // doubles round 1.5713, so the result is one unit above the nearest one.
      {1.5712890625, -4, 1.5713000000000001},
      {-1.5712890625, -3, -1.571},
      {0, -19, 0},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(testing::Message() << test.v << " at d = " << test.d);
    EXPECT_EQ(core::RoundDecimal(test.v, test.d), test.expected);
  }
}

TEST(RoundDecimalTest, FloatingPointErrorsOfExtremeDigits) {
  // The quotient leaves the 64-bit integer range.
  EXPECT_THROW(core::RoundDecimal(1.57, -19), core::EInvalidOp);
  EXPECT_NO_THROW(core::RoundDecimal(1.57, -18));
  // 10^-400 is 0 as a double: the division by the factor fails.
  EXPECT_THROW(core::RoundDecimal(1.57, -400), core::EZeroDivide);
  // 10^5000 is beyond the extended range; 10^400 beyond the double range.
  EXPECT_THROW(core::RoundDecimal(1.57, -5000), core::EOverflow);
  EXPECT_THROW(core::RoundDecimal(1.57, 400), core::EOverflow);
}

}  // namespace
