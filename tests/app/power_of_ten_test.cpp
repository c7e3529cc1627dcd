// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>

#include "app/number_text.h"

namespace app {
namespace {

long double NearestPowerOfTen(int n) {
  return std::strtold(("1e" + std::to_string(n)).c_str(), nullptr);
}

// Scaling 1 by a table's own power multiplies by that entry alone, so each
// entry shows; glibc's strtold rounds correctly.
TEST(ScaleByPowerOfTen, EveryTableEntryIsTheNearestExtendedValue) {
  for (int n = 0; n < 32; ++n) EXPECT_EQ(ScaleByPowerOfTen(1, n), NearestPowerOfTen(n)) << n;
  for (int j = 1; j <= 15; ++j)
    EXPECT_EQ(ScaleByPowerOfTen(1, 32 * j), NearestPowerOfTen(32 * j)) << 32 * j;
  for (int j = 1; j <= 9; ++j)
    EXPECT_EQ(ScaleByPowerOfTen(1, 512 * j), NearestPowerOfTen(512 * j)) << 512 * j;
}

struct ScaleCase {
  int n;
  int units, thirty_twos, five_hundred_twelves;  // the powers applied, in this order
};

void PrintTo(const ScaleCase& c, std::ostream* out) {
  *out << "n = " << c.n;
}

class ScalesInTableOrder : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScalesInTableOrder, MultipliesOrDividesByEachFactorInTurn) {
  const ScaleCase& c = GetParam();
  const long double value = 3.7L;
  long double up = value * NearestPowerOfTen(c.units);
  long double down = value / NearestPowerOfTen(c.units);
  for (const int power : {c.thirty_twos, c.five_hundred_twelves}) {
    if (power == 0) continue;
    up = up * NearestPowerOfTen(power);
    down = down / NearestPowerOfTen(power);
  }
  EXPECT_EQ(ScaleByPowerOfTen(value, c.n), up);
  EXPECT_EQ(ScaleByPowerOfTen(value, -c.n), down);
}

INSTANTIATE_TEST_SUITE_P(Indices, ScalesInTableOrder,
                         ::testing::Values(ScaleCase{7, 7, 0, 0}, ScaleCase{40, 8, 32, 0},
                                           ScaleCase{511, 31, 480, 0}, ScaleCase{512, 0, 0, 512},
                                           ScaleCase{600, 24, 64, 512},
                                           ScaleCase{4999, 7, 384, 4608},
                                           ScaleCase{5119, 31, 480, 4608}));

TEST(ScaleByPowerOfTen, BeyondTheTablesGivesInfinityOrZeroWhateverTheValue) {
  EXPECT_EQ(ScaleByPowerOfTen(-2.5L, 0), -2.5L);
  EXPECT_EQ(ScaleByPowerOfTen(0, 5120), std::numeric_limits<long double>::infinity());
  EXPECT_EQ(ScaleByPowerOfTen(-1, 6000), std::numeric_limits<long double>::infinity());
  EXPECT_EQ(ScaleByPowerOfTen(1e4000L, -5120), 0.0L);
  EXPECT_EQ(ScaleByPowerOfTen(1, 5119), std::numeric_limits<long double>::infinity());
}

}  // namespace
}  // namespace app
