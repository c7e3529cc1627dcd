// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extended.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/errors.h"
#include "core/floating_point_environment.h"

namespace {

using core::Extended;

TEST(ExtendedTest, EnvironmentIsMaskedExtendedPrecisionRoundToNearest) {
  core::EstablishFloatingPointEnvironment();
  EXPECT_EQ(core::FloatingPointControlWord(), 0x037F);
}

TEST(ExtendedTest, OperationsRaiseTheThreeErrorConditions) {
  const Extended zero(0.0L), one(1.0L), big(std::numeric_limits<long double>::max());
  EXPECT_THROW(one / zero, core::EZeroDivide);
  EXPECT_THROW(-one / zero, core::EZeroDivide);
  EXPECT_THROW(zero / zero, core::EInvalidOp);
  EXPECT_THROW(big * big, core::EOverflow);
  EXPECT_THROW(big + big, core::EOverflow);
  EXPECT_THROW(Extended(1e300L * 1e10L).ToDouble(), core::EOverflow);
  EXPECT_NO_THROW(Extended(1e-4000L * 1e-400L).ToDouble());  // underflow is not an error
  EXPECT_EQ((Extended(1e-310L) / Extended(1e10L)).ToDouble(), 1e-320);
}

TEST(ExtendedTest, ErrorMessages) {
  EXPECT_STREQ(core::EInvalidOp().what(), "Invalid floating point operation");
  EXPECT_STREQ(core::EZeroDivide().what(), "Floating point division by zero");
  EXPECT_STREQ(core::EOverflow().what(), "Floating point overflow");
}

TEST(ExtendedTest, StoreRoundsToNearestDouble) {
  // 1 - x with x = -(2^-53 + 2^-70): the extended sum drops 2^-70, leaving an
  // exact tie that the store resolves to 1; double arithmetic gives 1 + 2^-52.
  const volatile double x = -(0x1p-53 + 0x1p-70);
  EXPECT_EQ((Extended(1.0L) - Extended(x)).ToDouble(), 1.0);
  EXPECT_EQ(1.0 - x, 1.0 + 0x1p-52);
  // Just above DBL_MAX but rounding back to it is no overflow.
  const long double just_above =
      static_cast<long double>(std::numeric_limits<double>::max()) * (1 + 0x1p-60L);
  EXPECT_EQ(Extended(just_above).ToDouble(), std::numeric_limits<double>::max());
}

TEST(ExtendedTest, RoundToInt64TiesToEvenAndRange) {
  EXPECT_EQ(core::RoundToInt64(Extended(2.5L)), 2);
  EXPECT_EQ(core::RoundToInt64(Extended(3.5L)), 4);
  EXPECT_EQ(core::RoundToInt64(Extended(-2.5L)), -2);
  EXPECT_EQ(core::RoundToInt64(Extended(-0x1p63L)), std::numeric_limits<std::int64_t>::min());
  EXPECT_THROW(core::RoundToInt64(Extended(0x1p63L)), core::EInvalidOp);
  EXPECT_THROW(core::RoundToInt64(Extended(1.57e19L)), core::EInvalidOp);
}

TEST(ExtendedTest, SineAndCosineRangeRule) {
  EXPECT_EQ(core::Sin(Extended(0x1p63L)).Value(), 0.0L);
  EXPECT_EQ(core::Cos(Extended(-0x1p63L)).Value(), 0.0L);
  EXPECT_NE(core::Cos(Extended(0x1p62L)).Value(), 0.0L);
}

}  // namespace
