// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "app/number_text.h"
#include "core/errors.h"
#include "core/extended.h"
#include "separator_guard.h"

namespace app {
namespace {

using testing::SeparatorGuard;

struct WriteCase {
  long double value;
  const char* expected;
};

void PrintTo(const WriteCase& c, std::ostream* out) {
  *out << std::hexfloat << c.value << " -> \"" << c.expected << '"';
}

class WritesWithComma : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WritesWithComma, GivesTheExpectedText) {
  const SeparatorGuard separator(",");
  EXPECT_EQ(FormatReal(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WritesWithComma,
    ::testing::Values(WriteCase{0.001, "0,001"}, WriteCase{1.234, "1,234"},
                      WriteCase{0.0001, "0,0001"}, WriteCase{0.00001, "1E-5"},
                      WriteCase{1.25e-7, "1,25E-7"}, WriteCase{1e14, "100000000000000"},
                      WriteCase{123456789012345.0, "123456789012345"}, WriteCase{1e15, "1E15"},
                      WriteCase{1234567890123456.0, "1,23456789012346E15"}, WriteCase{1e20, "1E20"},
                      // The carry adds a digit and the exponent passes 15.
                      WriteCase{999999999999999.9, "1E15"},
                      // Half-up, not to the even neighbour.
                      WriteCase{100000000000000.5, "100000000000001"},
                      // Slightly below ...8045: the 18-digit intermediate ends in 4500.
                      WriteCase{0.8170332844748045, "0,817033284474805"},
                      WriteCase{1.0 / 3, "0,333333333333333"},
                      WriteCase{2.0 / 3, "0,666666666666667"}, WriteCase{0.1 + 0.2, "0,3"},
                      WriteCase{-2.5, "-2,5"}, WriteCase{-0.0, "0"}, WriteCase{0.0, "0"},
                      WriteCase{100, "100"}, WriteCase{1.571, "1,571"},
                      WriteCase{std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324"},
                      WriteCase{DBL_MAX, "1,79769313486232E308"}, WriteCase{-1e-300, "-1E-300"},
                      // The exponent estimate is one too high in two bands of tiny magnitudes:
                      // the digits start with 0 and only 14 of them are significant.
                      WriteCase{0x1p-877L, "0,99241610332961E-264"},
                      WriteCase{0x1p-681L, "0,99671949510976E-205"},
                      WriteCase{0x1p-878L, "4,96208051664805E-265"},
                      WriteCase{std::numeric_limits<long double>::infinity(), "INF"},
                      WriteCase{-std::numeric_limits<long double>::infinity(), "-INF"},
                      WriteCase{std::numeric_limits<long double>::quiet_NaN(), "NAN"},
                      // An extended denormal is written as zero.
                      WriteCase{std::numeric_limits<long double>::denorm_min(), "0"}));

TEST(FormatReal, UsesTheCurrentSeparator) {
  const SeparatorGuard point(".");
  EXPECT_EQ(FormatReal(0.001), "0.001");
  EXPECT_EQ(FormatReal(1.25e-7), "1.25E-7");
  EXPECT_EQ(FormatReal(1234567890123456.0), "1.23456789012346E15");
  SetDecimalSeparator(testing::kArabicSeparator);
  EXPECT_EQ(FormatReal(-2.5), "-2\u066B5");
}

TEST(ToDecimalDigits, FillsTheRecord) {
  const DecimalDigits third = ToDecimalDigits(-1.0L / 3, 15);
  EXPECT_EQ(third.exponent, 0);
  EXPECT_TRUE(third.negative);
  EXPECT_STREQ(third.digits, "333333333333333");

  const DecimalDigits eighteen = ToDecimalDigits(123456789012345678.0L, 18);
  EXPECT_EQ(eighteen.exponent, 18);
  EXPECT_STREQ(eighteen.digits, "123456789012345678");

  const DecimalDigits nan = ToDecimalDigits(-std::numeric_limits<long double>::quiet_NaN(), 15);
  EXPECT_EQ(nan.exponent, DecimalDigits::kNaN);
  EXPECT_FALSE(nan.negative);

  const DecimalDigits negative_zero = ToDecimalDigits(-0.0L, 15);
  EXPECT_EQ(negative_zero.exponent, 0);
  EXPECT_FALSE(negative_zero.negative);
  EXPECT_STREQ(negative_zero.digits, "");
}

TEST(ToDecimalDigits, DividesOnceWhenTheScaledValueRoundsUpToANineteenthDigit) {
  // (10^19 - 1) / 10 rounds up to the 19-digit 10^18.
  const DecimalDigits record = ToDecimalDigits(9999999999999999999.0L, 18);
  EXPECT_EQ(record.exponent, 20);
  EXPECT_STREQ(record.digits, "1");
}

bool InBand(double magnitude) {
  return (magnitude >= 0x1p-877 && magnitude <= 1e-264) ||
         (magnitude >= 0x1p-681 && magnitude <= 1e-205);
}

double RandomNormalDouble(std::mt19937_64& random) {
  for (;;) {
    const std::uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isnormal(value) && !InBand(std::fabs(value))) return value;
  }
}

// printf's "%.15Lg" in this program's layout: "E", no plus sign, no leading
// zeros in the exponent.
std::string PrintfLayout(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15Lg", static_cast<long double>(value));
  std::string text = buffer;
  const auto e = text.find('e');
  if (e == std::string::npos) return text;
  const int exponent = std::atoi(text.c_str() + e + 1);
  return text.substr(0, e) + "E" + std::to_string(exponent);
}

// Digits 16 to 18 of the exact value, correctly rounded to 18 digits.
int DigitsSixteenToEighteen(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
  return std::atoi(std::string(buffer + 16, 3).c_str());  // "d.dddddddddddddd|ddd"
}

// Away from a decimal tie at the 16th digit the half-up rounding of the
// 18-digit intermediate and printf's rounding of the exact value agree.
TEST(FormatReal, AgreesWithPrintfAwayFromDecimalTies) {
  const SeparatorGuard separator(".");
  std::mt19937_64 random(42);
  int compared = 0;
  for (int i = 0; i < 100000; ++i) {
    const double value = RandomNormalDouble(random);
    const int tail = DigitsSixteenToEighteen(value);
    if (tail >= 490 && tail <= 510) continue;
    ++compared;
    ASSERT_EQ(FormatReal(value), PrintfLayout(value)) << std::hexfloat << value;
  }
  EXPECT_GT(compared, 95000);
}

// Rounded half-up to 15 digits, the largest double's text lies more than half
// a unit above it, so storing it read back overflows.
TEST(FormatReal, TheLargestDoublesTextOverflowsWhenStoredReadBack) {
  const SeparatorGuard separator(",");
  EXPECT_THROW(core::Extended(ParseReal(FormatReal(DBL_MAX))).ToDouble(), core::EOverflow);
  EXPECT_EQ(FormatReal(0x1.fffffffffffeep+1023), "1,79769313486231E308");
  EXPECT_NO_THROW(core::Extended(ParseReal("1,79769313486231E308")).ToDouble());
}

}  // namespace
}  // namespace app
